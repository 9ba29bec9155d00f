// The application object and the program's run through it.
#include "WinApp.h"

namespace {
CWinApp* g_app = nullptr;

std::string ProgramFileName() {
    char path[MAX_PATH] = "";
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    return path;
}

std::string NameWithoutFolderAndExtension(const std::string& path) {
    size_t start = path.find_last_of("\\/");
    std::string name = path.substr(start == std::string::npos ? 0 : start + 1);
    size_t dot = name.find_last_of('.');
    return dot == std::string::npos ? name : name.substr(0, dot);
}
}  // namespace

CWinApp::CWinApp(const char* lpszAppName)
    : m_pMainWnd(nullptr),
      m_hInstance(GetModuleHandleA(nullptr)),
      m_strAppName(lpszAppName ? lpszAppName : NameWithoutFolderAndExtension(ProgramFileName())) {
    g_app = this;
}

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

BOOL CWinApp::InitInstance() {
    return TRUE;
}

int CWinApp::Run() {
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() {
    return 0;
}

void CWinApp::Enable3dControls() {}

void CWinApp::OnHelp() {
    std::string path = ProgramFileName();
    path = path.substr(0, path.find_last_of('.')) + ".HLP";
    WinHelpA(m_pMainWnd ? m_pMainWnd->m_hWnd : nullptr, path.c_str(), HELP_FINDER, 0);
}

CWinApp* AfxGetApp() {
    return g_app;
}

CWnd* AfxGetMainWnd() {
    return g_app ? g_app->m_pMainWnd : nullptr;
}

HINSTANCE AfxGetInstanceHandle() {
    return g_app ? g_app->m_hInstance : GetModuleHandleA(nullptr);
}

HINSTANCE AfxGetResourceHandle() {
    return AfxGetInstanceHandle();
}

namespace {
// A box without an icon of its own gets the one that fits its buttons.
UINT WithDefaultIcon(UINT type) {
    if (type & MB_ICONMASK) return type;
    UINT buttons = type & MB_TYPEMASK;
    bool asks = buttons == MB_YESNO || buttons == MB_YESNOCANCEL;
    return type | (asks ? MB_ICONQUESTION : MB_ICONEXCLAMATION);
}
}  // namespace

int AfxMessageBox(const char* text, UINT type) {
    CWnd* main = AfxGetMainWnd();
    HWND owner = main ? main->m_hWnd : nullptr;
    const char* caption = g_app ? g_app->m_strAppName.c_str() : nullptr;
    return MessageBoxA(owner, text, caption, WithDefaultIcon(type));
}

int AfxWinMain(HINSTANCE hInstance) {
    if (!g_app) return -1;
    g_app->m_hInstance = hInstance;
    if (!g_app->InitInstance()) return g_app->ExitInstance();
    return g_app->Run();
}
