// The main window itself: starting minimized, the system menu, and 1001 following the selection on repaint.
#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"
#include "SystemMenu.h"

namespace {

const std::string kFirst = "C:\\Pictures\\First.bmp";
const std::string kSecond = "C:\\Pictures\\Second.bmp";
const DWORD kRepaintMs = 3000;

class MainWindowTest : public QuorvaneCase {};

// Waits a bounded time for 1001 to read `expected`, then checks it.
void ExpectSelectionFieldBecomes(HWND dialog, const std::string& expected) {
    WaitUntil([&] { return ControlText(dialog, kCurrentSelection) == expected; }, kRepaintMs);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), expected);
}

}  // namespace

TEST_F(MainWindowTest, SavedStartMinimizedStartsMinimizedAndVisible) {
    Settings saved;
    saved.startMinimized = 1;
    WriteBytes(kSettingsFile, SettingsRecord(saved));
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsIconic(dialog));
    EXPECT_TRUE(IsWindowVisible(dialog));
    EXPECT_EQ(CheckState(dialog, kStartMinimized), BST_CHECKED);
}

TEST_F(MainWindowTest, TickingStartMinimizedAndClosingStartsMinimizedNextTime) {
    {
        QuorvaneProcess app;
        HWND dialog = app.MainWindow();
        ASSERT_NE(dialog, nullptr);
        ClickCheckBox(dialog, kStartMinimized);
        EXPECT_EQ(CheckState(dialog, kStartMinimized), BST_CHECKED);
        PostClose(dialog);
        ASSERT_TRUE(app.WaitForExit(kExitMs)) << "still running after WM_CLOSE";
    }
    EXPECT_EQ(Int32At(ReadBytes(kSettingsFile), kStartMinimizedAt), 1);
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_TRUE(IsIconic(dialog));
}

TEST_F(MainWindowTest, SystemMenuEndsWithASeparatorAndAboutQuorvane) {
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    std::vector<std::string> items = SystemMenuItems(dialog);
    ASSERT_GE(items.size(), 2u) << "system menu could not be read";
    EXPECT_EQ(items[items.size() - 2], "----");
    EXPECT_EQ(items.back(), "16 &About Quorvane...");
}

TEST_F(MainWindowTest, SelectingAnEntryShowsItsPath) {
    WriteBytes(kListFile, kFirst + "\r\n" + kSecond + "\r\n");
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 1);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kSecond);
    SelectEntry(dialog, kWallpaperList, 0);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kFirst);
}

TEST_F(MainWindowTest, RepaintWithNothingSelectedEmptiesTheSelectionField) {
    WriteBytes(kListFile, kFirst + "\r\n" + kSecond + "\r\n");
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    SetSelectionQuietly(dialog, kWallpaperList, -1);
    ASSERT_EQ(ControlText(dialog, kCurrentSelection), kFirst);
    Repaint(dialog);
    ExpectSelectionFieldBecomes(dialog, "");
}

TEST_F(MainWindowTest, RepaintShowsTheSelectedEntryAgain) {
    WriteBytes(kListFile, kFirst + "\r\n" + kSecond + "\r\n");
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 0);
    SetSelectionQuietly(dialog, kWallpaperList, 1);
    ASSERT_EQ(ControlText(dialog, kCurrentSelection), kFirst);
    Repaint(dialog);
    ExpectSelectionFieldBecomes(dialog, kSecond);
}
