// The install procedure, driven through a scripted platform that records every call in order.
#include "InstallProcedure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

namespace {

using Calls = std::vector<std::string>;

constexpr int kAnswerOk = 1;

constexpr char kNotEnoughSpace[] =
    "WARNING! You do not have enough space to fit the program on your C: drive. If possible, delete some "
    "files from C: drive and try again.";
constexpr char kFolderFailed[] = "Destination directory could not be created.";
constexpr char kWrongPlatform[] = "You must have Windows 95 or Windows NT 4.0 or newer to continue.";
constexpr char kShortcutFailed[] = "Shortcut Copy Failed. File missing or, StartUp directory not found!";
constexpr char kErrorsOutcome[] =
    "There were errors. Installation was not successful.\nRead README.TXT file for possible causes and remedies.";
constexpr char kSuccess[] = "Installation is now complete. \nPlease read README.TXT before running Quorvane.";

constexpr char kWindowsFolder[] = "C:\\WINDOWS";
constexpr char kStartupNT[] = "C:\\WINDOWS\\Profiles\\All Users\\Start Menu\\Programs\\StartUp";
constexpr char kStartup95[] = "C:\\WINDOWS\\Start Menu\\Programs\\StartUp";

// Plays the machine and the user from a script, and writes down every call.
class CScriptedPlatform : public CInstallPlatform {
public:
    // The script.
    std::string windowsFolder = kWindowsFolder;
    int platformId = 2;
    std::deque<bool> folderExists;             // PathExists answers in turn; then true
    std::map<std::string, int> failingCopies;  // source name: how many of its next copies fail
    std::deque<int> answers;                   // the user's answers to the boxes that ask, in turn

    // The record.
    Calls calls;

