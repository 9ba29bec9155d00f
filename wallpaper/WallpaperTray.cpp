// The main dialog's icon in the notification area: its tip, its menu and the commands of the menu
// that are not the rotation's own (Next Picture is, in Scheduler.cpp).
#include "WallpaperDlg.h"

#include "HelpDlg.h"
#include "TrayIcon.h"
#include "res/resource.h"

namespace {

// The window is disabled while a box or a modal dialog of its own is open; the help window is
// modeless.
bool IsBoxOrDialogOpen(HWND window) {
    DWORD helpProcess = 0;
    HWND help = FindWindowA(nullptr, kHelpWindowTitle);
    if (help) GetWindowThreadProcessId(help, &helpProcess);
    return !IsWindowEnabled(window) || helpProcess == GetCurrentProcessId();
}

}  // namespace

UINT CWallpaperDlg::TaskbarCreatedMessage() {
    return RegisterWindowMessageA("TaskbarCreated");
}

void CWallpaperDlg::OnTrayIcon(WPARAM, LPARAM mouseMessage) {
    if (mouseMessage == WM_RBUTTONUP || mouseMessage == WM_CONTEXTMENU) {
        m_pTrayIcon->ShowMenu(m_display.rotationPaused, IsBoxOrDialogOpen(m_hWnd));
    } else if (mouseMessage == WM_LBUTTONUP || mouseMessage == WM_LBUTTONDBLCLK) {
        OnOpenWindow();
    }
}

void CWallpaperDlg::OnTaskbarCreated() {
    m_pTrayIcon->Add();
}

// Saved at once; a held change is given up, and a resumed rotation goes on at the next tick.
void CWallpaperDlg::OnPauseRotation() {
    m_display.rotationPaused = !m_display.rotationPaused;
    if (m_display.rotationPaused && m_heldChange) {
        KillTimer(ID_HOLD_TIMER);
        m_heldChange.reset();
    }
    SaveRotationPaused();
}

// The window, or the box or dialog open over it, comes to the front.
void CWallpaperDlg::OnOpenWindow() {
    ShowWindow(IsIconic() ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(GetLastActivePopup(m_hWnd));
}

// What the close box does.
void CWallpaperDlg::OnTrayExit() {
    SendMessage(WM_CLOSE);
}

void CWallpaperDlg::OnDestroy() {
    m_pTrayIcon->Remove();
}
