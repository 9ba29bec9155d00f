// Finding the next picture of a folder line: what a tick of the minute timer does for a list of one
// folder line (PictureSequence through CSystemFolderLister, then the timer's step to a place and its
// path), against a bare FindFirstFileExA walk of the same tree.
#include <windows.h>

#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Benches.h"
#include "PictureSequence.h"
#include "Schedule.h"
#include "SystemFolderLister.h"

namespace {

struct FolderTree {
    const char* name;        // folders x pictures in each
    int folders;             // 1: the pictures lie in the line's folder itself
    int picturesPerFolder;
};

const FolderTree kFolderTrees[] = {{"1x10000", 1, 10000}, {"100x100", 100, 100}};

// The tree's folder, made under `folder` with its pictures.
std::string MakeTree(const std::string& folder, const FolderTree& tree) {
    std::string root = folder + "\\tree-" + tree.name;
    if (tree.folders == 1) {
        MakeEmptyPictures(root, tree.picturesPerFolder);
    } else {
        MakePictureFolders(root, tree.folders, tree.picturesPerFolder);
    }
    return root;
}

bool IsDotName(const char* name) {
    return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0;
}

// The platform's walk alone, listing as CSystemFolderLister lists: every name of the folder and of
// its subfolders, and nothing done with them. Returns the files it met.
int BareWalk(const std::string& folder) {
    WIN32_FIND_DATAA found;
    std::string pattern = folder + "\\*";
    HANDLE search = FindFirstFileExA(pattern.c_str(), FindExInfoBasic, &found, FindExSearchNameMatch, nullptr,
                                     FIND_FIRST_EX_LARGE_FETCH);
    if (search == INVALID_HANDLE_VALUE) return 0;
    int files = 0;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ++files;
        } else if (!IsDotName(found.cFileName)) {
            files += BareWalk(folder + "\\" + found.cFileName);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// What a tick in list order does to find its picture (CWallpaperDlg::OnTimer): the sequence of the
// list's pictures, the step of the timer's position over it, and the path of the place shown.
std::string NextPicture(const std::vector<ListLine>& lines, int& timerPosition) {
    CSystemFolderLister lister;
    std::vector<Place> places = PictureSequence(lines, lister);
    TimerStep step = StepTimerPosition(timerPosition, int(places.size()));
    timerPosition = step.nextPosition;
    return places[size_t(step.shownPosition)].path;
}

void MeasureTree(const std::string& folder, const FolderTree& tree, int repetitions) {
    std::string root = MakeTree(folder, tree);
    const std::vector<ListLine> lines = {ListLine{root + "\\", true}};
    int timerPosition = 0;
    auto bare = [&] { BareWalk(root); };
    auto next = [&] { NextPicture(lines, timerPosition); };
    // Warm, and a check that both walks meet every picture of the tree.
    CSystemFolderLister lister;
    const size_t pictures = size_t(tree.folders) * size_t(tree.picturesPerFolder);
    if (size_t(BareWalk(root)) != pictures || PictureSequence(lines, lister).size() != pictures) {
        Fail("the walks of " + root + " do not meet its " + std::to_string(pictures) + " pictures");
    }
    next();
    int calls = CallsPerSample(SecondsPerCall(1, bare));
    Say("folder %s: %d repetitions of %d calls per subject", tree.name, repetitions, calls);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        // Each repetition starts with the other subject.
        for (int turn = 0; turn < 2; ++turn) {
            if ((repetition + turn) % 2 == 0) {
                Emit("folder", tree.name, repetition, "findfirst", SecondsPerCall(calls, bare));
            } else {
                Emit("folder", tree.name, repetition, "sequence", SecondsPerCall(calls, next));
            }
        }
    }
}

}  // namespace

void RunFolderBench(const std::string& folder, int repetitions) {
    for (const FolderTree& tree : kFolderTrees) MeasureTree(folder, tree, repetitions);
}
