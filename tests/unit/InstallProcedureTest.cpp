// The install procedure against a scripted machine: each row a script and the calls it must give.
#include <gtest/gtest.h>

#include <cstdint>

#include "ScriptedMachine.h"

namespace {

const std::string kNt4Programs = std::string(kWindows) + "\\Profiles\\All Users\\Start Menu\\Programs";
const std::string kNtStartup = kNt4Programs + "\\StartUp";
constexpr uint64_t kPlenty = 100000000;
constexpr uint64_t kFourGiB = 4294967296ull;
const Calls kEnd = {"EndWaitCursor"};

Calls Times(int times, const Calls& calls) {
    Calls all;
    for (int i = 0; i < times; ++i) all = all + calls;
    return all;
}

// The shortcut's attempt in `folder`: the folder made, the copy, and its step when it succeeded.
Calls Shortcut(const std::string& folder, bool copied = true) {
    Calls calls{"CreateFolder " + folder, CopyCall(0, folder)};
    return copied ? calls + Calls{"StepIt"} : calls;
}

Calls UpToPlatform() { return RunStart() + InstallFolder() + Calls{"WindowsFolder", "PlatformId"}; }

// Up to asking the shell for the all-users StartUp folder, on NT without the NT 4.0 layout.
Calls UpToCommonStartup(const std::string& windows = kWindows) {
    return UpToPlatform() + Calls{"PathExists " + windows + "\\Profiles\\All Users\\Start Menu\\Programs",
                                  "ShellFolder 24"};
}

Calls Clean() { return UpToCommonStartup() + Shortcut(kCommonStartup) + CopiedRows(1, 19) + SuccessOutcome() + kEnd; }

Calls BothStartupsRefused() {
    return UpToCommonStartup() + Shortcut(kCommonStartup, false) + Calls{"ShellFolder 7"} +
           Shortcut(kUserStartup, false) + ErrorRetryBox(kShortcutFailed);
}

// Up to the failed copy of `row` and its box.
Calls FileFails(int row) {
    return UpToCommonStartup() + Shortcut(kCommonStartup) + CopiedRows(1, row - 1) +
           Calls{CopyCall(row, "C:\\QUORVANE")} + ErrorRetryBox(FileFailed(row));
}

std::string FileCopy(int row) { return CopyCall(row, "C:\\QUORVANE"); }

struct Script {
    std::string what;
    Calls expected;
    std::map<std::string, int> failures;
    std::deque<int> answers;
    uint64_t space = kPlenty;
    int platformId = 2;
    bool nt4Layout = false;
    std::string windows = kWindows;
};

Calls Install(const Script& script) {
    CScriptedMachine machine;
    machine.failures = script.failures;
    machine.answers = script.answers;
    machine.platformId = script.platformId;
    machine.windowsFolder = script.windows;
    if (!script.nt4Layout) machine.failures["PathExists " + script.windows + PROGRAMS_PATH_NT4] = 99;
    CInstallProcedure(machine, script.space).Run();
    return machine.calls;
}

}  // namespace

