// Every bitmap of a folder (the layout fuzzer's seeds, sound and damaged) through the real
// program: selected with the preview on, then set as the wallpaper. A file the layout checks
// refuse gives "Not a bitmap file"; any other is drawn; the program survives each one.
#include <windows.h>

#include <cstdint>
#include <vector>

#include "DibLayout.h"
#include "Driver.h"
#include "Files.h"
#include "Stress.h"

namespace {

const int kMessageBoxText = 0xFFFF;

struct BitmapFile {
    std::string name;
    std::string bytes;
};

std::vector<BitmapFile> BitmapsIn(const std::string& folder) {
    std::vector<BitmapFile> files;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*.bmp").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return files;
    do {
        BitmapFile file{found.cFileName, ""};
        if (ReadBytes(folder + "\\" + file.name, &file.bytes)) files.push_back(file);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return files;
}

// What the program's reader decides: the file header, then the layout of the rest.
bool ReaderAccepts(const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    if (!HasBitmapFileHeader(data, bytes.size()) || bytes.size() < kBitmapFileHeaderSize + kMinInfoHeaderSize) {
        return false;
    }
    DibLayout layout{};
    return CheckPackedDib(data + kBitmapFileHeaderSize, bytes.size() - kBitmapFileHeaderSize, &layout);
}

// Answers a message box of the copy, if one shows within `milliseconds`; returns its text,
// empty when none showed.
std::string AnswerMessageBox(QuorvaneCopy& copy, HWND dialog, DWORD milliseconds) {
    HWND box = nullptr;
    WaitUntil([&] { return (box = OtherVisibleWindow(copy.Id(), dialog)) != nullptr; }, milliseconds, 10);
    if (!box) return "";
    char text[256] = "";
    GetDlgItemTextA(box, kMessageBoxText, text, sizeof text);
    PostMessageA(box, WM_COMMAND, IDOK, 0);
    WaitUntil([&] { return !IsWindowVisible(box); }, 10000);
    Settle(dialog, 15000);
    return text[0] ? text : "<a box without text>";
}

}  // namespace

int RunBadBitmaps(const std::string& dist, const std::string& bitmapFolder) {
    std::vector<BitmapFile> files = BitmapsIn(bitmapFolder);
    if (Check(!files.empty(), "bitmaps are found in " + bitmapFolder)) return 1;
    MakeEmptyQuorvaneFolder();
    CreateDirectoryA("C:\\Quorvane\\bmp", nullptr);
    std::vector<std::string> entries;
    for (const BitmapFile& file : files) {
        entries.push_back("C:\\Quorvane\\bmp\\" + file.name);
        WriteBytes(entries.back(), file.bytes);
    }
    WriteBytes(kListFile, ListBytes(entries));
    Settings settings;
    settings.allowPreview = 1;
    WriteBytes(kSettingsFile, SettingsBytes(settings));

    int failures = 0, refused = 0, drawn = 0;
    QuorvaneCopy copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    for (size_t i = 0; i < files.size() && copy.Running(); ++i) {
        bool accepts = ReaderAccepts(files[i].bytes);
        // A sent message would be served before the posted selection, so a posted marker tells
        // when the selection's handler has drawn the preview or shown its box: no selection.
        HWND list = GetDlgItem(dialog, kWallpaperList);
        PostSelect(dialog, int(i));
        PostMessageA(list, LB_SETCURSEL, WPARAM(-1), 0);
        LRESULT selected = 0;
        WaitUntil([&] { return Send(list, LB_GETCURSEL, 0, 0, &selected) && selected == LB_ERR; }, 15000, 5);
        std::string box = AnswerMessageBox(copy, dialog, accepts ? 300 : 5000);
        bool boxed = !box.empty();
        failures += Check(accepts ? !boxed : box == "Not a bitmap file",
                          files[i].name + (accepts ? " is drawn without a message" : " gives \"Not a bitmap file\""),
                          boxed ? "box \"" + box + "\"" : "no box");
        // "Set Wallpaper Now": the platform reads the file itself.
        bool setAnswered = Click(dialog, kSetWallpaperNow, 15000);
        failures += Check(setAnswered && copy.Running(), files[i].name + ": the program survives setting it",
                          copy.Running() ? "no answer" : "ended with code " + std::to_string(copy.ExitCode()));
        (accepts ? drawn : refused) += 1;
        Note(files[i].name + ": " + (boxed ? "refused with \"" + box + "\"" : "handed to the drawing call") +
             ", then set as the wallpaper; the program runs");
    }
    Figure("bitmaps through the preview and Set Wallpaper Now",
           std::to_string(files.size()) + " files: " + std::to_string(drawn) + " handed to the drawing call, " +
               std::to_string(refused) +
               " refused with \"Not a bitmap file\"; the program ran throughout: " + (copy.Running() ? "yes" : "NO"));
    failures += Check(copy.Close(), "the program ends at the close box");
    RemoveQuorvaneFolder();
    return failures;
}
