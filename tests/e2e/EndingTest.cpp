// Ending the program: the close box saves the 152-byte record, Esc saves nothing, two copies end cleanly.
#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"

namespace {

class EndingTest : public QuorvaneCase {};

void ExpectStampedRecord(const std::string& bytes) {
    ASSERT_EQ(bytes.size(), kRecordSize);
    EXPECT_EQ(bytes.substr(kSaveDateAt, 8), Today());
    EXPECT_EQ(bytes[kSaveDateAt + 8], '\0');
}

// Closes the dialog with the close box and waits for the program to end.
void CloseAndWait(const QuorvaneProcess& app, HWND dialog) {
    PostClose(dialog);
    EXPECT_TRUE(app.WaitForExit(kExitMs)) << "still running after WM_CLOSE";
}

}  // namespace

TEST_F(EndingTest, CloseBoxWritesTheRecordWithTodaysDate) {
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    CloseAndWait(app, dialog);
    std::string bytes = ReadBytes(kSettingsFile);
    ExpectStampedRecord(bytes);
    EXPECT_EQ(Int32At(bytes, kFrequencyModeAt), 0);
    EXPECT_EQ(FloatAt(bytes, kMinutesAt), 0.0f);
    EXPECT_EQ(Int32At(bytes, kRandomPickAt), 0);
    EXPECT_EQ(Int32At(bytes, kStartMinimizedAt), 0);
    EXPECT_EQ(Int32At(bytes, kAllowPreviewAt), 0);
    EXPECT_EQ(FilesIn(kQuorvaneFolder), std::vector<std::string>{"Quorvane.INI"});
}

TEST_F(EndingTest, CloseBoxSavesWhatTheControlsShow) {
    Settings saved;
    saved.frequencyMode = 1;
    saved.minutes = 1.5f;
    saved.randomPick = 1;
    saved.allowPreview = 1;
    WriteBytes(kSettingsFile, SettingsRecord(saved));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    CloseAndWait(app, dialog);
    std::string bytes = ReadBytes(kSettingsFile);
    ExpectStampedRecord(bytes);
    EXPECT_EQ(Int32At(bytes, kFrequencyModeAt), 1);
    EXPECT_EQ(FloatAt(bytes, kMinutesAt), 1.5f);
    EXPECT_EQ(Int32At(bytes, kRandomPickAt), 1);
    EXPECT_EQ(Int32At(bytes, kStartMinimizedAt), 0);
    EXPECT_EQ(Int32At(bytes, kAllowPreviewAt), 1);
}

TEST_F(EndingTest, EscEndsTheProgramAndWritesNothing) {
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(PressEscape(dialog)) << "the dialog did not come to the foreground";
    EXPECT_TRUE(app.WaitForExit(kExitMs)) << "still running after Esc";
    EXPECT_EQ(FilesIn(kQuorvaneFolder), std::vector<std::string>{});
}

TEST_F(EndingTest, EscLeavesTheSavedRecordAsItWas) {
    Settings saved;
    saved.frequencyMode = 2;
    saved.minutes = 7.25f;
    std::string record = SettingsRecord(saved);
    record.replace(kSaveDateAt, 9, std::string("01/02/03\0", 9));
    WriteBytes(kSettingsFile, record);
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(PressEscape(dialog)) << "the dialog did not come to the foreground";
    EXPECT_TRUE(app.WaitForExit(kExitMs)) << "still running after Esc";
    EXPECT_EQ(ReadBytes(kSettingsFile), record);
}

TEST_F(EndingTest, TwoCopiesRunAtOnceAndBothEndWithAValidRecord) {
    QuorvaneProcess first;
    HWND firstDialog = first.MainWindow();
    ASSERT_NE(firstDialog, nullptr);
    QuorvaneProcess second;
    HWND secondDialog = second.MainWindow();
    ASSERT_NE(secondDialog, nullptr);
    EXPECT_NE(firstDialog, secondDialog);
    CloseAndWait(first, firstDialog);
    EXPECT_TRUE(second.Running());
    CloseAndWait(second, secondDialog);
    ExpectStampedRecord(ReadBytes(kSettingsFile));
    EXPECT_EQ(FilesIn(kQuorvaneFolder), std::vector<std::string>{"Quorvane.INI"});
}
