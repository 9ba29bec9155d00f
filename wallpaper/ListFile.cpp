// Reading and writing the list file's lines.
#include "ListFile.h"

#include <cstring>

namespace {
// A line is kept up to this length: an entry and the two CRs that may end it. A longer line is
// marked too long and skipped.
constexpr std::size_t kLineKeepLength = kMaxEntryLength + 2;
// Text mode reads no further than this byte.
constexpr char kCtrlZ = '\x1A';
}  // namespace

CListFileReader::CListFileReader(EntrySink addEntry)
    : m_addEntry(std::move(addEntry)), m_lineTooLong(false), m_endOfFile(false) {}

void CListFileReader::Feed(const char* data, std::size_t size) {
    if (m_endOfFile || size == 0) return;
    if (const void* ctrlZ = std::memchr(data, kCtrlZ, size)) {
        size = std::size_t(static_cast<const char*>(ctrlZ) - data);
        m_endOfFile = true;
    }
    const char* end = data + size;
    while (data < end) {
        const char* lineEnd = static_cast<const char*>(std::memchr(data, '\n', std::size_t(end - data)));
        const char* pieceEnd = lineEnd ? lineEnd : end;
        std::size_t room = kLineKeepLength - m_line.size();
        std::size_t piece = std::size_t(pieceEnd - data);
        if (piece > room) m_lineTooLong = true;
        m_line.append(data, piece < room ? piece : room);
        if (!lineEnd) return;
        // Text mode folds a CR LF into the LF, and the loader takes off a CR before the LF.
        TakeOffCarriageReturn();
        TakeOffCarriageReturn();
        EndLine();
        data = lineEnd + 1;
    }
}

void CListFileReader::Finish() {
    if (m_line.empty() && !m_lineTooLong) return;
    TakeOffCarriageReturn();  // a path that ends in a CR never works
    EndLine();
}

void CListFileReader::TakeOffCarriageReturn() {
    if (!m_line.empty() && m_line.back() == '\r') m_line.pop_back();
}

void CListFileReader::EndLine() {
    bool fits = !m_lineTooLong && m_line.size() <= kMaxEntryLength;
    std::string entry(m_line.c_str());  // the text up to a NUL byte, as the list box takes it
    m_line.clear();
    m_lineTooLong = false;
    if (fits && !entry.empty()) m_addEntry(entry);
}

std::vector<std::string> ParseListFile(std::string_view bytes) {
    std::vector<std::string> entries;
    CListFileReader reader([&entries](const std::string& entry) { entries.push_back(entry); });
    reader.Feed(bytes.data(), bytes.size());
    reader.Finish();
    return entries;
}

std::string FormatListFile(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) {
        bytes += entry;
        bytes += "\r\n";
    }
    return bytes;
}
