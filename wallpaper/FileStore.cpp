// File access through the platform's own calls.
#include "FileStore.h"

#include <windows.h>

namespace {

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
    bool replaced = WriteWholeFile(temporary, content) &&
                    MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    if (!replaced) DeleteFileA(temporary);
    return replaced;
}
