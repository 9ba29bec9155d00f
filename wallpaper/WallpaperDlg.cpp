// The main dialog: construction, start-up, system menu, painting and the ways it ends.
#include "WallpaperDlg.h"

#include "AboutDlg.h"
#include "DialogChrome.h"
#include "HelpDlg.h"
#include "TrayIcon.h"
#include "WaitCursor.h"
#include "WinApp.h"
#include "res/resource.h"

CWallpaperDlg::CWallpaperDlg(CWnd* pParent)
    : CDialog(IDD_WALLPAPER_DIALOG, pParent),
      m_pPreviewImage(nullptr),
      m_pHelpDlg(nullptr),
      m_hbrDialog(nullptr),
      m_hbrStatic(nullptr),
      m_hIcon(LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

CWallpaperDlg::~CWallpaperDlg() {
    if (m_hbrDialog) DeleteObject(m_hbrDialog);
    if (m_hbrStatic) DeleteObject(m_hbrStatic);
}

const MessageMap* CWallpaperDlg::GetMessageMap() const {
    static const MessageMap map(CDialog::GetMessageMap(), {
        msg::SysCommand(&CWallpaperDlg::OnSysCommand),
        msg::Paint(&CWallpaperDlg::OnPaint),
        msg::QueryDragIcon(&CWallpaperDlg::OnQueryDragIcon),
        msg::Command(IDC_SET_WALLPAPER_NOW, &CWallpaperDlg::OnSetWallpaperNow),
        msg::Command(IDC_ADD, &CWallpaperDlg::OnAdd),
        msg::DropFiles(&CWallpaperDlg::OnDropFiles),
        msg::Command(IDC_REMOVE, &CWallpaperDlg::OnRemove),
        msg::ControlNotify(IDC_WALLPAPER_LIST, LBN_SELCHANGE, &CWallpaperDlg::OnSelchangeWallpaperList),
        msg::Close(&CWallpaperDlg::OnClose),
        msg::Timer(&CWallpaperDlg::OnTimer),
        msg::Command(IDC_FREQ_ONCE_A_DAY, &CWallpaperDlg::OnOnceADay),
        msg::Command(IDC_FREQ_MINUTES, &CWallpaperDlg::OnMinutes),
        msg::Command(IDC_FREQ_ONCE_PER_RUN, &CWallpaperDlg::OnOncePerRun),
        msg::Command(IDC_APPLY_SETTINGS, &CWallpaperDlg::OnApplySettings),
        msg::Command(IDC_ALLOW_PREVIEW, &CWallpaperDlg::OnAllowPreview),
        msg::Command(IDC_HELP_BUTTON, &CWallpaperDlg::OnHelpButton),
        msg::CtlColor(&CWallpaperDlg::OnCtlColor),
        msg::Command(IDC_ABOUT_BUTTON, &CWallpaperDlg::OnAboutButton),
        msg::Plain(WM_PICTURE_DECODED, &CWallpaperDlg::OnPictureDecoded),
        msg::WithParams(WM_TRAY_ICON, &CWallpaperDlg::OnTrayIcon),
        msg::Plain(TaskbarCreatedMessage(), &CWallpaperDlg::OnTaskbarCreated),
        msg::Command(IDM_TRAY_NEXT, &CWallpaperDlg::OnNextPicture),
        msg::Command(IDM_TRAY_PAUSE, &CWallpaperDlg::OnPauseRotation),
        msg::Command(IDM_TRAY_OPEN, &CWallpaperDlg::OnOpenWindow),
        msg::Command(IDM_TRAY_EXIT, &CWallpaperDlg::OnTrayExit),
        msg::Plain(WM_DESTROY, &CWallpaperDlg::OnDestroy),
    });
    return &map;
}

void CWallpaperDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_WALLPAPER_LIST, m_listWallpapers);
}

BOOL CWallpaperDlg::OnInitDialog() {
    CDialog::OnInitDialog();

    // Add Folder... and About Quorvane..., each after a separator of its own.
    AppendSystemMenuItem(*this, IDS_ADDFOLDER, IDM_ADDFOLDER);
    AppendSystemMenuItem(*this, IDS_ABOUTBOX, IDM_ABOUTBOX);
    DragAcceptFiles(m_hWnd, TRUE);

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    m_pPictureWorker = std::make_unique<CPictureWorker>(m_hWnd, WM_PICTURE_DECODED, kWallpaperFilePath);
    m_pTrayIcon = std::make_unique<CTrayIcon>(m_hWnd, WM_TRAY_ICON, m_hIcon);
    m_pTrayIcon->Add();
    LoadDisplaySettings();
    LoadAndApplySettings();
    if (g_settings.startMinimized) SendMessage(WM_SYSCOMMAND, SC_MINIMIZE, 0);
    CreatePictureButtons();
    return TRUE;
}

void CWallpaperDlg::OnSysCommand(UINT nID, LPARAM lParam) {
    if ((nID & 0xFFF0) == IDM_ABOUTBOX) {
        OnAboutButton();
        return;
    }
    if ((nID & 0xFFF0) == IDM_ADDFOLDER) {
        OnAddFolder();
        return;
    }
    CDialog::OnSysCommand(nID, lParam);
}

// One help window at most: an open one, of this copy of the program or another, is brought
// to the top instead.
void CWallpaperDlg::OnHelpButton() {
    CWaitCursor wait;
    HWND open = FindWindowA(nullptr, kHelpWindowTitle);
    if (open) {
        BringWindowToTop(open);
        return;
    }
    CHelpDlg* help = new CHelpDlg;
    if (!help->Create(IDD_HELP_DIALOG, this)) {
        delete help;
        help = nullptr;
    }
    m_pHelpDlg = help;
}

void CWallpaperDlg::OnAboutButton() {
    CAboutDlg about;
    about.DoModal();
}

// While minimized the window shows the program icon centred in its client area.
void CWallpaperDlg::OnPaint() {
    if (!IsIconic()) {
        // The default painting erases the background, frame included: the preview comes after it.
        CDialog::OnPaint();
        ShowSelectedEntry();
        return;
    }
    PaintMinimizedIcon(*this, m_hIcon);
}

HCURSOR CWallpaperDlg::OnQueryDragIcon() {
    return m_hIcon;
}

void CWallpaperDlg::OnClose() {
    SaveSettings();
    SaveDisplaySettings(GetDisplaySettingsFromControls());
    KillTimer(ID_ROTATION_TIMER);
    CDialog::OnClose();
}

// Esc and the hidden Cancel button end the program without saving.
void CWallpaperDlg::OnCancel() {
    CDialog::OnCancel();
}
