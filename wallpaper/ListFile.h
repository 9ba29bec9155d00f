// The list file Quorvane.LST: one wallpaper path per line, CR LF line ends, ANSI text.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The longest path an entry may hold; every buffer that holds one is 260 bytes.
constexpr std::size_t kMaxEntryLength = 259;

// Splits the bytes of a list file into entries as they arrive, so that a file of any size
// is read in small pieces. The bytes are taken as the C runtime's text mode reads them: a
// Ctrl-Z ends the file, and a CR LF becomes a LF before the line end is taken off, so a line
// loses its LF and up to two CRs before it (or one CR that ends the file). Empty lines are
// skipped; a line longer than kMaxEntryLength is skipped whole; an entry ends at a NUL byte.
class CListFileReader {
public:
    using EntrySink = std::function<void(const std::string& entry)>;

    explicit CListFileReader(EntrySink addEntry);

    // The next bytes of the file.
    void Feed(const char* data, std::size_t size);
    // The end of the file: a last line without a line end is an entry too.
    void Finish();

private:
    void TakeOffCarriageReturn();
    void EndLine();

    EntrySink m_addEntry;
    std::string m_line;
    bool m_lineTooLong;
    bool m_endOfFile;  // a Ctrl-Z was read
};

// All entries of a list file held in memory.
std::vector<std::string> ParseListFile(std::string_view bytes);

// The bytes of a list file holding these entries, each line ending in CR LF.
std::string FormatListFile(const std::vector<std::string>& entries);
