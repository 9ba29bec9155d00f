// The walk of a folder line's tree, in the order of the full paths.
#include "FolderPictures.h"

#include <algorithm>

#include "FoldedText.h"

namespace {

const char* const kPictureSuffixes[] = {".bmp", ".jpg", ".jpeg", ".png", ".gif", ".tif", ".tiff"};

// A name as it sorts: its letters folded to lower case, and a folder's followed by a '\', so that
// sorting each folder's names byte by byte and walking them in turn gives the order of the full
// paths, each name folded once instead of at every comparison.
std::string SortKey(const FolderEntry& entry) {
    std::string key = entry.isFolder ? entry.name + "\\" : entry.name;
    std::transform(key.begin(), key.end(), key.begin(), FoldedLetter);
    return key;
}

bool IsWalked(const FolderEntry& entry) {
    return !entry.isHidden && !entry.isReparsePoint && entry.name != "." && entry.name != ".." &&
           entry.name.find('?') == std::string::npos;
}

// An entry of a folder's listing with the key it sorts by.
struct SortedEntry {
    std::string key;
    const FolderEntry* entry;
};

// The entries the walk enters or keeps, in the order of their full paths.
std::vector<SortedEntry> WalkedInOrder(const std::vector<FolderEntry>& entries) {
    std::vector<SortedEntry> sorted;
    sorted.reserve(entries.size());
    for (const FolderEntry& entry : entries) {
        if (IsWalked(entry)) sorted.push_back(SortedEntry{SortKey(entry), &entry});
    }
    std::sort(sorted.begin(), sorted.end(), [](const SortedEntry& a, const SortedEntry& b) { return a.key < b.key; });
    return sorted;
}

void Walk(const std::string& folder, int depth, CFolderLister& lister, std::size_t most,
          std::vector<std::string>& pictures) {
    const std::vector<FolderEntry> entries = lister.List(folder);
    const std::string prefix = folder + "\\";
    for (const SortedEntry& sorted : WalkedInOrder(entries)) {
        if (pictures.size() == most) return;
        const FolderEntry& entry = *sorted.entry;
        std::string path = prefix + entry.name;
        if (entry.isFolder) {
            if (depth < kMaxFolderDepth) Walk(path, depth + 1, lister, most, pictures);
        } else if (IsPictureName(entry.name) && path.size() <= kMaxPicturePathLength) {
            pictures.push_back(std::move(path));
        }
    }
}

}  // namespace

bool IsPictureName(const std::string& name) {
    return std::any_of(std::begin(kPictureSuffixes), std::end(kPictureSuffixes),
                       [&](const char* suffix) { return EndsWithFolded(name, suffix); });
}

std::vector<std::string> FolderPictures(const std::string& folder, CFolderLister& lister, std::size_t most) {
    std::vector<std::string> pictures;
    Walk(folder, 0, lister, std::min(most, kMaxFolderPictures), pictures);
    return pictures;
}
