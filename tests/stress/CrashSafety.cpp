// Crash safety: the program is started, made to save and killed at a random moment, hundreds of
// times; after every kill each of its files holds the content from before or one it saved, whole.
#include <algorithm>
#include <random>
#include <set>

#include "OpenFileDialog.h"
#include "Stress.h"

namespace {

const int kListLength = 24;
// One burst: each round selects the first entry and removes it (a list save), then presses
// "Apply Settings" (a settings save and a reload); the close box ends it.
const int kRounds = 6;
const char* const kAdded = "C:\\Quorvane\\pics\\added.bmp";

// Every 10th kill follows an Add through the open-file dialog, every 20th one lands in start-up.
enum Kind { kBurst, kAddition, kStartUp };

struct CrashSafety {
    explicit CrashSafety(unsigned seed) : random(seed) {}

    std::mt19937 random;
    int generation = 0;
    std::string oldList, oldSettings;
    std::vector<std::string> oldEntries;
    double spanMs[3] = {};  // by kind: the time from the start of the saves over which its kills spread
    // endedFirst: the burst with its close box was over before the kill; nothingSaved or
    // partlySaved: a burst killed before its first save landed, or after some did.
    int kills[3] = {}, addsSaved = 0, lost = 0, endedFirst = 0, nothingSaved = 0, partlySaved = 0;
    int listChanges = 0, settingsChanges = 0;

    // A new list, and a settings record no save writes (index 9999, an old date, random bytes after it).
    void PrepareFiles() {
        oldEntries = NumberedEntries("C:\\Quorvane\\pics\\g" + std::to_string(++generation), kListLength);
        WriteBytes(kListFile, oldList = ListBytes(oldEntries));
        Settings settings{0, 9999, 500.25f};
        settings.saveDate = "01/01/80";
        for (int i = 0; i < 24; ++i) settings.dateTail += char('a' + random() % 26);
        WriteBytes(kSettingsFile, oldSettings = SettingsRecord(settings));
    }

    // Posts a burst of rounds, or an Add of kAdded through the open-file dialog; false when that
    // dialog did not show.
    bool PostSaves(const QuorvaneProcess& copy, HWND dialog, Kind kind) {
        if (kind == kAddition) {
            PostClick(dialog, kAdd);
            HWND fileDialog = WaitForOpenFileDialog(copy.Id());
            if (fileDialog) PostChooseFile(fileDialog, kAdded);
            return !Check(fileDialog, "the open-file dialog shows: %s", "none");
        }
        for (int round = 0; round < kRounds; ++round) {
            PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, 0, 0);
            PostClick(dialog, kRemove);
            PostClick(dialog, kApplySettings);
        }
        return true;
    }

    // Times start-up, a burst and then an Add once without a kill, and checks that their saves
    // land. A sent message is served before posted ones, so a burst's end shows by a posted marker.
    int Calibrate() {
        PrepareFiles();
        double startedAt = NowMs();
        StartedCopy copy;
        spanMs[kStartUp] = NowMs() - startedAt;
        if (!copy.dialog || !PostSaves(copy, copy.dialog, kBurst)) return 1;
        PostMessageA(GetDlgItem(copy.dialog, kWallpaperList), LB_SETCURSEL, 2, 0);
        auto marked = [&] { return ListSelection(copy.dialog, kWallpaperList) == 2; };
        double burstMs = MsTaken([&] { WaitUntil(marked, 20000, 0); });
        std::vector<std::string> saved(oldEntries.begin() + kRounds, oldEntries.end());
        if (CheckList("unkilled, a burst removes 6 entries", saved) || !PostSaves(copy, copy.dialog, kAddition)) {
            return 1;
        }
        saved.push_back(kAdded);
        auto added = [&] { return ReadBytes(kListFile) == ListBytes(saved); };
        double addMs = MsTaken([&] { WaitUntil(added, 20000, 1); });
        spanMs[kBurst] = burstMs * 1.2 + 10.0;  // mostly in the rounds, some in the close or after the end
        spanMs[kAddition] = std::max(addMs * 1.5, 20.0);
        Figure("crash-safety start-up to main window: %.1f ms", spanMs[kStartUp]);
        Figure("crash-safety burst of %d rounds of Remove and Apply Settings: %.1f ms", kRounds, burstMs);
        Figure("crash-safety Add: OK in the file dialog to the list saved: %.1f ms", addMs);
        return CheckList("unkilled, an Add saves the list", saved) + copy.CheckClose(20000);
    }

    int Kill(Kind kind) {
        PrepareFiles();
        QuorvaneProcess copy;
        HWND dialog = kind == kStartUp ? nullptr : copy.MainWindow();
        if (Check(copy.Started() && (dialog || kind == kStartUp), "the program starts and shows its window: %s",
                  copy.Running() ? "no window" : "not running") ||
            (dialog && !PostSaves(copy, dialog, kind))) {
            return 1;
        }
        if (kind == kBurst) PostClose(dialog);
        double killAt = NowMs() + std::uniform_real_distribution<double>(0.0, spanMs[kind])(random);
        while (NowMs() < killAt) Sleep(killAt - NowMs() > 2.0 ? 1 : 0);
        bool ended = kind != kStartUp && !copy.Running();
        ++kills[kind];
        endedFirst += ended;
        return Check(copy.Kill(), "the killed program ends: %s", "it runs on") + CheckFiles(kind, ended);
    }

