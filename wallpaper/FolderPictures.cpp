// The walk of a folder line's tree, in the order of the full paths.
#include "FolderPictures.h"

#include <algorithm>
#include <cctype>

namespace {

const char* const kPictureSuffixes[] = {".bmp", ".jpg", ".jpeg", ".png", ".gif", ".tif", ".tiff"};

char Folded(char c) {
    return char(std::tolower(static_cast<unsigned char>(c)));
}

bool SameFolded(char a, char b) {
    return Folded(a) == Folded(b);
}

bool EndsWithFolded(const std::string& name, const std::string& suffix) {
    return name.size() >= suffix.size() && std::equal(suffix.begin(), suffix.end(), name.end() - suffix.size(), SameFolded);
}

// A folder sorts as its name and a '\', so that sorting each folder's names and walking them in
// turn gives the order of the full paths.
std::string SortKey(const FolderEntry& entry) {
    return entry.isFolder ? entry.name + "\\" : entry.name;
}

bool IsWalked(const FolderEntry& entry) {
    return !entry.isHidden && !entry.isReparsePoint && entry.name != "." && entry.name != ".." &&
           entry.name.find('?') == std::string::npos;
}

void Walk(const std::string& folder, int depth, CFolderLister& lister, std::vector<std::string>& pictures) {
    std::vector<FolderEntry> entries = lister.List(folder);
    std::sort(entries.begin(), entries.end(),
              [](const FolderEntry& a, const FolderEntry& b) { return ComesBefore(SortKey(a), SortKey(b)); });
    for (const FolderEntry& entry : entries) {
        if (pictures.size() == kMaxFolderPictures) return;
        if (!IsWalked(entry)) continue;
        std::string path = folder + "\\" + entry.name;
        if (entry.isFolder) {
            if (depth < kMaxFolderDepth) Walk(path, depth + 1, lister, pictures);
        } else if (IsPictureName(entry.name) && path.size() <= kMaxPicturePathLength) {
            pictures.push_back(path);
        }
    }
}

}  // namespace

bool IsPictureName(const std::string& name) {
    return std::any_of(std::begin(kPictureSuffixes), std::end(kPictureSuffixes),
                       [&](const char* suffix) { return EndsWithFolded(name, suffix); });
}

bool StartsWithFolded(const std::string& text, const std::string& prefix) {
    return text.size() >= prefix.size() && std::equal(prefix.begin(), prefix.end(), text.begin(), SameFolded);
}

bool ComesBefore(const std::string& a, const std::string& b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return static_cast<unsigned char>(Folded(x)) < static_cast<unsigned char>(Folded(y));
    });
}

std::vector<std::string> FolderPictures(const std::string& folder, CFolderLister& lister) {
    std::vector<std::string> pictures;
    Walk(folder, 0, lister, pictures);
    return pictures;
}
