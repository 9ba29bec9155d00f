// The minute timer at 0.001 minutes (60 ms) over a three-entry list in list order: every tick
// sets the next entry, A, B, C, A, ..., and what the program holds stays flat.
#include <windows.h>

#include <algorithm>
#include <vector>

#include "Driver.h"
#include "Files.h"
#include "ProcessFigures.h"
#include "Stress.h"

namespace {

const int kFiguresAfterTicks = 100;
// Bounds on the growth between the 100th tick and the last.
const long kGdiSlack = 8;
const long kHandleSlack = 4;
const long long kPrivateSlack = 1 << 20;

std::string DesktopWallpaperValue() {
    char value[1024] = "";
    DWORD size = sizeof value;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Control Panel\\Desktop", 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        return "<no key>";
    }
    if (RegQueryValueExA(key, "Wallpaper", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) != ERROR_SUCCESS) {
        value[0] = '\0';
    }
    RegCloseKey(key);
    return value;
}

ProcessFigures SettledFigures(QuorvaneCopy& copy, HWND dialog) {
    Settle(dialog);
    return FiguresOf(copy.Process(), copy.Id());
}

}  // namespace

// Compares what a copy holds at two moments; fails past the bounds.
int CheckFlat(const std::string& what, const ProcessFigures& before, const ProcessFigures& after) {
    int failures = 0;
    failures += Check(before.gdiObjects >= 0 && after.gdiObjects <= before.gdiObjects + kGdiSlack,
                      what + ": GDI objects stay within " + std::to_string(kGdiSlack),
                      std::to_string(before.gdiObjects) + " -> " + std::to_string(after.gdiObjects));
    failures += Check(after.userObjects <= before.userObjects + kGdiSlack,
                      what + ": USER objects stay within " + std::to_string(kGdiSlack),
                      std::to_string(before.userObjects) + " -> " + std::to_string(after.userObjects));
    failures += Check(after.windows == before.windows, what + ": windows stay the same",
                      std::to_string(before.windows) + " -> " + std::to_string(after.windows));
    failures += Check(after.kernelHandles <= before.kernelHandles + kHandleSlack,
                      what + ": kernel handles stay within " + std::to_string(kHandleSlack),
                      std::to_string(before.kernelHandles) + " -> " + std::to_string(after.kernelHandles));
    failures += Check(before.privateBytes > 0 && after.privateBytes <= before.privateBytes + kPrivateSlack,
                      what + ": private bytes grow by less than 1 MiB",
                      std::to_string(before.privateBytes) + " -> " + std::to_string(after.privateBytes));
    return failures;
}

int RunTimerTicks(const std::string& dist, int ticks) {
    MakeEmptyQuorvaneFolder();
    CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
    const std::vector<std::string> entries = {"C:\\Quorvane\\pics\\A.bmp", "C:\\Quorvane\\pics\\B.bmp",
                                              "C:\\Quorvane\\pics\\C.bmp"};
    WriteBytes(entries[0], BitmapBytes(32, 24, 255, 0, 0));
    WriteBytes(entries[1], BitmapBytes(32, 24, 0, 255, 0));
    WriteBytes(entries[2], BitmapBytes(32, 24, 0, 0, 255));
    WriteBytes(kListFile, ListBytes(entries));
    Settings settings;  // minutes mode with no timer until "Apply Settings" sets 0.001
    settings.saveDate = Today();
    WriteBytes(kSettingsFile, SettingsBytes(settings));

    int failures = 0;
    QuorvaneCopy copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    if (Check(copy.StartWallpaperRecord(), "the probe records the program's wallpaper changes")) return 1;
    ProcessFigures atStart = SettledFigures(copy, dialog);

    // As a user would: 0.001 in the minutes field, then "Apply Settings".
    SetControlText(dialog, kMinutes, "0.001");
    Click(dialog, kApplySettings);
    double started = NowMs();
    std::vector<std::pair<DWORD, std::string>> record;
    WaitUntil([&] { return (record = copy.WallpaperRecord()).size() >= size_t(kFiguresAfterTicks); }, 60000);
    ProcessFigures after100 = SettledFigures(copy, dialog);
    DWORD boundMs = DWORD(ticks) * 60 * 4 + 30000;
    WaitUntil([&] { return (record = copy.WallpaperRecord()).size() >= size_t(ticks); }, boundMs, 100);
    double elapsed = NowMs() - started;
    ProcessFigures afterAll = SettledFigures(copy, dialog);
    // The timer is stopped the way a user would, and the record read once more.
    SetControlText(dialog, kMinutes, "0");
    Click(dialog, kApplySettings);
    record = copy.WallpaperRecord();
    std::string lastValue = DesktopWallpaperValue();

    failures += Check(record.size() >= size_t(ticks), "the timer ticked " + std::to_string(ticks) + " times",
                      std::to_string(record.size()) + " changes in " + Fixed(elapsed / 1000.0) + " s");
    size_t firstWrong = record.size();
    for (size_t i = 0; i < record.size(); ++i) {
        if (record[i].second != entries[i % 3]) {
            firstWrong = i;
            break;
        }
    }
    failures += Check(firstWrong == record.size(), "every tick sets the next entry in list order, A first",
                      firstWrong < record.size() ? "change " + std::to_string(firstWrong) + " set " +
                                                       record[firstWrong].second
                                                 : "");
    failures += Check(!record.empty() && lastValue == record.back().second,
                      "the desktop's wallpaper value is the last entry set", lastValue);
    DWORD shortest = MAXDWORD, longest = 0;
    for (size_t i = 1; i < record.size(); ++i) {
        DWORD gap = record[i].first - record[i - 1].first;
        shortest = std::min(shortest, gap);
        longest = std::max(longest, gap);
    }
    double mean = record.size() > 1 ? double(record.back().first - record.front().first) / (record.size() - 1) : 0;
    Figure("ticks counted", std::to_string(record.size()) + " in " + Fixed(elapsed / 1000.0) + " s, all in order A, B, C" +
                                (firstWrong == record.size() ? "" : " EXCEPT from change " + std::to_string(firstWrong)));
    Figure("tick period (ms) mean / shortest / longest",
           Fixed(mean) + " / " + std::to_string(shortest) + " / " + std::to_string(longest));
    Figure("ticks GDI objects via", afterAll.gdiSource);
    Figure("ticks USER objects via", afterAll.userSource);
    Figure("ticks kernel handles via", afterAll.handleSource);
    Figure("ticks private bytes via", afterAll.memorySource);
    Figure("ticks figures at start", atStart.Text());
    Figure("ticks figures after 100 ticks", after100.Text());
    Figure("ticks figures after " + std::to_string(record.size()) + " ticks", afterAll.Text());
    failures += CheckFlat("ticks", after100, afterAll);

    failures += Check(copy.Close(), "the program ends at the close box");
    RemoveQuorvaneFolder();
    return failures;
}
