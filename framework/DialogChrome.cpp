// The system menu's own items and the minimized window's icon.
#include "DialogChrome.h"

#include "Dc.h"
#include "WinApp.h"

void AppendSystemMenuItem(CWnd& window, UINT stringId, UINT commandId) {
    HMENU systemMenu = window.GetSystemMenu(FALSE);
    char text[256] = "";
    LoadStringA(AfxGetResourceHandle(), stringId, text, sizeof text);
    if (!systemMenu || !text[0]) return;
    AppendMenuA(systemMenu, MF_SEPARATOR, 0, nullptr);
    AppendMenuA(systemMenu, MF_STRING, commandId, text);
}

void PaintMinimizedIcon(CWnd& window, HICON icon) {
    CPaintDC dc(&window);
    window.SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    int iconWidth = GetSystemMetrics(SM_CXICON);
    int iconHeight = GetSystemMetrics(SM_CYICON);
    RECT client;
    window.GetClientRect(&client);
    int x = (client.right - client.left - iconWidth + 1) / 2;
    int y = (client.bottom - client.top - iconHeight + 1) / 2;
    dc.DrawIcon(x, y, icon);
}
