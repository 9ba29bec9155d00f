// Load: the minute timer ticking 2,000 times; a 10,000-entry list that loads, saves and rotates;
// "Apply Settings" pressed 500 times in quick succession; two copies saving the same files at once;
// saves while a reader holds the file.
#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

#include "Stress.h"

namespace {

// A settings file as the program may leave it: 152 bytes, a frequency it knows, the given
// minutes, an index inside the list and a date it stamped or was given.
bool ValidSettings(float minutes, int listLength, const std::string& date) {
    std::string bytes = ReadBytes(kSettingsFile);
    int32_t mode = Int32At(bytes, kFrequencyModeAt), index = Int32At(bytes, kCurrentIndexAt);
    return bytes.size() == kRecordSize && mode >= 0 && mode <= 2 && index >= 0 && index < std::max(listLength, 1) &&
           FloatAt(bytes, kMinutesAt) == minutes && (SaveDateOf(bytes) == date || SaveDateOf(bytes) == Today());
}

// Whether the list file is whole and `whole` with some entries left out, in the same order.
bool ValidList(const std::vector<std::string>& whole, std::vector<std::string>* listed) {
    if (!ParseWrittenList(ReadBytes(kListFile), listed)) return false;
    auto at = whole.begin();
    for (const std::string& entry : *listed) {
        at = std::find(at, whole.end(), entry);
        if (at++ == whole.end()) return false;
    }
    return true;
}

std::string ListText() {
    std::vector<std::string> entries;
    std::string bytes = ReadBytes(kListFile);
    if (!ParseWrittenList(bytes, &entries)) return std::to_string(bytes.size()) + " bytes, not a whole list";
    return std::to_string(entries.size()) + " entries in the file";
}

}  // namespace

// The minute timer at 0.001 minutes (60 ms) over a three-entry list in list order: every tick
// sets the next entry, A, B, C, A, ..., and what the program holds stays flat.
int RunTimerTicks(const std::string& dist, int ticks) {
    const std::vector<std::string> entries = {"C:\\Quorvane\\pics\\A.bmp", "C:\\Quorvane\\pics\\B.bmp",
                                              "C:\\Quorvane\\pics\\C.bmp"};
    Settings settings;  // minutes mode with no timer until "Apply Settings" sets 0.001
    settings.saveDate = Today();
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
    for (int i = 0; i < 3; ++i)
        WriteBytes(entries[i], BitmapBytes(32, 24, 255 * (i == 0), 255 * (i == 1), 255 * (i == 2)));
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog && StartWallpaperProbe(dialog), "the probe records the program's wallpaper changes")) return 1;
    auto settled = [&] {
        Settle(dialog);
        return FiguresOf(copy.Id());
    };
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
    failures +=
        Check(inOrder == record.size(), "every tick sets the next entry in list order, A first",
              inOrder < record.size() ? "change " + std::to_string(inOrder) + " set " + record[inOrder].value : "");
    failures += Check(!record.empty() && lastValue == record.back().value,
                      "the desktop's wallpaper value is the last entry set", lastValue);
    DWORD shortest = MAXDWORD, longest = 0;
    for (size_t i = 1; i < record.size(); ++i) {
        shortest = std::min(shortest, record[i].atMs - record[i - 1].atMs);
        longest = std::max(longest, record[i].atMs - record[i - 1].atMs);
    }
    Figure("ticks counted", std::to_string(record.size()) + " in " + Fixed(elapsed / 1000.0) +
                                " s, all in order A, B, C" +
                                (inOrder == record.size() ? "" : " EXCEPT from change " + std::to_string(inOrder)));
    Figure("tick period (ms) mean / shortest / longest",
           Fixed(MeanPeriod(record)) + " / " + std::to_string(shortest) + " / " + std::to_string(longest));
    Figure("ticks counted via", "GDI objects: " + afterAll.gdiSource + "; USER objects: " + afterAll.userSource +
                                    "; kernel handles: " + afterAll.handleSource +
                                    "; private bytes: " + afterAll.memorySource);
    Figure("ticks figures at start", atStart.Text());
    Figure("ticks figures after 100 ticks", after100.Text());
    Figure("ticks figures after " + std::to_string(record.size()) + " ticks", afterAll.Text());
    return failures + CheckFlat("ticks", after100, afterAll) + Check(copy.Close(), "the program ends at the close box");
}

