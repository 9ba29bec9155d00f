// The list file's line rules, as the program reads and writes Quorvane.LST.
#include "ListFile.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using Entries = std::vector<std::string>;

const std::string kLongest(kMaxEntryLength, 'x');

// Every row gives the same entries whatever pieces the file arrives in, whole included.
TEST(ListFileRead, TakesTheLinesAsTextModeReadsThem) {
    const std::string tooLong(kMaxEntryLength + 1, 'y');
    using Row = std::pair<std::string, Entries>;
    for (const auto& [file, expected] : {
             Row{"", {}},
             Row{"A\r\n\r\nB\r\n", {"A", "B"}},  // empty lines are skipped
             Row{"A\nB\n", {"A", "B"}},
             Row{"A\r\n\n\r\nB", {"A", "B"}},  // a last line without line end is whole
             Row{"C:\\a.bmp\r\nc:\\A.BMP\r\nC:\\a.bmp\r\n", {"C:\\a.bmp", "c:\\A.BMP", "C:\\a.bmp"}},
             Row{" C:\\x\xe9.bmp \r\n", {" C:\\x\xe9.bmp "}},  // bytes as they are
             Row{"A\r\r\nB\rC\n", {"A", "B\rC"}},              // CR CR LF ends a line; a lone CR is text
             Row{"A\r\r\r\n", {"A\r"}},
             Row{"\r\r\n\r\nB", {"B"}},    // a line of CR CR LF is empty
             Row{"A\r\nB\r", {"A", "B"}},  // a file cut after its last CR
             Row{std::string("A\r\n\x1A") + "B\r\nC\r\n", {"A"}},  // Ctrl-Z ends the file
             Row{"A\r\nB\x1A", {"A", "B"}},
             Row{"A\r\nB\r\n\x1A", {"A", "B"}},
             Row{std::string("abc\0def\r\n\0xyz\r\nB\r\n", 18), {"abc", "B"}},  // an entry ends at a NUL
             Row{kLongest + "\r\r\n" + tooLong + "\r\nB\r\n" + std::string(100000, 'z') + "\nC", {kLongest, "B", "C"}},
             Row{kLongest + "\r\n" + kLongest + "x\r\r\n" + kLongest + "\r\r\r\n" + tooLong, {kLongest}},
             Row{kLongest + "\r", {kLongest}},
         }) {
        for (std::size_t pieceSize : {1u, 2u, 3u, 7u, 262u, 1000000u}) {
            Entries entries;
            CListFileReader reader([&entries](const std::string& entry) { entries.push_back(entry); });
            for (std::size_t at = 0; at < file.size(); at += pieceSize) {
                reader.Feed(file.data() + at, std::min(pieceSize, file.size() - at));
            }
            reader.Finish();
            EXPECT_EQ(entries, expected)
                << testing::PrintToString(file.substr(0, 30)) << " in pieces of " << pieceSize;
        }
    }
}

TEST(ListFileWrite, EndsEveryLineWithCrLfAndReadsBackWhatItWrote) {
    EXPECT_EQ(FormatListFile({"C:\\a.bmp", "C:\\b.bmp"}), "C:\\a.bmp\r\nC:\\b.bmp\r\n");
    EXPECT_EQ(FormatListFile({}), "");
    Entries entries{"C:\\Quorvane\\Forest.BMP", "D:\\pictures\\sea side.bmp", kLongest};
    EXPECT_EQ(ParseListFile(FormatListFile(entries)), entries);
}
