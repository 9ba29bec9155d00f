// The installer end to end: its window, a clean install, installs that meet a missing file, and
// the installed program at work.
#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "MessageBoxes.h"
#include "ProgramProcess.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"
#include "SetupCase.h"
#include "ShellLink.h"
#include "SystemMenu.h"

namespace {

const DWORD kInstallMs = 30000;  // from Install to the first box
const DWORD kBoxMs = 10000;
const DWORD kEndMs = 15000;  // from the last answer to the installer's end
const DWORD kWindowMs = 15000;
const DWORD kRotationMs = 15000;

const int kFileList = 1000;
const int kInstallFolderBox = 1003;
const int kFreeSpace = 1005;
const int kRequiredSpace = 1006;
const UINT kAboutCommand = 0x0010;

// The files the installer ships, with the descriptions its window shows; the first goes to the
// StartUp folder, the others to C:\QUORVANE.
const char* const kManifest[][2] = {
    {"QVshort.lnk", "ShortCut to Quorvane"},
    {"Quorvane.EXE", "Main program"},
    {"Quorvane.LST", "Image List"},
    {"Add.aid", "Help File"},
    {"Freq.aid", "Help File"},
    {"More.aid", "Help File"},
    {"Ovw.aid", "Help File"},
    {"Pick.aid", "Help File"},
    {"Preview.aid", "Help File"},
    {"Rem.aid", "Help File"},
    {"Setup.aid", "Help File"},
    {"Welcome.aid", "Help File"},
    {"MFC42.DLL", "System DLL File"},
    {"Msvcrt.dll", "System DLL File"},
    {"README.TXT", "Quick Information"},
    {"Forest.BMP", "Sample Wallpaper"},
    {"NightSky.BMP", "Sample Wallpaper"},
    {"Rainbow.BMP", "Sample Wallpaper"},
    {"Skull.BMP", "Sample Wallpaper"},
    {"Ivy.BMP", "Sample Wallpaper"},
};
const int kManifestRows = 20;
const char* const kSamples[] = {"Forest.BMP", "NightSky.BMP", "Rainbow.BMP", "Skull.BMP", "Ivy.BMP"};

const char* const kSuccessText = "Installation is now complete. \nPlease read README.TXT before running Quorvane.";
const char* const kErrorsText =
    "There were errors. Installation was not successful.\nRead README.TXT file for possible causes and remedies.";
const char* const kShortcutFailedText = "Shortcut Copy Failed. File missing or, StartUp directory not found!";
const char* const kInstalledProgram = "C:\\QUORVANE\\QUORVANE.EXE";

// The names of C:\QUORVANE's files after an install, sorted as FilesIn sorts them.
std::vector<std::string> InstalledNames(const std::string& except = "") {
    std::vector<std::string> names;
    for (int row = 1; row < kManifestRows; ++row) {
        if (except != kManifest[row][0]) names.push_back(kManifest[row][0]);
    }
    std::sort(names.begin(), names.end());
    return names;
}

std::string Joined(const std::vector<std::string>& names) {
    std::string text;
    for (const std::string& name : names) text += (text.empty() ? "" : ", ") + name;
    return text;
}

std::string Printable(const std::string& text) {
    std::string printable;
    for (char c : text) printable += c == '\n' ? std::string("\\n") : std::string(1, c);
    return printable;
}

void PrintBox(const char* what, HWND box) {
    std::printf("%s: \"%s\" saying \"%s\", buttons %s, %s\n", what, WindowCaption(box).c_str(),
                Printable(MessageBoxText(box)).c_str(), MessageBoxButtons(box).c_str(),
                MessageBoxHasIcon(box) ? "with icon" : "no icon");
}

// What the installer shows instead of the box a case waits for.
void ReportOtherWindows(DWORD pid) {
    for (HWND window : VisibleWindows(pid)) {
        std::printf("  the installer shows \"%s\" saying \"%s\"\n", WindowCaption(window).c_str(),
                    Printable(MessageBoxText(window)).c_str());
    }
}

uint64_t FreeSpaceOfC() {
    ULARGE_INTEGER available{}, total{}, free{};
    GetDiskFreeSpaceExA("C:\\", &available, &total, &free);
    return available.QuadPart;
}

bool SamePath(const std::string& a, const std::string& b) { return lstrcmpiA(a.c_str(), b.c_str()) == 0; }

class SetupWindowTest : public SetupCase {};
class SetupInstallTest : public SetupCase {
protected:
    // Runs the installer from its folder through a clean install: Install, then OK on "SUCCESS";
    // it has ended when this returns, and the programs it started run.
    void InstallCleanly() {
        ProgramProcess setup(DistFolder(), "setup.exe");
        HWND window = WaitForSetupWindow(setup.Id());
        ASSERT_NE(window, nullptr) << "no setup window";
        PressInstall(window);
        HWND success = WaitForMessageBox(setup.Id(), "SUCCESS", kInstallMs);
        if (!success) ReportOtherWindows(setup.Id());
        ASSERT_NE(success, nullptr) << "no SUCCESS box";
        AnswerMessageBox(success, IDOK);
        ASSERT_TRUE(setup.WaitForExit(kEndMs)) << "the installer did not end after SUCCESS";
    }
};
class SetupFailureTest : public SetupCase {};

}  // namespace

