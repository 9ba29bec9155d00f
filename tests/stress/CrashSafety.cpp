// Crash safety: the program is started, made to save and killed at a random moment, hundreds of
// times; after every kill each of its files holds the content from before or one it saved, whole.
#include <windows.h>

#include <algorithm>
#include <random>
#include <vector>

#include "Driver.h"
#include "Files.h"
#include "Stress.h"

namespace {

const int kListLength = 24;
// Saves asked for in one burst: each round selects the first entry and removes it (a list save),
// then presses "Apply Settings" (a settings save and a reload); the close box ends the burst.
const int kRounds = 6;
// Every 10th kill follows an Add through the open-file dialog, every 20th one lands in start-up.
const int kAddEvery = 10;
const int kStartupEvery = 20;
const int kFileNameBox = 0x47C;
// A settings file never written by the program: its index lies outside any list it holds.
const int32_t kOldIndex = 9999;

enum class Kind { Burst, Add, StartUp };

struct Tally {
    int kills = 0;
    int endedFirst = 0;       // the burst was over, close box included, before the kill came
    int nothingSaved = 0;     // killed before the first save landed
    int partlySaved = 0;      // killed with some saves landed
    int listChanges = 0;      // kills after which the list held a newer content
    int settingsChanges = 0;  // ... the settings
    int addsSaved = 0;
    int addKills = 0;
    int startupKills = 0;
    int lost = 0;             // a file missing, cut short, mixed, or unknown
    int temporaryMade = 0;    // qv*.tmp files that kills left
    int temporaryRemoved = 0;  // ... that a later start-up removed
};

class CrashSafety {
public:
    CrashSafety(const std::string& dist, unsigned seed) : m_dist(dist), m_random(seed) {}

    int Run(int kills);

private:
    bool Calibrate();
    int Iteration(Kind kind);
    void PrepareFiles();
    // Fails when a file is not one of the contents allowed after this kind of iteration.
    int CheckFiles(Kind kind, bool endedFirst);
    double Uniform(double high) { return std::uniform_real_distribution<double>(0.0, high)(m_random); }
    static void WaitUntilMs(double at) {
        while (NowMs() < at) {
            if (at - NowMs() > 2.0) Sleep(1);
        }
    }
    // The rounds, then the close box when asked.
    void PostBurst(HWND dialog, bool close);
    // Old qv*.tmp files go at the next start; young ones, other names and read-only ones stay.
    int CheckStaleTemporaryFiles();
    void CountTemporaryFiles();

