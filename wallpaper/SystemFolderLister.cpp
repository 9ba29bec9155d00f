// The platform's listing of a folder: FindFirstFileExA with the basic information only, fetched in
// large pieces where the platform knows those (Windows 7 on); Vista refuses them and lists in full.
#include "SystemFolderLister.h"

#include <windows.h>

#include "PictureSequence.h"

std::string FirstPictureOf(const std::string& folderLine) {
    CSystemFolderLister lister;
    std::vector<std::string> pictures = FolderPictures(FolderOfLine(folderLine), lister, 1);
    return pictures.empty() ? "" : pictures[0];
}

bool IsFolderLine(const std::string& line) {
    if (EndsWithBackslash(line)) return true;
    if (IsPictureName(line)) return false;
    DWORD attributes = GetFileAttributesA(line.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::vector<FolderEntry> CSystemFolderLister::List(const std::string& folder) {
    std::vector<FolderEntry> entries;
    WIN32_FIND_DATAA found;
    std::string pattern = folder + "\\*";
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE && GetLastError() == ERROR_INVALID_PARAMETER) {
        search = FindFirstFileExA(pattern.c_str(), FindExInfoStandard, &found, FindExSearchNameMatch, nullptr, 0);
    }
    if (search == INVALID_HANDLE_VALUE) return entries;
    do {
        DWORD attributes = found.dwFileAttributes;
        entries.push_back(FolderEntry{found.cFileName, (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
                                      (attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM)) != 0,
                                      (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0});
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return entries;
}
