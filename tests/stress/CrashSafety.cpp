// Crash safety: the program is started, made to save and killed at a random moment, hundreds of
// times; after every kill each of its files holds the content from before or one it saved, whole.
#include <algorithm>
#include <memory>
#include <random>
#include <set>

#include "OpenFileDialog.h"
#include "Stress.h"

namespace {

const int kListLength = 24;
// Saves asked for in one burst: each round selects the first entry and removes it (a list save),
// then presses "Apply Settings" (a settings save and a reload); the close box ends the burst.
const int kRounds = 6;
const char* const kAdded = "C:\\Quorvane\\pics\\added.bmp";

// Every 10th kill follows an Add through the open-file dialog, every 20th one lands in start-up.
enum class Kind { Burst, Add, StartUp };

void WaitUntilMs(double at) {
    while (NowMs() < at) Sleep(at - NowMs() > 2.0 ? 1 : 0);
}

// Posts the saves of `kind`: a burst of rounds and, when `close`, the close box; or an Add with
// the added path chosen in the open-file dialog. False when that dialog did not show.
bool PostSaves(const QuorvaneProcess& copy, HWND dialog, Kind kind, bool close) {
    if (kind == Kind::Add) {
        PostClick(dialog, kAdd);
        HWND fileDialog = WaitForOpenFileDialog(copy.Id());
        if (fileDialog) PostChooseFile(fileDialog, kAdded);
        return fileDialog != nullptr;
    }
    for (int round = 0; round < kRounds; ++round) {
        PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, 0, 0);
        PostClick(dialog, kRemove);
        PostClick(dialog, kApplySettings);
    }
    if (close) PostClose(dialog);
    return true;
}

struct CrashSafety {
    std::string dist;
    std::mt19937 random;
    int generation = 0;
    std::string oldList, oldSettings;
    std::vector<std::string> oldEntries, temporary;
    double startupMs = 0, burstMs = 0, addMs = 0;
    // What the kills met, for the figures: endedFirst, the burst with its close box was over;
    // nothingSaved or partlySaved, a burst killed before its first save landed or after some did.
    int kills = 0, startupKills = 0, addKills = 0, addsSaved = 0, lost = 0, endedFirst = 0, nothingSaved = 0;
    int partlySaved = 0, listChanges = 0, settingsChanges = 0, temporaryMade = 0, temporaryRemoved = 0;

    CrashSafety(const std::string& distFolder, unsigned seed) : dist(distFolder), random(seed) {}

    // The list of the last iteration while it is long enough for a burst; a settings record no
    // save writes (index 9999, an old date, random bytes after it).
    void PrepareFiles() {
        if (!ReadBytes(kListFile, &oldList) || !ParseWrittenList(oldList, &oldEntries) ||
            oldEntries.size() <= size_t(kRounds)) {
            oldEntries = NumberedEntries("C:\\Quorvane\\pics\\g" + std::to_string(++generation), kListLength);
            WriteBytes(kListFile, oldList = ListBytes(oldEntries));
        }
        Settings settings;
        settings.currentIndex = 9999;
        settings.minutes = 500.25f;
        settings.saveDate = "01/01/80";
        for (int i = 0; i < 24; ++i) settings.dateTail += char('a' + random() % 26);
        WriteBytes(kSettingsFile, oldSettings = SettingsRecord(settings));
    }

