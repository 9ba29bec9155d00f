// The minute timer at 0.001 minutes (60 ms) over a three-entry list in list order: every tick
// sets the next entry, A, B, C, A, ..., and what the program holds stays flat.
#include <algorithm>

#include "Stress.h"

int RunTimerTicks(const std::string& dist, int ticks) {
    const std::vector<std::string> entries = {"C:\\Quorvane\\pics\\A.bmp", "C:\\Quorvane\\pics\\B.bmp",
                                              "C:\\Quorvane\\pics\\C.bmp"};
    Settings settings;  // minutes mode with no timer until "Apply Settings" sets 0.001
    settings.saveDate = Today();
    LayOutFiles(entries, settings);
    CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
    for (int i = 0; i < 3; ++i) WriteBytes(entries[i], BitmapBytes(32, 24, 255 * (i == 0), 255 * (i == 1), 255 * (i == 2)));
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog && StartWallpaperProbe(dialog), "the probe records the program's wallpaper changes")) return 1;
    auto settled = [&] { return Settle(dialog), FiguresOf(copy.Id()); };
    ProcessFigures atStart = settled();
    // As a user would: 0.001 in the minutes field, then "Apply Settings".
    SetControlText(dialog, kMinutes, "0.001");
    Click(dialog, kApplySettings);
    double started = NowMs();
    std::vector<WallpaperChange> record;
    WaitUntil([&] { return (record = ProbedWallpapers(copy.Id())).size() >= 100; }, 60000);
    ProcessFigures after100 = settled();
    WaitUntil([&] { return (record = ProbedWallpapers(copy.Id())).size() >= size_t(ticks); }, ticks * 240 + 30000, 100);
    double elapsed = NowMs() - started;
    ProcessFigures afterAll = settled();
    // The timer is stopped the way a user would, and the record read once more.
    SetControlText(dialog, kMinutes, "0");
    Click(dialog, kApplySettings);
    record = ProbedWallpapers(copy.Id());
    std::string lastValue = DesktopWallpaper();

    int failures = Check(record.size() >= size_t(ticks), "the timer ticked " + std::to_string(ticks) + " times",
                         std::to_string(record.size()) + " changes in " + Fixed(elapsed / 1000.0) + " s");
    size_t inOrder = EntriesInOrder(record, entries);
    failures += Check(inOrder == record.size(), "every tick sets the next entry in list order, A first",
                      inOrder < record.size() ? "change " + std::to_string(inOrder) + " set " + record[inOrder].value : "");
    failures += Check(!record.empty() && lastValue == record.back().value,
                      "the desktop's wallpaper value is the last entry set", lastValue);
    DWORD shortest = MAXDWORD, longest = 0;
    for (size_t i = 1; i < record.size(); ++i) {
        shortest = std::min(shortest, record[i].atMs - record[i - 1].atMs);
        longest = std::max(longest, record[i].atMs - record[i - 1].atMs);
    }
    Figure("ticks counted", std::to_string(record.size()) + " in " + Fixed(elapsed / 1000.0) + " s, all in order A, B, C" +
                                (inOrder == record.size() ? "" : " EXCEPT from change " + std::to_string(inOrder)));
    Figure("tick period (ms) mean / shortest / longest",
           Fixed(MeanPeriod(record)) + " / " + std::to_string(shortest) + " / " + std::to_string(longest));
    Figure("ticks GDI objects via", afterAll.gdiSource);
    Figure("ticks USER objects via", afterAll.userSource);
    Figure("ticks kernel handles via", afterAll.handleSource);
    Figure("ticks private bytes via", afterAll.memorySource);
    Figure("ticks figures at start", atStart.Text());
    Figure("ticks figures after 100 ticks", after100.Text());
    Figure("ticks figures after " + std::to_string(record.size()) + " ticks", afterAll.Text());
    return failures + CheckFlat("ticks", after100, afterAll) + Check(copy.Close(), "the program ends at the close box");
}
