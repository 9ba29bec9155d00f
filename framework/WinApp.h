// CWinApp: the application object, and the framework's global accessors.
#pragma once

#include <windows.h>

#include <string>

#include "Wnd.h"

// The framework's help command.
constexpr UINT ID_HELP = 0xE146;

class FRAMEWORK_API CWinApp : public CCmdTarget {
public:
    // Exactly one application object exists; it registers itself when constructed.
    explicit CWinApp(const char* lpszAppName = nullptr);
    ~CWinApp() override;

    // Override these.
    virtual BOOL InitInstance();
    virtual int Run();
    virtual int ExitInstance();

    // Kept for the programs' start-up order; the 3D look is the platform's own today.
    void Enable3dControls();
    // The default help handler: opens the program's help file, named after the program file.
    void OnHelp();

    CWnd* m_pMainWnd;
    HINSTANCE m_hInstance;
    // The program file's name without folder and extension, unless the program names itself.
    std::string m_strAppName;
};

FRAMEWORK_API CWinApp* AfxGetApp();
FRAMEWORK_API CWnd* AfxGetMainWnd();
FRAMEWORK_API HINSTANCE AfxGetInstanceHandle();
FRAMEWORK_API HINSTANCE AfxGetResourceHandle();
// A message box captioned with the application's name, owned by the main window; a box
// without an icon of its own gets the exclamation mark, or the question mark when it asks.
FRAMEWORK_API int AfxMessageBox(const char* text, UINT type = MB_OK);
// The framework's program entry; the programs' WinMain calls it.
FRAMEWORK_API int AfxWinMain(HINSTANCE hInstance);