int RunBigList(const std::string& dist, int count) {
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\big", count);
    Settings settings;  // once per run, last shown the entry before the last: start-up shows the last one
    settings.frequencyMode = 2;
    settings.currentIndex = count - 2;
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    Figure("big list", std::to_string(count) + " entries, " + std::to_string(ListBytes(entries).size()) + " bytes");
    double startedAt = NowMs();
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow(60000);
    if (Check(dialog && Settle(dialog, 60000), "the main window shows")) return 1;
    Figure("big list start-up to a settled main window (load + change)", Ms(NowMs() - startedAt));
    auto shows = [&](const std::string& when, const std::string& entry) {
        std::string shown = ControlText(dialog, kCurrentSelection);
        int listed = ListCount(dialog, kWallpaperList);
        return Check(listed == count, when + ": every entry is in the list", std::to_string(listed)) +
               Check(shown == entry, when + ": the current selection is " + entry, shown);
    };
    int failures = shows("start-up shows the entry after the saved one, the last", entries[count - 1]);
    Figure("big list figures once loaded", FiguresOf(copy.Id()).Text());
    // "Apply Settings": saves the settings (the index found among every entry), reloads the list
    // and makes the next change, which wraps to the first entry.
    Figure("big list Apply Settings (save, reload, change)",
           Ms(MsTaken([&] { Click(dialog, kApplySettings, 60000); })));
    int32_t savedIndex = Int32At(ReadBytes(kSettingsFile), kCurrentIndexAt);
    failures += Check(savedIndex == count - 1, "the saved index is the last entry's", std::to_string(savedIndex));
    failures += shows("Apply Settings wraps to the first entry", entries[0]);
    // Remove from the middle: the list file is written again, whole.
    SetSelectionQuietly(dialog, kWallpaperList, count / 2);
    Figure("big list Remove (save of " + std::to_string(count - 1) + " entries)",
           Ms(MsTaken([&] { Click(dialog, kRemove, 60000); })));
    entries.erase(entries.begin() + count / 2);
    failures += Check(ReadBytes(kListFile) == ListBytes(entries), "Remove saves the list less that entry", ListText());
    // The minute timer over the long list: each tick the next entry, from the first.
    ClickCheckBox(dialog, kFreqMinutes);
    SetControlText(dialog, kMinutes, "0.001");
    failures += Check(StartWallpaperProbe(dialog), "the probe records the program's wallpaper changes");
    Click(dialog, kApplySettings, 60000);
    std::vector<WallpaperChange> record;
    WaitUntil([&] { return (record = ProbedWallpapers(copy.Id())).size() >= 50; }, 60000);
    SetControlText(dialog, kMinutes, "0");
    Click(dialog, kApplySettings, 60000);
    size_t inOrder = EntriesInOrder(record, entries);
    failures += Check(record.size() >= 50 && inOrder == record.size(), "the timer sets the entries in list order",
                      std::to_string(inOrder) + " of " + std::to_string(record.size()) + " in order");
    Figure("big list ticks", std::to_string(record.size()) + " in list order, mean period " + Ms(MeanPeriod(record)));
    Figure("big list figures at the end", FiguresOf(copy.Id()).Text());
    bool closed = false;
    Figure("big list close (settings save and end)", Ms(MsTaken([&] { closed = copy.Close(60000); })));
    return failures +
           Check(closed && ValidSettings(0.0f, count - 1, Today()), "the settings file is valid after the close");
}

