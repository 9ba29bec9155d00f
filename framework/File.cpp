// Files and their exceptions.
#include "File.h"

namespace {

std::string SystemReason(DWORD osError) {
    char text[512] = "";
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, osError, 0, text,
                                  sizeof text, nullptr);
    std::string reason(text, length);
    while (!reason.empty() && (reason.back() == '\n' || reason.back() == '\r' || reason.back() == ' ')) {
        reason.pop_back();
    }
    return reason.empty() ? "error " + std::to_string(osError) : reason;
}

}  // namespace

CFileException::CFileException(Cause cause, const std::string& fileName, DWORD osError)
    : m_cause(cause), m_strFileName(fileName), m_lOsError(osError) {}

std::string CFileException::Describe() const {
    const char* failed = m_cause == readFailed ? "Cannot read " : "Cannot open ";
    return failed + m_strFileName + ": " + SystemReason(m_lOsError);
}

CFile::CFile(const char* fileName, UINT openFlags) : m_strFileName(fileName), m_hFile(INVALID_HANDLE_VALUE) {
    DWORD access = (openFlags & 3) == modeRead ? GENERIC_READ : GENERIC_READ | GENERIC_WRITE;
    m_hFile = CreateFileA(fileName, access, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (m_hFile == INVALID_HANDLE_VALUE) {
        throw CFileException(CFileException::openFailed, m_strFileName, GetLastError());
    }
}

CFile::~CFile() {
    Close();
}

UINT CFile::Read(void* buffer, UINT count) {
    DWORD got = 0;
    if (!ReadFile(m_hFile, buffer, count, &got, nullptr)) {
        throw CFileException(CFileException::readFailed, m_strFileName, GetLastError());
    }
    return got;
}

ULONGLONG CFile::GetLength() const {
    LARGE_INTEGER size{};
    GetFileSizeEx(m_hFile, &size);
    return ULONGLONG(size.QuadPart);
}

void CFile::Close() {
    if (m_hFile != INVALID_HANDLE_VALUE) CloseHandle(m_hFile);
    m_hFile = INVALID_HANDLE_VALUE;
}
