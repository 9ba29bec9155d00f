// Loading the list file at start-up: line ends, empty and over-long lines, missing, empty or binary files.
#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"

namespace {

using Entries = std::vector<std::string>;

const std::string kFirst = "C:\\Pictures\\First.bmp";
const std::string kSecond = "C:\\Pictures\\Second.bmp";

class ListFileTest : public QuorvaneCase {
protected:
    // The list box after starting on a list file of `bytes`.
    Entries LoadedFrom(const std::string& bytes) {
        WriteBytes(kListFile, bytes);
        QuorvaneProcess app;
        HWND dialog = app.MainWindow();
        if (!dialog) {
            ADD_FAILURE() << "no main window";
            return {};
        }
        Entries entries = ListEntries(dialog, kWallpaperList);
        EXPECT_TRUE(app.Running());
        EXPECT_EQ(ReadBytes(kListFile), bytes) << "loading changed the list file";
        return entries;
    }
};

}  // namespace

TEST_F(ListFileTest, EmptyLinesAreSkipped) {
    EXPECT_EQ(LoadedFrom(kFirst + "\r\n\r\n" + kSecond + "\r\n"), (Entries{kFirst, kSecond}));
}

TEST_F(ListFileTest, LineFeedAloneEndsALine) {
    EXPECT_EQ(LoadedFrom(kFirst + "\n" + kSecond + "\n"), (Entries{kFirst, kSecond}));
}

TEST_F(ListFileTest, FinalLineWithoutLineEndLoadsWhole) {
    EXPECT_EQ(LoadedFrom(kFirst + "\r\n" + kSecond), (Entries{kFirst, kSecond}));
}

TEST_F(ListFileTest, DuplicatesBothLoad) {
    EXPECT_EQ(LoadedFrom(kFirst + "\r\n" + kFirst + "\r\n"), (Entries{kFirst, kFirst}));
}

TEST_F(ListFileTest, LineOf259CharactersLoadsWhole) {
    std::string longest = "C:\\" + std::string(252, 'a') + ".bmp";
    ASSERT_EQ(longest.size(), 259u);
    EXPECT_EQ(LoadedFrom(longest + "\r\n" + kSecond + "\r\n"), (Entries{longest, kSecond}));
}

TEST_F(ListFileTest, LongerLinesAreSkippedWholeAndTheNextLineLoads) {
    std::string tooLong = "C:\\" + std::string(253, 'b') + ".bmp";
    ASSERT_EQ(tooLong.size(), 260u);
    std::string farTooLong(300, 'c');
    EXPECT_EQ(LoadedFrom(kFirst + "\r\n" + tooLong + "\r\n" + farTooLong + "\r\n" + kSecond + "\r\n"),
              (Entries{kFirst, kSecond}));
}

TEST_F(ListFileTest, MissingListFileStartsEmpty) {
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ListEntries(dialog, kWallpaperList), Entries{});
    EXPECT_FALSE(FileExists(kListFile));
}

TEST_F(ListFileTest, EmptyListFileStartsEmpty) { EXPECT_EQ(LoadedFrom(""), Entries{}); }

TEST_F(ListFileTest, BinaryListFileStartsCalmly) { LoadedFrom(NoiseBytes(4096)); }

TEST_F(ListFileTest, HugeListFileLoadsEveryLine) {
    std::string bytes;
    for (int i = 0; i < 5000; ++i) bytes += "C:\\Pictures\\" + std::to_string(i) + ".bmp\r\n";
    WriteBytes(kListFile, bytes);
    QuorvaneProcess app;
    HWND dialog = app.MainWindow();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ListCount(dialog, kWallpaperList), 5000);
    EXPECT_EQ(ListEntry(dialog, kWallpaperList, 0), "C:\\Pictures\\0.bmp");
    EXPECT_EQ(ListEntry(dialog, kWallpaperList, 4999), "C:\\Pictures\\4999.bmp");
}
