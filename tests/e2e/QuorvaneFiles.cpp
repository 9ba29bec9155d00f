// File set-up and read-back through the Win32 file calls of the Wine prefix.
#include "QuorvaneFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <ctime>
#include <fstream>
#include <iterator>

const char* const kQuorvaneFolder = "C:\\Quorvane";
const char* const kListFile = "C:\\Quorvane\\Quorvane.LST";
const char* const kSettingsFile = "C:\\Quorvane\\Quorvane.INI";

namespace {

void AppendLittleEndian(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += static_cast<char>((value >> (8 * i)) & 0xFF);
}

}  // namespace

void RemoveQuorvaneFolder() {
    for (const std::string& name : FilesIn(kQuorvaneFolder)) {
        std::string path = std::string(kQuorvaneFolder) + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(kQuorvaneFolder);
}

void MakeEmptyQuorvaneFolder() {
    RemoveQuorvaneFolder();
    CreateDirectoryA(kQuorvaneFolder, nullptr);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void SetReadOnly(const std::string& path, bool readOnly) {
    SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

bool IsReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::string Today() {
    char date[16] = "";
    _strdate(date);
    return date;
}

// Rows of 2 pixels take 6 bytes and are padded to 8.
void WriteBitmap(const std::string& path) {
    const uint32_t kHeaders = 14 + 40;
    const uint32_t kPixels = 2 * 8;
    std::string bytes = "BM";
    AppendLittleEndian(bytes, kHeaders + kPixels, 4);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, kHeaders, 4);
    AppendLittleEndian(bytes, 40, 4);
    AppendLittleEndian(bytes, 2, 4);
    AppendLittleEndian(bytes, 2, 4);
    AppendLittleEndian(bytes, 1, 2);
    AppendLittleEndian(bytes, 24, 2);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, kPixels, 4);
    AppendLittleEndian(bytes, 2835, 4);
    AppendLittleEndian(bytes, 2835, 4);
    AppendLittleEndian(bytes, 0, 4);
    AppendLittleEndian(bytes, 0, 4);
    const std::string kRow("\x00\x00\xFF\x00\xFF\x00\x00\x00", 8);
    bytes += kRow + kRow;
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    WriteBytes(path, bytes);
}
