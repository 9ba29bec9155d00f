// The installer end to end: a clean install from its window to the program started at log-on,
// the programs' manifests, and installs where the StartUp folders or a file are not as usual.
#include <set>
#include <tuple>

#include "DialogDriver.h"
#include "MessageBoxes.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SetupCase.h"
#include "ShellLink.h"
#include "SystemMenu.h"

// After windows.h, which SetupCase.h brings.
#include <commctrl.h>

namespace {

const DWORD kWaitMs = 15000;
const int kFileList = 1000, kInstall = 1001, kFolderBox = 1003, kProgress = 1004, kFreeSpace = 1005;
const int kRequiredSpace = 1006, kWallpaperList = 1002;
const char* const kProgram = "C:\\QUORVANE\\QUORVANE.EXE";
const std::string kSuccess =
    "SUCCESS: Installation is now complete. \nPlease read README.TXT before running Quorvane. [OK]";
const std::string kAsks = " [Abort Retry Ignore, icon]";

// The file list: each shipped file in manifest order with its description; the first goes to
// the StartUp folder, the others to C:\QUORVANE.
// clang-format off
const std::vector<std::string> kFileLines = {
    "QVshort.lnk  (ShortCut to Quorvane)", "Quorvane.EXE  (Main program)", "Quorvane.LST  (Image List)",
    "Add.aid  (Help File)", "Freq.aid  (Help File)", "More.aid  (Help File)", "Ovw.aid  (Help File)",
    "Pick.aid  (Help File)", "Preview.aid  (Help File)", "Rem.aid  (Help File)", "Setup.aid  (Help File)",
    "Welcome.aid  (Help File)", "MFC42.DLL  (System DLL File)", "Msvcrt.dll  (System DLL File)",
    "README.TXT  (Quick Information)", "Forest.BMP  (Sample Wallpaper)", "NightSky.BMP  (Sample Wallpaper)",
    "Rainbow.BMP  (Sample Wallpaper)", "Skull.BMP  (Sample Wallpaper)", "Ivy.BMP  (Sample Wallpaper)"};
// clang-format on

std::string FileName(int row) { return kFileLines[row].substr(0, kFileLines[row].find(' ')); }

// What C:\QUORVANE holds, sorted, once rows 1 to `last` were copied but `except`.
std::vector<std::string> Installed(int last, const std::string& except = "") {
    std::set<std::string> names;
    for (int row = 1; row <= last; ++row) names.insert(FileName(row));
    names.erase(except);
    return {names.begin(), names.end()};
}

// A box an install shows, in one line; the bar's position then; and the answer it gets.
using Box = std::tuple<std::string, int, int>;

class SetupTest : public SetupCase {
protected:
    // Presses Install and answers each box; after Abort the window waits for Exit. Then checks
    // what C:\QUORVANE holds and that the StartUp folder `startup` alone holds the shortcut.
    void Install(const std::vector<Box>& boxes, const std::vector<std::string>& installed, const std::string& startup) {
        // The picture buttons have no caption, Install's first; the template's own buttons are hidden.
        HWND button = FindWindowExA(m_window, nullptr, "Button", "");
        EXPECT_EQ(GetDlgCtrlID(button), kInstall) << "no Install picture button";
        PostMessageA(button, BM_CLICK, 0, 0);
        for (const auto& [line, bar, answer] : boxes) {
            HWND box = WaitForMessageBox(m_setup->Id(), line.substr(0, line.find(':')).c_str(), 30000);
            HWND other = box ? box : FindMessageBox(m_setup->Id());
            ASSERT_NE(box, nullptr) << "no box " << line << "; shown: " << (other ? BoxInOneLine(other) : "none");
            DWORD_PTR at = 0;
            SendMessageTimeoutA(GetDlgItem(m_window, kProgress), PBM_GETPOS, 0, 0, SMTO_ABORTIFHUNG, kWaitMs, &at);
            EXPECT_EQ(BoxInOneLine(box) + " at " + std::to_string(at), line + " at " + std::to_string(bar));
            EXPECT_EQ(ProcessesNamed(kEditor).size() + ProcessesNamed(kWallpaperProgram).size(), 0u) << "too early";
            AnswerMessageBox(box, answer);
            ASSERT_TRUE(WaitUntilDestroyed(box, kWaitMs)) << "the answer did not close the box";
        }
        if (std::get<2>(boxes.back()) == IDABORT) {
            EXPECT_TRUE(Settle(m_window) && IsWindowVisible(m_window)) << "the setup window closed";
            EXPECT_EQ(FindMessageBox(m_setup->Id()), nullptr) << "a box followed Abort";
            PostClick(m_window, IDCANCEL);
        }
        EXPECT_TRUE(m_setup->WaitForExit(kWaitMs)) << "the installer did not end";
        EXPECT_EQ(FilesIn(kInstallFolder), installed);
        for (const std::string& folder :
             {ShellFolder(CSIDL_COMMON_STARTUP), ShellFolder(CSIDL_STARTUP), Nt4StartupFolder()}) {
            EXPECT_EQ(FileExists(folder + "\\QVshort.lnk"), folder == startup) << folder;
        }
    }