    void BeginWaitCursor() override { calls.push_back("BeginWaitCursor"); }
    void EndWaitCursor() override { calls.push_back("EndWaitCursor"); }
    void SetProgressRange(int lower, int upper) override {
        calls.push_back("SetProgressRange " + std::to_string(lower) + " " + std::to_string(upper));
    }
    void SetProgressStep(int step) override { calls.push_back("SetProgressStep " + std::to_string(step)); }
    void StepProgress() override { calls.push_back("StepProgress"); }
    void CreateFolder(const std::string& path) override { calls.push_back("CreateFolder " + path); }
    bool PathExists(const std::string& path) override {
        calls.push_back("PathExists " + path);
        if (folderExists.empty()) return true;
        bool exists = folderExists.front();
        folderExists.pop_front();
        return exists;
    }
    std::string WindowsFolder() override {
        calls.push_back("WindowsFolder");
        return windowsFolder;
    }
    int PlatformId() override {
        calls.push_back("PlatformId");
        return platformId;
    }
    bool CopyFileReplacing(const std::string& source, const std::string& destination) override {
        calls.push_back("Copy " + source + " -> " + destination);
        int& failures = failingCopies[source];
        if (failures == 0) return true;
        --failures;
        return false;
    }
    int ShowMessageBox(const std::string& text, const char* caption, unsigned type) override {
        calls.push_back(Box(caption ? caption : "<application>", type, text));
        if (type == kBoxOk || type == (kBoxOk | kBoxIconStop)) return kAnswerOk;
        if (answers.empty()) {
            ADD_FAILURE() << "no answer scripted for: " << text;
            return kAnswerAbort;
        }
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    void FlashCaption() override { calls.push_back("FlashCaption"); }
    void Wait(unsigned milliseconds) override { calls.push_back("Wait " + std::to_string(milliseconds)); }
    void Launch(const std::string& commandLine) override { calls.push_back("Launch " + commandLine); }
    void CloseSetupWindow() override { calls.push_back("CloseSetupWindow"); }

    static std::string Box(const std::string& caption, unsigned type, const std::string& text) {
        return "Box [" + caption + "] type " + std::to_string(type) + ": " + text;
    }

    int Count(const std::string& call) const { return int(std::count(calls.begin(), calls.end(), call)); }
};

Calls operator+(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

// The expected calls, a piece of a run at a time.

Calls RunStart() {
    return {"BeginWaitCursor", "SetProgressRange 0 20", "SetProgressStep 1"};
}

Calls RunEnd() {
    return {"EndWaitCursor"};
}

Calls InstallFolder() {
    return {"CreateFolder C:\\QUORVANE", "PathExists C:\\QUORVANE"};
}

Calls StartupFolder(const std::string& startup = kStartupNT) {
    return {"WindowsFolder", "PlatformId", "CreateFolder " + startup};
}

Calls Flashes() {
    return {"FlashCaption", "Wait 150", "FlashCaption", "Wait 300"};
}

Calls ErrorRetryBox(const std::string& text) {
    return Flashes() + Calls{CScriptedPlatform::Box("ERROR", 0x12, text)};
}

Calls ErrorBox(const std::string& text) {
    return Flashes() + Calls{CScriptedPlatform::Box("ERROR", 0x10, text)};
}

std::string Destination(int row, const std::string& startup = kStartupNT) {
    const char* name = g_installItems[row].szFileName;
    return std::string(row == 0 ? startup : "C:\\QUORVANE") + "\\" + name;
}

Calls CopyAttempt(int row, const std::string& startup = kStartupNT) {
    return {std::string("Copy ") + g_installItems[row].szFileName + " -> " + Destination(row, startup)};
}

Calls Copied(int row, const std::string& startup = kStartupNT) {
    return CopyAttempt(row, startup) + Calls{"StepProgress"};
}

// Rows first to last, each copied.
Calls CopiedRows(int first, int last, const std::string& startup = kStartupNT) {
    Calls calls;
    for (int row = first; row <= last; ++row) calls = calls + Copied(row, startup);
    return calls;
}

Calls SuccessOutcome(const std::string& windowsFolder = kWindowsFolder) {
    return {CScriptedPlatform::Box("SUCCESS", 0x00, kSuccess),
            "Launch \"" + windowsFolder + "\\notepad.exe\" C:\\QUORVANE\\README.TXT",
            "Wait 1000",
            "Launch C:\\QUORVANE\\QUORVANE.EXE",
            "CloseSetupWindow"};
}

Calls ErrorOutcome() {
    return ErrorBox(kErrorsOutcome) + Calls{"CloseSetupWindow"};
}

Calls CleanRun(const std::string& startup = kStartupNT) {
    return RunStart() + InstallFolder() + StartupFolder(startup) + CopiedRows(0, 19, startup) + SuccessOutcome() +
           RunEnd();
}

std::string FileFailed(int row) {
    return std::string("File Copy Failed! ") + g_installItems[row].szFileName;
}

Calls Install(CScriptedPlatform& platform, uint64_t availableSpace = 100000000) {
    CInstallProcedure(platform, availableSpace).Run();
    return platform.calls;
}

}  // namespace

TEST(InstallProcedure, CleanInstallOnNtCopiesEverythingReportsSuccessLaunchesAndCloses) {
    CScriptedPlatform platform;
    EXPECT_EQ(Install(platform), CleanRun());
    EXPECT_EQ(platform.Count("StepProgress"), 20);
}

TEST(InstallProcedure, CleanInstallOnTheWindows95FamilyUsesItsStartupFolder) {
    CScriptedPlatform platform;
    platform.platformId = 1;
    EXPECT_EQ(Install(platform), CleanRun(kStartup95));
}

TEST(InstallProcedure, StartsTheEditorFromTheWindowsFolderAndTheProgramASecondLater) {
    CScriptedPlatform platform;
    platform.windowsFolder = "D:\\WINNT";
    std::string startup = "D:\\WINNT\\Profiles\\All Users\\Start Menu\\Programs\\StartUp";
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder(startup) +
                                     CopiedRows(0, 19, startup) + SuccessOutcome("D:\\WINNT") + RunEnd());
}

TEST(InstallProcedure, EditorCommandNamesTheEditorByItsFullPath) {
    EXPECT_EQ(EditorCommand("C:\\WINDOWS"), "\"C:\\WINDOWS\\notepad.exe\" C:\\QUORVANE\\README.TXT");
}

TEST(InstallProcedure, ExactlyTheRequiredSpacePasses) {
    CScriptedPlatform platform;
    EXPECT_EQ(Install(platform, 22000000), CleanRun());
}

TEST(InstallProcedure, OneByteLessWarnsAndTouchesNothing) {
    CScriptedPlatform platform;
    EXPECT_EQ(Install(platform, 21999999),
              RunStart() + Calls{CScriptedPlatform::Box("<application>", 0x00, kNotEnoughSpace)} + RunEnd());
}

TEST(InstallProcedure, NoMeasuredSpaceWarns) {
    CScriptedPlatform platform;
    EXPECT_EQ(Install(platform, 0),
              RunStart() + Calls{CScriptedPlatform::Box("<application>", 0x00, kNotEnoughSpace)} + RunEnd());
}

TEST(InstallProcedure, SpaceAboveFourGibibytesIsComparedAsItsFullValue) {
    const uint64_t fourGiB = 4294967296ull;
    for (uint64_t space : {fourGiB, fourGiB + 21999999, fourGiB * 1024, UINT64_MAX}) {
        CScriptedPlatform platform;
        EXPECT_EQ(Install(platform, space), CleanRun()) << space;
    }
}

TEST(InstallProcedure, AnInstallFolderThatExistsGivesNoMessage) {
    CScriptedPlatform platform;
    platform.folderExists = {true};
    EXPECT_EQ(Install(platform), CleanRun());
}

TEST(InstallProcedure, MissingInstallFolderWithAbortOrIgnoreEndsTheRun) {
    for (int answer : {kAnswerAbort, kAnswerIgnore}) {
        CScriptedPlatform platform;
        platform.folderExists = {false};
        platform.answers = {answer};
        EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + RunEnd())
            << "answer " << answer;
    }
}

