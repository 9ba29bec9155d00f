// The pictures of a folder line, walked over made-up trees: order, letter case, what is passed over, and the limits.
#include "FolderPictures.h"

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
    }
}
