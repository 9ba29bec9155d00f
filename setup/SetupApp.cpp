// The application object: one static instance, which shows the setup window modally.
#include "SetupApp.h"

#include "SetupDlg.h"

namespace {
// Without a name of its own, so that the program file's name captions its plain boxes.
CSetupApp theApp;
}

CSetupApp::CSetupApp() : CWinApp(nullptr) {}

const MessageMap* CSetupApp::GetMessageMap() const {
    static const MessageMap map(CWinApp::GetMessageMap(), {
        msg::Command(ID_HELP, &CWinApp::OnHelp),
    });
    return &map;
}

// Always FALSE: the program ends when the setup window ends.
BOOL CSetupApp::InitInstance() {
    Enable3dControls();
    CSetupDlg dlg;
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}
