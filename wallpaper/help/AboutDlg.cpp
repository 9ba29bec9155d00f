// The about box.
#include "AboutDlg.h"

#include "Dc.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {

constexpr UINT_PTR kBlinkTimer = 1;
constexpr UINT kBlinkPeriodMs = 100;

// Which icon the next tick draws; it goes on across openings of the box.
BOOL s_bIconPhase = FALSE;

}  // namespace

CAboutDlg::CAboutDlg() : CDialog(IDD_ABOUTBOX) {}

const MessageMap* CAboutDlg::GetMessageMap() const {
    static const MessageMap map(CDialog::GetMessageMap(), {
        msg::Paint(&CAboutDlg::OnPaint),
        msg::Timer(&CAboutDlg::OnTimer),
    });
    return &map;
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetTimer(kBlinkTimer, kBlinkPeriodMs);
    return TRUE;
}

// The texture is stretched over the whole client area at every paint; the controls paint
// themselves over it.
void CAboutDlg::OnPaint() {
    CPaintDC dc(this);
    RECT client;
    GetClientRect(&client);
    HDC memory = CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP texture = LoadBitmapA(AfxGetResourceHandle(), "IDB_BITMAP_MAT");
    HGDIOBJ previous = SelectObject(memory, texture);
    BITMAP size{};
    GetObjectA(texture, sizeof size, &size);
    StretchBlt(dc.GetSafeHdc(), 0, 0, client.right - client.left, client.bottom - client.top, memory, 0, 0,
               size.bmWidth, size.bmHeight, SRCCOPY);
    SelectObject(memory, previous);
    DeleteObject(texture);
    DeleteDC(memory);
}

void CAboutDlg::OnTimer(UINT_PTR nIDEvent) {
    CClientDC dc(this);
    RECT icon;
    GetDlgItem(IDC_ABOUT_ICON)->GetWindowRect(&icon);
    ScreenToClient(&icon);
    UINT iconId = s_bIconPhase ? IDI_ABOUT_BLINK : IDR_MAINFRAME;
    dc.DrawIcon(icon.left, icon.top, LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(iconId)));
    s_bIconPhase = !s_bIconPhase;
    CDialog::OnTimer(nIDEvent);
}

void CAboutDlg::OnOK() {
    KillTimer(kBlinkTimer);
    CDialog::OnOK();
}
