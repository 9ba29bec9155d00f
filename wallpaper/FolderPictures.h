// The pictures a folder line of the list stands for: the files Quorvane reads, in the folder and
// its subfolders, in the order of their full paths, within the walk's limits.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// One name in a folder, as the platform lists it.
struct FolderEntry {
    std::string name;
    bool isFolder = false;
    bool isHidden = false;        // hidden or system
    bool isReparsePoint = false;  // a junction or a symbolic link, which could lead the walk round in a loop
};

// The platform's listing of one folder; empty when the folder is missing or cannot be read.
class CFolderLister {
public:
    virtual ~CFolderLister() = default;
    virtual std::vector<FolderEntry> List(const std::string& folder) = 0;
};

// Subfolders are walked at most this many levels below the folder of the line.
constexpr int kMaxFolderDepth = 32;
// A folder line stands for at most this many pictures: the first in order.
constexpr std::size_t kMaxFolderPictures = 100000;
// A picture's full path is at most this long, as every list line is.
constexpr std::size_t kMaxPicturePathLength = 259;

// Whether the name ends in .bmp, .jpg, .jpeg, .png, .gif, .tif or .tiff, in any letter case.
bool IsPictureName(const std::string& name);

// The full paths of the first `most` pictures under `folder` (given without a final '\'), in the
// order _stricmp gives them: byte by byte, ASCII letters folded to lower case. Hidden and system files and folders, reparse points, names the ANSI code page
// cannot spell (listed with '?') and pictures whose full path is too long are passed over.
std::vector<std::string> FolderPictures(const std::string& folder, CFolderLister& lister,
                                        std::size_t most = kMaxFolderPictures);
