// The list file's line rules, as the program reads and writes Quorvane.LST.
#include "ListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Entries = std::vector<std::string>;

namespace {

Entries ReadInPieces(const std::string& file, std::size_t pieceSize) {
    Entries entries;
    CListFileReader reader([&entries](const std::string& entry) { entries.push_back(entry); });
    for (std::size_t at = 0; at < file.size(); at += pieceSize) {
        reader.Feed(file.data() + at, std::min(pieceSize, file.size() - at));
    }
    reader.Finish();
    return entries;
}

const std::string kLongest(kMaxEntryLength, 'x');
const std::string kTooLong(kMaxEntryLength + 1, 'y');

}  // namespace

TEST(ListFileRead, TakesTheLinesAsTextModeReadsThem) {
    struct Row {
        std::string file;
        Entries entries;
    };
    const Row rows[] = {
        {"", {}},
        {"A\r\n\r\nB\r\n", {"A", "B"}},  // empty lines are skipped
        {"A\nB\n", {"A", "B"}},
        {"A\r\n\n\r\nB", {"A", "B"}},                            // a last line without line end is whole
        {"C:\\a.bmp\r\nc:\\A.BMP\r\nC:\\a.bmp\r\n", {"C:\\a.bmp", "c:\\A.BMP", "C:\\a.bmp"}},
        {" C:\\x\xe9.bmp \r\n", {" C:\\x\xe9.bmp "}},            // bytes as they are
        {"A\r\r\nB\rC\n", {"A", "B\rC"}},                        // CR CR LF ends a line; a lone CR is text
        {"A\r\r\r\n", {"A\r"}},
        {"\r\r\n\r\nB", {"B"}},                                  // a line of CR CR LF is empty
        {"A\r\nB\r", {"A", "B"}},                                // a file cut after its last CR
        {"A\r\n\x1A" "B\r\nC\r\n", {"A"}},                       // Ctrl-Z ends the file
        {"A\r\nB\x1A", {"A", "B"}},
        {"A\r\nB\r\n\x1A", {"A", "B"}},
        {std::string("abc\0def\r\n\0xyz\r\nB\r\n", 18), {"abc", "B"}},  // an entry ends at a NUL
        {kLongest + "\r\r\n" + kTooLong + "\r\nB\r\n" + std::string(100000, 'z') + "\nC", {kLongest, "B", "C"}},
        {kLongest + "\r\n" + kLongest + "x\r\r\n" + kLongest + "\r\r\r\n" + kTooLong, {kLongest}},
        {kLongest + "\r", {kLongest}},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(ParseListFile(row.file), row.entries) << "file: " << testing::PrintToString(row.file.substr(0, 40));
        for (std::size_t pieceSize : {1u, 2u, 3u, 7u, 262u}) {
            EXPECT_EQ(ReadInPieces(row.file, pieceSize), row.entries) << "pieces of " << pieceSize;
        }
    }
}

TEST(ListFileWrite, EndsEveryLineWithCrLfAndReadsBackWhatItWrote) {
    EXPECT_EQ(FormatListFile({"C:\\a.bmp", "C:\\b.bmp"}), "C:\\a.bmp\r\nC:\\b.bmp\r\n");
    EXPECT_EQ(FormatListFile({}), "");
    Entries entries{"C:\\Quorvane\\Forest.BMP", "D:\\pictures\\sea side.bmp", kLongest};
    EXPECT_EQ(ParseListFile(FormatListFile(entries)), entries);
}
