// Ending the program: the close box saves the 152-byte record of what the controls show, Esc saves nothing, two copies
// end cleanly.
#include "QuorvaneCase.h"

using EndingTest = QuorvaneCase;

namespace {

// The fields of the saved record, when it is 152 bytes stamped with today's date.
std::string SavedFields() {
    std::string bytes = ReadBytes(kSettingsFile);
    if (bytes.size() != kRecordSize || SaveDateOf(bytes) != Today())
        return std::to_string(bytes.size()) + " bytes dated " + SaveDateOf(bytes);
    return std::to_string(Int32At(bytes, kFrequencyModeAt)) + " " + std::to_string(FloatAt(bytes, kMinutesAt)) + " " +
           std::to_string(Int32At(bytes, kRandomPickAt)) + " " + std::to_string(Int32At(bytes, kStartMinimizedAt)) +
           " " + std::to_string(Int32At(bytes, kAllowPreviewAt));
}

}  // namespace

TEST_F(EndingTest, CloseBoxSavesWhatTheControlsShowAndTheNextStartShowsIt) {
    WriteBytes(kSettingsFile, DatedRecord(Settings{1, 0, 1.5f, 1, 0, 0}, "01/02/03"));
    ASSERT_TRUE(Start());
    std::string minutesBox;
    for (int frequency : {kFreqOncePerRun, kFreqMinutes, kFreqOnceADay}) {
        ClickCheckBox(dialog, frequency);
        minutesBox += ControlEnabled(dialog, kMinutes) ? "on " : "off ";
    }
    EXPECT_EQ(minutesBox, "off on off ") << "the minutes box after each frequency button";
    ClickCheckBox(dialog, kStartMinimized);
    Close();
    EXPECT_EQ(SavedFields(), "1 1.500000 1 1 0") << "mode, minutes, random, minimized, preview";
    ASSERT_TRUE(Start());
    EXPECT_TRUE(IsIconic(dialog));
}

TEST_F(EndingTest, TwoCopiesRunAtOnceAndBothEndWithARecordOfTheirControls) {
    QuorvaneProcess first;
    HWND firstDialog = first.MainWindow();
    ASSERT_TRUE(Start());
    ASSERT_NE(firstDialog, nullptr);
    EXPECT_NE(firstDialog, dialog);
    PostClose(firstDialog);
    EXPECT_TRUE(first.WaitForExit(kExitMs)) << "the first copy still runs after WM_CLOSE";
    EXPECT_TRUE(app->Running());
    ClickCheckBox(dialog, kStartMinimized);
    Close();
    EXPECT_EQ(SavedFields(), "0 0.000000 0 1 0") << "mode, minutes, random, minimized, preview";
    EXPECT_EQ(FilesIn(kQuorvaneFolder), Entries{"Quorvane.INI"});
}

TEST_F(EndingTest, EscEndsTheProgramAndLeavesTheFilesAsTheyWere) {
    for (const std::string& saved : {std::string(), DatedRecord(Settings{2, 0, 7.25f}, "01/02/03")}) {
        if (!saved.empty()) WriteBytes(kSettingsFile, saved);
        ASSERT_TRUE(Start());
        EXPECT_TRUE(PressEscape(dialog)) << "the dialog did not come to the foreground";
        EXPECT_TRUE(app->WaitForExit(kExitMs)) << "still running after Esc";
        EXPECT_EQ(FilesIn(kQuorvaneFolder), saved.empty() ? Entries{} : Entries{"Quorvane.INI"});
        EXPECT_EQ(ReadBytes(kSettingsFile), saved);
    }
}
