// Load: a 10,000-entry list that loads, saves and rotates; "Apply Settings" pressed 500 times
// in quick succession; two copies saving the same files at once.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstring>
#include <random>
#include <thread>
#include <vector>

#include "Driver.h"
#include "Files.h"
#include "ProcessFigures.h"
#include "Stress.h"

namespace {

const int kFreqMinutesButton = 1008;
const int32_t kOncePerRun = 2;

std::vector<std::string> NumberedEntries(const std::string& folder, int count) {
    std::vector<std::string> entries;
    char name[32];
    for (int i = 0; i < count; ++i) {
        std::snprintf(name, sizeof name, "\\w%05d.bmp", i);
        entries.push_back(folder + name);
    }
    return entries;
}

std::string Ms(double milliseconds) { return Fixed(milliseconds) + " ms"; }

std::string EntriesText(const std::string& list) {
    std::vector<std::string> entries;
    if (!ParseWrittenList(list, &entries)) return std::to_string(list.size()) + " bytes, not a whole list";
    return std::to_string(entries.size()) + " entries in the file";
}

// A settings file as the program may leave it: 152 bytes, a frequency it knows, the given
// minutes, an index inside the list and a date it stamped or was given.
bool ValidSettings(const std::string& bytes, float minutes, int listLength, const std::string& date) {
    if (bytes.size() != kSettingsSize) return false;
    int32_t mode = FieldAt(bytes, 0);
    int32_t index = FieldAt(bytes, 4);
    float stored = 0;
    std::memcpy(&stored, &bytes[8], 4);
    std::string saveDate(bytes.c_str() + 12);
    return mode >= 0 && mode <= 2 && index >= 0 && index < std::max(listLength, 1) && stored == minutes &&
           (saveDate == date || saveDate == Today());
}

// True when `part` is `whole` with some entries left out, in the same order.
bool IsSubsequence(const std::vector<std::string>& part, const std::vector<std::string>& whole) {
    size_t at = 0;
    for (const std::string& entry : part) {
        while (at < whole.size() && whole[at] != entry) ++at;
        if (at == whole.size()) return false;
        ++at;
    }
    return true;
}

}  // namespace

