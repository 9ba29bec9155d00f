// The rotation read back from the wallpaper value: minute ticks, random picks, once per run, once a day, Set Now.
#include <algorithm>
#include <optional>

#include "DialogDriver.h"
#include "QuorvaneCase.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"
#include "Wallpaper.h"

namespace {

using Paths = std::vector<std::string>;

const int kSetWallpaperNowCommand = 1000;
const int kApplySettingsCommand = 1011;

const int kOnceADayMode = 1;
const int kOncePerRunMode = 2;

const char* const kPictureFolder = "C:\\QuorvaneE2E-Schedule";
const std::string kA = "C:\\QuorvaneE2E-Schedule\\A.bmp";
const std::string kB = "C:\\QuorvaneE2E-Schedule\\B.bmp";
const std::string kC = "C:\\QuorvaneE2E-Schedule\\C.bmp";
const std::string kD = "C:\\QuorvaneE2E-Schedule\\D.bmp";
const std::string kE = "C:\\QuorvaneE2E-Schedule\\E.bmp";
const Paths kABC = {kA, kB, kC};
const Paths kABCDE = {kA, kB, kC, kD, kE};
// The wallpaper value when a case begins: no entry of any list, so every change shows.
const std::string kMarker = "C:\\QuorvaneE2E-Schedule\\Marker.bmp";
const std::string kNone = "<none>";

// A tick every 60 ms.
const float kFastMinutes = 0.001f;
// A tick every 599 ms: time enough to look and act between two ticks.
const float kSteadyMinutes = 0.01f;
const DWORD kSteadyPeriodMs = 599;
// The bound of a wait for the next tick of either timer.
const DWORD kTickMs = 3000;
// How long nothing may change where no timer runs: over eight periods of the fast timer.
const DWORD kQuietMs = 500;

class ScheduleTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : kABCDE) WriteBitmap(path);
        m_keptWallpaper.emplace();
        SetDesktopWallpaper(kMarker);
    }
    void TearDown() override {
        m_app.reset();
        m_keptWallpaper.reset();
        for (const std::string& path : kABCDE) DeleteFileA(path.c_str());
        RemoveDirectoryA(kPictureFolder);
        QuorvaneCase::TearDown();
    }

    // Writes the list file of `entries` and the record `saved` dated `saveDate` (MM/DD/YY, empty
    // when never saved), then starts the program.
    HWND StartOn(const Paths& entries, const Settings& saved, const std::string& saveDate = "") {
        std::string list;
        for (const std::string& entry : entries) list += entry + "\r\n";
        WriteBytes(kListFile, list);
        std::string record = SettingsRecord(saved);
        record.replace(kSaveDateAt, saveDate.size() + 1, saveDate + '\0');
        WriteBytes(kSettingsFile, record);
        return Start();
    }

    // Starts the program on the files as they are.
    HWND Start() {
        m_app.reset();
        m_app.emplace();
        return m_app->MainWindow();
    }

    // The close box, which saves the settings; waits for the program to end.
    void CloseAndWait(HWND dialog) {
        PostClose(dialog);
        EXPECT_TRUE(m_app->WaitForExit(kExitMs)) << "still running after WM_CLOSE";
        m_app.reset();
    }

    std::optional<KeptDesktopWallpaper> m_keptWallpaper;
    std::optional<QuorvaneProcess> m_app;
};

// A valid date in the form of Today() that is not today.
std::string AnotherDay() { return Today() == "01/01/98" ? "01/02/98" : "01/01/98"; }

int PositionIn(const Paths& list, const std::string& path) {
    auto found = std::find(list.begin(), list.end(), path);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TypeMinutes(HWND dialog, const std::string& text) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutA(GetDlgItem(dialog, kMinutes), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()),
                        SMTO_ABORTIFHUNG, kTickMs, &ignored);
}

void ApplySettings(HWND dialog) {
    EXPECT_TRUE(Click(dialog, kApplySettingsCommand)) << "\"Apply Settings\" got no answer";
}

// The wallpaper value once a time has passed in which nothing should change it.
std::string WallpaperAfterQuiet() {
    Sleep(kQuietMs);
    return DesktopWallpaper();
}

}  // namespace

// Minute mode.

