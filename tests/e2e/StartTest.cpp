// Start-up: what the controls show with no files, with a saved settings file, and with a bad one.
#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"

namespace {

class StartTest : public QuorvaneCase {};

void ExpectFrequency(HWND dialog, int checkedId) {
    for (int id : {kFreqMinutes, kFreqOnceADay, kFreqOncePerRun}) {
        EXPECT_EQ(CheckState(dialog, id), id == checkedId ? BST_CHECKED : BST_UNCHECKED) << "radio " << id;
    }
    EXPECT_EQ(ControlEnabled(dialog, kMinutes), checkedId == kFreqMinutes) << "minutes edit enabled";
}

void ExpectTicks(HWND dialog, int randomPick, int startMinimized, int allowPreview) {
    EXPECT_EQ(CheckState(dialog, kRandomPick), randomPick);
    EXPECT_EQ(CheckState(dialog, kStartMinimized), startMinimized);
    EXPECT_EQ(CheckState(dialog, kAllowPreview), allowPreview);
}

// Starts the program on the settings file `bytes` and checks that it comes up and leaves the file.
void ExpectCalmStartOn(const std::string& bytes) {
    SCOPED_TRACE("settings file of " + std::to_string(bytes.size()) + " bytes");
    WriteBytes(kSettingsFile, bytes);
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(Settle(dialog));
    EXPECT_TRUE(app.Running());
    EXPECT_EQ(ReadBytes(kSettingsFile), bytes);
}

}  // namespace

TEST_F(StartTest, WithNoFilesShowsMinuteModeZeroAndClearBoxes) {
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqMinutes);
    EXPECT_EQ(ControlText(dialog, kMinutes), "0.00");
    ExpectTicks(dialog, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), std::vector<std::string>{});
    EXPECT_FALSE(IsIconic(dialog));
}

TEST_F(StartTest, WithNoFolderShowsMinuteModeZero) {
    RemoveQuorvaneFolder();
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqMinutes);
    EXPECT_EQ(ControlText(dialog, kMinutes), "0.00");
    EXPECT_FALSE(FolderExists(kQuorvaneFolder));
}

TEST_F(StartTest, SavedSettingsAreShown) {
    Settings saved;
    saved.frequencyMode = 1;
    saved.minutes = 1.23f;
    saved.randomPick = 1;
    saved.allowPreview = 1;
    WriteBytes(kSettingsFile, SettingsRecord(saved));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqOnceADay);
    EXPECT_EQ(ControlText(dialog, kMinutes), "1.23");
    ExpectTicks(dialog, BST_CHECKED, BST_UNCHECKED, BST_CHECKED);
}

TEST_F(StartTest, RandomPickIsTickedOnlyForExactlyOne) {
    Settings saved;
    saved.randomPick = 2;
    WriteBytes(kSettingsFile, SettingsRecord(saved));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(CheckState(dialog, kRandomPick), BST_UNCHECKED);
}

TEST_F(StartTest, UnknownFrequencyModeIsShownAsOncePerRun) {
    Settings saved;
    saved.frequencyMode = 7;
    saved.minutes = 3;
    WriteBytes(kSettingsFile, SettingsRecord(saved));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqOncePerRun);
    EXPECT_EQ(ControlText(dialog, kMinutes), "3.00");
}

TEST_F(StartTest, ShortSettingsFileFillsOnlyItsLeadingFields) {
    Settings saved;
    saved.frequencyMode = 1;
    saved.minutes = 2.5f;
    saved.randomPick = 1;
    WriteBytes(kSettingsFile, SettingsRecord(saved).substr(0, 12));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqOnceADay);
    EXPECT_EQ(ControlText(dialog, kMinutes), "2.50");
    ExpectTicks(dialog, BST_UNCHECKED, BST_UNCHECKED, BST_UNCHECKED);
}

TEST_F(StartTest, LongSettingsFileIsReadUpToItsFirstRecord) {
    Settings saved;
    saved.frequencyMode = 2;
    saved.minutes = 4.5f;
    saved.randomPick = 1;
    WriteBytes(kSettingsFile, SettingsRecord(saved) + std::string(48, '\xFF'));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    ExpectFrequency(dialog, kFreqOncePerRun);
    EXPECT_EQ(ControlText(dialog, kMinutes), "4.50");
    ExpectTicks(dialog, BST_CHECKED, BST_UNCHECKED, BST_UNCHECKED);
}

TEST_F(StartTest, BadSettingsFilesStartCalmlyAndStayAsTheyWere) {
    ExpectCalmStartOn(NoiseBytes(kRecordSize));
    ExpectCalmStartOn(NoiseBytes(5000));
    ExpectCalmStartOn("");
    ExpectCalmStartOn("\x01");
}
