// The install procedure against a scripted machine: each row a script and the calls it must give.
#include <gtest/gtest.h>

#include <cstdint>

#include "ScriptedMachine.h"

namespace {

const std::string kNt4Programs = std::string(kWindows) + PROGRAMS_PATH_NT4;
const std::string kNtStartup = kNt4Programs + "\\StartUp";
const std::string kCommonCopy = CopyCall(0, kCommonStartup), kUserCopy = CopyCall(0, kUserStartup);
constexpr uint64_t kPlenty = 100000000, kFourGiB = 4294967296ull;
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
    return UpToPlatform() + Calls{"PathExists " + windows + PROGRAMS_PATH_NT4, "ShellFolder 24"};
}

Calls Clean() { return UpToCommonStartup() + Shortcut(kCommonStartup) + CopiedRows(1, 19) + SuccessOutcome() + kEnd; }

Calls ToUsersStartup() { return Calls{"ShellFolder 7"} + Shortcut(kUserStartup); }

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

// A machine without the NT 4.0 layout, as Windows is today.
CScriptedMachine Machine(std::map<std::string, int> failures = {}, std::deque<int> answers = {}) {
    CScriptedMachine machine;
    machine.failures = std::move(failures);
    machine.failures.emplace("PathExists " + kNt4Programs, 99);
    machine.answers = std::move(answers);
    return machine;
}

void Expect(const std::string& what, CScriptedMachine machine, const Calls& expected, uint64_t space = kPlenty) {
    CInstallProcedure(machine, space).Run();
    EXPECT_EQ(machine.calls, expected) << what;
}

}  // namespace

TEST(InstallProcedure, TheSpaceIsComparedAsItsFullFigure) {
    for (uint64_t space : {uint64_t(22000000), kFourGiB, kFourGiB + 21999999, UINT64_MAX}) {
        Expect(std::to_string(space), Machine(), Clean(), space);
    }
    for (uint64_t space : {uint64_t(21999999), uint64_t(0)}) {
        Expect(std::to_string(space), Machine(), RunStart() + SpaceWarning() + kEnd, space);
    }
}

TEST(InstallProcedure, TheShortcutGoesWhereThePlatformAndItsFoldersSay) {
    CScriptedMachine nt4, win95 = Machine(), winnt, noCommon = Machine();
    nt4.failures = {{CopyCall(0, kNtStartup), 1}};
    nt4.answers = {kAnswerAbort};
    win95.platformId = 1;
    winnt.windowsFolder = "D:\\WINNT";
    winnt.failures = {{"PathExists D:\\WINNT" + std::string(PROGRAMS_PATH_NT4), 1}};
    noCommon.shellFolders[kShellCommonStartup] = "";
    const Calls afterShortcut = CopiedRows(1, 19) + SuccessOutcome() + kEnd;
    Expect("the all-users folder the shell names", Machine(), Clean());
    Expect("NT 4.0 layout", CScriptedMachine(),
           UpToPlatform() + Calls{"PathExists " + kNt4Programs} + Shortcut(kNtStartup) + afterShortcut);
    Expect("NT 4.0 layout refused: no other folder", nt4,
           UpToPlatform() + Calls{"PathExists " + kNt4Programs} + Shortcut(kNtStartup, false) +
               ErrorRetryBox(kShortcutFailed) + kEnd);
    Expect("Windows 95 family", win95,
           UpToPlatform() + Shortcut(kWindows + std::string(STARTUP_PATH_95)) + afterShortcut);
    Expect("editor from the Windows folder", winnt,
           UpToCommonStartup("D:\\WINNT") + Shortcut(kCommonStartup) + CopiedRows(1, 19) + SuccessOutcome("D:\\WINNT") +
               kEnd);
    Expect("all-users refused", Machine({{kCommonCopy, 1}}),
           UpToCommonStartup() + Shortcut(kCommonStartup, false) + ToUsersStartup() + afterShortcut);
    Expect("no all-users folder", noCommon, UpToCommonStartup() + ToUsersStartup() + afterShortcut);
    const std::map<std::string, int> bothRefused = {{kCommonCopy, 1}, {kUserCopy, 1}};
    Expect("both refused, Abort", Machine(bothRefused, {kAnswerAbort}), BothStartupsRefused() + kEnd);
    Expect("both refused, Ignore", Machine(bothRefused, {kAnswerIgnore}),
           BothStartupsRefused() + CopiedRows(1, 19) + ErrorOutcome() + kEnd);
    Expect("both refused, Retry", Machine(bothRefused, {kAnswerRetry}), BothStartupsRefused() + kEnd + Clean());
    for (int platformId : {0, 3, -1}) {
        CScriptedMachine unknown = Machine();
        unknown.platformId = platformId;
        Expect(std::to_string(platformId), unknown, UpToPlatform() + ErrorBox(kWrongPlatform) + kEnd);
    }
}

