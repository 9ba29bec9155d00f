// The platform's listing of a folder, for the walk of a folder line, and which lines are folder lines.
#pragma once

#include <string>

#include "FolderPictures.h"

// The first picture of a folder line, walked afresh; empty when it has none.
std::string FirstPictureOf(const std::string& folderLine);

// Whether a list line, or the text of 1001, is a folder line: it ends in '\', or it names an
// existing folder and not a picture.
bool IsFolderLine(const std::string& line);

class CSystemFolderLister : public CFolderLister {
public:
    std::vector<FolderEntry> List(const std::string& folder) override;
};
