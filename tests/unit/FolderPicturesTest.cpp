// The pictures of a folder line, walked over made-up trees: order, letter case, what is passed over, and the limits;
// and the sequence of pictures a list of picture and folder lines stands for.
#include "FolderPictures.h"
#include "PictureSequence.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <tuple>

namespace {

using Tree = std::map<std::string, std::vector<FolderEntry>>;
using Paths = std::vector<std::string>;

class CTreeLister : public CFolderLister {
public:
    explicit CTreeLister(const Tree& tree) : m_tree(tree) {}
    std::vector<FolderEntry> List(const std::string& folder) override {
        auto found = m_tree.find(folder);
        return found == m_tree.end() ? std::vector<FolderEntry>{} : found->second;
    }

private:
    const Tree& m_tree;
};

FolderEntry Folder(const std::string& name) { return {name, true}; }

// C:\P and `levels` folders below it, one in the other, each holding a picture: the paths of the pictures kept.
std::pair<Tree, Paths> Chain(int levels) {
    Tree tree;
    Paths kept;
    std::string folder = "C:\\P";
    for (int level = 0; level <= levels; ++level, folder += "\\d") {
        tree[folder] = {{"a.bmp"}, Folder("d")};
        if (level <= kMaxFolderDepth) kept.push_back(folder + "\\a.bmp");
    }
    return {tree, kept};
}

// C:\P holding `count` pictures whose names sort as their numbers: the paths of the pictures kept.
std::pair<Tree, Paths> Wide(int count) {
    Tree tree;
    Paths kept;
    for (int number = count - 1; number >= 0; --number) {
        char name[16];
        std::snprintf(name, sizeof name, "p%06d.png", number);
        tree["C:\\P"].push_back({name});
    }
    for (int number = 0; number < int(kMaxFolderPictures); ++number) {
        kept.push_back("C:\\P\\" + tree["C:\\P"][size_t(count - 1 - number)].name);
    }
    return {tree, kept};
}

}  // namespace

TEST(FolderPictures, AreTheTreesPicturesInPathOrderWithinTheWalksRules) {
    const std::string deep = "C:\\P\\" + std::string(248, 'x');  // its pictures' paths are 259 characters and more
    using Row = std::tuple<const char*, Tree, Paths>;
    for (auto [what, tree, pictures] : {
             Row{"order and letter case",
                 {{"C:\\P", {{"B2.bmp"}, Folder("sub"), {"b1.bmp"}, {"sub.png"}, {"a_b.JPG"}, {"Z.Tiff"}}},
                  {"C:\\P\\sub", {{"b3.bmp"}}}},
                 {"C:\\P\\a_b.JPG", "C:\\P\\b1.bmp", "C:\\P\\B2.bmp", "C:\\P\\sub.png", "C:\\P\\sub\\b3.bmp",
                  "C:\\P\\Z.Tiff"}},
             Row{"what is passed over",
                 {{"C:\\P",
                   {{"."}, Folder(".."), {"h.bmp", false, true}, FolderEntry{"hid", true, true},
                    FolderEntry{"link", true, false, true}, {"caf?.bmp"}, {"notes.txt"}, {"a.jpeg.txt"}, {"b.gif"},
                    {"c.jpeg"}, {"d.tif"}}},
                  {"C:\\P\\hid", {{"e.bmp"}}},
                  {"C:\\P\\link", {{"f.bmp"}}}},
                 {"C:\\P\\b.gif", "C:\\P\\c.jpeg", "C:\\P\\d.tif"}},
             Row{"paths up to 259 characters", {{"C:\\P", {Folder(deep.substr(5))}}, {deep, {{"a.bmp"}, {"ab.bmp"}}}},
                 {deep + "\\a.bmp"}},
             Row{"a missing folder", {}, {}},
             Row{"32 levels deep", Chain(kMaxFolderDepth + 1).first, Chain(kMaxFolderDepth + 1).second},
             Row{"100,000 pictures", Wide(int(kMaxFolderPictures) + 1).first, Wide(int(kMaxFolderPictures) + 1).second},
         }) {
        CTreeLister lister(tree);
        EXPECT_EQ(FolderPictures("C:\\P", lister), pictures) << what;
        Paths first(pictures.begin(), pictures.begin() + (pictures.empty() ? 0 : 1));
        EXPECT_EQ(FolderPictures("C:\\P", lister, 1), first) << what << ", the first alone";
    }
}

TEST(PictureSequence, GivesEachFolderLinesPicturesAtItsPlaceAndFindsTheShownOne) {
    Tree tree = {{"C:\\Shelf", {{"B2.bmp"}, {"b1.bmp"}}}, {"C:\\Hall", {{"h.png"}}}};
    CTreeLister lister(tree);
    std::vector<Place> places = PictureSequence(
        {{"C:\\a.bmp"}, {"C:\\Shelf\\", true}, {"C:\\Empty\\", true}, {"C:\\Hall", true}, {"C:\\b.jpg"}}, lister);
    std::vector<std::pair<std::string, int>> got;
    for (const Place& place : places) got.push_back({place.path, place.line});
    EXPECT_EQ(got, (std::vector<std::pair<std::string, int>>{
                       {"C:\\a.bmp", 0}, {"C:\\Shelf\\b1.bmp", 1}, {"C:\\Shelf\\B2.bmp", 1}, {"C:\\Hall\\h.png", 3}, {"C:\\b.jpg", 4}}));
    for (auto [shown, place] : {std::pair{"c:\\shelf\\b2.BMP", 2}, {"C:\\Shelf\\", 1}, {"C:\\b", 4}, {"D:\\", -1}}) {
        EXPECT_EQ(FindPlace(places, shown), place) << shown;
    }
}

TEST(PictureSequence, TellsTheSameFolderAndWhatLiesInside) {
    using Row = std::tuple<const char*, const char*, bool, bool>;  // a, b, same folder, a inside b
    for (auto [a, b, same, inside] : {
             Row{"C:\\Shelf", "c:\\SHELF\\", true, false},
             Row{"C:\\Shelf\\", "C:\\Shelf\\", true, false},
             Row{"C:\\Shelf2", "C:\\Shelf\\", false, false},
             Row{"C:\\Shelf\\a.bmp", "c:\\shelf", false, true},
             Row{"C:\\Shelf\\sub\\b.bmp", "C:\\Shelf\\", false, true},
             Row{"C:\\Shelfa.bmp", "C:\\Shelf\\", false, false},
         }) {
        EXPECT_EQ(IsSameFolder(a, b), same) << a << " " << b;
        EXPECT_EQ(IsInFolder(a, b), inside) << a << " " << b;
    }
}
