// CFile: a file opened by name through the platform's own calls; CFileException: why a file
// could not be used.
#pragma once

#include <windows.h>

#include <string>

#include "Exceptions.h"

class FRAMEWORK_API CFileException : public CException {
public:
    // What failed: opening the file, or reading it once open.
    enum Cause { openFailed, readFailed };

    CFileException(Cause cause, const std::string& fileName, DWORD osError);

    Cause m_cause;
    std::string m_strFileName;
    DWORD m_lOsError;

protected:
    // "Cannot open <file>: <the system's reason>", or "Cannot read ..." for a failed read.
    std::string Describe() const override;
};

class FRAMEWORK_API CFile : public CObject {
public:
    enum OpenFlags : UINT {
        modeRead = 0x0000,
        shareCompat = 0x0000,  // no sharing while the file is open
    };

    // Opens the file; throws CFileException when it cannot.
    CFile(const char* fileName, UINT openFlags);
    ~CFile() override;

    // Reads up to `count` bytes with one read; returns how many arrived. Throws on a read error.
    UINT Read(void* buffer, UINT count);
    ULONGLONG GetLength() const;
    void Close();

private:
    std::string m_strFileName;
    HANDLE m_hFile;
};
