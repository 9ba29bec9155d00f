// libFuzzer target of the list file reader: whatever the bytes and however they arrive,
// every entry is a valid path text, and writing the entries back reads back the same.
#include "ListFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

void Require(bool holds) {
    if (!holds) std::abort();
}

// The entries when the file arrives in pieces of the given size.
std::vector<std::string> ReadInPieces(const std::string& file, std::size_t pieceSize) {
    std::vector<std::string> entries;
    CListFileReader reader([&entries](const std::string& entry) { entries.push_back(entry); });
    for (std::size_t at = 0; at < file.size(); at += pieceSize) {
        reader.Feed(file.data() + at, std::min(pieceSize, file.size() - at));
    }
    reader.Finish();
    return entries;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t pieceSize = std::size_t(data[0] % 64) + 1;
    std::string file(reinterpret_cast<const char*>(data + 1), size - 1);

    std::vector<std::string> entries = ParseListFile(file);
    Require(ReadInPieces(file, pieceSize) == entries);
    for (const std::string& entry : entries) {
        Require(!entry.empty() && entry.size() <= kMaxEntryLength);
        Require(entry.find('\0') == std::string::npos && entry.find('\n') == std::string::npos);
    }
    Require(ParseListFile(FormatListFile(entries)) == entries);
    return 0;
}
