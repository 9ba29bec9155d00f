// Crash safety: the program is started, made to save and killed at a random moment, hundreds of
// times; after every kill each of its files holds the content from before or one it saved, whole.
#include <windows.h>

#include <algorithm>
#include <random>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "OpenFileDialog.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "Stress.h"

namespace {

const int kListLength = 24;
// Saves asked for in one burst: each round selects the first entry and removes it (a list save),
// then presses "Apply Settings" (a settings save and a reload); the close box ends the burst.
const int kRounds = 6;
// A settings file never written by the program: its index lies outside any list it holds.
const int32_t kOldIndex = 9999;
const char* const kAdded = "C:\\Quorvane\\pics\\added.bmp";

enum class Kind { Burst, Add, StartUp };

void WaitUntilMs(double at) {
    while (NowMs() < at) Sleep(at - NowMs() > 2.0 ? 1 : 0);
}

// The rounds, then the close box when asked.
void PostBurst(HWND dialog, bool close) {
    for (int round = 0; round < kRounds; ++round) {
        PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, 0, 0);
        PostClick(dialog, kRemove);
        PostClick(dialog, kApplySettings);
    }
    if (close) PostClose(dialog);
}

// Add, the added path typed into the open-file dialog and OK posted; false when no dialog showed.
bool PostAdd(const QuorvaneProcess& copy, HWND dialog) {
    PostClick(dialog, kAdd);
    HWND fileDialog = WaitForOpenFileDialog(copy.Id());
    if (fileDialog) PostChooseFile(fileDialog, kAdded);
    return fileDialog != nullptr;
}

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
    // Old qv*.tmp files go at the next start; young ones, other names and read-only ones stay.
    int CheckStaleTemporaryFiles();
    void CountTemporaryFiles();
    double Uniform(double high) { return std::uniform_real_distribution<double>(0.0, high)(m_random); }

    std::string m_dist;
    std::mt19937 m_random;
    int m_generation = 0;
    std::string m_oldList, m_oldSettings;
    std::vector<std::string> m_oldEntries, m_temporary;
    double m_startupMs = 0, m_burstMs = 0, m_addMs = 0;
    // endedFirst: the burst, close box included, was over before the kill; nothingSaved and
    // partlySaved: killed before the first save landed, or with some landed.
    int m_kills = 0, m_startupKills = 0, m_addKills = 0, m_addsSaved = 0, m_lost = 0, m_endedFirst = 0;
    int m_nothingSaved = 0, m_partlySaved = 0, m_listChanges = 0, m_settingsChanges = 0;
    int m_temporaryMade = 0, m_temporaryRemoved = 0;
};

void CrashSafety::PrepareFiles() {
    std::vector<std::string> entries;
    if (!ReadBytes(kListFile, &m_oldList) || !ParseWrittenList(m_oldList, &entries) || int(entries.size()) <= kRounds) {
        ++m_generation;
        entries = NumberedEntries("C:\\Quorvane\\pics\\g" + std::to_string(m_generation), kListLength);
        m_oldList = ListBytes(entries);
        WriteBytes(kListFile, m_oldList);
    }
    m_oldEntries = entries;
    Settings settings;
    settings.currentIndex = kOldIndex;
    settings.minutes = 500.25f;
    settings.saveDate = "01/01/80";
    for (int i = 0; i < 24; ++i) settings.dateTail += char('a' + m_random() % 26);
    m_oldSettings = SettingsRecord(settings);
    WriteBytes(kSettingsFile, m_oldSettings);
}