TEST(InstallProcedure, EachScriptGivesItsCalls) {
    const std::string common = CopyCall(0, kCommonStartup), user = CopyCall(0, kUserStartup);
    const std::string folder = "PathExists C:\\QUORVANE";
    std::vector<Script> scripts = {
        {"clean install: the all-users StartUp folder the shell names", Clean(), {}, {}},
        {"exactly the required space", Clean(), {}, {}, 22000000},
        {"4 GiB", Clean(), {}, {}, kFourGiB},
        {"4 GiB and a byte short", Clean(), {}, {}, kFourGiB + 21999999},
        {"the largest figure", Clean(), {}, {}, UINT64_MAX},
        {"a byte short", RunStart() + SpaceWarning() + kEnd, {}, {}, 21999999},
        {"no space", RunStart() + SpaceWarning() + kEnd, {}, {}, 0},
        {"NT 4.0 layout", UpToPlatform() + Calls{"PathExists " + kNt4Programs} + Shortcut(kNtStartup) +
             CopiedRows(1, 19) + SuccessOutcome() + kEnd, {}, {}, kPlenty, 2, true},
        {"NT 4.0 layout refused: no other folder", UpToPlatform() + Calls{"PathExists " + kNt4Programs} +
             Shortcut(kNtStartup, false) + ErrorRetryBox(kShortcutFailed) + kEnd,
         {{CopyCall(0, kNtStartup), 1}}, {kAnswerAbort}, kPlenty, 2, true},
        {"Windows 95 family", UpToPlatform() + Shortcut(std::string(kWindows) + "\\Start Menu\\Programs\\StartUp") +
             CopiedRows(1, 19) + SuccessOutcome() + kEnd, {}, {}, kPlenty, 1},
        {"the editor from the Windows folder", UpToCommonStartup("D:\\WINNT") + Shortcut(kCommonStartup) +
             CopiedRows(1, 19) + SuccessOutcome("D:\\WINNT") + kEnd, {}, {}, kPlenty, 2, false, "D:\\WINNT"},
        {"all-users refused, the user's written", UpToCommonStartup() + Shortcut(kCommonStartup, false) +
             Calls{"ShellFolder 7"} + Shortcut(kUserStartup) + CopiedRows(1, 19) + SuccessOutcome() + kEnd,
         {{common, 1}}, {}},
        {"both refused, Abort", BothStartupsRefused() + kEnd, {{common, 1}, {user, 1}}, {kAnswerAbort}},
        {"both refused, Ignore", BothStartupsRefused() + CopiedRows(1, 19) + ErrorOutcome() + kEnd,
         {{common, 1}, {user, 1}}, {kAnswerIgnore}},
        {"both refused, Retry", BothStartupsRefused() + kEnd + Clean(), {{common, 1}, {user, 1}}, {kAnswerRetry}},
        {"install folder missing, Abort", RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + kEnd,
         {{folder, 1}}, {kAnswerAbort}},
        {"install folder missing, Ignore", RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + kEnd,
         {{folder, 1}}, {kAnswerIgnore}},
        {"install folder missing, Retry",
         RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + kEnd + Clean(), {{folder, 1}}, {kAnswerRetry}},
        {"platform 0", UpToPlatform() + ErrorBox(kWrongPlatform) + kEnd, {}, {}, kPlenty, 0},
        {"platform 3", UpToPlatform() + ErrorBox(kWrongPlatform) + kEnd, {}, {}, kPlenty, 3},
        {"platform -1", UpToPlatform() + ErrorBox(kWrongPlatform) + kEnd, {}, {}, kPlenty, -1},
        {"three files missing, Ignore each: one outcome",
         FileFails(1) + CopiedRows(2, 13) + Calls{FileCopy(14)} + ErrorRetryBox(FileFailed(14)) +
             CopiedRows(15, 17) + Calls{FileCopy(18)} + ErrorRetryBox(FileFailed(18)) + CopiedRows(19, 19) +
             ErrorOutcome() + kEnd,
         {{FileCopy(1), 1}, {FileCopy(14), 1}, {FileCopy(18), 1}}, {kAnswerIgnore, kAnswerIgnore, kAnswerIgnore}},
        {"a failure after a Retry sets the new run's error flag",
         FileFails(3) + kEnd + FileFails(9) + CopiedRows(10, 19) + ErrorOutcome() + kEnd,
         {{FileCopy(3), 1}, {FileCopy(9), 2}}, {kAnswerRetry, kAnswerIgnore}},
        {"five Retries, one run after another", Times(5, FileFails(13) + kEnd) + Clean(), {{FileCopy(13), 5}},
         {kAnswerRetry, kAnswerRetry, kAnswerRetry, kAnswerRetry, kAnswerRetry}},
        {"a box without a known answer ends the run", FileFails(7) + kEnd, {{FileCopy(7), 1}}, {0}},
    };
    for (int row = 1; row < GetInstallItemCount(); ++row) {
        std::map<std::string, int> missing = {{FileCopy(row), 1}};
        std::string name = g_installItems[row].szFileName;
        scripts.push_back({name + " missing, Abort", FileFails(row) + kEnd, missing, {kAnswerAbort}});
        scripts.push_back({name + " missing, Ignore", FileFails(row) + CopiedRows(row + 1, 19) + ErrorOutcome() + kEnd,
                           missing, {kAnswerIgnore}});
        scripts.push_back({name + " missing, Retry", FileFails(row) + kEnd + Clean(), missing, {kAnswerRetry}});
    }
    for (const Script& script : scripts) {
        EXPECT_EQ(Install(script), script.expected) << script.what;
    }
}

TEST(InstallProcedure, InstallPressedAgainAfterAnEarlyEndStartsFromTheTop) {
    CScriptedMachine machine;
    machine.failures = {{"PathExists " + kNt4Programs, 99}, {CopyCall(0, kCommonStartup), 1}, {CopyCall(0, kUserStartup), 1}};
    CInstallProcedure procedure(machine, kPlenty);
    procedure.Run();
    procedure.Run();
    EXPECT_EQ(machine.calls, BothStartupsRefused() + kEnd + Clean());
}

TEST(InstallProcedure, WhenTheShellNamesNoAllUsersFolderTheUsersTakesTheShortcut) {
    CScriptedMachine machine;
    machine.failures = {{"PathExists " + kNt4Programs, 1}};
    machine.shellFolders[kShellCommonStartup] = "";
    CInstallProcedure(machine, kPlenty).Run();
    EXPECT_EQ(machine.calls, UpToCommonStartup() + Calls{"ShellFolder 7"} + Shortcut(kUserStartup) +
                                 CopiedRows(1, 19) + SuccessOutcome() + kEnd);
}