TEST_F(SetupWindowTest, FileListShowsEveryManifestRowInOrder) {
    ProgramProcess setup(DistFolder(), "setup.exe");
    HWND window = WaitForSetupWindow(setup.Id());
    ASSERT_NE(window, nullptr);

    std::vector<std::string> expected;
    for (const auto& row : kManifest) expected.push_back(std::string(row[0]) + "  (" + row[1] + ")");
    std::vector<std::string> lines = ListEntries(window, kFileList);
    std::printf("file list, %zu lines:\n", lines.size());
    for (const std::string& line : lines) std::printf("  [%s]\n", line.c_str());
    EXPECT_EQ(lines, expected);

    std::string folder = ControlText(window, kInstallFolderBox);
    LONG style = GetWindowLongA(GetDlgItem(window, kInstallFolderBox), GWL_STYLE);
    std::printf("folder box: [%s], %s\n", folder.c_str(), (style & ES_READONLY) ? "read-only" : "editable");
    EXPECT_EQ(folder, "C:\\QUORVANE");
    EXPECT_TRUE(style & ES_READONLY);

    PostClick(window, IDCANCEL);
    EXPECT_TRUE(setup.WaitForExit(kEndMs)) << "Exit did not end the installer";
    EXPECT_FALSE(FolderExists(kInstallFolder)) << "the window alone installed something";
}

TEST_F(SetupWindowTest, AboutBoxShowsTheFreeAndTheRequiredSpace) {
    ProgramProcess setup(DistFolder(), "setup.exe");
    HWND window = WaitForSetupWindow(setup.Id());
    ASSERT_NE(window, nullptr);

    std::vector<std::string> menu = SystemMenuItems(window);
    std::printf("system menu: %s\n", Joined(menu).c_str());
    ASSERT_GE(menu.size(), 2u);
    EXPECT_EQ(menu[menu.size() - 2], "----");
    EXPECT_EQ(menu.back(), "16 &About setup...");

    uint64_t before = FreeSpaceOfC();
    PostMessageA(window, WM_SYSCOMMAND, kAboutCommand, 0);
    HWND about = WaitForWindow(setup.Id(), "About Setup", kFreeSpace, kBoxMs);
    ASSERT_NE(about, nullptr) << "no about box";
    std::string freeLine = ControlText(about, kFreeSpace);
    std::string requiredLine = ControlText(about, kRequiredSpace);
    uint64_t after = FreeSpaceOfC();
    std::printf("about box: [%s] [%s]; free space here before %" PRIu64 ", after %" PRIu64 "\n", freeLine.c_str(),
                requiredLine.c_str(), before, after);

    uint64_t shown = 0;
    std::sscanf(freeLine.c_str(), "Available space: %" SCNu64, &shown);
    EXPECT_EQ(freeLine, "Available space: " + std::to_string(shown) + " Bytes");
    // Other programs write to the same disk meanwhile: the figure lies near this process's own.
    const uint64_t kSlack = 64ull << 20;
    uint64_t low = std::min(before, after), high = std::max(before, after);
    EXPECT_GE(shown + kSlack, low) << "shown " << shown;
    EXPECT_LE(shown, high + kSlack) << "shown " << shown;
    std::printf("the free space is %s 4 GiB\n", shown > 0xFFFFFFFFull ? "above" : "below");
    EXPECT_EQ(requiredLine, "Required space: 22000000 Bytes");

    PostClick(about, IDOK);
    EXPECT_TRUE(WaitUntilGone(about, kBoxMs)) << "OK did not close the about box";
    EXPECT_TRUE(IsWindowVisible(window)) << "the setup window went with the about box";
    PostClick(window, IDCANCEL);
    EXPECT_TRUE(setup.WaitForExit(kEndMs)) << "Exit did not end the installer";
}

