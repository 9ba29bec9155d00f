// libFuzzer target of the list file reader: whatever the bytes and however they arrive, every
// entry is a valid path text, and writing the entries back reads back the same, but for the one
// CR that the reader takes off the end of an entry that ends in one.
#include "ListFile.h"

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size == 0) return 0;
    std::size_t pieceSize = std::size_t(data[0] % 64) + 1;
    std::string file(reinterpret_cast<const char*>(data + 1), size - 1);
    std::vector<std::string> entries = ParseListFile(file), inPieces, readBack;
    CListFileReader reader([&inPieces](const std::string& entry) { inPieces.push_back(entry); });
    for (std::size_t at = 0; at < file.size(); at += pieceSize) {
        reader.Feed(file.data() + at, std::min(pieceSize, file.size() - at));
    }
    reader.Finish();
    for (std::string entry : entries) {
        if (entry.empty() || entry.size() > kMaxEntryLength) std::abort();
        if (entry.find_first_of(std::string("\0\n\x1A", 3)) != std::string::npos) std::abort();
        if (entry.back() == '\r') entry.pop_back();
        if (!entry.empty()) readBack.push_back(entry);
    }
    if (inPieces != entries || ParseListFile(FormatListFile(entries)) != readBack) std::abort();
    return 0;
}
