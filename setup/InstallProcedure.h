// The install procedure that Install starts: space and platform checks, the folders, the
// copies with their progress and error accounting, the outcome and the two launches. The
// machine is reached only through CInstallPlatform.
#pragma once

#include <cstdint>
#include <string>

#include "InstallManifest.h"

// Message box types and answers, with the platform's values.
constexpr unsigned kBoxOk = 0x00;
constexpr unsigned kBoxAbortRetryIgnore = 0x02;
constexpr unsigned kBoxIconStop = 0x10;
constexpr int kAnswerAbort = 3;
constexpr int kAnswerRetry = 4;
constexpr int kAnswerIgnore = 5;

// The shell's StartUp folders, with the platform's folder identifiers.
constexpr int kShellCommonStartup = 0x18;
constexpr int kShellUserStartup = 0x07;

// What the procedure needs of the machine and of the setup window.
class CInstallPlatform {
public:
    virtual ~CInstallPlatform() = default;

    virtual void BeginWaitCursor() = 0;
    virtual void EndWaitCursor() = 0;

    // The setup window's progress bar.
    virtual void SetProgressRange(int lower, int upper) = 0;
    virtual void SetProgressStep(int step) = 0;
    virtual void StepProgress() = 0;

    // One folder level; whether it was made is found out with PathExists.
    virtual void CreateFolder(const std::string& path) = 0;
    virtual bool PathExists(const std::string& path) = 0;
    // Without a trailing backslash.
    virtual std::string WindowsFolder() = 0;
    // 1 for the Windows 95 family, 2 for Windows NT.
    virtual int PlatformId() = 0;
    // The folder the shell names for kShellCommonStartup or kShellUserStartup; empty when it
    // names none.
    virtual std::string ShellFolder(int folderId) = 0;
    // Replaces an existing destination; false when the copy failed.
    virtual bool CopyFileReplacing(const std::string& source, const std::string& destination) = 0;

    // A modal box owned by the setup window; a null caption shows the application's name.
    // Returns the answer.
    virtual int ShowMessageBox(const std::string& text, const char* caption, unsigned type) = 0;
    // Inverts the setup window's caption once.
    virtual void FlashCaption() = 0;
    virtual void Wait(unsigned milliseconds) = 0;
    // Starts a program without waiting for it.
    virtual void Launch(const std::string& commandLine) = 0;
    // Ends the setup window through its cancel path.
    virtual void CloseSetupWindow() = 0;
};

// The command line that opens the installed read-me: the text editor of the Windows folder,
// named by its full path so that no program of the same name elsewhere is run instead.
std::string EditorCommand(const std::string& windowsFolder);

// One press of Install. Retry in an error box ends the interrupted run and starts a new one
// from the top, in a loop, so a run has at most one outcome and retries nest nothing.
class CInstallProcedure {
public:
    // availableSpace is the free space measured when the setup window opened.
    CInstallProcedure(CInstallPlatform& platform, uint64_t availableSpace);

    void Run();

private:
    // Where a step leaves the run.
    enum class Next { GoOn, EndRun, Restart };

    Next RunOnce();
    Next RunSteps();
    bool HasEnoughSpace();
    Next MakeInstallFolder();
    Next CopyShortcut(int platformId);
    bool PlaceShortcutOnNT();
    bool PlaceShortcut(const std::string& startupFolder);
    Next CopyFiles();
    // Steps the bar when the copy succeeded.
    bool Copy(const InstallItem& item, const std::string& folder);
    // Sets the error flag and asks the user what to do.
    Next CopyFailed(const std::string& text);
    void ReportOutcome();

    // Both flash the caption twice before the box shows.
    int ErrorRetryBox(const std::string& text);
    void ErrorBox(const std::string& text);
    void FlashTwice();

    CInstallPlatform& m_platform;
    const uint64_t m_availableSpace;
    // Of the current run: set by any failed copy, whatever the answer to its box.
    bool m_errorFlag;
    // Of the current run: where the text editor is found.
    std::string m_windowsFolder;
};
