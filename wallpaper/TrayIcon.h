// CTrayIcon: Quorvane's icon in the notification area, its tip, and its menu.
#pragma once

#include <windows.h>

#include <string>

class CTrayIcon {
public:
    // The icon of `window`, whose clicks come to it as `callbackMessage` (wParam the icon's ID,
    // lParam the mouse message). Not shown until Add.
    CTrayIcon(HWND window, UINT callbackMessage, HICON icon);

    // Shows the icon with the tip given last; again after the taskbar was made anew.
    void Add();
    void SetTip(const std::string& tip);
    void Remove();

    // The icon's menu at the cursor, its commands going to the window; `paused` ticks Pause
    // Rotation, and with `busy` (a box or a dialog of Quorvane's open) only Open Quorvane is
    // enabled.
    void ShowMenu(bool paused, bool busy);

private:
    NOTIFYICONDATAA Data(UINT flags) const;

    HWND m_window;
    UINT m_callbackMessage;
    HICON m_icon;
    std::string m_tip = "Quorvane";
};
