// The main dialog's colours: black background, yellow labels on black.
#include "Dc.h"
#include "WallpaperDlg.h"

namespace {

void DeleteBrush(HBRUSH& brush) {
    if (brush) DeleteObject(brush);
    brush = nullptr;
}

}  // namespace

// Each message deletes the brushes of the one before, so at most two live at any time.
HBRUSH CWallpaperDlg::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    HBRUSH defaultBrush = CDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    DeleteBrush(m_hbrStatic);
    DeleteBrush(m_hbrDialog);
    if (nCtlColor == CTLCOLOR_STATIC) {
        m_hbrStatic = CreateSolidBrush(RGB(0, 0, 0));
        pDC->SetBkMode(TRANSPARENT);
        pDC->SetTextColor(RGB(255, 255, 0));
        return m_hbrStatic;
    }
    if (nCtlColor == CTLCOLOR_DLG) {
        m_hbrDialog = CreateSolidBrush(RGB(0, 0, 0));
        return m_hbrDialog;
    }
    return defaultBrush;
}
