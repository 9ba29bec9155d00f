// The application object: one static instance, which shows the main dialog modally.
#include "WallpaperApp.h"

#include "FileStore.h"
#include "WallpaperDlg.h"

namespace {
CWallpaperApp theApp;
}

CWallpaperApp::CWallpaperApp() : CWinApp(nullptr) {}

const MessageMap* CWallpaperApp::GetMessageMap() const {
    static const MessageMap map(CWinApp::GetMessageMap(), {
        msg::Command(ID_HELP, &CWinApp::OnHelp),
    });
    return &map;
}

// Always FALSE: the program ends when the main dialog ends.
BOOL CWallpaperApp::InitInstance() {
    Enable3dControls();
    // A save cut short by a crash or a kill leaves its new file behind; start-up clears those.
    RemoveStaleTemporaryFiles(kListFilePath);
    CWallpaperDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
