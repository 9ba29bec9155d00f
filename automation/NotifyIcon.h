// The program's icon in the notification area, seen through QuorvaneProbe.dll armed from the
// program's start (StartMode::ProbeFromStart), and worked from outside as the shell and the user
// would: the icon's callback, its popup menu, and the notification state the program is answered.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

// One Shell_NotifyIconA call of the program.
struct NotifyIconRecord {
    DWORD tick = 0;
    DWORD message = 0;  // NIM_ADD, NIM_MODIFY, NIM_DELETE, NIM_SETFOCUS, NIM_SETVERSION
    UINT id = 0;
    HWND window = nullptr;
    UINT callbackMessage = 0;
    UINT flags = 0;
    std::string tip;  // empty without NIF_TIP
};

// Every Shell_NotifyIconA call process `pid` has made since it started, in order.
std::vector<NotifyIconRecord> NotifyIconRecords(DWORD pid);

// Posts the icon's callback message to its window as the shell does for an icon of version 0:
// wParam the icon's uID, lParam the mouse message (WM_RBUTTONUP, WM_LBUTTONUP, WM_LBUTTONDBLCLK,
// WM_CONTEXTMENU). Posted, since the program then stays in its popup menu.
bool ClickNotifyIcon(const NotifyIconRecord& icon, UINT mouseMessage);

// The visible popup menu (class "#32768") of process `pid`, or nullptr after `milliseconds`.
HWND WaitForPopupMenu(DWORD pid, DWORD milliseconds = 5000);

struct PopupMenuItem {
    UINT id = 0;
    std::string text;  // as the program gave it, '&' and '\t' included
    bool separator = false;
    bool enabled = false;
    bool checked = false;
};

// The items of the popup menu window `menu`, read inside its process; empty when it could not be read.
std::vector<PopupMenuItem> PopupMenuItems(HWND menu);
// Presses the keys a user presses to choose the enabled item `text`: Home, Down to it, Enter.
// False when the menu has no such enabled item (nothing is pressed then).
bool ChoosePopupMenuItem(HWND menu, const std::string& text);
// Escape: the menu closes and nothing is chosen.
bool ClosePopupMenu(HWND menu);

// From now on SHQueryUserNotificationState answers process `pid` with `state`.
bool SetNotificationState(DWORD pid, QUERY_USER_NOTIFICATION_STATE state);
// From now on the real SHQueryUserNotificationState answers it again.
bool UseRealNotificationState(DWORD pid);