    // One install with `folders` made first, outermost first; the prefix is as before afterwards.
    void InstallWith(const std::vector<std::string>& folders, const std::vector<Box>& boxes,
                     const std::vector<std::string>& installed, const std::string& startup) {
        SCOPED_TRACE(folders.back());
        for (const std::string& folder : folders) MakeFolder(folder);
        HWND window = StartSetup(DistFolder());
        EXPECT_NE(window, nullptr) << "no setup window";
        if (window) Install(boxes, installed, startup);
        TearDown();
        SetUp();
    }
};

}  // namespace

TEST_F(SetupTest, CleanInstallFromTheWindowToTheProgramStartedAtLogOn) {
    ASSERT_NE(StartSetup(DistFolder()), nullptr) << "no setup window";
    EXPECT_EQ(ListEntries(m_window, kFileList), kFileLines);
    HWND list = GetDlgItem(m_window, kFileList);
    LONG edges = (GetWindowLongA(list, GWL_STYLE) & WS_BORDER) | (GetWindowLongA(list, GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edges, 0) << "the file list has a border or a sunken edge";
    EXPECT_EQ(ControlText(m_window, kFolderBox), "C:\\QUORVANE");
    EXPECT_NE(GetWindowLongA(GetDlgItem(m_window, kFolderBox), GWL_STYLE) & ES_READONLY, 0) << "the folder is editable";
    std::vector<std::string> menu = SystemMenuItems(m_window);
    EXPECT_EQ(menu.size() < 2 ? "" : menu[menu.size() - 2] + ", " + menu.back(), "----, 16 &About setup...");
    PostMessageA(m_window, WM_SYSCOMMAND, 0x0010, 0);
    HWND about = WaitForWindow(m_setup->Id(), "About Setup", kFreeSpace, kWaitMs);
    ASSERT_NE(about, nullptr) << "no about box";
    ULARGE_INTEGER free{};
    GetDiskFreeSpaceExA("C:\\", &free, nullptr, nullptr);
    uint64_t shown = std::strtoull(ControlText(about, kFreeSpace).c_str() + 17, nullptr, 10);
    EXPECT_EQ(ControlText(about, kFreeSpace), "Available space: " + std::to_string(shown) + " Bytes");
    // Other programs write to the same disk meanwhile: the figure lies near this process's own.
    EXPECT_LT(std::max(shown, free.QuadPart) - std::min(shown, free.QuadPart), 64u << 20) << "here " << free.QuadPart;
    EXPECT_EQ(ControlText(about, kRequiredSpace), "Required space: 22000000 Bytes");
    PostClick(about, IDOK);
    EXPECT_TRUE(WaitUntilGone(about, kWaitMs) && IsWindowVisible(m_window)) << "OK did not close the about box alone";
    EXPECT_FALSE(FolderExists(kInstallFolder)) << "the window alone installed something";

    std::string shortcut = ShellFolder(CSIDL_COMMON_STARTUP) + "\\QVshort.lnk";
    ASSERT_NO_FATAL_FAILURE(Install({{kSuccess, 20, IDOK}}, Installed(19), ShellFolder(CSIDL_COMMON_STARTUP)));
    for (const std::string& name : Installed(19)) {
        EXPECT_TRUE(ReadBytes(std::string(kInstallFolder) + "\\" + name) == ReadBytes(DistFolder() + "\\" + name)) << name;
    }
    ShellLinkTarget target = ResolveShellLink(shortcut);
    EXPECT_EQ(target.path + " in " + target.workingFolder, std::string(kProgram) + " in C:\\QUORVANE")
        << target.failure;
    EXPECT_EQ(ProcessesNamed(kEditor).size(), 1u) << "text editors started";
    EXPECT_NE(WaitForWindow(kAnyProcess, "README.TXT - Notepad", 0, kWaitMs), nullptr) << "no editor on README.TXT";
    std::vector<std::string> samples;
    for (int row = 15; row < 20; ++row) samples.push_back("C:\\QUORVANE\\" + FileName(row));
    // The installer starts the program once; then at log-on the shell opens the shortcut.
    std::vector<DWORD> programs;
    for (bool logOn : {false, true}) {
        if (logOn) {
            EndProcess(programs[0]);
            ASSERT_GT(INT_PTR(ShellExecuteA(nullptr, "open", shortcut.c_str(), nullptr, nullptr, SW_SHOW)), 32);
        }
        WaitUntil([&] { return (programs = ProcessesNamed(kWallpaperProgram)).size() == 1; }, kWaitMs);
        ASSERT_EQ(programs.size(), 1u) << "wallpaper programs started, at log-on: " << logOn;
        EXPECT_STRCASEEQ(ProcessImage(programs[0]).c_str(), kProgram);
        HWND program = WaitForWindow(programs[0], "Quorvane", kWallpaperList, kWaitMs);
        ASSERT_NE(program, nullptr) << "the program shows no window, at log-on: " << logOn;
        EXPECT_EQ(ListEntries(program, kWallpaperList), samples);
    }
}

TEST(SetupManifest, BothProgramsRunAsTheirInvoker) {
    for (const char* program : {"setup.exe", "Quorvane.EXE"}) {
        HMODULE module = LoadLibraryExA((DistFolder() + "\\" + program).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
        HRSRC found = module ? FindResourceA(module, MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(24)) : nullptr;
        const char* bytes = found ? static_cast<const char*>(LockResource(LoadResource(module, found))) : "";
        std::string manifest(bytes, found ? SizeofResource(module, found) : 0);
        EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos) << program << ": " << manifest;
        if (module) FreeLibrary(module);
    }
}

// Folders made before Install: where the shortcut lands instead, or which copies they refuse.
TEST_F(SetupTest, WhereFoldersAreNotAsUsualTheInstallGoesAsTheAnswersSay) {
    const std::string common = ShellFolder(CSIDL_COMMON_STARTUP), user = ShellFolder(CSIDL_STARTUP);
    const std::string ivy = "ERROR: File Copy Failed! Ivy.BMP" + kAsks,
                      lst = "ERROR: File Copy Failed! Quorvane.LST" + kAsks;
    const std::string refused = "ERROR: Shortcut Copy Failed. File missing or, StartUp directory not found!" + kAsks;
    const std::string errors =
        "ERROR: There were errors. Installation was not successful.\nRead README.TXT file for "
        "possible causes and remedies. [OK, icon]";
    InstallWith({Nt4StartupFolder(4)}, {{kSuccess, 20, IDOK}}, Installed(19), Nt4StartupFolder());
    InstallWith({common + "\\QVshort.lnk"}, {{kSuccess, 20, IDOK}}, Installed(19), user);
    InstallWith({common + "\\QVshort.lnk", user + "\\QVshort.lnk"}, {{refused, 0, IDABORT}}, {}, "");
    InstallWith({"C:\\QUORVANE\\Ivy.BMP"}, {{ivy, 19, IDIGNORE}, {errors, 19, IDOK}}, Installed(19, "Ivy.BMP"), common);
    // A new run after Retry steps the bar on from where it stood.
    InstallWith({"C:\\QUORVANE\\Quorvane.LST"}, {{lst, 2, IDRETRY}, {lst, 4, IDABORT}}, Installed(1), common);
}