int RunBigList(const std::string& dist, int count) {
    MakeEmptyQuorvaneFolder();
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\big", count);
    std::string listBytes = ListBytes(entries);
    WriteBytes(kListFile, listBytes);
    // Once per run, last shown the entry before the last: start-up shows the last one.
    Settings settings;
    settings.frequencyMode = kOncePerRun;
    settings.currentIndex = count - 2;
    WriteBytes(kSettingsFile, SettingsBytes(settings));
    Figure("big list", std::to_string(count) + " entries, " + std::to_string(listBytes.size()) + " bytes");

    int failures = 0;
    double started = NowMs();
    QuorvaneCopy copy(dist);
    HWND dialog = copy.MainWindow(60000);
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    Settle(dialog, 60000);
    double startMs = NowMs() - started;
    failures += Check(ListCount(dialog) == count, "every entry is loaded", std::to_string(ListCount(dialog)));
    failures += Check(ControlText(dialog, kCurrentSelection) == entries[count - 1],
                      "start-up shows the entry after the saved one: the last", ControlText(dialog, kCurrentSelection));
    Figure("big list start-up to a settled main window (load + change)", Ms(startMs));
    ProcessFigures loaded = FiguresOf(copy.Process(), copy.Id());
    Figure("big list figures once loaded", loaded.Text());

    // "Apply Settings": saves the settings (the index found among every entry), reloads the list
    // and makes the next change, which wraps to the first entry.
    double at = NowMs();
    Click(dialog, kApplySettings, 60000);
    double applyMs = NowMs() - at;
    std::string settingsBytes;
    ReadBytes(kSettingsFile, &settingsBytes);
    failures += Check(settingsBytes.size() == kSettingsSize && FieldAt(settingsBytes, 4) == count - 1,
                      "the saved index is the last entry's", std::to_string(FieldAt(settingsBytes, 4)));
    failures += Check(ControlText(dialog, kCurrentSelection) == entries[0], "the next change wraps to the first entry",
                      ControlText(dialog, kCurrentSelection));
    failures += Check(ListCount(dialog) == count, "the reload holds every entry", std::to_string(ListCount(dialog)));
    Figure("big list Apply Settings (save, reload, change)", Ms(applyMs));

    // Remove from the middle: the list file is written again, whole.
    int middle = count / 2;
    SelectQuietly(dialog, middle);
    at = NowMs();
    Click(dialog, kRemove, 60000);
    double removeMs = NowMs() - at;
    std::vector<std::string> expected = entries;
    expected.erase(expected.begin() + middle);
    std::string saved;
    ReadBytes(kListFile, &saved);
    failures += Check(saved == ListBytes(expected), "Remove saves the list less that entry",
                      std::to_string(saved.size()) + " bytes");
    Figure("big list Remove (save of " + std::to_string(count - 1) + " entries)", Ms(removeMs));

    // The minute timer over the long list: each tick the next entry, from the first.
    Send(GetDlgItem(dialog, kFreqMinutesButton), BM_CLICK, 0, 0);
    SetControlText(dialog, kMinutes, "0.001");
    failures += Check(copy.StartWallpaperRecord(), "the probe records the program's wallpaper changes");
    Click(dialog, kApplySettings, 60000);
    const size_t kTicks = 50;
    std::vector<std::pair<DWORD, std::string>> record;
    WaitUntil([&] { return (record = copy.WallpaperRecord()).size() >= kTicks; }, 60000);
    SetControlText(dialog, kMinutes, "0");
    Click(dialog, kApplySettings, 60000);
    size_t inOrder = 0;
    while (inOrder < record.size() && record[inOrder].second == expected[inOrder]) ++inOrder;
    failures += Check(record.size() >= kTicks && inOrder == record.size(),
                      "the timer sets the entries in list order from the first",
                      std::to_string(inOrder) + " of " + std::to_string(record.size()) + " in order");
    double meanTick = record.size() > 1 ? double(record.back().first - record.front().first) / (record.size() - 1) : 0;
    Figure("big list ticks", std::to_string(record.size()) + " in list order, mean period " + Fixed(meanTick) + " ms");

    ProcessFigures end = FiguresOf(copy.Process(), copy.Id());
    Figure("big list figures at the end", end.Text());
    at = NowMs();
    failures += Check(copy.Close(60000), "the program ends at the close box");
    Figure("big list close (settings save and end)", Ms(NowMs() - at));
    ReadBytes(kSettingsFile, &settingsBytes);
    failures += Check(ValidSettings(settingsBytes, 0.0f, count - 1, Today()), "the settings file is valid after the close");
    RemoveQuorvaneFolder();
    return failures;
}

