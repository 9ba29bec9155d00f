// The install procedure.
#include "InstallProcedure.h"

namespace {

constexpr int kPlatformWindows95 = 1;
constexpr int kPlatformWindowsNT = 2;

constexpr unsigned kFirstFlashMs = 150;
constexpr unsigned kSecondFlashMs = 300;
// Lets the editor come up before the wallpaper program does.
constexpr unsigned kBetweenLaunchesMs = 1000;

constexpr char kNotEnoughSpace[] =
    "WARNING! You do not have enough space to fit the program on your C: drive. If possible, delete some "
    "files from C: drive and try again.";
constexpr char kFolderFailed[] = "Destination directory could not be created.";
constexpr char kWrongPlatform[] = "You must have Windows 95 or Windows NT 4.0 or newer to continue.";
constexpr char kShortcutFailed[] = "Shortcut Copy Failed. File missing or, StartUp directory not found!";
constexpr char kFileFailed[] = "File Copy Failed! ";
constexpr char kErrorsOutcome[] =
    "There were errors. Installation was not successful.\nRead README.TXT file for possible causes and remedies.";
constexpr char kSuccess[] = "Installation is now complete. \nPlease read README.TXT before running Quorvane.";
constexpr char kErrorCaption[] = "ERROR";
constexpr char kSuccessCaption[] = "SUCCESS";

}  // namespace

std::string EditorCommand(const std::string& windowsFolder) {
    return "\"" + windowsFolder + "\\notepad.exe\" " + INSTALL_DIR + "\\README.TXT";
}

CInstallProcedure::CInstallProcedure(CInstallPlatform& platform, uint64_t availableSpace)
    : m_platform(platform), m_availableSpace(availableSpace), m_errorFlag(false) {}

void CInstallProcedure::Run() {
    while (RunOnce() == Next::Restart) {
        // The user chose Retry: the next run starts from the top.
    }
}

CInstallProcedure::Next CInstallProcedure::RunOnce() {
    m_platform.BeginWaitCursor();
    Next next = RunSteps();
    m_platform.EndWaitCursor();
    return next;
}

// The bar's position is never set: a run that ended early leaves it where it stood.
CInstallProcedure::Next CInstallProcedure::RunSteps() {
    m_errorFlag = false;
    m_platform.SetProgressRange(0, GetInstallItemCount());
    m_platform.SetProgressStep(1);
    if (!HasEnoughSpace()) return Next::EndRun;
    if (Next next = MakeInstallFolder(); next != Next::GoOn) return next;
    // Only the platform identifier decides; no version number is looked at.
    m_windowsFolder = m_platform.WindowsFolder();
    int platformId = m_platform.PlatformId();
    if (platformId != kPlatformWindows95 && platformId != kPlatformWindowsNT) {
        ErrorBox(kWrongPlatform);
        return Next::EndRun;
    }
    if (Next next = CopyShortcut(platformId); next != Next::GoOn) return next;
    if (Next next = CopyFiles(); next != Next::GoOn) return next;
    ReportOutcome();
    return Next::EndRun;
}

bool CInstallProcedure::HasEnoughSpace() {
    if (m_availableSpace >= REQUIRED_SPACE) return true;
    m_platform.ShowMessageBox(kNotEnoughSpace, nullptr, kBoxOk);
    return false;
}

// A folder that exists already passes as well.
CInstallProcedure::Next CInstallProcedure::MakeInstallFolder() {
    m_platform.CreateFolder(INSTALL_DIR);
    if (m_platform.PathExists(INSTALL_DIR)) return Next::GoOn;
    return ErrorRetryBox(kFolderFailed) == kAnswerRetry ? Next::Restart : Next::EndRun;
}

CInstallProcedure::Next CInstallProcedure::CopyShortcut(int platformId) {
    bool placed =
        platformId == kPlatformWindows95 ? PlaceShortcut(m_windowsFolder + STARTUP_PATH_95) : PlaceShortcutOnNT();
    return placed ? Next::GoOn : CopyFailed(kShortcutFailed);
}

// NT 4.0 keeps the all-users StartUp folder under the Windows folder; later versions keep it
// where the shell says, and a user who may not write there gets the shortcut in their own.
bool CInstallProcedure::PlaceShortcutOnNT() {
    if (m_platform.PathExists(m_windowsFolder + PROGRAMS_PATH_NT4)) {
        return PlaceShortcut(m_windowsFolder + STARTUP_PATH_NT);
    }
    return PlaceShortcut(m_platform.ShellFolder(kShellCommonStartup)) ||
           PlaceShortcut(m_platform.ShellFolder(kShellUserStartup));
}

// The StartUp folder is made when missing, one level only.
bool CInstallProcedure::PlaceShortcut(const std::string& startupFolder) {
    if (startupFolder.empty()) return false;
    m_platform.CreateFolder(startupFolder);
    return Copy(g_installItems[0], startupFolder);
}

// Every row after the shortcut goes into the install folder.
CInstallProcedure::Next CInstallProcedure::CopyFiles() {
    Next next = Next::GoOn;
    for (int row = 1; row < GetInstallItemCount() && next == Next::GoOn; ++row) {
        const InstallItem& item = g_installItems[row];
        if (!Copy(item, INSTALL_DIR)) next = CopyFailed(kFileFailed + std::string(item.szFileName));
    }
    return next;
}

// The source is the bare name, found in the installer's working folder.
bool CInstallProcedure::Copy(const InstallItem& item, const std::string& folder) {
    if (!m_platform.CopyFileReplacing(item.szFileName, folder + "\\" + item.szFileName)) return false;
    m_platform.StepProgress();
    return true;
}

CInstallProcedure::Next CInstallProcedure::CopyFailed(const std::string& text) {
    m_errorFlag = true;
    switch (ErrorRetryBox(text)) {
        case kAnswerIgnore:
            return Next::GoOn;
        case kAnswerRetry:
            return Next::Restart;
        default:  // Abort, or a box that could not be shown
            return Next::EndRun;
    }
}

// After either outcome the setup window closes; only a clean install starts anything.
void CInstallProcedure::ReportOutcome() {
    if (m_errorFlag) {
        ErrorBox(kErrorsOutcome);
    } else {
        m_platform.ShowMessageBox(kSuccess, kSuccessCaption, kBoxOk);
        m_platform.Launch(EditorCommand(m_windowsFolder));
        m_platform.Wait(kBetweenLaunchesMs);
        m_platform.Launch(PROGRAM_COMMAND);
    }
    m_platform.CloseSetupWindow();
}

int CInstallProcedure::ErrorRetryBox(const std::string& text) {
    FlashTwice();
    return m_platform.ShowMessageBox(text, kErrorCaption, kBoxAbortRetryIgnore | kBoxIconStop);
}

void CInstallProcedure::ErrorBox(const std::string& text) {
    FlashTwice();
    m_platform.ShowMessageBox(text, kErrorCaption, kBoxOk | kBoxIconStop);
}

// The caption is inverted twice, so it ends as it was.
void CInstallProcedure::FlashTwice() {
    m_platform.FlashCaption();
    m_platform.Wait(kFirstFlashMs);
    m_platform.FlashCaption();
    m_platform.Wait(kSecondFlashMs);
}
