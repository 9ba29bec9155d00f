// File access through the platform's own calls.
#include "FileStore.h"

#include <windows.h>

#include <cctype>
#include <cstring>

namespace {

// GetTempFileNameA names a new file beside the one it replaces: this prefix, up to four hex
// digits, this suffix.
constexpr char kTemporaryPrefix[] = "qv";
constexpr char kTemporarySuffix[] = ".tmp";
// A minute, in the 100 ns units of FILETIME.
constexpr ULONGLONG kStaleAfter = 60ull * 10000000ull;
// A file that another process has open, even one that lets others delete it (a reader, a
// second copy of the program loading it, a virus scanner), cannot be replaced until it is
// closed, which is a matter of milliseconds: the move is tried for about half a second.
constexpr int kMoveAttempts = 20;
constexpr DWORD kMoveRetryMs = 25;

class CFileHandle {
public:
    explicit CFileHandle(HANDLE handle) : m_handle(handle) {}
    ~CFileHandle() {
        if (IsOpen()) CloseHandle(m_handle);
    }
    CFileHandle(const CFileHandle&) = delete;
    CFileHandle& operator=(const CFileHandle&) = delete;

    bool IsOpen() const { return m_handle != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_handle; }

private:
    HANDLE m_handle;
};

HANDLE OpenForReading(const char* path) {
    return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
}

std::string FolderOf(const char* path) {
    std::string folder(path);
    size_t slash = folder.find_last_of('\\');
    return slash == std::string::npos ? "." : folder.substr(0, slash);
}

bool IsTemporaryName(const std::string& name) {
    std::size_t prefix = sizeof kTemporaryPrefix - 1;
    std::size_t suffix = sizeof kTemporarySuffix - 1;
    if (name.size() <= prefix + suffix || name.size() > prefix + 4 + suffix) return false;
    if (_strnicmp(name.c_str(), kTemporaryPrefix, prefix) != 0) return false;
    if (_stricmp(name.c_str() + name.size() - suffix, kTemporarySuffix) != 0) return false;
    for (std::size_t at = prefix; at < name.size() - suffix; ++at) {
        if (!std::isxdigit(static_cast<unsigned char>(name[at]))) return false;
    }
    return true;
}

ULONGLONG Ticks(const FILETIME& time) {
    return ULONGLONG(time.dwHighDateTime) << 32 | time.dwLowDateTime;
}

bool MoveOver(const char* from, const char* to) {
    for (int attempt = 1;; ++attempt) {
        if (MoveFileExA(from, to, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) return true;
        DWORD error = GetLastError();
        if ((error != ERROR_ACCESS_DENIED && error != ERROR_SHARING_VIOLATION) || attempt == kMoveAttempts) {
            return false;
        }
        Sleep(kMoveRetryMs);
    }
}

bool WriteWholeFile(const char* path, const std::string& content) {
    CFileHandle file(CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file.IsOpen()) return false;
    DWORD written = 0;
    bool ok = content.empty() || (WriteFile(file.Get(), content.data(), DWORD(content.size()), &written, nullptr) &&
                                  written == content.size());
    return ok && FlushFileBuffers(file.Get());
}

}  // namespace

bool ReadFileInPieces(const char* path, const FilePieceSink& piece) {
    CFileHandle file(OpenForReading(path));
    if (!file.IsOpen()) return false;
    char buffer[64 * 1024];
    DWORD got = 0;
    while (ReadFile(file.Get(), buffer, sizeof buffer, &got, nullptr) && got > 0) piece(buffer, got);
    return true;
}

bool ReadFileStart(const char* path, std::size_t maxBytes, std::string& bytes) {
    CFileHandle file(OpenForReading(path));
    if (!file.IsOpen()) return false;
    bytes.assign(maxBytes, '\0');
    std::size_t filled = 0;
    DWORD got = 0;
    while (filled < maxBytes && ReadFile(file.Get(), &bytes[filled], DWORD(maxBytes - filled), &got, nullptr) &&
           got > 0) {
        filled += got;
    }
    bytes.resize(filled);
    return true;
}

bool IsReadOnlyFile(const char* path) {
    DWORD attributes = GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

bool ReplaceFileContent(const char* path, const std::string& content) {
    if (IsReadOnlyFile(path)) return false;
    char temporary[MAX_PATH];
    if (!GetTempFileNameA(FolderOf(path).c_str(), "qv", 0, temporary)) return false;
    bool replaced = WriteWholeFile(temporary, content) && MoveOver(temporary, path);
    if (!replaced) DeleteFileA(temporary);
    return replaced;
}

void RemoveStaleTemporaryFiles(const char* path) {
    std::string folder = FolderOf(path);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + kTemporaryPrefix + "*" + kTemporarySuffix).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    do {
        if (found.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_READONLY)) continue;
        if (!IsTemporaryName(found.cFileName)) continue;
        ULONGLONG written = Ticks(found.ftLastWriteTime);
        if (written > Ticks(now) || Ticks(now) - written < kStaleAfter) continue;
        DeleteFileA((folder + "\\" + found.cFileName).c_str());
    } while (FindNextFileA(search, &found));
    FindClose(search);
}