// Times start-up, a whole burst and an Add's save once without a kill, so that the kills spread
// over those spans.
bool CrashSafety::Calibrate() {
    PrepareFiles();
    double start = NowMs();
    QuorvaneProcess copy(m_dist);
    HWND dialog = copy.MainWindow();
    m_startupMs = NowMs() - start;
    if (Check(dialog != nullptr, "calibration: the main window shows")) return false;
    // A sent message is served before posted ones, so the end of the burst shows by a posted
    // marker: the list's selection set to 2 once every round is done.
    double posted = NowMs();
    PostBurst(dialog, false);
    PostMessageA(GetDlgItem(dialog, kWallpaperList), LB_SETCURSEL, 2, 0);
    bool done = WaitUntil([&] { return ListSelection(dialog, kWallpaperList) == 2; }, 20000, 0);
    m_burstMs = NowMs() - posted;
    std::string list = ReadBytes(kListFile);
    std::vector<std::string> rest(m_oldEntries.begin() + kRounds, m_oldEntries.end());
    if (Check(done && list == ListBytes(rest), "calibration: the burst removes " + std::to_string(kRounds) + " entries",
              std::to_string(list.size()) + " bytes in the list file") ||
        Check(copy.Close(20000), "calibration: the close box ends the program") || CheckFiles(Kind::Burst, true)) {
        return false;
    }
    PrepareFiles();
    QuorvaneProcess second(m_dist);
    dialog = second.MainWindow();
    if (Check(dialog && PostAdd(second, dialog), "calibration: the open-file dialog shows")) return false;
    posted = NowMs();
    WaitUntil([&] { return ReadBytes(kListFile, &list) && list != m_oldList; }, 15000, 1);
    m_addMs = NowMs() - posted;
    if (Check(list == m_oldList + kAdded + "\r\n", "calibration: Add saves the list", list)) return false;
    second.Close();
    Figure("crash-safety start-up to main window", Fixed(m_startupMs) + " ms");
    Figure("crash-safety burst of " + std::to_string(kRounds) + " rounds of Remove and Apply Settings",
           Fixed(m_burstMs) + " ms");
    Figure("crash-safety Add: OK in the file dialog to the list saved", Fixed(m_addMs) + " ms");
    return true;
}

int CrashSafety::Iteration(Kind kind) {
    PrepareFiles();
    QuorvaneProcess copy(m_dist);
    if (Check(copy.Started(), "the program starts")) return 1;
    bool endedFirst = false;
    if (kind == Kind::StartUp) {
        WaitUntilMs(NowMs() + Uniform(m_startupMs));
        ++m_startupKills;
    } else {
        HWND dialog = copy.MainWindow();
        if (Check(dialog != nullptr, "the main window shows")) return 1;
        double posted = NowMs();
        if (kind == Kind::Burst) {
            PostBurst(dialog, true);
            // Mostly inside the rounds; some in the close, some after the program has ended.
            WaitUntilMs(posted + Uniform(m_burstMs * 1.2 + 10.0));
        } else {
            ++m_addKills;
            if (Check(PostAdd(copy, dialog), "the open-file dialog shows")) return 1;
            WaitUntilMs(NowMs() + Uniform(std::max(m_addMs * 1.5, 20.0)));
        }
        endedFirst = !copy.Running();
    }
    Check(copy.Kill(), "the killed program ends");
    ++m_kills;
    m_endedFirst += endedFirst;
    return CheckFiles(kind, endedFirst);
}

int CrashSafety::CheckFiles(Kind kind, bool endedFirst) {
    std::string list, settings;
    bool hasList = ReadBytes(kListFile, &list), hasSettings = ReadBytes(kSettingsFile, &settings);
    std::vector<std::string> entries;
    bool listWhole = hasList && ParseWrittenList(list, &entries);
    // The list: the old one, or it less its first k entries (Remove), or it and the added path (Add).
    bool listKnown = list == m_oldList;
    for (size_t removed = 1; !listKnown && listWhole && kind == Kind::Burst && removed <= size_t(kRounds); ++removed) {
        listKnown = std::equal(entries.begin(), entries.end(), m_oldEntries.begin() + removed, m_oldEntries.end());
    }
    if (!listKnown && kind == Kind::Add && list == m_oldList + kAdded + "\r\n") listKnown = true, ++m_addsSaved;
    // The settings: the old record, or it as a save stamps it (an index in the list, today's date).
    int32_t index = Int32At(settings, kCurrentIndexAt);
    bool settingsSaved = kind == Kind::Burst && settings != m_oldSettings && index >= 0 && index < kListLength &&
                         settings == SavedRecord(m_oldSettings, index, Today());
    int failures = Check(hasList && listKnown, "after a kill the list file is the old or a saved content, whole",
                         hasList ? std::to_string(list.size()) + " bytes, " + std::to_string(entries.size()) +
                                       " entries, first \"" + (entries.empty() ? "" : entries.front()) + "\""
                                 : "no list file");
    failures += Check(hasSettings && (settings == m_oldSettings || settingsSaved),
                      "after a kill the settings file is the old or a saved record",
                      hasSettings ? std::to_string(settings.size()) + " bytes" : "no settings file");
    m_lost += failures > 0;
    m_listChanges += list != m_oldList;
    m_settingsChanges += settingsSaved;
    if (kind == Kind::Burst && !endedFirst) ++(list == m_oldList && !settingsSaved ? m_nothingSaved : m_partlySaved);
    return failures;
}