TEST_F(ScheduleTest, MinuteTicksSetTheListInOrderWhile1001FollowsAndTheSelectionStays) {
    Settings saved;
    saved.minutes = kSteadyMinutes;
    // Running before the program starts, so that no tick comes too soon to be seen.
    WallpaperRecorder recorder;
    HWND dialog = StartOn(kABC, saved);
    ASSERT_NE(dialog, nullptr);
    SelectEntry(dialog, kWallpaperList, 1);

    // At each new wallpaper after the user's click, what 1001 shows: read on both sides of the
    // wallpaper value, so that a sample with a tick in between is taken again.
    Paths set;
    Paths shown;
    std::string last = DesktopWallpaper();
    WaitUntil(
        [&] {
            std::string before = ControlText(dialog, kCurrentSelection);
            std::string value = DesktopWallpaper();
            if (value != last && ControlText(dialog, kCurrentSelection) == before) {
                set.push_back(value);
                shown.push_back(before);
                last = value;
            }
            return recorder.WaitForChanges(4, 0).size() >= 4;
        },
        4 * kSteadyPeriodMs + kTickMs);

    std::vector<WallpaperRecorder::Change> changes = recorder.WaitForChanges(4, 0);
    Paths values;
    std::string times;
    for (const WallpaperRecorder::Change& change : changes) {
        values.push_back(change.value);
        times += " " + std::to_string(change.atMs);
    }
    EXPECT_EQ(values, (Paths{kA, kB, kC, kA})) << "changed at ms" << times;
    for (size_t i = 1; i < changes.size(); ++i) {
        EXPECT_GE(changes[i].atMs - changes[i - 1].atMs, kSteadyPeriodMs / 2) << "changed at ms" << times;
    }
    EXPECT_GE(set.size(), 2u) << "too few wallpapers seen beside 1001";
    EXPECT_EQ(shown, set) << "1001 beside each new wallpaper";
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), 1);
}

TEST_F(ScheduleTest, MinuteTicksSetASingleEntryAgainAndAgain) {
    Settings saved;
    saved.minutes = kFastMinutes;
    HWND dialog = StartOn({kA}, saved);
    ASSERT_NE(dialog, nullptr);
    Paths set;
    for (int tick = 0; tick < 3; ++tick) set.push_back(NextWallpaperAfter(kMarker, kTickMs));
    EXPECT_EQ(set, Paths(3, kA));
}

TEST_F(ScheduleTest, MinutesOfZeroBelowZeroOrNoNumberChangeNothing) {
    Settings saved;
    saved.minutes = -1.0f;
    HWND dialog = StartOn({kA}, saved);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(WallpaperAfterQuiet(), kMarker) << "saved minutes -1";
    // Each from a running fast timer, which "Apply Settings" stops.
    for (const char* minutes : {"0", "-2.5", "soon"}) {
        SCOPED_TRACE(std::string("minutes \"") + minutes + "\"");
        TypeMinutes(dialog, "0.001");
        ApplySettings(dialog);
        ASSERT_EQ(NextWallpaperAfter(kMarker, kTickMs), kA) << "the fast timer did not run";
        TypeMinutes(dialog, minutes);
        ApplySettings(dialog);
        SetDesktopWallpaper(kMarker);
        EXPECT_EQ(WallpaperAfterQuiet(), kMarker);
    }
}

// Random order.

TEST_F(ScheduleTest, RandomTicksSetOnlyEntriesOfTheList) {
    Settings saved;
    saved.minutes = kFastMinutes;
    saved.randomPick = 1;
    HWND dialog = StartOn(kABC, saved);
    ASSERT_NE(dialog, nullptr);
    // Over more than one second, since the generator is reseeded with the current second.
    Paths picks;
    DWORD start = GetTickCount();
    while (GetTickCount() - start < 1500) picks.push_back(NextWallpaperAfter(kMarker, kTickMs));
    Paths strays;
    for (const std::string& pick : picks) {
        if (PositionIn(kABC, pick) < 0) strays.push_back(pick);
    }
    EXPECT_GE(picks.size(), 5u);
    EXPECT_EQ(strays, Paths{}) << "out of " << picks.size() << " picks";
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR) << "a tick selected an entry";
}

TEST_F(ScheduleTest, ListOrderAfterRandomTicksGoesOnFromTheLastPick) {
    Settings saved;
    saved.minutes = kFastMinutes;
    saved.randomPick = 1;
    HWND dialog = StartOn(kABCDE, saved);
    ASSERT_NE(dialog, nullptr);
    // A last pick other than the first entry, so that going on from it differs from starting over.
    std::string pick;
    DWORD start = GetTickCount();
    do {
        pick = NextWallpaperAfter(kMarker, kTickMs);
    } while ((pick == kA || pick == kMarker) && GetTickCount() - start < 2 * kTickMs);
    ASSERT_GT(PositionIn(kABCDE, pick), 0) << "random ticks set only " << pick;

    // The slower timer from here on, so that nothing changes while the case looks.
    ClickCheckBox(dialog, kRandomPick);
    TypeMinutes(dialog, "0.01");
    ApplySettings(dialog);
    std::string lastPick = DesktopWallpaper();
    int position = PositionIn(kABCDE, lastPick);
    ASSERT_GE(position, 0) << "the last random pick set " << lastPick;
    Paths set;
    for (int tick = 0; tick < 3; ++tick) set.push_back(NextWallpaperAfter(kMarker, kTickMs));
    EXPECT_EQ(set, (Paths{kABCDE[position], kABCDE[(position + 1) % 5], kABCDE[(position + 2) % 5]}))
        << "after the random pick " << lastPick;
}

