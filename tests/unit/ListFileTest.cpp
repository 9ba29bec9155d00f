// The list file's line rules, as the program reads and writes Quorvane.LST.
#include "ListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Entries = std::vector<std::string>;

TEST(ListFileRead, SkipsEmptyLinesAndAcceptsBothLineEnds) {
    EXPECT_EQ(ParseListFile("A\r\n\r\nB\r\n"), (Entries{"A", "B"}));
    EXPECT_EQ(ParseListFile("A\nB\n"), (Entries{"A", "B"}));
    EXPECT_EQ(ParseListFile("A\r\n\n\r\nB"), (Entries{"A", "B"}));
    EXPECT_EQ(ParseListFile(""), Entries{});
}

TEST(ListFileRead, KeepsALastLineWithoutLineEndWhole) {
    EXPECT_EQ(ParseListFile("C:\\one.bmp\r\nC:\\two.bmp"), (Entries{"C:\\one.bmp", "C:\\two.bmp"}));
}

TEST(ListFileRead, KeepsDuplicatesAndTheBytesAsTheyAre) {
    EXPECT_EQ(ParseListFile("C:\\a.bmp\r\nc:\\A.BMP\r\nC:\\a.bmp\r\n"),
              (Entries{"C:\\a.bmp", "c:\\A.BMP", "C:\\a.bmp"}));
    EXPECT_EQ(ParseListFile(" C:\\x\xe9.bmp \r\n"), Entries{" C:\\x\xe9.bmp "});
}

TEST(ListFileRead, OnlyACarriageReturnBeforeTheLineFeedOrTheEndIsALineEnd) {
    EXPECT_EQ(ParseListFile("A\r\r\nB\rC\n"), (Entries{"A\r", "B\rC"}));
    EXPECT_EQ(ParseListFile("A\r\nB\r"), (Entries{"A", "B"}));  // a file cut after its last CR
}

TEST(ListFileRead, SkipsALineLongerThanAnEntryWholeAndReadsOn) {
    std::string longest(kMaxEntryLength, 'x');
    std::string tooLong(kMaxEntryLength + 1, 'y');
    std::string huge(100000, 'z');
    EXPECT_EQ(ParseListFile(longest + "\r\n" + tooLong + "\r\nB\r\n" + huge + "\nC"), (Entries{longest, "B", "C"}));
    EXPECT_EQ(ParseListFile(tooLong), Entries{});
    EXPECT_EQ(ParseListFile(longest + "\r"), Entries{longest});
}

TEST(ListFileRead, EndsAnEntryAtANulByte) {
    EXPECT_EQ(ParseListFile(std::string("abc\0def\r\n\0xyz\r\nB\r\n", 18)), (Entries{"abc", "B"}));
}

TEST(ListFileRead, GivesTheSameEntriesWhateverPiecesTheFileArrivesIn) {
    std::string tooLong(kMaxEntryLength + 5, 'y');
    std::string file = "C:\\first.bmp\r\n\r\n" + tooLong + "\r\n" + std::string(kMaxEntryLength, 'k') + "\r\nlast";
    Entries whole = ParseListFile(file);
    for (size_t pieceSize : {1u, 2u, 3u, 7u, 64u, 261u}) {
        Entries pieces;
        CListFileReader reader([&pieces](const std::string& entry) { pieces.push_back(entry); });
        for (size_t at = 0; at < file.size(); at += pieceSize) {
            reader.Feed(file.data() + at, std::min(pieceSize, file.size() - at));
        }
        reader.Finish();
        EXPECT_EQ(pieces, whole) << "pieces of " << pieceSize;
    }
    EXPECT_EQ(whole.size(), 3u);
}

TEST(ListFileWrite, EndsEveryLineWithCarriageReturnLineFeed) {
    EXPECT_EQ(FormatListFile({"C:\\a.bmp", "C:\\b.bmp"}), "C:\\a.bmp\r\nC:\\b.bmp\r\n");
    EXPECT_EQ(FormatListFile({}), "");
}

TEST(ListFileWrite, ReadsBackWhatItWrote) {
    Entries entries{"C:\\Quorvane\\Forest.BMP", "D:\\pictures\\sea side.bmp", std::string(kMaxEntryLength, 'p')};
    EXPECT_EQ(ParseListFile(FormatListFile(entries)), entries);
}
