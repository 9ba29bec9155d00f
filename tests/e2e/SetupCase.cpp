// Setting up and restoring the prefix around an installer case.
#include "SetupCase.h"

#include <commctrl.h>

#include <cstdio>

#include "DialogDriver.h"
#include "ProgramProcess.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"

const char* const kInstallFolder = "C:\\QUORVANE";

namespace {

const DWORD kWindowMs = 15000;
const DWORD kSendMs = 5000;
const int kFileList = 1000;
const int kInstall = 1001;
const int kProgress = 1004;

const char* const kCopyFolder = "C:\\QuorvaneE2E-Installer";

// The programs an install starts: the text editor and the wallpaper program.
const char* const kLaunchedPrograms[] = {"notepad.exe", "Quorvane.EXE"};

std::string WindowsFolder() {
    char folder[MAX_PATH] = "";
    GetWindowsDirectoryA(folder, MAX_PATH);
    return folder;
}

// The Windows folder's descendants down to the StartUp folder, outermost first.
std::vector<std::string> StartupFolderLevels() {
    std::vector<std::string> levels;
    std::string path = WindowsFolder();
    for (const char* level : {"Profiles", "All Users", "Start Menu", "Programs", "StartUp"}) {
        path += std::string("\\") + level;
        levels.push_back(path);
    }
    return levels;
}

void RemoveFolderWithFiles(const std::string& folder) {
    for (const std::string& name : FilesIn(folder)) {
        std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

HWND VisibleChild(HWND window, int id) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (GetDlgCtrlID(child) == id && IsWindowVisible(child)) return child;
    }
    return nullptr;
}

}  // namespace

std::string StartupFolder() { return StartupFolderLevels().back(); }

std::string InstalledShortcut() { return StartupFolder() + "\\QVshort.lnk"; }

HWND WaitForSetupWindow(DWORD pid) { return WaitForWindow(pid, "Setup", kFileList, kWindowMs); }

// The picture button stands over the template's hidden button of the same ID.
void PressInstall(HWND setup) {
    HWND button = VisibleChild(setup, kInstall);
    if (button) {
        PostMessageA(button, BM_CLICK, 0, 0);
    } else {
        std::printf("the Install picture button is missing; the command is posted instead\n");
        PostClick(setup, kInstall);
    }
}

int ProgressPosition(HWND setup) {
    DWORD_PTR position = 0;
    if (!SendMessageTimeoutA(GetDlgItem(setup, kProgress), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kSendMs, &position)) {
        return -1;
    }
    return static_cast<int>(position);
}

void SetupCase::SetUp() {
    for (const char* exe : kLaunchedPrograms) {
        for (DWORD pid : ProcessesNamed(exe)) m_runningBefore.insert(pid);
    }
    RemoveQuorvaneFolder();
    DeleteFileA(InstalledShortcut().c_str());
    // The prefix reports NT, whose StartUp folder lies under the NT 4.0 profile layout; the
    // installer makes the StartUp folder itself but not its parents.
    std::vector<std::string> levels = StartupFolderLevels();
    for (const std::string& level : levels) {
        if (!FolderExists(level)) m_madeFolders.push_back(level);
        if (level != levels.back()) CreateDirectoryA(level.c_str(), nullptr);
    }
}

void SetupCase::TearDown() {
    for (const char* exe : kLaunchedPrograms) EndNewProcesses(exe);
    RemoveQuorvaneFolder();
    DeleteFileA(InstalledShortcut().c_str());
    for (auto level = m_madeFolders.rbegin(); level != m_madeFolders.rend(); ++level) {
        RemoveDirectoryA(level->c_str());
    }
    if (!m_copyFolder.empty()) RemoveFolderWithFiles(m_copyFolder);
    EXPECT_FALSE(FolderExists(kInstallFolder)) << kInstallFolder << " is left behind";
    EXPECT_FALSE(FileExists(InstalledShortcut())) << InstalledShortcut() << " is left behind";
}

std::string SetupCase::InstallerCopyWithout(const std::string& missing) {
    m_copyFolder = kCopyFolder;
    RemoveFolderWithFiles(m_copyFolder);
    CreateDirectoryA(m_copyFolder.c_str(), nullptr);
    for (const std::string& name : FilesIn(DistFolder())) {
        if (lstrcmpiA(name.c_str(), missing.c_str()) == 0) continue;
        CopyFileA((DistFolder() + "\\" + name).c_str(), (m_copyFolder + "\\" + name).c_str(), FALSE);
    }
    return m_copyFolder;
}

std::vector<DWORD> SetupCase::NewProcesses(const std::string& exeName) const {
    std::vector<DWORD> started;
    for (DWORD pid : ProcessesNamed(exeName)) {
        if (!m_runningBefore.count(pid)) started.push_back(pid);
    }
    return started;
}

void SetupCase::EndNewProcesses(const std::string& exeName) {
    for (DWORD pid : NewProcesses(exeName)) {
        std::string image = ProcessImage(pid);
        bool ended = EndProcess(pid);
        std::printf("ended %s (process %lu): %s\n", image.c_str(), pid, ended ? "gone" : "STILL RUNNING");
    }
}