    // Fails when a file is not one of the contents allowed after this kind of kill: the old ones;
    // after a burst the list less its first k entries, and the record as a save stamps it (an
    // index in the list, today's date); after an Add the list and the added path.
    int CheckFiles(Kind kind, bool ended) {
        std::string list = "<none>", settings = "<none>";
        bool hasList = ReadBytes(kListFile, &list), hasSettings = ReadBytes(kSettingsFile, &settings);
        std::vector<std::string> entries;
        // A burst's list is a whole tail of the old one, shorter by one to kRounds entries.
        bool listSaved = kind == kAddition ? list == oldList + kAdded + "\r\n"
                                           : kind == kBurst && ParseWrittenList(list, &entries) &&
                                                 entries.size() + kRounds >= kListLength &&
                                                 entries.size() < kListLength &&
                                                 std::equal(entries.rbegin(), entries.rend(), oldEntries.rbegin());
        int32_t index = Int32At(settings, kCurrentIndexAt);
        bool settingsSaved = kind == kBurst && index >= 0 && index < kListLength &&
                             settings == SavedRecord(oldSettings, index, Today());
        int failures = Check(hasList && (list == oldList || listSaved),
                             "after a kill the list file is the old or a saved one: %s",
                             hasList ? ListFileText().c_str() : "no file") +
                       Check(hasSettings && (settings == oldSettings || settingsSaved),
                             "after a kill the settings file is the old or a saved record: %zu bytes, index %d",
                             settings.size(), index);
        lost += failures > 0;
        addsSaved += kind == kAddition && listSaved;
        listChanges += listSaved;
        settingsChanges += settingsSaved;
        nothingSaved += kind == kBurst && !ended && !listSaved && !settingsSaved;
        partlySaved += kind == kBurst && !ended && (listSaved || settingsSaved);
        return failures;
    }

    // Old qv*.tmp files go at the next start; young ones, other names and read-only ones stay.
    int CheckStaleTemporaryFiles() {
        const std::string folder = std::string(kQuorvaneFolder) + "\\";
        for (const char* name : {"qvnotes.tmp", "qv12345.tmp", "qv1f.txt", "qvabc.tmp"}) {
            WriteBytes(folder + name, "x");
        }
        std::vector<std::string> stale = TemporaryFiles();
        for (const std::string& name : stale) SetLastWritten(folder + name, -120);
        SetReadOnly(folder + "qvabc.tmp", true);
        WriteBytes(folder + "qv7e57.tmp", "x");
        PrepareFiles();
        StartedCopy copy;
        copy.Kill();
        SetReadOnly(folder + "qvabc.tmp", false);
        std::string kept;
        for (const std::string& name : TemporaryFiles()) kept += name + " ";
        Figure("crash-safety old qv*.tmp files removed by one start-up: %zu left by kills removed; kept: %s",
               stale.size() - 3, kept.c_str());
        return !copy.dialog + CheckFiles(kStartUp, false) +
               Check(kept == "qv12345.tmp qv7e57.tmp qvabc.tmp qvnotes.tmp ",
                     "start-up removes only the old, writable qv*.tmp files it makes: kept %s", kept.c_str());
    }

    int Run(int count) {
        MakeEmptyQuorvaneFolder();
        WriteBitmap(kAdded);
        int failures = Calibrate();
        std::set<std::string> temporary;  // every qv*.tmp file seen after a kill
        for (int i = 1; i <= count && !failures; ++i) {
            failures += Kill(i % 20 == 0 ? kStartUp : i % 10 == 0 ? kAddition : kBurst);
            for (const std::string& name : TemporaryFiles()) temporary.insert(name);
        }
        size_t left = TemporaryFiles().size();
        Figure("crash-safety kills: %d (%d during start-up, %d after an Add)",
               kills[kBurst] + kills[kAddition] + kills[kStartUp], kills[kStartUp], kills[kAddition]);
        Figure("crash-safety kills with a file lost, cut short or mixed: %d", lost);
        Figure("crash-safety bursts killed before their first save / with some saves landed / after they ended: "
               "%d / %d / %d", nothingSaved, partlySaved, endedFirst);
        Figure("crash-safety kills after which the list / settings file held newer content: %d / %d", listChanges,
               settingsChanges);
        Figure("crash-safety Adds saved before the kill: %d", addsSaved);
        Figure("crash-safety qv*.tmp files left by kills / removed by a later start-up / there at the end: "
               "%zu / %zu / %zu", temporary.size(), temporary.size() - left, left);
        return failures + CheckStaleTemporaryFiles();
    }
};

}  // namespace

int RunCrashSafety(int kills, unsigned seed) { return CrashSafety(seed).Run(kills); }
