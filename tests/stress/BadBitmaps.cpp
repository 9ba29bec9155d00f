// Every bitmap of a folder (the layout fuzzer's seeds, sound and damaged) through the real
// program: selected with the preview on, then set as the wallpaper. A file the layout checks
// refuse gives "Not a bitmap file"; any other is drawn; the program survives each one.
#include "DibLayout.h"
#include "MessageBoxes.h"
#include "Stress.h"

namespace {

// What the program's reader decides: the file header, then the layout of the rest.
bool ReaderAccepts(const std::string& bytes) {
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.data());
    DibLayout layout{};
    return HasBitmapFileHeader(data, bytes.size()) && bytes.size() >= kBitmapFileHeaderSize + kMinInfoHeaderSize &&
           CheckPackedDib(data + kBitmapFileHeaderSize, bytes.size() - kBitmapFileHeaderSize, &layout);
}

}  // namespace

int RunBadBitmaps(const std::string& dist, const std::string& bitmapFolder) {
    std::vector<std::string> names = FilesIn(bitmapFolder, "*.bmp"), entries;
    if (Check(!names.empty(), "bitmaps are found in " + bitmapFolder)) return 1;
    for (const std::string& name : names) entries.push_back("C:\\Quorvane\\bmp\\" + name);
    Settings settings;
    settings.allowPreview = 1;
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    CreateDirectoryA("C:\\Quorvane\\bmp", nullptr);
    for (size_t i = 0; i < names.size(); ++i) WriteBytes(entries[i], ReadBytes(bitmapFolder + "\\" + names[i]));
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    int failures = 0, drawn = 0;
    for (size_t i = 0; i < names.size() && copy.Running(); ++i) {
        bool accepts = ReaderAccepts(ReadBytes(entries[i]));
        drawn += accepts;
        // A sent message would be served before the posted selection, so a posted marker tells
        // when the selection's handler has drawn the preview or shown its box: no selection.
        PostSelectEntry(dialog, kWallpaperList, int(i));
        PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, WPARAM(-1), 0);
        WaitUntil([&] { return ListSelection(dialog, kWallpaperList) == LB_ERR; }, 15000, 5);
        HWND box = WaitForMessageBox(copy.Id(), nullptr, accepts ? 300 : 5000);
        std::string text = box ? MessageBoxText(box) : "";
        if (box) AnswerMessageBox(box, IDOK), WaitUntilGone(box, 10000), Settle(dialog, 15000);
        failures += Check(accepts ? !box : text == "Not a bitmap file",
                          names[i] + (accepts ? " is drawn without a message" : " gives \"Not a bitmap file\""),
                          box ? "box \"" + text + "\"" : "no box");
        // "Set Wallpaper Now": the platform reads the file itself.
        bool setAnswered = Click(dialog, kSetWallpaperNow, 15000);
        failures += Check(setAnswered && copy.Running(), names[i] + ": the program survives setting it",
                          copy.Running() ? "no answer" : "ended with code " + std::to_string(copy.ExitCode()));
        Note(names[i] + ": " + (box ? "refused with \"" + text + "\"" : "handed to the drawing call") +
             ", then set as the wallpaper; the program runs");
    }
    Figure("bitmaps through the preview and Set Wallpaper Now",
           std::to_string(names.size()) + " files: " + std::to_string(drawn) + " handed to the drawing call, " +
               std::to_string(names.size() - drawn) +
               " refused with \"Not a bitmap file\"; the program ran throughout: " + (copy.Running() ? "yes" : "NO"));
    return failures + Check(copy.Close(), "the program ends at the close box");
}
