// Loading the list file at start-up through the list reader: its oddest lines, missing, empty, binary and huge files.
#include "QuorvaneCase.h"

using ListFileTest = QuorvaneCase;

TEST_F(ListFileTest, StartUpLoadsTheEntriesOfEachLineAndLeavesTheFile) {
    const std::string first = "C:\\Pictures\\First.bmp", second = "C:\\Pictures\\Second.bmp";
    const std::string path259 = "C:\\" + std::string(252, 'a') + ".bmp",
                      path260 = "C:\\" + std::string(253, 'b') + ".bmp";
    Entries huge;
    for (int i = 0; i < 5000; ++i) huge.push_back("C:\\Pictures\\" + std::to_string(i) + ".bmp");
    struct Row {
        std::optional<std::string> bytes;  // none: no list file
        std::optional<Entries> loaded;     // none: not looked at
    };
    const Row rows[] = {
        {first + "\r\n\r\n" + second + "\n" + first, Entries{first, second, first}},
        {path259 + "\r\n" + path260 + "\r\n" + std::string(300, 'c') + "\r\n" + second + "\r\n",
         Entries{path259, second}},
        {std::string("A\r\r\n\r\r\nB\r\n\x1A"
                     "C\r\n"),
         Entries{"A", "B"}},
        {std::nullopt, Entries{}},
        {"", Entries{}},
        {NoiseBytes(4096), std::nullopt},
        {ListBytes(huge), huge},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE("row " + std::to_string(&row - rows));
        MakeEmptyQuorvaneFolder();
        if (row.bytes) WriteBytes(kListFile, *row.bytes);
        ASSERT_TRUE(Start());
        if (row.loaded && row.loaded->size() > 5) {  // beyond a handful, the count, the first and the last
            int count = int(row.loaded->size());
            EXPECT_EQ(ListCount(dialog, kWallpaperList), count);
            for (int i : {0, count - 1}) EXPECT_EQ(ListEntry(dialog, kWallpaperList, i), (*row.loaded)[i]);
        } else if (row.loaded) {
            EXPECT_EQ(ListEntries(dialog, kWallpaperList), *row.loaded);
        }
        EXPECT_TRUE(app->Running());
        EXPECT_EQ(FileExists(kListFile) ? ReadBytes(kListFile) : "<no file>", row.bytes.value_or("<no file>"));
    }
}
