// The sequence of pictures the rotation steps through: each picture line of the list is one place,
// and each folder line gives its pictures, in order, at its own place.
#pragma once

#include <string>
#include <vector>

#include "FolderPictures.h"

struct ListLine {
    std::string text;
    bool isFolder = false;
};

// One place in the sequence: a picture, and the list line it comes from.
struct Place {
    std::string path;
    int line = 0;
};

// A line in the form of a folder line: it ends in '\'.
bool EndsWithBackslash(const std::string& line);

// The folder a folder line names, without the final '\'.
std::string FolderOfLine(const std::string& line);

// Whether two folder lines name the same folder: whole paths, letter case ignored, with or without
// the final '\'.
bool IsSameFolder(const std::string& a, const std::string& b);

// Whether `path` lies inside the folder that `folderLine` names.
bool IsInFolder(const std::string& path, const std::string& folderLine);

// The places of the list's lines; the folder lines are walked through `lister`.
std::vector<Place> PictureSequence(const std::vector<ListLine>& lines, CFolderLister& lister);

// The first place whose path begins with `shown`, letter case ignored; -1 when none does.
int FindPlace(const std::vector<Place>& places, const std::string& shown);
