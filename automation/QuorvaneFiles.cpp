// File set-up and read-back through the Win32 file calls of the Wine prefix.
#include "QuorvaneFiles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

const char* const kQuorvaneFolder = "C:\\Quorvane";
const char* const kListFile = "C:\\Quorvane\\Quorvane.LST";
const char* const kSettingsFile = "C:\\Quorvane\\Quorvane.INI";
const char* const kWallpaperBitmap = "C:\\Quorvane\\Wallpaper.bmp";

namespace {

const char* const kKeptFolder = "C:\\Quorvane.kept-by-driver";

// The names in `folder` matching `pattern`, files or folders as asked.
std::vector<std::string> Names(const std::string& folder, const std::string& pattern, bool folders) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\" + pattern).c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        if (isFolder == folders && name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

void RemoveFolder(const std::string& folder) {
    for (const std::string& name : Names(folder, "*", true)) RemoveFolder(folder + "\\" + name);
    for (const std::string& name : FilesIn(folder)) {
        std::string path = folder + "\\" + name;
        SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(path.c_str());
    }
    RemoveDirectoryA(folder.c_str());
}

void RemoveQuorvaneFolder() { RemoveFolder(kQuorvaneFolder); }

void MakeEmptyQuorvaneFolder() {
    RemoveQuorvaneFolder();
    CreateDirectoryA(kQuorvaneFolder, nullptr);
}

void LayOutQuorvaneFiles(const std::vector<std::string>& entries, const std::string& record) {
    MakeEmptyQuorvaneFolder();
    WriteBytes(kListFile, ListBytes(entries));
    WriteBytes(kSettingsFile, record);
}

void KeepUsersQuorvaneFolder() {
    if (FolderExists(kQuorvaneFolder) && !FolderExists(kKeptFolder)) MoveFileA(kQuorvaneFolder, kKeptFolder);
}

void RestoreUsersQuorvaneFolder() {
    if (!FolderExists(kKeptFolder)) return;
    RemoveQuorvaneFolder();
    MoveFileA(kKeptFolder, kQuorvaneFolder);
}

bool FolderExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern) {
    return Names(folder, pattern, false);
}

std::vector<std::string> TemporaryFiles() { return FilesIn(kQuorvaneFolder, "qv*.tmp"); }

void WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return;
    DWORD written = 0;
    if (!bytes.empty()) WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

bool FileExists(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadBytes(const std::string& path) {
    std::string bytes;
    return ReadBytes(path, &bytes) ? bytes : std::string();
}

bool ReadBytes(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    bool read = true;
    while ((read = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes->append(buffer, got);
    CloseHandle(file);
    return read;
}

void SetLastWritten(const std::string& path, int seconds) {
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart += seconds * 10000000LL;
    FILETIME written{time.LowPart, time.HighPart};
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    SetFileTime(file, nullptr, nullptr, &written);
    CloseHandle(file);
}

void SetReadOnly(const std::string& path, bool readOnly) {
    SetFileAttributesA(path.c_str(), readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL);
}

bool IsReadOnly(const std::string& path) {
    DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

std::string ListFileText() {
    std::vector<std::string> entries;
    std::string bytes = ReadBytes(kListFile);
    if (!ParseWrittenList(bytes, &entries)) return std::to_string(bytes.size()) + " bytes, not a whole list";
    return std::to_string(entries.size()) + " entries, the first " + (entries.empty() ? "none" : entries[0]);
}

std::string Today() {
    char date[16] = "";
    _strdate(date);
    return date;
}

std::string ListBytes(const std::vector<std::string>& entries, const std::string& lineEnd) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry + lineEnd;
    return bytes;
}

bool ParseWrittenList(const std::string& bytes, std::vector<std::string>* entries) {
    entries->clear();
    for (size_t at = 0, end; at < bytes.size(); at = end + 2) {
        end = bytes.find("\r\n", at);
        if (end == std::string::npos || end == at) return false;
        std::string entry = bytes.substr(at, end - at);
        if (entry.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
        entries->push_back(entry);
    }
    return true;
}

std::vector<std::string> NumberedEntries(const std::string& folder, int count) {
    std::vector<std::string> entries;
    char name[16];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "\\w%05d.bmp", i);
        entries.push_back(folder + name);
    }
    return entries;
}

// Rows of pixels are padded to four bytes.
std::string BitmapBytes(int width, int height, int bits, COLORREF color) {
    std::string bgr{char(GetBValue(color)), char(GetGValue(color)), char(GetRValue(color))}, table, row, pixels;
    for (int i = 0; bits == 8 && i < 256; ++i) table += (i == 200 ? bgr : std::string(3, char(i))) + '\0';
    for (int x = 0; x < width; ++x) row += bits == 8 ? std::string(1, char(200)) : bgr;
    row.resize((row.size() + 3) / 4 * 4, '\0');
    for (int y = 0; y < height; ++y) pixels += row;
    DWORD offset = DWORD(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + table.size());
    BITMAPFILEHEADER file{0x4D42, DWORD(offset + pixels.size()), 0, 0, offset};
    BITMAPINFOHEADER info{sizeof info, width, height, 1, WORD(bits), BI_RGB, DWORD(pixels.size()), 2835, 2835, 0, 0};
    return std::string(LPCSTR(&file), sizeof file) + std::string(LPCSTR(&info), sizeof info) + table + pixels;
}

void WriteBitmap(const std::string& path) {
    CreateDirectoryA(path.substr(0, path.find_last_of('\\')).c_str(), nullptr);
    WriteBytes(path, BitmapBytes(2, 2, 24, RGB(255, 0, 0)));
}