TEST(InstallProcedure, MissingInstallFolderWithRetryStartsAgainFromTheTop) {
    CScriptedPlatform platform;
    platform.folderExists = {false, true};
    platform.answers = {kAnswerRetry};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + ErrorRetryBox(kFolderFailed) + RunEnd() + CleanRun());
}

TEST(InstallProcedure, AnUnknownPlatformEndsTheRunAfterTheInstallFolderWasMade) {
    for (int id : {0, 3, -1}) {
        CScriptedPlatform platform;
        platform.platformId = id;
        Calls expected = RunStart() + InstallFolder() + Calls{"WindowsFolder", "PlatformId"} +
                         ErrorBox(kWrongPlatform) + RunEnd();
        EXPECT_EQ(Install(platform), expected) << "platform " << id;
    }
}

TEST(InstallProcedure, AbortOnAFailedShortcutCopiesNoFileAndLeavesTheWindowOpen) {
    CScriptedPlatform platform;
    platform.failingCopies["QVshort.lnk"] = 1;
    platform.answers = {kAnswerAbort};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopyAttempt(0) +
                                     ErrorRetryBox(kShortcutFailed) + RunEnd());
}

TEST(InstallProcedure, IgnoreOnAFailedShortcutCopiesEveryFileAndReportsErrors) {
    CScriptedPlatform platform;
    platform.failingCopies["QVshort.lnk"] = 1;
    platform.answers = {kAnswerIgnore};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopyAttempt(0) +
                                     ErrorRetryBox(kShortcutFailed) + CopiedRows(1, 19) + ErrorOutcome() + RunEnd());
    EXPECT_EQ(platform.Count("StepProgress"), 19);
}

TEST(InstallProcedure, RetryOnAFailedShortcutStartsANewRunWithAClearErrorFlag) {
    CScriptedPlatform platform;
    platform.failingCopies["QVshort.lnk"] = 1;
    platform.answers = {kAnswerRetry};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopyAttempt(0) +
                                     ErrorRetryBox(kShortcutFailed) + RunEnd() + CleanRun());
}

class InstallProcedureFileRow : public testing::TestWithParam<int> {};

TEST_P(InstallProcedureFileRow, IgnoreNamesTheFileCopiesTheRestAndReportsErrors) {
    int failed = GetParam();
    CScriptedPlatform platform;
    platform.failingCopies[g_installItems[failed].szFileName] = 1;
    platform.answers = {kAnswerIgnore};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, failed - 1) +
                                     CopyAttempt(failed) + ErrorRetryBox(FileFailed(failed)) +
                                     CopiedRows(failed + 1, 19) + ErrorOutcome() + RunEnd());
    EXPECT_EQ(platform.Count("StepProgress"), 19);
    EXPECT_EQ(platform.Count("CloseSetupWindow"), 1);
}

TEST_P(InstallProcedureFileRow, AbortEndsTheRunWithoutLaterCopiesOrOutcome) {
    int failed = GetParam();
    CScriptedPlatform platform;
    platform.failingCopies[g_installItems[failed].szFileName] = 1;
    platform.answers = {kAnswerAbort};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, failed - 1) +
                                     CopyAttempt(failed) + ErrorRetryBox(FileFailed(failed)) + RunEnd());
}

TEST_P(InstallProcedureFileRow, RetryStartsANewRunThatCanSucceed) {
    int failed = GetParam();
    CScriptedPlatform platform;
    platform.failingCopies[g_installItems[failed].szFileName] = 1;
    platform.answers = {kAnswerRetry};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, failed - 1) +
                                     CopyAttempt(failed) + ErrorRetryBox(FileFailed(failed)) + RunEnd() + CleanRun());
}

INSTANTIATE_TEST_SUITE_P(InstallEveryRowAfterTheShortcut, InstallProcedureFileRow, testing::Range(1, 20));