TEST(InstallProcedure, AMissingInstallFolderEndsTheRunUnlessRetried) {
    const Calls missing = RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + kEnd;
    for (int answer : {kAnswerAbort, kAnswerIgnore}) {
        Expect(std::to_string(answer), Machine({{"PathExists C:\\QUORVANE", 1}}, {answer}), missing);
    }
    Expect("Retry", Machine({{"PathExists C:\\QUORVANE", 1}}, {kAnswerRetry}), missing + Clean());
}

TEST(InstallProcedure, AFailedCopyNamesTheFileAndGoesAsTheAnswerSays) {
    for (int row = 1; row < GetInstallItemCount(); ++row) {
        const std::map<std::string, int> missing = {{FileCopy(row), 1}};
        Expect(FileCopy(row) + ", Abort", Machine(missing, {kAnswerAbort}), FileFails(row) + kEnd);
        Expect(FileCopy(row) + ", Ignore", Machine(missing, {kAnswerIgnore}),
               FileFails(row) + CopiedRows(row + 1, 19) + ErrorOutcome() + kEnd);
        Expect(FileCopy(row) + ", Retry", Machine(missing, {kAnswerRetry}), FileFails(row) + kEnd + Clean());
    }
    Expect("three Ignored: one outcome",
           Machine({{FileCopy(1), 1}, {FileCopy(14), 1}, {FileCopy(18), 1}},
                   {kAnswerIgnore, kAnswerIgnore, kAnswerIgnore}),
           FileFails(1) + CopiedRows(2, 13) + Calls{FileCopy(14)} + ErrorRetryBox(FileFailed(14)) + CopiedRows(15, 17) +
               Calls{FileCopy(18)} + ErrorRetryBox(FileFailed(18)) + CopiedRows(19, 19) + ErrorOutcome() + kEnd);
    Expect("a failure after a Retry sets the new run's error flag",
           Machine({{FileCopy(3), 1}, {FileCopy(9), 2}}, {kAnswerRetry, kAnswerIgnore}),
           FileFails(3) + kEnd + FileFails(9) + CopiedRows(10, 19) + ErrorOutcome() + kEnd);
    Expect("five Retries, one run after another", Machine({{FileCopy(13), 5}}, std::deque<int>(5, kAnswerRetry)),
           Times(5, FileFails(13) + kEnd) + Clean());
    Expect("a box without a known answer ends the run", Machine({{FileCopy(7), 1}}, {0}), FileFails(7) + kEnd);
}

TEST(InstallProcedure, InstallPressedAgainAfterAnEarlyEndStartsFromTheTop) {
    CScriptedMachine machine = Machine({{kCommonCopy, 1}, {kUserCopy, 1}});
    CInstallProcedure procedure(machine, kPlenty);
    procedure.Run();
    procedure.Run();
    EXPECT_EQ(machine.calls, BothStartupsRefused() + kEnd + Clean());
}
