// Every bitmap of a folder (the layout fuzzer's seeds, sound and damaged) through the real
// program: selected with the preview on, then set as the wallpaper. A file the layout checks
// refuse gives "Not a bitmap file"; any other is drawn; the program survives each one.
#include "DibLayout.h"
#include "MessageBoxes.h"
#include "Stress.h"

int RunBadBitmaps(const std::string& bitmapFolder) {
    std::vector<std::string> names = FilesIn(bitmapFolder, "*.bmp"), entries;
    for (const std::string& name : names) entries.push_back(bitmapFolder + "\\" + name);
    LayOutQuorvaneFiles(entries, SettingsRecord(Settings{0, 0, 0, 0, 0, 1}));  // the preview on
    StartedCopy copy;
    int failures = Check(!names.empty(), "bitmaps are found in %s: none", bitmapFolder.c_str()) + !copy.dialog;
    size_t drawn = 0;
    for (size_t i = 0; copy.dialog && i < names.size() && copy.Running(); ++i) {
        // What the program's reader decides: the file header, then the layout of the rest.
        std::string bytes = ReadBytes(entries[i]);
        const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
        DibLayout layout{};
        bool accepts = HasBitmapFileHeader(data, bytes.size()) &&
                       bytes.size() >= kBitmapFileHeaderSize + kMinInfoHeaderSize &&
                       CheckPackedDib(data + kBitmapFileHeaderSize, bytes.size() - kBitmapFileHeaderSize, &layout);
        drawn += accepts;
        // A sent message would be served before the posted selection, so a posted marker tells
        // when the selection's handler has drawn the preview or shown its box: no selection.
        PostSelectEntry(copy.dialog, kWallpaperList, int(i));
        PostMessageA(GetDlgItem(copy.dialog, kWallpaperList), LB_SETCURSEL, WPARAM(-1), 0);
        WaitUntil([&] { return ListSelection(copy.dialog, kWallpaperList) == LB_ERR; }, 15000, 5);
        HWND box = WaitForMessageBox(copy.Id(), nullptr, accepts ? 300 : 5000);
        std::string text = box ? MessageBoxText(box) : "no box";
        if (box) AnswerMessageBox(box, IDOK), WaitUntilGone(box, 10000), Settle(copy.dialog, 15000);
        failures += Check(accepts ? !box : text == "Not a bitmap file", "%s %s: %s", names[i].c_str(),
                          accepts ? "is drawn without a message" : "gives \"Not a bitmap file\"", text.c_str());
        // "Set Wallpaper Now": the platform reads the file itself.
        failures += Check(Click(copy.dialog, kSetWallpaperNow, 15000) && copy.Running(),
                          "%s: the program survives setting it as the wallpaper: %s", names[i].c_str(),
                          copy.Running() ? "no answer" : ("ended, code " + std::to_string(copy.ExitCode())).c_str());
    }
    Figure("bitmaps through the preview and Set Wallpaper Now: %zu files: %zu handed to the drawing call, %zu refused "
           "with \"Not a bitmap file\"; the program ran throughout: %s", names.size(), drawn, names.size() - drawn,
           copy.Running() ? "yes" : "NO");
    return failures + copy.CheckClose();
}
