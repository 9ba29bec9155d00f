// The icon through Shell_NotifyIconA, and its menu from the resources.
#include "TrayIcon.h"

#include <cstring>

#include "TrayTip.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {

constexpr UINT kIconId = 1;

}  // namespace

CTrayIcon::CTrayIcon(HWND window, UINT callbackMessage, HICON icon)
    : m_window(window), m_callbackMessage(callbackMessage), m_icon(icon) {}

NOTIFYICONDATAA CTrayIcon::Data(UINT flags) const {
    NOTIFYICONDATAA data{};
    data.cbSize = sizeof data;
    data.hWnd = m_window;
    data.uID = kIconId;
    data.uFlags = flags;
    data.uCallbackMessage = m_callbackMessage;
    data.hIcon = m_icon;
    std::strncpy(data.szTip, m_tip.c_str(), kMaxTrayTipLength);
    return data;
}

void CTrayIcon::Add() {
    NOTIFYICONDATAA data = Data(NIF_MESSAGE | NIF_ICON | NIF_TIP);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void CTrayIcon::SetTip(const std::string& tip) {
    m_tip = tip;
    NOTIFYICONDATAA data = Data(NIF_TIP);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void CTrayIcon::Remove() {
    NOTIFYICONDATAA data = Data(0);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

// The window comes to the front first, so that the menu closes when the user clicks elsewhere.
void CTrayIcon::ShowMenu(bool paused, bool busy) {
    HMENU bar = LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TRAY_MENU));
    HMENU menu = GetSubMenu(bar, 0);
    CheckMenuItem(menu, IDM_TRAY_PAUSE, paused ? MF_CHECKED : MF_UNCHECKED);
    for (UINT item : {IDM_TRAY_NEXT, IDM_TRAY_PAUSE, IDM_TRAY_EXIT}) EnableMenuItem(menu, item, busy ? MF_GRAYED : MF_ENABLED);
    POINT cursor{};
    GetCursorPos(&cursor);
    SetForegroundWindow(m_window);
    TrackPopupMenu(menu, TPM_RIGHTBUTTON, cursor.x, cursor.y, 0, m_window, nullptr);
    PostMessageA(m_window, WM_NULL, 0, 0);
    DestroyMenu(bar);
}