int RunApplyPresses(const std::string& dist, int presses) {
    MakeEmptyQuorvaneFolder();
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 3);
    WriteBytes(kListFile, ListBytes(entries));
    Settings settings;
    settings.minutes = 30.0f;  // a timer that each press restarts and none lets fire
    WriteBytes(kSettingsFile, SettingsBytes(settings));

    int failures = 0;
    QuorvaneCopy copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    Settle(dialog);
    ProcessFigures atStart = FiguresOf(copy.Process(), copy.Id());
    // The first presses fill what the platform caches for painting; growth is measured after them.
    const int kWarmUp = std::min(100, presses / 2);
    ProcessFigures afterWarmUp = atStart;
    double slowest = 0;
    double started = NowMs();
    int answered = 0;
    for (int i = 0; i < presses && copy.Running(); ++i) {
        double at = NowMs();
        if (Click(dialog, kApplySettings)) ++answered;
        slowest = std::max(slowest, NowMs() - at);
        if (i + 1 == kWarmUp) {
            Repaint(dialog);
            afterWarmUp = FiguresOf(copy.Process(), copy.Id());
        }
        if ((i + 1) % 100 == 0) {
            Settle(dialog);
            Note("after " + std::to_string(i + 1) + " presses: " + FiguresOf(copy.Process(), copy.Id()).Text());
        }
    }
    double elapsed = NowMs() - started;
    Repaint(dialog);
    ProcessFigures after = FiguresOf(copy.Process(), copy.Id());
    failures += Check(answered == presses, "every press is answered", std::to_string(answered));
    failures += Check(copy.Running(), "the program still runs");
    std::string list, settingsBytes;
    ReadBytes(kListFile, &list);
    ReadBytes(kSettingsFile, &settingsBytes);
    failures += Check(list == ListBytes(entries), "the list file is unchanged");
    failures += Check(ValidSettings(settingsBytes, 30.0f, 3, Today()) &&
                          settingsBytes == SavedSettingsBytes(SettingsBytes(settings), 0, Today()),
                      "the settings file holds the applied record");
    failures += Check(ListCount(dialog) == 3, "the list shows its three entries", std::to_string(ListCount(dialog)));
    failures += Check(TemporaryFiles().empty(), "no qv*.tmp file is left", std::to_string(TemporaryFiles().size()));
    Figure("Apply Settings presses", std::to_string(answered) + " in " + Fixed(elapsed / 1000.0, 2) + " s, mean " +
                                         Fixed(elapsed / std::max(answered, 1), 2) + " ms, slowest " + Ms(slowest));
    Figure("Apply Settings figures before the presses", atStart.Text());
    Figure("Apply Settings figures after " + std::to_string(kWarmUp) + " presses", afterWarmUp.Text());
    Figure("Apply Settings figures after " + std::to_string(answered) + " presses", after.Text());
    failures += CheckFlat("Apply Settings presses", afterWarmUp, after);
    failures += Check(copy.Close(), "the program ends at the close box");
    RemoveQuorvaneFolder();
    return failures;
}

int RunTwoCopies(const std::string& dist, int seconds, unsigned seed) {
    MakeEmptyQuorvaneFolder();
    const int kEntries = 3000;
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", kEntries);
    WriteBytes(kListFile, ListBytes(entries));
    Settings settings;
    settings.minutes = 0.01f;  // both copies also rotate, every 600 ms
    const std::string startDate = settings.saveDate;
    WriteBytes(kSettingsFile, SettingsBytes(settings));
    int failures = 0;
    QuorvaneCopy first(dist);
    HWND firstDialog = first.MainWindow();
    QuorvaneCopy second(dist);
    HWND secondDialog = second.MainWindow();
    if (Check(firstDialog && secondDialog, "both copies show their main window")) return 1;

    // Each copy is worked by a thread of its own, so that their saves and loads overlap; this
    // thread looks at both files meanwhile.
    std::atomic<int> removes{0}, applies{0};
    std::atomic<bool> stop{false};
    auto work = [&](HWND dialog, unsigned workerSeed) {
        std::mt19937 random(workerSeed);
        while (!stop) {
            if (random() % 2) {
                SelectQuietly(dialog, 0);
                if (Click(dialog, kRemove)) ++removes;
            } else {
                if (Click(dialog, kApplySettings)) ++applies;
            }
        }
    };
    int looks = 0, badLooks = 0;
    double started = NowMs();
    std::thread firstWorker(work, firstDialog, seed);
    std::thread secondWorker(work, secondDialog, seed + 1);
    while (NowMs() - started < seconds * 1000.0 && first.Running() && second.Running()) {
        std::string list, settingsBytes;
        std::vector<std::string> listed;
        bool listOk = ReadBytes(kListFile, &list) && ParseWrittenList(list, &listed) && IsSubsequence(listed, entries);
        bool settingsOk = ReadBytes(kSettingsFile, &settingsBytes) &&
                          ValidSettings(settingsBytes, 0.01f, kEntries, startDate);
        ++looks;
        if (!listOk || !settingsOk) {
            ++badLooks;
            Check(false, "a look finds both files valid", std::string(listOk ? "" : "list ") +
                                                                (settingsOk ? "" : "settings ") + "not valid");
        }
        Sleep(20);
    }
    stop = true;
    firstWorker.join();
    secondWorker.join();
    failures += Check(first.Running() && second.Running(), "both copies run the whole time");
    failures += badLooks;
    bool closed = first.Close() && second.Close();
    failures += Check(closed, "both copies end at the close box");
    std::string list, settingsBytes;
    std::vector<std::string> listed;
    bool listOk = ReadBytes(kListFile, &list) && ParseWrittenList(list, &listed) && IsSubsequence(listed, entries);
    failures += Check(listOk, "the list file is valid at the end", std::to_string(list.size()) + " bytes");
    failures += Check(ReadBytes(kSettingsFile, &settingsBytes) && ValidSettings(settingsBytes, 0.01f, kEntries, Today()),
                      "the settings file is valid at the end");
    failures += Check(TemporaryFiles().empty(), "no qv*.tmp file is left", std::to_string(TemporaryFiles().size()));
    Figure("two copies", std::to_string(seconds) + " s: " + std::to_string(removes) + " Removes and " +
                             std::to_string(applies) + " Apply Settings at once in both, " + std::to_string(looks) +
                             " looks at both files, " + std::to_string(badLooks) + " found one not valid; " +
                             std::to_string(listed.size()) + " entries left");
    RemoveQuorvaneFolder();
    return failures;
}