    std::string m_dist;
    std::mt19937 m_random;
    int m_generation = 0;
    std::string m_oldList;
    std::vector<std::string> m_oldEntries;
    std::string m_oldSettings;
    std::string m_added;
    double m_startupMs = 0;
    double m_burstMs = 0;
    double m_addMs = 0;
    Tally m_tally;
    std::vector<std::string> m_temporary;
};

void CrashSafety::PrepareFiles() {
    std::vector<std::string> entries;
    if (!ReadBytes(kListFile, &m_oldList) || !ParseWrittenList(m_oldList, &entries) ||
        int(entries.size()) <= kRounds) {
        ++m_generation;
        entries.clear();
        for (int i = 0; i < kListLength; ++i) {
            entries.push_back("C:\\Quorvane\\pics\\g" + std::to_string(m_generation) + "-" + std::to_string(i) +
                              ".bmp");
        }
        m_oldList = ListBytes(entries);
        WriteBytes(kListFile, m_oldList);
    }
    m_oldEntries = entries;
    Settings settings;
    settings.currentIndex = kOldIndex;
    settings.minutes = 500.25f;
    for (int i = 0; i < 24; ++i) settings.dateTail += char('a' + m_random() % 26);
    m_oldSettings = SettingsBytes(settings);
    WriteBytes(kSettingsFile, m_oldSettings);
}

void CrashSafety::PostBurst(HWND dialog, bool close) {
    HWND list = GetDlgItem(dialog, kWallpaperList);
    for (int round = 0; round < kRounds; ++round) {
        PostMessageA(list, LB_SETCURSEL, 0, 0);
        PostClick(dialog, kRemove);
        PostClick(dialog, kApplySettings);
    }
    if (close) PostMessageA(dialog, WM_CLOSE, 0, 0);
}

// Times start-up, a whole burst and an Add's save once without a kill, so that the kills spread
// over those spans.
bool CrashSafety::Calibrate() {
    PrepareFiles();
    {
        double start = NowMs();
        QuorvaneCopy copy(m_dist);
        HWND dialog = copy.MainWindow();
        m_startupMs = NowMs() - start;
        if (Check(dialog != nullptr, "calibration: the main window shows")) return false;
        // A sent message is served before posted ones, so the end of the burst shows by a posted
        // marker: the list's selection set to 2 once every round is done.
        double posted = NowMs();
        PostBurst(dialog, false);
        HWND list = GetDlgItem(dialog, kWallpaperList);
        PostMessageA(list, LB_SETCURSEL, 2, 0);
        LRESULT selected = -1;
        bool done = WaitUntil([&] { return Send(list, LB_GETCURSEL, 0, 0, &selected) && selected == 2; }, 20000, 0);
        m_burstMs = NowMs() - posted;
        std::string listBytes;
        ReadBytes(kListFile, &listBytes);
        std::vector<std::string> rest(m_oldEntries.begin() + kRounds, m_oldEntries.end());
        if (Check(done && listBytes == ListBytes(rest), "calibration: the burst removes " + std::to_string(kRounds) +
                                                            " entries",
                  std::to_string(listBytes.size()) + " bytes in the list file")) {
            return false;
        }
        PostMessageA(dialog, WM_CLOSE, 0, 0);
        if (Check(copy.WaitForExit(20000), "calibration: the close box ends the program")) return false;
    }
    if (CheckFiles(Kind::Burst, true) != 0) return false;
    PrepareFiles();
    {
        QuorvaneCopy copy(m_dist);
        HWND dialog = copy.MainWindow();
        if (Check(dialog != nullptr, "calibration: the main window shows")) return false;
        PostClick(dialog, kAdd);
        HWND fileDialog = nullptr;
        WaitUntil([&] { return (fileDialog = OtherVisibleWindow(copy.Id(), dialog)) != nullptr &&
                               GetDlgItem(fileDialog, kFileNameBox); }, 15000);
        if (Check(fileDialog != nullptr, "calibration: the open-file dialog shows")) return false;
        Send(GetDlgItem(fileDialog, kFileNameBox), WM_SETTEXT, 0, LPARAM(m_added.c_str()));
        double posted = NowMs();
        PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
        std::string list;
        WaitUntil([&] { return ReadBytes(kListFile, &list) && list != m_oldList; }, 15000, 1);
        m_addMs = NowMs() - posted;
        if (Check(list == m_oldList + m_added + "\r\n", "calibration: Add saves the list", list)) return false;
        copy.Close();
    }
    Figure("crash-safety start-up to main window", Fixed(m_startupMs) + " ms");
    Figure("crash-safety burst of " + std::to_string(kRounds) + " rounds of Remove and Apply Settings",
           Fixed(m_burstMs) + " ms");
    Figure("crash-safety Add: OK in the file dialog to the list saved", Fixed(m_addMs) + " ms");
    return true;
}

int CrashSafety::Iteration(Kind kind) {
    PrepareFiles();
    QuorvaneCopy copy(m_dist);
    if (Check(copy.Started(), "the program starts")) return 1;
    bool endedFirst = false;
    if (kind == Kind::StartUp) {
        double at = NowMs() + Uniform(m_startupMs);
        WaitUntilMs(at);
        ++m_tally.startupKills;
    } else {
        HWND dialog = copy.MainWindow();
        if (Check(dialog != nullptr, "the main window shows")) return 1;
        if (kind == Kind::Burst) {
            double posted = NowMs();
            PostBurst(dialog, true);
            // Mostly inside the rounds; some in the close, some after the program has ended.
            WaitUntilMs(posted + Uniform(m_burstMs * 1.2 + 10.0));
        } else {
            ++m_tally.addKills;
            PostClick(dialog, kAdd);
            HWND fileDialog = nullptr;
            WaitUntil([&] { return (fileDialog = OtherVisibleWindow(copy.Id(), dialog)) != nullptr &&
                                   GetDlgItem(fileDialog, kFileNameBox); }, 15000);
            if (Check(fileDialog != nullptr, "the open-file dialog shows")) return 1;
            Send(GetDlgItem(fileDialog, kFileNameBox), WM_SETTEXT, 0, LPARAM(m_added.c_str()));
            double posted = NowMs();
            PostMessageA(fileDialog, WM_COMMAND, IDOK, 0);
            WaitUntilMs(posted + Uniform(std::max(m_addMs * 1.5, 20.0)));
        }
        endedFirst = !copy.Running();
    }
    Check(copy.Kill(), "the killed program ends");
    ++m_tally.kills;
    if (endedFirst) ++m_tally.endedFirst;
    return CheckFiles(kind, endedFirst);
}

int CrashSafety::CheckFiles(Kind kind, bool endedFirst) {
    std::string today = Today();
    std::string list, settings;
    bool hasList = ReadBytes(kListFile, &list);
    bool hasSettings = ReadBytes(kSettingsFile, &settings);
    std::vector<std::string> entries;
    bool listWhole = hasList && ParseWrittenList(list, &entries);

    // The list: the old one, or it less its first k entries (Remove), or it and the added path (Add).
    bool listKnown = list == m_oldList;
    size_t removed = 0;
    if (!listKnown && listWhole && kind == Kind::Burst) {
        for (removed = 1; removed <= size_t(kRounds) && removed <= m_oldEntries.size(); ++removed) {
            if (std::equal(entries.begin(), entries.end(), m_oldEntries.begin() + removed, m_oldEntries.end())) {
                listKnown = true;
                break;
            }
        }
    }
    if (!listKnown && kind == Kind::Add && list == m_oldList + m_added + "\r\n") {
        listKnown = true;
        ++m_tally.addsSaved;
    }

    // The settings: the old record, or it as a save stamps it (an index in the list, today's date).
    bool settingsKnown = settings == m_oldSettings;
    bool settingsSaved = false;
    if (!settingsKnown && kind == Kind::Burst && settings.size() == kSettingsSize) {
        int32_t index = FieldAt(settings, 4);
        settingsSaved = index >= 0 && index < kListLength && settings == SavedSettingsBytes(m_oldSettings, index, today);
        settingsKnown = settingsSaved;
    }

    int failures = 0;
    failures += Check(hasList && listKnown, "after a kill the list file is the old or a saved content, whole",
                      hasList ? std::to_string(list.size()) + " bytes, " + std::to_string(entries.size()) +
                                    " entries, first \"" + (entries.empty() ? "" : entries.front()) + "\""
                              : "no list file");
    failures += Check(hasSettings && settingsKnown, "after a kill the settings file is the old or a saved record",
                      hasSettings ? std::to_string(settings.size()) + " bytes" : "no settings file");
    if (failures) ++m_tally.lost;
    if (list != m_oldList) ++m_tally.listChanges;
    if (settingsSaved) ++m_tally.settingsChanges;
    if (kind == Kind::Burst && !endedFirst) {
        if (list == m_oldList && !settingsSaved) {
            ++m_tally.nothingSaved;
        } else {
            ++m_tally.partlySaved;
        }
    }
    return failures;
}

int CrashSafety::Run(int kills) {
    MakeEmptyQuorvaneFolder();
    CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
    m_added = "C:\\Quorvane\\pics\\added.bmp";
    WriteBytes(m_added, BitmapBytes(4, 4, 200, 100, 50));
    if (!Calibrate()) return 1;
    int failures = 0;
    m_temporary = TemporaryFiles();
    for (int i = 1; i <= kills; ++i) {
        Kind kind = i % kStartupEvery == 0 ? Kind::StartUp : i % kAddEvery == 0 ? Kind::Add : Kind::Burst;
        failures += Iteration(kind);
        CountTemporaryFiles();
        if (i % 25 == 0 || i == kills) {
            Note(std::to_string(i) + " kills: " + std::to_string(m_tally.lost) + " with a file lost or mixed, " +
                 std::to_string(m_tally.partlySaved) + " landed inside a burst");
        }
    }
    Figure("crash-safety kills", std::to_string(m_tally.kills) + " (" + std::to_string(m_tally.startupKills) +
                                     " during start-up, " + std::to_string(m_tally.addKills) + " after an Add)");
    Figure("crash-safety kills with a file lost, cut short or mixed", std::to_string(m_tally.lost));
    Figure("crash-safety bursts killed before their first save / with some saves landed / after they ended",
           std::to_string(m_tally.nothingSaved) + " / " + std::to_string(m_tally.partlySaved) + " / " +
               std::to_string(m_tally.endedFirst));
    Figure("crash-safety kills after which the list / settings file held newer content",
           std::to_string(m_tally.listChanges) + " / " + std::to_string(m_tally.settingsChanges));
    Figure("crash-safety Adds saved before the kill", std::to_string(m_tally.addsSaved));
    Figure("crash-safety qv*.tmp files left by kills / removed by a later start-up / there at the end",
           std::to_string(m_tally.temporaryMade) + " / " + std::to_string(m_tally.temporaryRemoved) + " / " +
               std::to_string(m_temporary.size()));
    failures += CheckStaleTemporaryFiles();
    RemoveQuorvaneFolder();
    return failures;
}

void CrashSafety::CountTemporaryFiles() {
    std::vector<std::string> now = TemporaryFiles();
    for (const std::string& name : now) {
        if (std::find(m_temporary.begin(), m_temporary.end(), name) == m_temporary.end()) ++m_tally.temporaryMade;
    }
    for (const std::string& name : m_temporary) {
        if (std::find(now.begin(), now.end(), name) == now.end()) ++m_tally.temporaryRemoved;
    }
    m_temporary = now;
}

int CrashSafety::CheckStaleTemporaryFiles() {
    // Beside what the kills left: names the program does not make, a read-only one, a young one.
    const std::vector<std::string> otherNames = {"qvnotes.tmp", "qv12345.tmp", "qv1f.txt"};
    const std::string readOnly = "qvabc.tmp", young = "qv7e57.tmp";
    for (const std::string& name : otherNames) WriteBytes(std::string(kQuorvaneFolder) + "\\" + name, "x");
    WriteBytes(std::string(kQuorvaneFolder) + "\\" + readOnly, "x");
    std::vector<std::string> stale = TemporaryFiles();
    // Everything there now is made two minutes old, then the young one is written.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER old;
    old.LowPart = now.dwLowDateTime;
    old.HighPart = now.dwHighDateTime;
    old.QuadPart -= 120ull * 10000000ull;
    FILETIME twoMinutesAgo{old.LowPart, old.HighPart};
    for (const std::string& name : stale) {
        std::string path = std::string(kQuorvaneFolder) + "\\" + name;
        HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFileTime(file, nullptr, nullptr, &twoMinutesAgo);
        CloseHandle(file);
    }
    SetFileAttributesA((std::string(kQuorvaneFolder) + "\\" + readOnly).c_str(), FILE_ATTRIBUTE_READONLY);
    WriteBytes(std::string(kQuorvaneFolder) + "\\" + young, "x");

    PrepareFiles();
    {
        QuorvaneCopy copy(m_dist);
        Check(copy.MainWindow() != nullptr, "the main window shows");
        copy.Kill();
    }
    std::vector<std::string> left = TemporaryFiles();
    std::vector<std::string> expected = {"qv12345.tmp", readOnly, young, "qvnotes.tmp"};
    std::sort(left.begin(), left.end());
    std::sort(expected.begin(), expected.end());
    std::string got;
    for (const std::string& name : left) got += name + " ";
    int failures = Check(left == expected,
                         "start-up removes the old qv*.tmp files it makes and leaves the young, read-only and others",
                         got);
    failures += CheckFiles(Kind::StartUp, false);
    Figure("crash-safety old qv*.tmp files removed by one start-up",
           std::to_string(stale.size() - 3) + " left by kills removed; kept: " + got);
    SetFileAttributesA((std::string(kQuorvaneFolder) + "\\" + readOnly).c_str(), FILE_ATTRIBUTE_NORMAL);
    return failures;
}

}  // namespace

int RunCrashSafety(const std::string& dist, int kills, unsigned seed) {
    Figure("crash-safety seed", std::to_string(seed));
    return CrashSafety(dist, seed).Run(kills);
}