int CrashSafety::Run(int kills) {
    MakeEmptyQuorvaneFolder();
    CreateDirectoryA("C:\\Quorvane\\pics", nullptr);
    WriteBytes(kAdded, BitmapBytes(4, 4, 200, 100, 50));
    if (!Calibrate()) return 1;
    int failures = 0;
    m_temporary = TemporaryFiles();
    for (int i = 1; i <= kills; ++i) {
        failures += Iteration(i % 20 == 0 ? Kind::StartUp : i % 10 == 0 ? Kind::Add : Kind::Burst);
        CountTemporaryFiles();
        if (i % 25 == 0 || i == kills) {
            Note(std::to_string(i) + " kills: " + std::to_string(m_lost) + " with a file lost or mixed, " +
                 std::to_string(m_partlySaved) + " landed inside a burst");
        }
    }
    auto counts = [](std::initializer_list<int> values) {
        std::string text;
        for (int value : values) text += (text.empty() ? "" : " / ") + std::to_string(value);
        return text;
    };
    Figure("crash-safety kills", std::to_string(m_kills) + " (" + std::to_string(m_startupKills) +
                                     " during start-up, " + std::to_string(m_addKills) + " after an Add)");
    Figure("crash-safety kills with a file lost, cut short or mixed", std::to_string(m_lost));
    Figure("crash-safety bursts killed before their first save / with some saves landed / after they ended",
           counts({m_nothingSaved, m_partlySaved, m_endedFirst}));
    Figure("crash-safety kills after which the list / settings file held newer content",
           counts({m_listChanges, m_settingsChanges}));
    Figure("crash-safety Adds saved before the kill", std::to_string(m_addsSaved));
    Figure("crash-safety qv*.tmp files left by kills / removed by a later start-up / there at the end",
           counts({m_temporaryMade, m_temporaryRemoved, int(m_temporary.size())}));
    return failures + CheckStaleTemporaryFiles();
}

void CrashSafety::CountTemporaryFiles() {
    std::vector<std::string> now = TemporaryFiles();
    for (const std::string& name : now) m_temporaryMade += !std::binary_search(m_temporary.begin(), m_temporary.end(), name);
    for (const std::string& name : m_temporary) m_temporaryRemoved += !std::binary_search(now.begin(), now.end(), name);
    m_temporary = now;
}

int CrashSafety::CheckStaleTemporaryFiles() {
    // Beside what the kills left: names the program does not make, a read-only one, a young one.
    const std::string folder = std::string(kQuorvaneFolder) + "\\";
    for (const char* name : {"qvnotes.tmp", "qv12345.tmp", "qv1f.txt", "qvabc.tmp"}) WriteBytes(folder + name, "x");
    std::vector<std::string> stale = TemporaryFiles();
    // Everything there now is made two minutes old, then the young one is written.
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER old{{now.dwLowDateTime, now.dwHighDateTime}};
    old.QuadPart -= 120ull * 10000000ull;
    FILETIME twoMinutesAgo{old.LowPart, old.HighPart};
    for (const std::string& name : stale) {
        HANDLE file = CreateFileA((folder + name).c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        SetFileTime(file, nullptr, nullptr, &twoMinutesAgo);
        CloseHandle(file);
    }
    SetReadOnly(folder + "qvabc.tmp", true);
    WriteBytes(folder + "qv7e57.tmp", "x");
    PrepareFiles();
    QuorvaneProcess copy(m_dist);
    Check(copy.MainWindow() != nullptr, "the main window shows");
    copy.Kill();
    std::string got;
    for (const std::string& name : TemporaryFiles()) got += name + " ";
    int failures = Check(got == "qv12345.tmp qv7e57.tmp qvabc.tmp qvnotes.tmp ",
                         "start-up removes the old qv*.tmp files it makes and leaves the young, read-only and others",
                         got);
    failures += CheckFiles(Kind::StartUp, false);
    Figure("crash-safety old qv*.tmp files removed by one start-up",
           std::to_string(stale.size() - 3) + " left by kills removed; kept: " + got);
    SetReadOnly(folder + "qvabc.tmp", false);
    return failures;
}

}  // namespace

int RunCrashSafety(const std::string& dist, int kills, unsigned seed) {
    Figure("crash-safety seed", std::to_string(seed));
    return CrashSafety(dist, seed).Run(kills);
}