int RunApplyPresses(const std::string& dist, int presses) {
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 3);
    Settings settings;
    settings.minutes = 30.0f;  // a timer that each press restarts and none lets fire
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog && Settle(dialog), "the main window shows")) return 1;
    ProcessFigures atStart = FiguresOf(copy.Id()), afterWarmUp = atStart;
    // The first presses fill what the platform caches for painting; growth is measured after them.
    const int kWarmUp = std::min(100, presses / 2);
    double slowest = 0, started = NowMs();
    int answered = 0;
    for (int i = 1; i <= presses && copy.Running(); ++i) {
        slowest = std::max(slowest, MsTaken([&] { answered += Click(dialog, kApplySettings); }));
        if (i == kWarmUp) {
            Repaint(dialog);
            afterWarmUp = FiguresOf(copy.Id());
        }
        if (i % 100 == 0) Note("after " + std::to_string(i) + " presses: " + FiguresOf(copy.Id()).Text());
    }
    double elapsed = NowMs() - started;
    Repaint(dialog);
    ProcessFigures after = FiguresOf(copy.Id());
    int listed = ListCount(dialog, kWallpaperList);
    int failures = Check(answered == presses && copy.Running(), "every press is answered and the program runs",
                         std::to_string(answered));
    failures += Check(ReadBytes(kListFile) == ListBytes(entries), "the list file is unchanged", ListText());
    failures += Check(ReadBytes(kSettingsFile) == SavedRecord(SettingsRecord(settings), 0, Today()),
                      "the settings file holds the applied record");
    failures += Check(listed == 3, "the list shows its three entries", std::to_string(listed));
    failures += Check(TemporaryFiles().empty(), "no qv*.tmp file is left", std::to_string(TemporaryFiles().size()));
    Figure("Apply Settings presses", std::to_string(answered) + " in " + Fixed(elapsed / 1000.0, 2) + " s, mean " +
                                         Fixed(elapsed / std::max(answered, 1), 2) + " ms, slowest " + Ms(slowest));
    Figure("Apply Settings figures before the presses", atStart.Text());
    Figure("Apply Settings figures after " + std::to_string(kWarmUp) + " presses", afterWarmUp.Text());
    Figure("Apply Settings figures after " + std::to_string(answered) + " presses", after.Text());
    return failures + CheckFlat("Apply Settings presses", afterWarmUp, after) +
           Check(copy.Close(), "the program ends at the close box");
}

int RunTwoCopies(const std::string& dist, int seconds, unsigned seed) {
    const int kEntries = 3000;
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", kEntries), listed;
    Settings settings;
    settings.minutes = 0.01f;  // both copies also rotate, every 600 ms
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    QuorvaneProcess first(dist), second(dist);
    HWND dialogs[2] = {first.MainWindow(), second.MainWindow()};
    if (Check(dialogs[0] && dialogs[1], "both copies show their main window")) return 1;
    // Each copy is worked by a thread of its own, so that their saves and loads overlap; this
    // thread looks at both files meanwhile.
    std::atomic<int> removes{0}, applies{0};
    std::atomic<bool> stop{false};
    auto work = [&](HWND dialog, unsigned workerSeed) {
        std::mt19937 random(workerSeed);
        while (!stop) {
            if (random() % 2) {
                SetSelectionQuietly(dialog, kWallpaperList, 0);
                removes += Click(dialog, kRemove);
            } else {
                applies += Click(dialog, kApplySettings);
            }
        }
    };
    int looks = 0, badLooks = 0;
    std::thread workers[2] = {std::thread(work, dialogs[0], seed), std::thread(work, dialogs[1], seed + 1)};
    for (double started = NowMs(); NowMs() - started < seconds * 1000.0 && first.Running() && second.Running();
         ++looks) {
        bool listOk = ValidList(entries, &listed), settingsOk = ValidSettings(0.01f, kEntries, "");
        badLooks += Check(listOk && settingsOk, "a look finds both files valid",
                          std::string(listOk ? "" : "list ") + (settingsOk ? "" : "settings ") + "not valid");
        Sleep(20);
    }
    stop = true;
    for (std::thread& worker : workers) worker.join();
    int failures = badLooks + Check(first.Running() && second.Running(), "both copies run the whole time");
    failures += Check(first.Close() && second.Close(), "both copies end at the close box");
    failures += Check(ValidList(entries, &listed), "the list file is valid at the end", ListText());
    failures += Check(ValidSettings(0.01f, kEntries, Today()), "the settings file is valid at the end");
    failures += Check(TemporaryFiles().empty(), "no qv*.tmp file is left", std::to_string(TemporaryFiles().size()));
    Figure("two copies", std::to_string(seconds) + " s: " + std::to_string(removes) + " Removes and " +
                             std::to_string(applies) + " Apply Settings at once in both, " + std::to_string(looks) +
                             " looks at both files, " + std::to_string(badLooks) + " found one not valid; " +
                             std::to_string(listed.size()) + " entries left");
    return failures;
}

