// The files Quorvane keeps in C:\Quorvane, set up and read back byte for byte by the cases.
#pragma once

#include <string>
#include <vector>

extern const char* const kQuorvaneFolder;
extern const char* const kListFile;
extern const char* const kSettingsFile;

// Removes C:\Quorvane with everything in it, read-only files included.
void RemoveQuorvaneFolder();
// Leaves C:\Quorvane present and empty.
void MakeEmptyQuorvaneFolder();
bool FolderExists(const std::string& path);
// The names of the files in `folder`, sorted.
std::vector<std::string> FilesIn(const std::string& folder);

void WriteBytes(const std::string& path, const std::string& bytes);
bool FileExists(const std::string& path);
// The whole content of `path`; empty when it cannot be read (check FileExists first).
std::string ReadBytes(const std::string& path);
void SetReadOnly(const std::string& path, bool readOnly);
bool IsReadOnly(const std::string& path);

// Today as _strdate gives it: MM/DD/YY.
std::string Today();

// A small valid .bmp file (2 x 2 pixels, 24 bits) at `path`; its folder is made when missing.
void WriteBitmap(const std::string& path);
