// The rotation read back from the wallpaper value: minute ticks, random picks, once per run, once a day, Set Now.
#include <algorithm>

#include "QuorvaneCase.h"
#include "Wallpaper.h"

namespace {

const int kOnceADay = 1, kOncePerRun = 2;
const std::string kA = Picture("A.bmp"), kB = Picture("B.bmp"), kC = Picture("C.bmp");
const Entries kABC = {kA, kB, kC}, kABCDE = {kA, kB, kC, Picture("D.bmp"), Picture("E.bmp")};
// The wallpaper value when a step begins: no entry of any list, so every change shows.
const std::string kMarker = Picture("Marker.bmp");
// 0.001 minutes tick every 60 ms; 0.01 every 599 ms, time enough to look and act between two.
const DWORD kSteadyPeriodMs = 599, kTickMs = 3000;
// How long nothing may change where no timer runs: over eight periods of the fast timer.
const DWORD kQuietMs = 500;

std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

class ScheduleTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : kABCDE) WriteBitmap(path);
        SetDesktopWallpaper(kMarker);
    }

    // Types `minutes` (when given) and presses "Apply Settings".
    void Apply(const char* minutes = nullptr) {
        DWORD_PTR ignored = 0;
        if (minutes)
            SendMessageTimeoutA(GetDlgItem(dialog, kMinutes), WM_SETTEXT, 0, LPARAM(minutes), 0, kTickMs, &ignored);
        EXPECT_TRUE(Click(dialog, kApplySettings)) << "\"Apply Settings\" got no answer";
    }

    // The wallpaper's file name, 1001's and the selection: "B.bmp B.bmp 1".
    std::string State() {
        return Name(DesktopWallpaper()) + " " + Name(ControlText(dialog, kCurrentSelection)) + " " +
               std::to_string(ListSelection(dialog, kWallpaperList));
    }

    KeptDesktopWallpaper kept;  // put back once the program has ended
};

}  // namespace

TEST_F(ScheduleTest, MinuteTicksSetTheListInOrderWhile1001FollowsAndTheSelectionStays) {
    WallpaperRecorder recorder;  // before the start, so that no tick comes too soon to be seen
    ASSERT_TRUE(StartOn(kABC, SettingsRecord(Settings{0, 0, 0.01f})));
    SelectEntry(dialog, kWallpaperList, 1);
    std::string states, times;
    std::vector<WallpaperRecorder::Change> changes;
    for (size_t tick = 1; tick <= 4; ++tick) {
        changes = recorder.WaitForChanges(tick, kSteadyPeriodMs + kTickMs);
        if (changes.size() < tick) break;
        // 1001 changes beside the wallpaper, well before the next tick.
        const std::string& value = changes[tick - 1].value;
        WaitUntil([&] { return ControlText(dialog, kCurrentSelection) == value; }, kSteadyPeriodMs / 2);
        states += State() + ", ";
        times += " " + std::to_string(changes[tick - 1].atMs);
        DWORD sinceLast = tick > 1 ? changes[tick - 1].atMs - changes[tick - 2].atMs : kSteadyPeriodMs;
        EXPECT_GE(sinceLast, kSteadyPeriodMs / 2) << "changed at ms" << times;
    }
    EXPECT_EQ(states, "A.bmp A.bmp 1, B.bmp B.bmp 1, C.bmp C.bmp 1, A.bmp A.bmp 1, ") << "changed at ms" << times;
}

TEST_F(ScheduleTest, ASingleEntryIsSetAtEachTickUntilMinutesOfZeroBelowZeroOrNoNumberStopTheTimer) {
    ASSERT_TRUE(StartOn({kA}, SettingsRecord(Settings{0, 0, -1.0f})));
    Sleep(kQuietMs);
    EXPECT_EQ(DesktopWallpaper(), kMarker) << "saved minutes -1";
    for (const char* minutes : {"0", "-2.5", "soon"}) {
        Apply("0.001");
        EXPECT_EQ(NextWallpaperAfter(kMarker, kTickMs), kA) << "first tick before \"" << minutes << "\"";
        EXPECT_EQ(NextWallpaperAfter(kMarker, kTickMs), kA) << "second tick before \"" << minutes << "\"";
        Apply(minutes);
        SetDesktopWallpaper(kMarker);
        Sleep(kQuietMs);
        EXPECT_EQ(DesktopWallpaper(), kMarker) << "after minutes \"" << minutes << "\"";
    }
}

