// Load: the minute timer ticking 2,000 times; a 10,000-entry list that loads, saves and rotates;
// "Apply Settings" pressed 500 times in quick succession; two copies saving the same files at once;
// saves while a reader holds the file.
#include <algorithm>
#include <atomic>
#include <random>
#include <thread>

#include "Stress.h"

namespace {

// Fails unless the list file is whole and holds `whole` less some entries, in order (the entries
// are numbered, so in order is sorted), and the settings file is a record the program may leave:
// 152 bytes, a frequency it knows, `minutes`, an index in the list and today's date or `date`.
int CheckFiles(const char* when, const std::vector<std::string>& whole, float minutes, const std::string& date) {
    std::vector<std::string> listed;
    std::string bytes = ReadBytes(kSettingsFile), saved = SaveDateOf(bytes);
    int32_t mode = Int32At(bytes, kFrequencyModeAt), index = Int32At(bytes, kCurrentIndexAt);
    bool listOk = ParseWrittenList(ReadBytes(kListFile), &listed) &&
                  std::includes(whole.begin(), whole.end(), listed.begin(), listed.end());
    return Check(listOk && bytes.size() == kRecordSize && mode >= 0 && mode <= 2 && index >= 0 &&
                     size_t(index) < whole.size() && FloatAt(bytes, kMinutesAt) == minutes &&
                     (saved == date || saved == Today()),
                 "%s: both files are valid: %zu entries, %s; settings %zu bytes, mode %d, index %d, minutes %g, "
                 "date %s", when, listed.size(), listOk ? "in order" : "NOT whole or in order", bytes.size(), mode,
                 index, FloatAt(bytes, kMinutesAt), saved.c_str());
}

// Sets the minute timer to 0.001 minutes (60 ms) as a user would until the probe has seen `count`
// changes and fails unless they set the entries in list order, from the first; then stops the
// timer the same way. Takes `atWarmUp` once the probe has seen 100.
int CheckTimer(HWND dialog, const std::vector<std::string>& entries, size_t count, ProcessFigures* atWarmUp,
               std::vector<WallpaperChange>* record) {
    if (Check(StartWallpaperProbe(dialog), "the probe records wallpaper changes: %s", "no")) return 1;
    SetControlText(dialog, kMinutes, "0.001");
    Click(dialog, kApplySettings, 60000);
    WaitUntil([&] {
        *record = ProbedWallpapers(ProcessOf(dialog));
        if (record->size() >= 100 && atWarmUp->gdiObjects < 0) *atWarmUp = IdleFiguresOf(dialog);
        return record->size() >= count;
    }, DWORD(count) * 240 + 30000, 100);
    SetControlText(dialog, kMinutes, "0");
    Click(dialog, kApplySettings, 60000);
    *record = ProbedWallpapers(ProcessOf(dialog));
    size_t inOrder = ChangesInListOrder(*record, entries);
    return Check(record->size() >= count && inOrder == record->size(),
                 "%zu changes set the entries in list order from the first: %zu changes, the first %zu in order",
                 count, record->size(), inOrder);
}

// Prints what the program held at start, after the warm-up and at the end, and fails when it grew
// after the warm-up, once what the platform caches for painting is filled, by more than a little:
// 8 GDI or USER objects, no window, 4 kernel handles, 1 MiB of private memory.
int CheckFlat(const char* load, const ProcessFigures (&held)[3], const std::string& warmUp, const std::string& end) {
    const ProcessFigures &from = held[1], &to = held[2];
    Figure("%s figures at start: %s", load, held[0].Text().c_str());
    Figure("%s figures after %s: %s", load, warmUp.c_str(), from.Text().c_str());
    Figure("%s figures after %s: %s", load, end.c_str(), to.Text().c_str());
    bool read = std::min({from.gdiObjects, from.userObjects, from.windows, from.kernelHandles}) >= 0;
    return Check(read && to.gdiObjects <= from.gdiObjects + 8 && to.userObjects <= from.userObjects + 8 &&
                     to.windows <= from.windows && to.kernelHandles <= from.kernelHandles + 4 &&
                     from.privateBytes >= 0 && to.privateBytes <= from.privateBytes + (1 << 20),
                 "%s: what the program holds stays flat after %s", load, warmUp.c_str());
}

}  // namespace