TEST_F(SetupInstallTest, CleanInstallFillsTheBarSaysSuccessStartsBothProgramsAndCloses) {
    ProgramProcess setup(DistFolder(), "setup.exe");
    HWND window = WaitForSetupWindow(setup.Id());
    ASSERT_NE(window, nullptr);
    std::printf("bar before Install: %d\n", ProgressPosition(window));

    PressInstall(window);
    HWND success = WaitForMessageBox(setup.Id(), "SUCCESS", kInstallMs);
    if (!success) ReportOtherWindows(setup.Id());
    ASSERT_NE(success, nullptr) << "no SUCCESS box";
    PrintBox("outcome", success);
    EXPECT_EQ(MessageBoxText(success), kSuccessText);
    EXPECT_EQ(MessageBoxButtons(success), "OK");
    EXPECT_FALSE(MessageBoxHasIcon(success));
    int bar = ProgressPosition(window);
    std::printf("bar at SUCCESS: %d\n", bar);
    EXPECT_EQ(bar, kManifestRows);
    std::printf("started before the answer: %zu notepad, %zu Quorvane\n", NewProcesses("notepad.exe").size(),
                NewProcesses("Quorvane.EXE").size());
    EXPECT_TRUE(NewProcesses("notepad.exe").empty() && NewProcesses("Quorvane.EXE").empty())
        << "a program started before SUCCESS was answered";

    AnswerMessageBox(success, IDOK);
    bool ended = setup.WaitForExit(kEndMs);
    std::printf("installer %s; its window %s\n", ended ? "ended" : "STILL RUNNING",
                IsWindow(window) ? "still exists" : "is gone");
    EXPECT_TRUE(ended);
    EXPECT_FALSE(IsWindow(window));

    // The editor on the read-me.
    std::vector<DWORD> editors = NewProcesses("notepad.exe");
    ASSERT_EQ(editors.size(), 1u) << "text editors started";
    HWND editor = nullptr;
    WaitUntil(
        [&] {
            for (HWND shown : VisibleWindows(editors[0])) {
                if (WindowCaption(shown).find("README.TXT") != std::string::npos) editor = shown;
            }
            return editor != nullptr;
        },
        kWindowMs);
    std::printf("editor %s: window \"%s\"\n", ProcessImage(editors[0]).c_str(),
                editor ? WindowCaption(editor).c_str() : "<none with README.TXT>");
    EXPECT_NE(editor, nullptr) << "the editor shows no README.TXT";

    // The installed wallpaper program, on the shipped list.
    std::vector<DWORD> programs = NewProcesses("Quorvane.EXE");
    ASSERT_EQ(programs.size(), 1u) << "wallpaper programs started";
    std::string image = ProcessImage(programs[0]);
    HWND program = WaitForWindow(programs[0], "Quorvane", kWallpaperList, kWindowMs);
    std::printf("wallpaper program %s: %s\n", image.c_str(), program ? "window \"Quorvane\"" : "NO WINDOW");
    EXPECT_TRUE(SamePath(image, kInstalledProgram)) << image;
    ASSERT_NE(program, nullptr);
    std::vector<std::string> list = ListEntries(program, kWallpaperList);
    std::printf("its list: %s\n", Joined(list).c_str());
    std::vector<std::string> samples;
    for (const char* sample : kSamples) samples.push_back(std::string("C:\\QUORVANE\\") + sample);
    EXPECT_EQ(list, samples);
}