    // Times start-up, a whole burst and an Add's save once without a kill, so that the kills
    // spread over those spans. A sent message is served before posted ones, so the end of the
    // burst shows by a posted marker: the list's selection set to 2 once every round is done.
    bool Calibrate() {
        PrepareFiles();
        double at = NowMs();
        auto copy = std::make_unique<QuorvaneProcess>(dist);
        HWND dialog = copy->MainWindow();
        startupMs = NowMs() - at;
        if (Check(dialog != nullptr, "calibration: the main window shows")) return false;
        burstMs = MsTaken([&] {
            PostSaves(*copy, dialog, Kind::Burst, false);
            PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, 2, 0);
            WaitUntil([&] { return ListSelection(dialog, kWallpaperList) == 2; }, 20000, 0);
        });
        std::string list = ReadBytes(kListFile);
        if (Check(list == ListBytes({oldEntries.begin() + kRounds, oldEntries.end()}) && copy->Close(20000),
                  "calibration: the burst removes " + std::to_string(kRounds) + " entries and the close box ends it",
                  std::to_string(list.size()) + " bytes in the list file") ||
            CheckFiles(Kind::Burst, true)) {
            return false;
        }
        PrepareFiles();
        copy = std::make_unique<QuorvaneProcess>(dist);
        dialog = copy->MainWindow();
        if (Check(dialog && PostSaves(*copy, dialog, Kind::Add, false), "calibration: the open-file dialog shows")) {
            return false;
        }
        addMs = MsTaken([&] { WaitUntil([&] { return ReadBytes(kListFile, &list) && list != oldList; }, 15000, 1); });
        Figure("crash-safety start-up to main window", Ms(startupMs));
        Figure("crash-safety burst of " + std::to_string(kRounds) + " rounds of Remove and Apply Settings",
               Ms(burstMs));
        Figure("crash-safety Add: OK in the file dialog to the list saved", Ms(addMs));
        return !Check(list == oldList + kAdded + "\r\n", "calibration: Add saves the list", list) && copy->Close();
    }

    int Iteration(Kind kind) {
        PrepareFiles();
        QuorvaneProcess copy(dist);
        HWND dialog = kind == Kind::StartUp ? nullptr : copy.MainWindow();
        if (Check(copy.Started() && (dialog || kind == Kind::StartUp), "the program starts and shows its window")) {
            return 1;
        }
        startupKills += kind == Kind::StartUp;
        addKills += kind == Kind::Add;
        double at = NowMs();
        if (kind == Kind::StartUp) {
            WaitUntilMs(at + Uniform(startupMs));
        } else if (kind == Kind::Burst) {
            PostSaves(copy, dialog, kind, true);
            // Mostly inside the rounds; some in the close, some after the program has ended.
            WaitUntilMs(at + Uniform(burstMs * 1.2 + 10.0));
        } else {
            if (Check(PostSaves(copy, dialog, kind, false), "the open-file dialog shows")) return 1;
            WaitUntilMs(NowMs() + Uniform(std::max(addMs * 1.5, 20.0)));
        }
        bool ended = kind != Kind::StartUp && !copy.Running();
        Check(copy.Kill(), "the killed program ends");
        ++kills;
        endedFirst += ended;
        return CheckFiles(kind, ended);
    }

    double Uniform(double high) { return std::uniform_real_distribution<double>(0.0, high)(random); }

    // Fails when a file is not one of the contents allowed after this kind of iteration: the
    // old ones; after a burst the list less its first k entries, and the record as a save stamps
    // it (an index in the list, today's date); after an Add the list and the added path.
    int CheckFiles(Kind kind, bool ended) {
        std::set<std::string> lists = {oldList}, records = {oldSettings};
        for (int k = 1; kind == Kind::Burst && k <= kRounds; ++k) {
            lists.insert(ListBytes({oldEntries.begin() + k, oldEntries.end()}));
        }
        for (int i = 0; kind == Kind::Burst && i < kListLength; ++i)
            records.insert(SavedRecord(oldSettings, i, Today()));
        if (kind == Kind::Add) lists.insert(oldList + kAdded + "\r\n");
        std::string list, settings;
        bool hasList = ReadBytes(kListFile, &list), hasSettings = ReadBytes(kSettingsFile, &settings);
        std::vector<std::string> entries;
        ParseWrittenList(list, &entries);
        int failures =
            Check(hasList && lists.count(list), "after a kill the list file is the old or a saved content, whole",
                  hasList ? std::to_string(list.size()) + " bytes, " + std::to_string(entries.size()) +
                                " entries, first \"" + (entries.empty() ? "" : entries.front()) + "\""
                          : "no list file");
        failures +=
            Check(hasSettings && records.count(settings), "after a kill the settings file is the old or a saved record",
                  hasSettings ? std::to_string(settings.size()) + " bytes" : "no settings file");
        bool listSaved = list != oldList, settingsSaved = settings != oldSettings && records.count(settings);
        lost += failures > 0;
        addsSaved += kind == Kind::Add && listSaved;
        listChanges += listSaved;
        settingsChanges += settingsSaved;
        nothingSaved += kind == Kind::Burst && !ended && !listSaved && !settingsSaved;
        partlySaved += kind == Kind::Burst && !ended && (listSaved || settingsSaved);
        return failures;
    }

    // Old qv*.tmp files go at the next start; young ones, other names and read-only ones stay.
    int CheckStaleTemporaryFiles() {
        const std::string folder = std::string(kQuorvaneFolder) + "\\";
        for (const char* name : {"qvnotes.tmp", "qv12345.tmp", "qv1f.txt", "qvabc.tmp"}) WriteBytes(folder + name, "x");
        // Everything there now is made two minutes old, then the young one is written.
        std::vector<std::string> stale = TemporaryFiles();
        for (const std::string& name : stale) SetLastWritten(folder + name, -120);
        SetReadOnly(folder + "qvabc.tmp", true);
        WriteBytes(folder + "qv7e57.tmp", "x");
        PrepareFiles();
        QuorvaneProcess copy(dist);
        Check(copy.MainWindow() != nullptr, "the main window shows");
        copy.Kill();
        std::string kept;
        for (const std::string& name : TemporaryFiles()) kept += name + " ";
        Figure("crash-safety old qv*.tmp files removed by one start-up",
               std::to_string(stale.size() - 3) + " left by kills removed; kept: " + kept);
        SetReadOnly(folder + "qvabc.tmp", false);
        return Check(kept == "qv12345.tmp qv7e57.tmp qvabc.tmp qvnotes.tmp ",
                     "start-up removes the old qv*.tmp files it makes and leaves the young, read-only and others",
                     kept) +
               CheckFiles(Kind::StartUp, false);
    }

    int Run(int count) {
        MakeEmptyQuorvaneFolder();
        CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
        WriteBytes(kAdded, BitmapBytes(4, 4, 200, 100, 50));
        if (!Calibrate()) return 1;
        int failures = 0;
        temporary = TemporaryFiles();
        for (int i = 1; i <= count; ++i) {
            failures += Iteration(i % 20 == 0 ? Kind::StartUp : i % 10 == 0 ? Kind::Add : Kind::Burst);
            std::vector<std::string> now = TemporaryFiles();
            for (const std::string& name : now) {
                temporaryMade += !std::binary_search(temporary.begin(), temporary.end(), name);
            }
            for (const std::string& name : temporary) {
                temporaryRemoved += !std::binary_search(now.begin(), now.end(), name);
            }
            temporary = now;
            if (i % 25 == 0 || i == count)
                Note(std::to_string(i) + " kills, " + std::to_string(lost) + " with a file lost");
        }
        auto slashed = [](int a, int b) { return std::to_string(a) + " / " + std::to_string(b); };
        Figure("crash-safety kills", std::to_string(kills) + " (" + std::to_string(startupKills) +
                                         " during start-up, " + std::to_string(addKills) + " after an Add)");
        Figure("crash-safety kills with a file lost, cut short or mixed", std::to_string(lost));
        Figure("crash-safety bursts killed before their first save / with some saves landed / after they ended",
               slashed(nothingSaved, partlySaved) + " / " + std::to_string(endedFirst));
        Figure("crash-safety kills after which the list / settings file held newer content",
               slashed(listChanges, settingsChanges));
        Figure("crash-safety Adds saved before the kill", std::to_string(addsSaved));
        Figure("crash-safety qv*.tmp files left by kills / removed by a later start-up / there at the end",
               slashed(temporaryMade, temporaryRemoved) + " / " + std::to_string(temporary.size()));
        return failures + CheckStaleTemporaryFiles();
    }
};

}  // namespace

int RunCrashSafety(const std::string& dist, int kills, unsigned seed) {
    Figure("crash-safety seed", std::to_string(seed));
    return CrashSafety(dist, seed).Run(kills);
}