TEST_F(ScheduleTest, RandomTicksPickOnlyListEntriesAndListOrderThenGoesOnFromTheLastPick) {
    ASSERT_TRUE(StartOn(kABCDE, SettingsRecord(Settings{0, 0, 0.001f, 1})));
    // Over more than one second, since the generator is reseeded with the current second; on
    // until a pick other than the first entry, so that going on from it differs from starting over.
    Entries picks, strays;
    for (DWORD start = GetTickCount();
         GetTickCount() - start < 1500 || (picks.back() == kA && GetTickCount() - start < 6000);) {
        picks.push_back(NextWallpaperAfter(kMarker, kTickMs));
        if (std::count(kABCDE.begin(), kABCDE.end(), picks.back()) == 0) strays.push_back(picks.back());
    }
    EXPECT_GE(picks.size(), 5u);
    EXPECT_EQ(strays, Entries{}) << "out of " << picks.size() << " picks";
    EXPECT_EQ(ListSelection(dialog, kWallpaperList), LB_ERR) << "a tick selected an entry";
    ClickCheckBox(dialog, kRandomPick);
    Apply("0.01");
    std::string last = DesktopWallpaper();
    size_t at = std::find(kABCDE.begin(), kABCDE.end(), last) - kABCDE.begin();
    ASSERT_LT(at, 5u) << "the last random pick set " << last;
    Entries set;
    for (int tick = 0; tick < 3; ++tick) set.push_back(NextWallpaperAfter(kMarker, kTickMs));
    EXPECT_EQ(set, (Entries{kABCDE[at], kABCDE[(at + 1) % 5], kABCDE[(at + 2) % 5]})) << "after " << last;
}

TEST_F(ScheduleTest, StartEachApplyAndTheNextStartChangeTheWallpaperAsTheSavedModeDateAndPositionSay) {
    const std::string another = Today() == "01/01/98" ? "01/02/98" : "01/01/98";
    struct Row {
        const char* name;
        Entries list;
        std::string saved;
        std::string states;  // at start (1001 after the first paint), after each of three applies, at the next start
    };
    const Row rows[] = {
        {"once per run, after entry 2", kABC, SettingsRecord(Settings{kOncePerRun, 2}),
         "A.bmp A.bmp 0, B.bmp B.bmp 1, C.bmp C.bmp 2, A.bmp A.bmp 0; next B.bmp B.bmp 1"},
        {"once a day, saved another day", kABC, DatedRecord(Settings{kOnceADay}, another),
         "B.bmp B.bmp 1, Marker.bmp B.bmp -1, Marker.bmp B.bmp -1, Marker.bmp B.bmp -1; next Marker.bmp  -1"},
        {"once a day, saved today", kABC, DatedRecord(Settings{kOnceADay}, Today()),
         "Marker.bmp  -1, Marker.bmp  -1, Marker.bmp  -1, Marker.bmp  -1; next Marker.bmp  -1"},
        {"once per run, empty list",
         {},
         SettingsRecord(Settings{kOncePerRun}),
         "<none>  -1, <none> <none> -1, <none> <none> -1, <none> <none> -1; next <none>  -1"},
        {"once per run, empty list, random",
         {},
         SettingsRecord(Settings{kOncePerRun, 0, 0, 1}),
         "<none>  -1, <none> <none> -1, <none> <none> -1, <none> <none> -1; next <none>  -1"},
    };
    for (const Row& row : rows) {
        SetDesktopWallpaper(kMarker);
        ASSERT_TRUE(StartOn(row.list, row.saved));
        std::string states = State();
        for (int apply = 1; apply <= 3; ++apply) {
            SetDesktopWallpaper(kMarker);
            Apply();
            states += ", " + State();
        }
        Close();  // saves the position shown and today's date
        SetDesktopWallpaper(kMarker);
        ASSERT_TRUE(Start());
        EXPECT_EQ(states + "; next " + State(), row.states) << row.name << ", today " << Today();
    }
}

TEST_F(ScheduleTest, SetWallpaperNowHandsOverWhat1001Shows) {
    ASSERT_TRUE(StartOn(kABC, SettingsRecord(Settings{})));
    // With nothing selected 1001 is empty, and the empty text goes over unchanged.
    std::string states;
    for (int position : {1, 2, -1}) {
        SelectEntry(dialog, kWallpaperList, position);
        EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
        states += State() + ", ";
    }
    EXPECT_EQ(states, "B.bmp B.bmp 1, C.bmp C.bmp 2,   -1, ");
}