// Saves while another process has the file open, as a reader, a second copy loading it or a
// virus scanner may: a file that is open cannot be replaced until it is closed.
int RunHeldOpen(const std::string& dist) {
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 5);
    Settings settings;
    settings.minutes = 30.0f;
    LayOutQuorvaneFiles(entries, SettingsRecord(settings));
    QuorvaneProcess copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    // Holds `path` open as a reader while `button` is pressed (the first entry selected), and lets
    // go after `holdMs`; a short hold posts the press, a long one waits for its answer, in ms.
    auto pressWhileHeld = [&](const char* path, int button, DWORD holdMs) {
        HANDLE reader = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetSelectionQuietly(dialog, kWallpaperList, 0);
        double answerMs = 0;
        if (holdMs < 1000) {
            PostClick(dialog, button);
        } else {
            answerMs = MsTaken([&] { Click(dialog, button, 15000); });
        }
        Sleep(DWORD(std::max(0.0, holdMs - answerMs)));
        CloseHandle(reader);
        Settle(dialog);
        return answerMs;
    };
    // Held for 100 ms: the save lands once the reader lets go.
    pressWhileHeld(kListFile, kRemove, 100);
    entries.erase(entries.begin());
    int failures = Check(ReadBytes(kListFile) == ListBytes(entries),
                         "Remove while a reader holds the list file for 100 ms saves it", ListText());
    pressWhileHeld(kSettingsFile, kApplySettings, 100);
    std::string record = ReadBytes(kSettingsFile);
    failures += Check(record == SavedRecord(SettingsRecord(settings), 0, Today()),
                      "Apply Settings while a reader holds the settings file for 100 ms saves it",
                      record == SettingsRecord(settings) ? "the old record is still there" : "another record");
    // Held for 3 s: the save gives up, the file stays whole and the program runs on; the next
    // save writes the whole list.
    double gaveUpMs = pressWhileHeld(kListFile, kRemove, 3000);
    failures += Check(ReadBytes(kListFile) == ListBytes(entries), "a save that cannot replace the file leaves it whole",
                      ListText());
    SetSelectionQuietly(dialog, kWallpaperList, 0);
    Click(dialog, kRemove);
    entries.erase(entries.begin(), entries.begin() + 2);
    failures += Check(ReadBytes(kListFile) == ListBytes(entries) && copy.Running(),
                      "the next save writes the whole list and the program runs on", ListText());
    Figure("saves while a reader holds the file", std::string(failures ? "NOT AS EXPECTED; " : "") +
                                                      "held 100 ms: the list and the settings were saved once "
                                                      "it let go; held 3 s: the save gave up after " +
                                                      Ms(gaveUpMs) +
                                                      ", the file stayed whole, the next save "
                                                      "wrote the whole list");
    return failures + Check(copy.Close(), "the program ends at the close box");
}
