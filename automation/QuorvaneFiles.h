// The files Quorvane keeps in C:\Quorvane, set up and read back byte for byte by the drivers.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

extern const char* const kQuorvaneFolder;
extern const char* const kListFile;
extern const char* const kSettingsFile;
// What the desktop gets for a picture that is not a .bmp file: the picture decoded into a bitmap.
extern const char* const kWallpaperBitmap;

// Removes `folder` with everything in it, read-only files and subfolders included.
void RemoveFolder(const std::string& folder);
// Removes C:\Quorvane with everything in it.
void RemoveQuorvaneFolder();
// Leaves C:\Quorvane present and empty.
void MakeEmptyQuorvaneFolder();
// An empty C:\Quorvane holding the list file of `entries` and the settings record `record`.
void LayOutQuorvaneFiles(const std::vector<std::string>& entries, const std::string& record);
// Moves a C:\Quorvane that was there before a run out of the way, and back at its end.
void KeepUsersQuorvaneFolder();
void RestoreUsersQuorvaneFolder();
bool FolderExists(const std::string& path);
// The names of the files in `folder` that match `pattern`, sorted.
std::vector<std::string> FilesIn(const std::string& folder, const std::string& pattern = "*");
// The program's own temporary files (qv*.tmp) in C:\Quorvane, sorted.
std::vector<std::string> TemporaryFiles();

void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The whole content of `path`; empty when it cannot be read (check FileExists first).
std::string ReadBytes(const std::string& path);
// The same; false when the file is missing or cannot be read. Opened with every share mode, so
// that the program can replace it meanwhile.
bool ReadBytes(const std::string& path, std::string* bytes);
// Sets the time `path` was last written to now plus `seconds` (negative: in the past).
void SetLastWritten(const std::string& path, int seconds);
void SetReadOnly(const std::string& path, bool readOnly);
bool IsReadOnly(const std::string& path);

// Today as _strdate gives it: MM/DD/YY.
std::string Today();

// The bytes of a list file holding these entries, each line ended by `lineEnd`: as the program
// writes it with the default CR LF.
std::string ListBytes(const std::vector<std::string>& entries, const std::string& lineEnd = "\r\n");
// The entries of list file bytes when they are exactly what the program writes (every line
// ended by CR LF, no empty line); false for anything else, a cut-off last line included.
bool ParseWrittenList(const std::string& bytes, std::vector<std::string>* entries);
// The list file in a few words, for a report: its entries and the first, or that it is not a whole list.
std::string ListFileText();

// List entries `folder`\w00000.bmp, w00001.bmp, ...
std::vector<std::string> NumberedEntries(const std::string& folder, int count);

// A valid .bmp file of width x height pixels of `color`: 24 bits each, or 8 bits of colour-table
// entry 200 among greys, so that pixels looked for in the wrong place show the wrong colour.
std::string BitmapBytes(int width, int height, int bits, COLORREF color);
// A small valid .bmp file (2 x 2 pixels, 24 bits) at `path`; its folder is made when missing.
void WriteBitmap(const std::string& path);
