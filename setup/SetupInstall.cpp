// Install: the install procedure run against this window and the Win32 machine.
#include <io.h>
#include <shlobj.h>

#include <optional>
#include <string>

#include "InstallProcedure.h"
#include "SetupDlg.h"
#include "WaitCursor.h"

static_assert(kBoxOk == MB_OK && kBoxAbortRetryIgnore == MB_ABORTRETRYIGNORE && kBoxIconStop == MB_ICONHAND,
              "the procedure's box types are the platform's");
static_assert(kAnswerAbort == IDABORT && kAnswerRetry == IDRETRY && kAnswerIgnore == IDIGNORE,
              "the procedure's answers are the platform's");
static_assert(kShellCommonStartup == CSIDL_COMMON_STARTUP && kShellUserStartup == CSIDL_STARTUP,
              "the procedure's shell folders are the platform's");

class CSetupDlg::CWindowPlatform : public CInstallPlatform {
public:
    explicit CWindowPlatform(CSetupDlg& dialog) : m_dialog(dialog) {}

    void BeginWaitCursor() override { m_waitCursor.emplace(); }
    void EndWaitCursor() override { m_waitCursor.reset(); }

    void SetProgressRange(int lower, int upper) override { m_dialog.m_progress.SetRange(short(lower), short(upper)); }
    void SetProgressStep(int step) override { m_dialog.m_progress.SetStep(step); }
    void StepProgress() override { m_dialog.m_progress.StepIt(); }

    void CreateFolder(const std::string& path) override { CreateDirectoryA(path.c_str(), nullptr); }
    bool PathExists(const std::string& path) override { return _access(path.c_str(), 0) == 0; }

    std::string WindowsFolder() override {
        char folder[520] = "";
        GetWindowsDirectoryA(folder, sizeof folder);
        return folder;
    }

    int PlatformId() override {
        OSVERSIONINFOA version{};
        version.dwOSVersionInfoSize = sizeof version;
        GetVersionExA(&version);
        return int(version.dwPlatformId);
    }

    std::string ShellFolder(int folderId) override {
        char folder[MAX_PATH] = "";
        bool named = SUCCEEDED(SHGetFolderPathA(nullptr, folderId, nullptr, SHGFP_TYPE_CURRENT, folder));
        return named ? folder : "";
    }

    bool CopyFileReplacing(const std::string& source, const std::string& destination) override {
        return CopyFileA(source.c_str(), destination.c_str(), FALSE) != FALSE;
    }

    int ShowMessageBox(const std::string& text, const char* caption, unsigned type) override {
        return m_dialog.MessageBox(text.c_str(), caption, type);
    }
    void FlashCaption() override { FlashWindow(m_dialog.m_hWnd, TRUE); }
    void Wait(unsigned milliseconds) override { Sleep(milliseconds); }
    void Launch(const std::string& commandLine) override { WinExec(commandLine.c_str(), SW_SHOWDEFAULT); }
    void CloseSetupWindow() override { m_dialog.OnCancel(); }

private:
    CSetupDlg& m_dialog;
    std::optional<CWaitCursor> m_waitCursor;
};

void CSetupDlg::OnInstall() {
    CWindowPlatform platform(*this);
    CInstallProcedure(platform, m_availableSpace).Run();
}