// Every tick sets the next of three entries, and what the program holds stays flat.
int RunTimerTicks(int ticks) {
    const std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 3);
    LayOutQuorvaneFiles(entries, SettingsRecord(Settings{}));  // minutes mode, no timer until "Apply Settings"
    for (const std::string& entry : entries) WriteBitmap(entry);
    StartedCopy copy;
    if (!copy.dialog) return 1;
    ProcessFigures held[3] = {IdleFiguresOf(copy.dialog)};
    std::vector<WallpaperChange> record;
    int failures = CheckTimer(copy.dialog, entries, ticks, &held[1], &record);
    held[2] = IdleFiguresOf(copy.dialog);
    std::string lastValue = DesktopWallpaper();
    failures += Check(!record.empty() && lastValue == record.back().value,
                      "the desktop's wallpaper value is the last entry set: %s", lastValue.c_str());
    std::vector<DWORD> periods = {0};
    for (size_t i = 1; i < record.size(); ++i) periods.push_back(record[i].atMs - record[i - 1].atMs);
    auto [shortest, longest] = std::minmax_element(periods.begin() + (periods.size() > 1), periods.end());
    Figure("ticks counted: %zu in %.1f s%s", record.size(), MeanPeriodMs(record) * double(periods.size() - 1) / 1000,
           failures ? "" : ", all in list order");
    Figure("ticks counted via: GDI objects: %s; USER objects: %s; kernel handles: %s; private bytes: %s",
           held[2].gdiSource.c_str(), held[2].userSource.c_str(), held[2].handleSource.c_str(),
           held[2].memorySource.c_str());
    Figure("tick period (ms) mean / shortest / longest: %.1f / %lu / %lu", MeanPeriodMs(record), *shortest, *longest);
    return failures + CheckFlat("ticks", held, "100 ticks", std::to_string(record.size()) + " ticks") +
           copy.CheckClose();
}

int RunBigList(int count) {
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\big", count);
    // Once per run, the entry before the last shown last: start-up shows the last one.
    LayOutQuorvaneFiles(entries, SettingsRecord(Settings{2, count - 2, 0}));
    Figure("big list: %d entries, %zu bytes", count, ListBytes(entries).size());
    double startedAt = NowMs();
    StartedCopy copy(60000);
    if (!copy.dialog) return 1;
    Figure("big list start-up to a settled main window (load + change): %.1f ms", NowMs() - startedAt);
    auto shows = [&](const char* when, const std::string& entry) {
        std::string shown = ControlText(copy.dialog, kCurrentSelection);
        int listed = ListCount(copy.dialog, kWallpaperList);
        return Check(listed == count && shown == entry, "%s: every entry is listed and %s shown: %d listed, %s shown",
                     when, entry.c_str(), listed, shown.c_str());
    };
    int failures = shows("start-up", entries[count - 1]);
    Figure("big list figures once loaded: %s", FiguresOf(copy.Id()).Text().c_str());
    // Saves the index found among every entry, reloads the list and wraps to the first entry.
    Figure("big list Apply Settings (save, reload, change): %.1f ms",
           MsTaken([&] { Click(copy.dialog, kApplySettings, 60000); }));
    int32_t savedIndex = Int32At(ReadBytes(kSettingsFile), kCurrentIndexAt);
    failures += Check(savedIndex == count - 1, "the saved index is the last entry's: %d", savedIndex) +
                shows("Apply Settings", entries[0]);
    SetSelectionQuietly(copy.dialog, kWallpaperList, count / 2);
    Figure("big list Remove (save of %d entries): %.1f ms", count - 1,
           MsTaken([&] { Click(copy.dialog, kRemove, 60000); }));
    entries.erase(entries.begin() + count / 2);
    failures += CheckList("Remove saves the list less that entry", entries);
    ClickCheckBox(copy.dialog, kFreqMinutes);
    ProcessFigures warm;
    std::vector<WallpaperChange> record;
    failures += CheckTimer(copy.dialog, entries, 50, &warm, &record);
    Figure("big list ticks: %zu in list order, mean period %.1f ms", record.size(), MeanPeriodMs(record));
    Figure("big list close (settings save and end): %.1f ms", MsTaken([&] { failures += copy.CheckClose(60000); }));
    return failures + CheckFiles("after the close", entries, 0.0f, Today());
}

int RunApplyPresses(int presses) {
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 3);
    // A timer that each press restarts and none lets fire.
    const std::string record = SettingsRecord(Settings{0, 0, 30.0f});
    LayOutQuorvaneFiles(entries, record);
    StartedCopy copy;
    if (!copy.dialog) return 1;
    const int warmUp = std::min(100, presses / 2);
    ProcessFigures held[3] = {IdleFiguresOf(copy.dialog), held[0]};
    double slowest = 0, started = NowMs();
    int answered = 0;
    for (int i = 1; i <= presses && copy.Running(); ++i) {
        slowest = std::max(slowest, MsTaken([&] { answered += Click(copy.dialog, kApplySettings); }));
        if (i == warmUp) held[1] = IdleFiguresOf(copy.dialog);
    }
    double elapsed = NowMs() - started;
    held[2] = IdleFiguresOf(copy.dialog);
    int listed = ListCount(copy.dialog, kWallpaperList);
    Figure("Apply Settings presses: %d in %.2f s, mean %.2f ms, slowest %.1f ms", answered, elapsed / 1000,
           elapsed / std::max(answered, 1), slowest);
    return Check(answered == presses, "every press is answered: %d", answered) +
           CheckList("the list file is unchanged", entries) +
           Check(listed == 3, "the list shows its 3 entries: %d", listed) +
           Check(ReadBytes(kSettingsFile) == SavedRecord(record, 0, Today()),
                 "the settings file holds the applied record: %s", "another record") +
           Check(TemporaryFiles().empty(), "no qv*.tmp file is left: %zu", TemporaryFiles().size()) +
           CheckFlat("Apply Settings", held, std::to_string(warmUp) + " presses",
                     std::to_string(answered) + " presses") +
           copy.CheckClose();
}