// Once per program run.

TEST_F(ScheduleTest, OncePerRunShowsSelectsAndSetsTheEntryAfterTheSavedOne) {
    Settings saved;
    saved.frequencyMode = kOncePerRunMode;
    saved.currentIndex = 2;
    HWND dialog = StartOn(kABC, saved);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kA);
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), 0);
    EXPECT_EQ(DesktopWallpaper(), kA);

    // The close box saves A's position, so the next start goes on with B.
    CloseAndWait(dialog);
    SetDesktopWallpaper(kMarker);
    dialog = Start();
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kB);
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), 1);
    EXPECT_EQ(DesktopWallpaper(), kB);
}

TEST_F(ScheduleTest, ApplySettingsInOncePerRunStepsThroughTheList) {
    Settings saved;
    saved.frequencyMode = kOncePerRunMode;
    HWND dialog = StartOn(kABC, saved);
    ASSERT_NE(dialog, nullptr);
    Paths set{DesktopWallpaper()};
    Paths shown{ControlText(dialog, kCurrentSelection)};
    for (int apply = 0; apply < 3; ++apply) {
        ApplySettings(dialog);
        set.push_back(DesktopWallpaper());
        shown.push_back(ControlText(dialog, kCurrentSelection));
    }
    EXPECT_EQ(set, (Paths{kB, kC, kA, kB}));
    EXPECT_EQ(shown, set) << "1001 beside each wallpaper";
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), 1);
}

TEST_F(ScheduleTest, OncePerRunWithAnEmptyListShowsAndHandsOverNone) {
    Settings saved;
    saved.frequencyMode = kOncePerRunMode;
    HWND dialog = StartOn({}, saved);
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DesktopWallpaper(), kNone) << "at start-up";
    // The dialog's first paint shows the empty selection in 1001 again; "Apply Settings" paints
    // only its controls, so there "<none>" stays in view.
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), "") << "after the first paint";
    for (bool random : {false, true}) {
        SCOPED_TRACE(random ? "random order" : "list order");
        if (random) ClickCheckBox(dialog, kRandomPick);
        SetDesktopWallpaper(kMarker);
        ApplySettings(dialog);
        EXPECT_EQ(ControlText(dialog, kCurrentSelection), kNone);
        EXPECT_EQ(DesktopWallpaper(), kNone);
    }
}

// Once a day.

TEST_F(ScheduleTest, OnceADaySavedOnAnotherDayChangesAtStartButNotOnApply) {
    Settings saved;
    saved.frequencyMode = kOnceADayMode;
    HWND dialog = StartOn(kABC, saved, AnotherDay());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DesktopWallpaper(), kB) << "saved " << AnotherDay() << ", today " << Today();
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), kB);
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), 1);
    // Its save stamps today's date before the test.
    SetDesktopWallpaper(kMarker);
    ApplySettings(dialog);
    EXPECT_EQ(DesktopWallpaper(), kMarker) << "after \"Apply Settings\"";
}

TEST_F(ScheduleTest, OnceADaySavedTodayChangesNothing) {
    Settings saved;
    saved.frequencyMode = kOnceADayMode;
    HWND dialog = StartOn(kABC, saved, Today());
    ASSERT_NE(dialog, nullptr);
    EXPECT_EQ(DesktopWallpaper(), kMarker) << "saved today, " << Today();
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), "");
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR);
}

// Set Wallpaper Now.

TEST_F(ScheduleTest, SetWallpaperNowHandsOverWhat1001Shows) {
    HWND dialog = StartOn(kABC, Settings{});
    ASSERT_NE(dialog, nullptr);
    for (int position : {1, 2}) {
        SelectEntry(dialog, kWallpaperList, position);
        EXPECT_TRUE(Click(dialog, kSetWallpaperNowCommand));
        EXPECT_EQ(DesktopWallpaper(), kABC[position]) << "with entry " << position << " selected";
    }
    // With nothing selected 1001 is empty, and the empty text goes over unchanged.
    SelectEntry(dialog, kWallpaperList, -1);
    EXPECT_TRUE(Click(dialog, kSetWallpaperNowCommand));
    EXPECT_EQ(DesktopWallpaper(), "") << "with nothing selected";
}