TEST_F(SetupInstallTest, CleanInstallCopiesEveryFileByteForByte) {
    ASSERT_NO_FATAL_FAILURE(InstallCleanly());

    std::vector<std::string> installed = FilesIn(kInstallFolder);
    std::printf("%s holds %zu files: %s\n", kInstallFolder, installed.size(), Joined(installed).c_str());
    EXPECT_EQ(installed, InstalledNames());
    for (int row = 1; row < kManifestRows; ++row) {
        std::string name = kManifest[row][0];
        std::string copy = ReadBytes(std::string(kInstallFolder) + "\\" + name);
        std::string source = ReadBytes(DistFolder() + "\\" + name);
        std::printf("  %-13s %8zu bytes, source %8zu bytes, %s\n", name.c_str(), copy.size(), source.size(),
                    copy == source ? "identical" : "DIFFERENT");
        EXPECT_TRUE(!source.empty() && copy == source) << name;
    }

    std::vector<std::string> startup = FilesIn(StartupFolder());
    std::string shortcut = ReadBytes(InstalledShortcut());
    std::string source = ReadBytes(DistFolder() + "\\QVshort.lnk");
    std::printf("%s holds: %s; the shortcut has %zu bytes, source %zu bytes, %s\n", StartupFolder().c_str(),
                Joined(startup).c_str(), shortcut.size(), source.size(),
                shortcut == source ? "identical" : "DIFFERENT");
    EXPECT_EQ(startup, std::vector<std::string>{"QVshort.lnk"});
    EXPECT_TRUE(!source.empty() && shortcut == source);
}

TEST_F(SetupInstallTest, InstalledShortcutLeadsToTheProgramInItsFolder) {
    ASSERT_NO_FATAL_FAILURE(InstallCleanly());

    ShellLinkTarget target = ResolveShellLink(InstalledShortcut());
    std::printf("%s: %s, target [%s], working folder [%s]\n", InstalledShortcut().c_str(),
                target.loaded ? "loaded" : target.failure.c_str(), target.path.c_str(), target.workingFolder.c_str());
    ASSERT_TRUE(target.loaded) << target.failure;
    EXPECT_EQ(target.path, kInstalledProgram);
    EXPECT_EQ(target.workingFolder, "C:\\QUORVANE");
    EXPECT_TRUE(FileExists(target.path)) << "the shortcut's target is not there";
}

TEST_F(SetupInstallTest, InstalledProgramRotatesTheSamplesInListOrder) {
    ASSERT_NO_FATAL_FAILURE(InstallCleanly());
    EndNewProcesses("notepad.exe");
    EndNewProcesses("Quorvane.EXE");

    Settings settings;
    settings.frequencyMode = 0;
    settings.minutes = 0.01f;
    WriteBytes(kSettingsFile, SettingsRecord(settings));
    const std::string kMarker = "<before the rotation>";
    SetDesktopWallpaper(kMarker);

    ProgramProcess program(kInstallFolder, "QUORVANE.EXE");
    HWND window = WaitForWindow(program.Id(), "Quorvane", kWallpaperList, kWindowMs);
    ASSERT_NE(window, nullptr) << "the installed program shows no window";

    // Every 0.6 s the next sample, and after the last the first again.
    std::vector<std::string> expected;
    for (const char* sample : kSamples) expected.push_back(std::string("C:\\QUORVANE\\") + sample);
    expected.push_back(expected.front());
    std::vector<std::string> seen;
    DWORD start = GetTickCount();
    std::string last = kMarker;
    WaitUntil(
        [&] {
            std::string value = DesktopWallpaper();
            if (value != last) {
                std::printf("  %5lu ms: %s\n", GetTickCount() - start, value.c_str());
                seen.push_back(value);
                last = value;
            }
            return seen.size() >= expected.size();
        },
        kRotationMs);
    EXPECT_EQ(seen, expected);
}