TEST(InstallProcedure, TheLastSampleMissingWithIgnoreGivesItsNameAndTheErrorOutcome) {
    CScriptedPlatform platform;
    platform.failingCopies["Ivy.BMP"] = 1;
    platform.answers = {kAnswerIgnore};
    Install(platform);
    EXPECT_EQ(platform.Count(CScriptedPlatform::Box("ERROR", 0x12, "File Copy Failed! Ivy.BMP")), 1);
    EXPECT_EQ(platform.Count(CScriptedPlatform::Box("ERROR", 0x10, kErrorsOutcome)), 1);
    EXPECT_EQ(platform.Count("Launch C:\\QUORVANE\\QUORVANE.EXE"), 0);
    EXPECT_EQ(platform.calls.back(), "EndWaitCursor");
    EXPECT_EQ(platform.calls[platform.calls.size() - 2], "CloseSetupWindow");
}

TEST(InstallProcedure, SeveralFailuresWithIgnoreGiveOneOutcomeAndStepOnlyForCopies) {
    CScriptedPlatform platform;
    platform.failingCopies["Quorvane.EXE"] = 1;
    platform.failingCopies["README.TXT"] = 1;
    platform.failingCopies["Skull.BMP"] = 1;
    platform.answers = {kAnswerIgnore, kAnswerIgnore, kAnswerIgnore};
    Calls expected = RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, 0) + CopyAttempt(1) +
                     ErrorRetryBox(FileFailed(1)) + CopiedRows(2, 13) + CopyAttempt(14) +
                     ErrorRetryBox(FileFailed(14)) + CopiedRows(15, 17) + CopyAttempt(18) +
                     ErrorRetryBox(FileFailed(18)) + CopiedRows(19, 19) + ErrorOutcome() + RunEnd();
    EXPECT_EQ(Install(platform), expected);
    EXPECT_EQ(platform.Count("StepProgress"), 17);
    EXPECT_EQ(platform.Count("CloseSetupWindow"), 1);
}

TEST(InstallProcedure, AFailureAfterARetryStillSetsTheNewRunsErrorFlag) {
    CScriptedPlatform platform;
    platform.failingCopies["Add.aid"] = 1;
    platform.failingCopies["Rem.aid"] = 2;
    platform.answers = {kAnswerRetry, kAnswerIgnore};
    Calls firstRun = RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, 2) + CopyAttempt(3) +
                     ErrorRetryBox(FileFailed(3)) + RunEnd();
    // Add.aid copies now; Rem.aid fails again.
    Calls secondRun = RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, 8) + CopyAttempt(9) +
                      ErrorRetryBox(FileFailed(9)) + CopiedRows(10, 19) + ErrorOutcome() + RunEnd();
    EXPECT_EQ(Install(platform), firstRun + secondRun);
}

TEST(InstallProcedure, RetriesFollowOneAnotherWithoutNesting) {
    CScriptedPlatform platform;
    platform.failingCopies["Msvcrt.dll"] = 5;
    platform.answers = {kAnswerRetry, kAnswerRetry, kAnswerRetry, kAnswerRetry, kAnswerRetry};
    Calls failedRun = RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, 12) + CopyAttempt(13) +
                      ErrorRetryBox(FileFailed(13)) + RunEnd();
    Calls expected;
    for (int run = 0; run < 5; ++run) expected = expected + failedRun;
    EXPECT_EQ(Install(platform), expected + CleanRun());

    int open = 0;
    for (const std::string& call : platform.calls) {
        if (call == "BeginWaitCursor") {
            EXPECT_EQ(open++, 0) << "a run began inside another";
        }
        if (call == "EndWaitCursor") {
            EXPECT_EQ(--open, 0);
        }
    }
    EXPECT_EQ(platform.Count("CloseSetupWindow"), 1);
    EXPECT_EQ(platform.Count(CScriptedPlatform::Box("SUCCESS", 0x00, kSuccess)), 1);
}

TEST(InstallProcedure, ABoxThatGivesNoKnownAnswerEndsTheRunAsAbortDoes) {
    CScriptedPlatform platform;
    platform.failingCopies["Pick.aid"] = 1;
    platform.answers = {0};
    EXPECT_EQ(Install(platform), RunStart() + InstallFolder() + StartupFolder() + CopiedRows(0, 6) + CopyAttempt(7) +
                                     ErrorRetryBox(FileFailed(7)) + RunEnd());
}

TEST(InstallProcedure, InstallPressedAgainAfterAnEarlyEndStartsFromTheTop) {
    CScriptedPlatform platform;
    platform.failingCopies["QVshort.lnk"] = 1;
    platform.answers = {kAnswerAbort};
    CInstallProcedure procedure(platform, 30000000);
    procedure.Run();
    Calls firstPress = platform.calls;
    procedure.Run();
    EXPECT_EQ(platform.calls, firstPress + CleanRun());
}