// Saves while another process has the file open, as a reader, a second copy loading it or a
// virus scanner may: a file that is open cannot be replaced until it is closed.
int RunHeldOpen(const std::string& dist) {
    MakeEmptyQuorvaneFolder();
    std::vector<std::string> entries = NumberedEntries("C:\\Quorvane\\pics", 5);
    WriteBytes(kListFile, ListBytes(entries));
    Settings settings;
    settings.minutes = 30.0f;
    WriteBytes(kSettingsFile, SettingsBytes(settings));
    std::string oldSettings = SettingsBytes(settings);

    int failures = 0;
    QuorvaneCopy copy(dist);
    HWND dialog = copy.MainWindow();
    if (Check(dialog != nullptr, "the main window shows")) return 1;
    auto holdOpen = [](const char* path) {
        return CreateFileA(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                           OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    };
    std::string list, settingsBytes;

    // Held for 100 ms: the save lands once the reader lets go.
    SelectQuietly(dialog, 0);
    HANDLE reader = holdOpen(kListFile);
    PostClick(dialog, kRemove);
    Sleep(100);
    CloseHandle(reader);
    Settle(dialog);
    ReadBytes(kListFile, &list);
    std::vector<std::string> expected(entries.begin() + 1, entries.end());
    failures += Check(list == ListBytes(expected), "Remove while a reader holds the list file for 100 ms saves it",
                      EntriesText(list));
    reader = holdOpen(kSettingsFile);
    PostClick(dialog, kApplySettings);
    Sleep(100);
    CloseHandle(reader);
    Settle(dialog);
    ReadBytes(kSettingsFile, &settingsBytes);
    failures += Check(settingsBytes == SavedSettingsBytes(oldSettings, 0, Today()),
                      "Apply Settings while a reader holds the settings file for 100 ms saves it",
                      settingsBytes == oldSettings ? "the old record is still there" : "another record");

    // Held for 3 s: the save gives up, the file stays whole and the program runs on; the next
    // save writes the whole list.
    SelectQuietly(dialog, 0);
    reader = holdOpen(kListFile);
    double at = NowMs();
    Click(dialog, kRemove, 15000);
    double gaveUpMs = NowMs() - at;
    Sleep(std::max(0.0, 3000 - gaveUpMs));
    CloseHandle(reader);
    ReadBytes(kListFile, &list);
    failures += Check(list == ListBytes(expected), "a save that cannot replace the file leaves it whole",
                      std::to_string(list.size()) + " bytes");
    SelectQuietly(dialog, 0);
    Click(dialog, kRemove);
    ReadBytes(kListFile, &list);
    std::vector<std::string> rest(entries.begin() + 3, entries.end());
    failures += Check(list == ListBytes(rest), "the next save writes the whole list",
                      EntriesText(list));
    failures += Check(copy.Running(), "the program runs on");
    Figure("saves while a reader holds the file",
           std::string(failures ? "NOT AS EXPECTED; " : "") + "held 100 ms: the list and the settings were saved once "
           "it let go; held 3 s: the save gave up after " + Ms(gaveUpMs) + ", the file stayed whole, the next save "
           "wrote the whole list");
    failures += Check(copy.Close(), "the program ends at the close box");
    RemoveQuorvaneFolder();
    return failures;
}