TEST_F(SetupFailureTest, IgnoringAMissingSampleEndsInTheErrorOutcomeWithoutStartingAnything) {
    std::string source = InstallerCopyWithout("Ivy.BMP");
    ProgramProcess setup(source, "setup.exe");
    HWND window = WaitForSetupWindow(setup.Id());
    ASSERT_NE(window, nullptr);

    PressInstall(window);
    HWND failure = WaitForMessageBox(setup.Id(), "ERROR", kInstallMs);
    if (!failure) ReportOtherWindows(setup.Id());
    ASSERT_NE(failure, nullptr) << "no ERROR box";
    PrintBox("copy failure", failure);
    EXPECT_EQ(MessageBoxText(failure), "File Copy Failed! Ivy.BMP");
    EXPECT_EQ(MessageBoxButtons(failure), "Abort Retry Ignore");
    EXPECT_TRUE(MessageBoxHasIcon(failure));
    int bar = ProgressPosition(window);
    std::printf("bar at the failure: %d\n", bar);
    EXPECT_EQ(bar, kManifestRows - 1);

    AnswerMessageBox(failure, IDIGNORE);
    ASSERT_TRUE(WaitUntilGone(failure, kBoxMs)) << "Ignore did not close the box";
    HWND outcome = WaitForMessageBox(setup.Id(), "ERROR", kBoxMs);
    if (!outcome) ReportOtherWindows(setup.Id());
    ASSERT_NE(outcome, nullptr) << "no outcome box";
    PrintBox("outcome", outcome);
    EXPECT_EQ(MessageBoxText(outcome), kErrorsText);
    EXPECT_EQ(MessageBoxButtons(outcome), "OK");
    EXPECT_TRUE(MessageBoxHasIcon(outcome));
    std::printf("bar at the outcome: %d\n", ProgressPosition(window));

    AnswerMessageBox(outcome, IDOK);
    bool ended = setup.WaitForExit(kEndMs);
    std::printf("installer %s\n", ended ? "ended" : "STILL RUNNING");
    EXPECT_TRUE(ended);
    // Both programs would have been started before the window closed.
    size_t editors = NewProcesses("notepad.exe").size(), programs = NewProcesses("Quorvane.EXE").size();
    std::printf("started: %zu notepad, %zu Quorvane\n", editors, programs);
    EXPECT_EQ(editors, 0u);
    EXPECT_EQ(programs, 0u);

    std::vector<std::string> installed = FilesIn(kInstallFolder);
    std::printf("%s holds %zu files: %s; shortcut %s\n", kInstallFolder, installed.size(), Joined(installed).c_str(),
                FileExists(InstalledShortcut()) ? "installed" : "missing");
    EXPECT_EQ(installed, InstalledNames("Ivy.BMP"));
    EXPECT_TRUE(FileExists(InstalledShortcut()));
}

TEST_F(SetupFailureTest, AbortOnAMissingShortcutCopiesNothingAndLeavesTheWindowOpen) {
    std::string source = InstallerCopyWithout("QVshort.lnk");
    ProgramProcess setup(source, "setup.exe");
    HWND window = WaitForSetupWindow(setup.Id());
    ASSERT_NE(window, nullptr);

    PressInstall(window);
    HWND failure = WaitForMessageBox(setup.Id(), "ERROR", kInstallMs);
    if (!failure) ReportOtherWindows(setup.Id());
    ASSERT_NE(failure, nullptr) << "no ERROR box";
    PrintBox("shortcut failure", failure);
    EXPECT_EQ(MessageBoxText(failure), kShortcutFailedText);
    EXPECT_EQ(MessageBoxButtons(failure), "Abort Retry Ignore");
    EXPECT_TRUE(MessageBoxHasIcon(failure));

    AnswerMessageBox(failure, IDABORT);
    // Once the box is destroyed the install has gone on; once the window answers again it
    // waits for its user, with a new box if the install went on to one.
    ASSERT_TRUE(WaitUntilDestroyed(failure, kBoxMs)) << "Abort did not close the box";
    EXPECT_TRUE(Settle(window));
    HWND other = FindMessageBox(setup.Id());
    if (other) PrintBox("after Abort", other);
    EXPECT_EQ(other, nullptr) << "a box followed Abort";
    bool open = setup.Running() && IsWindowVisible(window);
    int bar = ProgressPosition(window);
    std::vector<std::string> installed = FilesIn(kInstallFolder);
    std::printf("after Abort: setup window %s, bar %d, %s %s with %zu files, shortcut %s\n", open ? "open" : "GONE",
                bar, kInstallFolder, FolderExists(kInstallFolder) ? "exists" : "missing", installed.size(),
                FileExists(InstalledShortcut()) ? "INSTALLED" : "missing");
    EXPECT_TRUE(open);
    EXPECT_EQ(bar, 0);
    EXPECT_EQ(installed, std::vector<std::string>{});
    EXPECT_FALSE(FileExists(InstalledShortcut()));
    EXPECT_TRUE(NewProcesses("notepad.exe").empty() && NewProcesses("Quorvane.EXE").empty());

    PostClick(window, IDCANCEL);
    EXPECT_TRUE(setup.WaitForExit(kEndMs)) << "Exit did not end the installer";
}
