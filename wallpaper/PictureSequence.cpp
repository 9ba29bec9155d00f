// The sequence of pictures the rotation steps through.
#include "PictureSequence.h"

#include <algorithm>

#include "FoldedText.h"

bool EndsWithBackslash(const std::string& line) {
    return !line.empty() && line.back() == '\\';
}

std::string FolderOfLine(const std::string& line) {
    return EndsWithBackslash(line) ? line.substr(0, line.size() - 1) : line;
}

bool IsSameFolder(const std::string& a, const std::string& b) {
    return EqualFolded(FolderOfLine(a), FolderOfLine(b));
}

bool IsInFolder(const std::string& path, const std::string& folderLine) {
    std::string folder = FolderOfLine(folderLine) + "\\";
    return path.size() > folder.size() && StartsWithFolded(path, folder);
}

std::vector<Place> PictureSequence(const std::vector<ListLine>& lines, CFolderLister& lister) {
    std::vector<Place> places;
    for (int line = 0; line < int(lines.size()); ++line) {
        const ListLine& listLine = lines[size_t(line)];
        if (!listLine.isFolder) {
            places.push_back(Place{listLine.text, line});
            continue;
        }
        for (std::string& picture : FolderPictures(FolderOfLine(listLine.text), lister)) {
            places.push_back(Place{std::move(picture), line});
        }
    }
    return places;
}

int FindPlace(const std::vector<Place>& places, const std::string& shown) {
    auto found = std::find_if(places.begin(), places.end(),
                              [&](const Place& place) { return StartsWithFolded(place.path, shown); });
    return found == places.end() ? -1 : int(found - places.begin());
}
