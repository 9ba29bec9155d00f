// The base of every installer case, and what the cases share: where the installer lies, where it
// installs to, and driving its window.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "Wallpaper.h"

extern const char* const kInstallFolder;
// The StartUp folder shared by all users of an NT system, and the shortcut the installer puts there.
std::string StartupFolder();
std::string InstalledShortcut();

// The setup window "Setup" of process `pid` once it shows, or nullptr after a bounded wait.
HWND WaitForSetupWindow(DWORD pid);
// A click on the Install picture button, posted: the install runs while the case goes on.
void PressInstall(HWND setup);
// The progress bar's position, or -1 when the window does not answer.
int ProgressPosition(HWND setup);

// Before a case C:\QUORVANE and the shortcut are gone and the StartUp folder's parents exist;
// afterwards the programs the installer started are ended and the prefix is as it was.
class SetupCase : public testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // A copy of the installer's folder without the file `missing`, in a folder of its own that
    // the case removes again; the installer finds its files in the folder it is run from.
    std::string InstallerCopyWithout(const std::string& missing);

    // The processes named `exeName` that were not running when the case began.
    std::vector<DWORD> NewProcesses(const std::string& exeName) const;
    // Ends them, saying which it ended.
    void EndNewProcesses(const std::string& exeName);

private:
    std::set<DWORD> m_runningBefore;
    // The folders from the Windows folder down to StartUp that the case or the installer made.
    std::vector<std::string> m_madeFolders;
    std::string m_copyFolder;
    KeptDesktopWallpaper m_keptWallpaper;
};
