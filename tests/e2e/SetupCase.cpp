// Setting up and restoring the prefix around an installer case, and driving the installer.
#include "SetupCase.h"

#include "DialogDriver.h"
#include "MessageBoxes.h"
#include "QuorvaneFiles.h"

namespace {

void RemoveFolderWithFiles(const std::string& folder) {
    for (const std::string& name : FilesIn(folder)) DeleteFileA((folder + "\\" + name).c_str());
    RemoveDirectoryA(folder.c_str());
}

}  // namespace

std::string BoxInOneLine(HWND box) {
    std::string icon = MessageBoxHasIcon(box) ? ", icon]" : "]";
    return WindowCaption(box) + ": " + MessageBoxText(box) + " [" + MessageBoxButtons(box) + icon;
}

void SetupCase::SetUp() {
    RemoveQuorvaneFolder();
    ASSERT_TRUE(ProcessesNamed(kEditor).empty() && ProcessesNamed(kWallpaperProgram).empty()) << "a program still runs";
    ASSERT_FALSE(FolderExists(Nt4StartupFolder(1))) << Nt4StartupFolder(1) << ": not the prefix wineboot makes";
}

// The installer makes the StartUp folder under a Programs folder that a case made.
void SetupCase::TearDown() {
    for (const char* exe : {kEditor, kWallpaperProgram}) {
        for (DWORD pid : ProcessesNamed(exe)) EndProcess(pid);
    }
    for (int csidl : {CSIDL_COMMON_STARTUP, CSIDL_STARTUP}) DeleteFileA((ShellFolder(csidl) + "\\QVshort.lnk").c_str());
    RemoveFolderWithFiles(Nt4StartupFolder());
    for (auto made = m_madeFolders.rbegin(); made != m_madeFolders.rend(); ++made) RemoveFolderWithFiles(*made);
    m_madeFolders.clear();
    RemoveQuorvaneFolder();
    EXPECT_FALSE(FolderExists(kInstallFolder) || FolderExists(Nt4StartupFolder(1))) << "the install is left behind";
}

HWND SetupCase::StartSetup(const std::string& folder) {
    m_setup = std::make_unique<ProgramProcess>(folder, "setup.exe");
    return m_window = WaitForWindow(m_setup->Id(), "Setup", 0, 15000);
}

void SetupCase::MakeFolder(const std::string& path) {
    size_t end = 2;  // the drive's backslash
    do {
        end = path.find('\\', end + 1);
        std::string level = path.substr(0, end);
        if (!FolderExists(level) && CreateDirectoryA(level.c_str(), nullptr)) m_madeFolders.push_back(level);
    } while (end != std::string::npos);
}
