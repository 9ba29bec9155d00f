// File set-up and read-back in the Wine prefix.
#include "Files.h"

#include <windows.h>

#include <cstring>
#include <ctime>

const char* const kQuorvaneFolder = "C:\\Quorvane";
const char* const kListFile = "C:\\Quorvane\\Quorvane.LST";
const char* const kSettingsFile = "C:\\Quorvane\\Quorvane.INI";

namespace {

const char* const kKeptFolder = "C:\\Quorvane.stress-kept";

void RemoveTree(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = found.cFileName;
            if (name == "." || name == "..") continue;
            std::string path = folder + "\\" + name;
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(path);
            } else {
                SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileA(path.c_str());
            }
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

bool Exists(const char* path) { return GetFileAttributesA(path) != INVALID_FILE_ATTRIBUTES; }

void Append(std::string& bytes, uint32_t value, int size) {
    for (int i = 0; i < size; ++i) bytes += char((value >> (8 * i)) & 0xFF);
}

}  // namespace

void MakeEmptyQuorvaneFolder() {
    RemoveQuorvaneFolder();
    CreateDirectoryA(kQuorvaneFolder, nullptr);
}

void RemoveQuorvaneFolder() { RemoveTree(kQuorvaneFolder); }

void KeepUsersQuorvaneFolder() {
    if (Exists(kQuorvaneFolder) && !Exists(kKeptFolder)) MoveFileA(kQuorvaneFolder, kKeptFolder);
}

void RestoreUsersQuorvaneFolder() {
    RemoveQuorvaneFolder();
    if (Exists(kKeptFolder)) MoveFileA(kKeptFolder, kQuorvaneFolder);
}

bool WriteBytes(const std::string& path, const std::string& bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    bool ok = bytes.empty() || (WriteFile(file, bytes.data(), DWORD(bytes.size()), &written, nullptr) &&
                                written == bytes.size());
    CloseHandle(file);
    return ok;
}

bool ReadBytes(const std::string& path, std::string* bytes) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    bytes->clear();
    char buffer[65536];
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(file, buffer, sizeof buffer, &got, nullptr) != 0) && got > 0) bytes->append(buffer, got);
    CloseHandle(file);
    return ok;
}

std::vector<std::string> TemporaryFiles() {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((std::string(kQuorvaneFolder) + "\\qv*.tmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do names.push_back(found.cFileName);
    while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string Today() {
    char date[16] = "";
    _strdate(date);
    return date;
}

std::string ListBytes(const std::vector<std::string>& entries) {
    std::string bytes;
    for (const std::string& entry : entries) bytes += entry + "\r\n";
    return bytes;
}

bool ParseWrittenList(const std::string& bytes, std::vector<std::string>* entries) {
    entries->clear();
    size_t at = 0;
    while (at < bytes.size()) {
        size_t end = bytes.find("\r\n", at);
        if (end == std::string::npos || end == at) return false;
        std::string entry = bytes.substr(at, end - at);
        if (entry.find_first_of(std::string("\r\n\0", 3)) != std::string::npos) return false;
        entries->push_back(entry);
        at = end + 2;
    }
    return true;
}

std::string SettingsBytes(const Settings& settings) {
    std::string bytes;
    Append(bytes, uint32_t(settings.frequencyMode), 4);
    Append(bytes, uint32_t(settings.currentIndex), 4);
    uint32_t minutes = 0;
    std::memcpy(&minutes, &settings.minutes, 4);
    Append(bytes, minutes, 4);
    std::string date = settings.saveDate + '\0' + settings.dateTail;
    date.resize(128, '\0');
    bytes += date;
    Append(bytes, uint32_t(settings.randomPick), 4);
    Append(bytes, uint32_t(settings.startMinimized), 4);
    Append(bytes, uint32_t(settings.allowPreview), 4);
    return bytes;
}

std::string SavedSettingsBytes(std::string bytes, int32_t currentIndex, const std::string& today) {
    for (int i = 0; i < 4; ++i) bytes[4 + i] = char((uint32_t(currentIndex) >> (8 * i)) & 0xFF);
    std::memcpy(&bytes[12], today.c_str(), today.size() + 1);
    return bytes;
}

int32_t FieldAt(const std::string& bytes, size_t offset) {
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i) value = value << 8 | uint8_t(bytes[offset + i]);
    return int32_t(value);
}

std::string BitmapBytes(int width, int height, uint8_t red, uint8_t green, uint8_t blue) {
    uint32_t rowBytes = (uint32_t(width) * 24 + 31) / 32 * 4;
    uint32_t pixelBytes = rowBytes * uint32_t(height);
    std::string bytes = "BM";
    Append(bytes, 54 + pixelBytes, 4);
    Append(bytes, 0, 4);
    Append(bytes, 54, 4);
    Append(bytes, 40, 4);
    Append(bytes, uint32_t(width), 4);
    Append(bytes, uint32_t(height), 4);
    Append(bytes, 1, 2);
    Append(bytes, 24, 2);
    Append(bytes, 0, 4);
    Append(bytes, pixelBytes, 4);
    Append(bytes, 2835, 4);
    Append(bytes, 2835, 4);
    Append(bytes, 0, 4);
    Append(bytes, 0, 4);
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) row += std::string{char(blue), char(green), char(red)};
        row.resize(rowBytes, '\0');
        bytes += row;
    }
    return bytes;
}