// Each copy is worked by a thread of its own, so that their saves and loads overlap; this thread
// looks at both files meanwhile.
int RunTwoCopies(int seconds, unsigned seed) {
    const std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 3000);
    // Both copies also rotate, every 600 ms.
    LayOutQuorvaneFiles(entries, SettingsRecord(Settings{0, 0, 0.01f}));
    StartedCopy first, second;
    if (!first.dialog || !second.dialog) return 1;
    std::atomic<int> presses[2] = {};  // Apply Settings, Remove
    std::atomic<bool> stop{false};
    auto work = [&](HWND dialog, unsigned workerSeed) {
        for (std::mt19937 random(workerSeed); !stop;) {
            int remove = random() % 2;
            if (remove) SetSelectionQuietly(dialog, kWallpaperList, 0);
            presses[remove] += Click(dialog, remove ? kRemove : kApplySettings);
        }
    };
    std::thread workers[2] = {std::thread(work, first.dialog, seed), std::thread(work, second.dialog, seed + 1)};
    int looks = 0, badLooks = 0;
    for (double started = NowMs(); NowMs() - started < seconds * 1000.0 && first.Running() && second.Running();
         ++looks, Sleep(20)) {
        badLooks += CheckFiles("a look", entries, 0.01f, "");
    }
    stop = true;
    for (std::thread& worker : workers) worker.join();
    Figure("two copies: %d s: %d Removes and %d Apply Settings at once in both, %d looks at both files, %d found one "
           "not valid; %s", seconds, presses[1].load(), presses[0].load(), looks, badLooks, ListFileText().c_str());
    return badLooks + Check(first.Running() && second.Running(), "both copies run the whole time: %d looks", looks) +
           first.CheckClose() + second.CheckClose() + CheckFiles("at the end", entries, 0.01f, Today()) +
           Check(TemporaryFiles().empty(), "no qv*.tmp file is left: %zu", TemporaryFiles().size());
}

// Saves while another process has the file open, as a reader, a second copy loading it or a
// virus scanner may: a file that is open cannot be replaced until it is closed.
int RunHeldOpen() {
    const std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 5);
    const std::string record = SettingsRecord(Settings{0, 0, 30.0f});
    LayOutQuorvaneFiles(entries, record);
    StartedCopy copy;
    if (!copy.dialog) return 1;
    // Holds `path` open while `button` is pressed on the first entry and lets go after `holdMs`; a
    // short hold posts the press, a long one returns how long the press took to be answered.
    auto pressWhileHeld = [&](const char* path, int button, DWORD holdMs) {
        HANDLE reader = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetSelectionQuietly(copy.dialog, kWallpaperList, 0);
        if (holdMs < 1000) PostClick(copy.dialog, button);
        double answerMs = holdMs < 1000 ? 0.0 : MsTaken([&] { Click(copy.dialog, button, 15000); });
        Sleep(DWORD(std::max(0.0, holdMs - answerMs)));
        CloseHandle(reader);
        Settle(copy.dialog);
        return answerMs;
    };
    const std::vector<std::string> less1(entries.begin() + 1, entries.end()), less3(entries.begin() + 3, entries.end());
    pressWhileHeld(kListFile, kRemove, 100);
    int failures = CheckList("Remove with the list held open for 100 ms saves it", less1);
    pressWhileHeld(kSettingsFile, kApplySettings, 100);
    std::string saved = ReadBytes(kSettingsFile);
    failures += Check(saved == SavedRecord(record, 0, Today()), "Apply Settings with the settings held for 100 ms "
                      "saves them: %s", saved == record ? "the old record" : "another record");
    double gaveUpMs = pressWhileHeld(kListFile, kRemove, 3000);
    failures += CheckList("a Remove that cannot replace the list held for 3 s leaves it whole", less1);
    SetSelectionQuietly(copy.dialog, kWallpaperList, 0);
    Click(copy.dialog, kRemove);
    failures += CheckList("the next save writes the whole list", less3);
    Figure("saves while a reader holds the file: %sheld 100 ms: the list and the settings were saved once it let go; "
           "held 3 s: the save gave up after %.1f ms, the file stayed whole, the next save wrote the whole list",
           failures ? "NOT AS EXPECTED; " : "", gaveUpMs);
    return failures + copy.CheckClose();
}
