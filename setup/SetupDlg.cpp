// The setup window: construction, start-up, file list, system menu, painting and closing.
#include "SetupDlg.h"

#include <string>

#include "DialogChrome.h"
#include "DiskSpace.h"
#include "InstallManifest.h"
#include "PictureButtons.h"
#include "SetupAboutDlg.h"
#include "WinApp.h"
#include "res/resource.h"

namespace {

// The two picture buttons and their bitmaps live until the program ends.
CBitmapButton g_btnInstall, g_btnExit;
HBITMAP g_hbmInstall, g_hbmExit;

const PictureButton kSetupButtons[] = {
    {IDC_INSTALL, "BITMAP_INSTALL", &g_btnInstall, &g_hbmInstall},
    {IDCANCEL, "BITMAP_EXIT", &g_btnExit, &g_hbmExit},
};

}  // namespace

CSetupDlg::CSetupDlg(CWnd* pParent)
    : CDialog(IDD_SETUP_DIALOG, pParent),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_availableSpace(0) {}

const MessageMap* CSetupDlg::GetMessageMap() const {
    static const MessageMap map(CDialog::GetMessageMap(), {
        msg::SysCommand(&CSetupDlg::OnSysCommand),
        msg::Paint(&CSetupDlg::OnPaint),
        msg::QueryDragIcon(&CSetupDlg::OnQueryDragIcon),
        msg::Command(IDC_INSTALL, &CSetupDlg::OnInstall),
    });
    return &map;
}

void CSetupDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROGRESS, m_progress);
    DDX_Control(pDX, IDC_FILE_LIST, m_fileList);
}

BOOL CSetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    AppendSystemMenuItem(*this, IDS_ABOUTBOX, IDM_ABOUTBOX);

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    CreatePictureButtons();
    FillFileList();
    SetDlgItemText(IDC_INSTALL_DIR, INSTALL_DIR);
    m_availableSpace = GetAvailableSpace();
    return TRUE;
}

// Failures are not reported: the window then goes on without that picture.
void CSetupDlg::CreatePictureButtons() {
    ::CreatePictureButtons(*this, kSetupButtons, std::size(kSetupButtons), ButtonFailures::Ignore);
}

void CSetupDlg::FillFileList() {
    for (int row = 0; row < GetInstallItemCount(); ++row) {
        const InstallItem& item = g_installItems[row];
        std::string line = std::string(item.szFileName) + "  (" + item.szDescription + ")";
        m_fileList.AddString(line.c_str());
    }
}

void CSetupDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        CSetupAboutDlg about;
        about.DoModal();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

// While minimized the window shows the installer's icon centred in its client area.
void CSetupDlg::OnPaint() {
    if (!IsIconic()) {
        CDialog::OnPaint();
        return;
    }
    PaintMinimizedIcon(*this, m_hIcon);
}

HCURSOR CSetupDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CSetupDlg::OnCancel() {
    CDialog::OnCancel();
}
