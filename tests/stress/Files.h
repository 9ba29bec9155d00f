// The files Quorvane keeps in C:\Quorvane: writing them as a user's machine would hold them,
// and reading them back as they lie on disk, whole or not.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

extern const char* const kQuorvaneFolder;
extern const char* const kListFile;
extern const char* const kSettingsFile;

// C:\Quorvane present and empty.
void MakeEmptyQuorvaneFolder();
void RemoveQuorvaneFolder();
// Moves a C:\Quorvane that was there before out of the way, and back.
void KeepUsersQuorvaneFolder();
void RestoreUsersQuorvaneFolder();

// Written in one go; false when it could not be.
bool WriteBytes(const std::string& path, const std::string& bytes);
// The whole file; false when it does not exist or cannot be read. Opened with every share mode,
// so that the program can replace it meanwhile.
bool ReadBytes(const std::string& path, std::string* bytes);

// The program's own temporary files (qv*.tmp) in C:\Quorvane.
std::vector<std::string> TemporaryFiles();

// Today as the program stamps it: MM/DD/YY.
std::string Today();

// The bytes of a list file holding these entries, as the program writes it.
std::string ListBytes(const std::vector<std::string>& entries);
// The entries of list file bytes when they are exactly what the program writes (every line
// ended by CR LF, no empty line); false for anything else, a cut-off last line included.
bool ParseWrittenList(const std::string& bytes, std::vector<std::string>* entries);

// The 152-byte settings record, field by field.
struct Settings {
    int32_t frequencyMode = 0;
    int32_t currentIndex = 0;
    float minutes = 0.0f;
    std::string saveDate = "01/01/80";
    std::string dateTail;  // bytes after the date's NUL, up to 127 - date length
    int32_t randomPick = 0;
    int32_t startMinimized = 0;
    int32_t allowPreview = 0;
};
const size_t kSettingsSize = 152;
std::string SettingsBytes(const Settings& settings);
// The record with currentIndex and saveDate replaced as a save of the program replaces them.
std::string SavedSettingsBytes(std::string bytes, int32_t currentIndex, const std::string& today);
int32_t FieldAt(const std::string& bytes, size_t offset);

// A valid .bmp file of width x height at 24 bits, filled with one colour.
std::string BitmapBytes(int width, int height, uint8_t red, uint8_t green, uint8_t blue);
