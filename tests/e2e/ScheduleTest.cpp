// The rotation read back from the wallpaper value: minute ticks, random picks, once per run, once a day, Set Now.
#include <algorithm>
#include <cstring>
#include <sstream>

#include "MessageBoxes.h"
#include "QuorvaneCase.h"
#include "Wallpaper.h"

namespace {

const int kOnceADay = 1, kOncePerRun = 2;
const std::string kA = Picture("A.bmp"), kB = Picture("B.bmp"), kC = Picture("C.bmp");
const Entries kABC = {kA, kB, kC}, kABCDE = {kA, kB, kC, Picture("D.bmp"), Picture("E.bmp")};
// Pictures other than .bmp files, decoded off the window's thread; one that does not decode, or is wider than 16384
// pixels, is refused and never handed over.
const std::string kPng = Picture("Bands.png"), kJpeg = Picture("Bands.jpg"), kNoise = Picture("Noise.png"),
                  kTooWide = Picture("TooWide.png"), kDeepPng = Picture("Deep.png");
// The wallpaper value when a step begins: no entry of any list, so every change shows.
const std::string kMarker = Picture("Marker.bmp");
// 0.001 minutes tick every 60 ms; 0.01 every 599 ms, time enough to look and act between two.
const DWORD kSteadyPeriodMs = 599, kTickMs = 3000;
// How long nothing may change where no timer runs: over eight periods of the fast timer.
const DWORD kQuietMs = 500;

std::string Name(const std::string& path) { return path.substr(path.rfind('\\') + 1); }

// The headers of the .bmp file at `path`, and how many of its pixels lie off the picture's by more than `steps`.
std::string BitmapText(const std::string& path, const BandedPicture& picture, int steps) {
    std::string bytes = ReadBytes(path);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    if (bytes.size() < sizeof file + sizeof info) return std::to_string(bytes.size()) + " bytes";
    std::memcpy(&file, bytes.data(), sizeof file);
    std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
    Bitmap24 bitmap = ReadBitmap24(bytes);
    bool sized = bitmap.width == picture.width && bitmap.height == picture.height;
    int off = sized ? 0 : -1;
    for (int y = 0; sized && y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) off += Near(bitmap.At(x, y), BandColor(picture, y), steps) ? 0 : 1;
    }
    std::ostringstream text;
    text << bytes.substr(0, 2) << ", " << file.bfSize << " of " << bytes.size() << " bytes, pixels at "
         << file.bfOffBits << "; " << info.biSize << "-byte header, " << info.biWidth << " x " << info.biHeight << ", "
         << info.biPlanes << " plane, " << info.biBitCount << " bits, compression " << info.biCompression << "; " << off
         << " pixels off";
    return text.str();
}

class ScheduleTest : public QuorvaneCase {
protected:
    void SetUp() override {
        QuorvaneCase::SetUp();
        for (const std::string& path : kABCDE) WriteBitmap(path);
        WriteBytes(kPng, PictureBytes(PictureFormat::Png, kPngPicture));
        WriteBytes(kJpeg, PictureBytes(PictureFormat::Jpeg, kJpegPicture));
        WriteBytes(kNoise, NoiseBytes(200));
        WriteBytes(kTooWide, PictureBytes(PictureFormat::Png, {16385, 2, {RGB(255, 0, 0)}}));
        WriteBytes(kDeepPng, PictureBytes(PictureFormat::Png16, kPngPicture));
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
        {"once per run, a PNG picture",
         {kPng},
         SettingsRecord(Settings{kOncePerRun}),
         "Wallpaper.bmp Bands.png 0, Wallpaper.bmp Bands.png 0, Wallpaper.bmp Bands.png 0, Wallpaper.bmp Bands.png 0; "
         "next Wallpaper.bmp Bands.png 0"},
        {"once per run, a picture that cannot be shown passed over", {kNoise, kA}, SettingsRecord(Settings{kOncePerRun, 1}),
         "A.bmp A.bmp 1, A.bmp A.bmp 1, A.bmp A.bmp 1, A.bmp A.bmp 1; next A.bmp A.bmp 1"},
        {"once per run, no entry can be shown", {kNoise}, SettingsRecord(Settings{kOncePerRun}),
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
        // A picture that is no bitmap changes the wallpaper once it is decoded, or puts 1001 back when it is refused.
        auto settled = [&] {
            WaitUntil(
                [&] {
                    std::string shown = ControlText(dialog, kCurrentSelection);
                    return DesktopWallpaper() != kMarker || shown.size() < 4 || shown.substr(shown.size() - 4) != ".png";
                },
                kTickMs);
            return State();
        };
        SetDesktopWallpaper(kMarker);
        ASSERT_TRUE(StartOn(row.list, row.saved));
        std::string states = settled();
        for (int apply = 1; apply <= 3; ++apply) {
            SetDesktopWallpaper(kMarker);
            Apply();
            states += ", " + settled();
        }
        Close();  // saves the position shown and today's date
        SetDesktopWallpaper(kMarker);
        ASSERT_TRUE(Start());
        EXPECT_EQ(states + "; next " + settled(), row.states) << row.name << ", today " << Today();
    }
}

TEST_F(ScheduleTest, SetWallpaperNowHandsOverWhat1001ShowsAPictureAsTheBitmapItDecodesToAndReportsOneItCannotShow) {
    const Entries list = {kA, kB, kC, kPng, kJpeg, kNoise, kTooWide, kDeepPng};
    ASSERT_TRUE(StartOn(list, SettingsRecord(Settings{})));
    // With nothing selected 1001 is empty, and the empty text goes over unchanged.
    std::string states;
    for (int position : {1, 2, -1, 3, 4, 5, 6, 7}) {
        SetDesktopWallpaper(kMarker);
        SelectEntry(dialog, kWallpaperList, position);
        EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
        HWND box = nullptr;
        WaitUntil([&] { return DesktopWallpaper() != kMarker || (box = FindMessageBox(app->Id())) != nullptr; },
                  kTickMs);
        if (box) {
            states += "box \"" + Name(MessageBoxText(box)) + "\" ";
            AnswerMessageBox(box, IDOK);
            EXPECT_TRUE(WaitUntilGone(box, kTickMs)) << "the box stayed after OK";
        }
        states += State() + ", ";
        if (position != 3 && position != 4 && position != 7) continue;
        const BandedPicture& picture = position == 4 ? kJpegPicture : kPngPicture;
        EXPECT_EQ(DesktopWallpaper(), kWallpaperBitmap);
        EXPECT_EQ(BitmapText(kWallpaperBitmap, picture, position == 4 ? kJpegSteps : 0),
                  "BM, 2998 of 2998 bytes, pixels at 54; 40-byte header, 30 x 32, 1 plane, 24 bits, compression 0; "
                  "0 pixels off")
            << Name(list[position]);
    }
    EXPECT_EQ(states,
              "B.bmp B.bmp 1, C.bmp C.bmp 2,   -1, Wallpaper.bmp Bands.png 3, Wallpaper.bmp Bands.jpg 4, "
              "box \"Noise.png: This is not a kind of picture Quorvane can show.\" Marker.bmp Noise.png 5, "
              "box \"TooWide.png: The picture is larger than 16384 x 16384 pixels.\" Marker.bmp TooWide.png 6, "
              "Wallpaper.bmp Deep.png 7, ");
    EXPECT_EQ(ReadBytes(kListFile), ListBytes(list));
    EXPECT_EQ(FilesIn(kQuorvaneFolder), (Entries{"Quorvane.INI", "Quorvane.LST", "Wallpaper.bmp"}));
}

TEST_F(ScheduleTest, TheRotationStepsThroughEachFolderLinesPicturesAsTheFolderHoldsThemAtEachChange) {
    const std::string shelf = Picture("Shelf"), empty = Picture("Empty");
    // A picture of the picture folder by its path from there on: "Shelf\sub\b3.bmp".
    auto below = [](const std::string& path) { return path.rfind(kPictures, 0) == 0 ? path.substr(std::strlen(kPictures) + 1) : path; };
    auto state = [&] {
        return below(DesktopWallpaper()) + " " + below(ControlText(dialog, kCurrentSelection)) + " " +
               std::to_string(ListSelection(dialog, kWallpaperList));
    };
    enum Action { Change, Restart, Refill, Select, SetNow, Quiet };
    struct Step {
        Action action;
        int line = 0;  // of Select
    };
    struct Row {
        const char* name;
        Entries list;
        std::string saved;
        std::vector<Step> steps;
        std::string states;  // after each step but Refill and SetNow; "saved <index>" after a Restart
    };
    const Row rows[] = {
        {"ticks over a picture line, a folder line and a missing folder; a picture copied in and one taken out",
         {kA, shelf + "\\", Picture("Missing\\")},
         SettingsRecord(Settings{0, 0, 0.005f}),
         {{Change}, {Change}, {Change}, {Change}, {Refill}, {Change}, {Change}, {Change}},
         "A.bmp A.bmp -1, Shelf\\b1.bmp Shelf\\b1.bmp -1, Shelf\\B2.bmp Shelf\\B2.bmp -1, "
         "Shelf\\sub\\b3.bmp Shelf\\sub\\b3.bmp -1, A.bmp A.bmp -1, Shelf\\b1.bmp Shelf\\b1.bmp -1, "
         "Shelf\\b15.bmp Shelf\\b15.bmp -1, "},
        {"once per run from a saved index inside a hand-written folder line",
         {kA, shelf},
         SettingsRecord(Settings{kOncePerRun, 1}),
         {{Change}, {Restart}, {Change}, {Restart}, {Change}, {Restart}, {Change}},
         "Shelf\\B2.bmp Shelf\\B2.bmp 1, saved 2, Shelf\\sub\\b3.bmp Shelf\\sub\\b3.bmp 1, saved 3, A.bmp A.bmp 0, "
         "saved 0, Shelf\\b1.bmp Shelf\\b1.bmp 1, "},
        {"a folder line selected and set, then an empty one",
         {kA, shelf + "\\", empty + "\\"},
         SettingsRecord(Settings{}),
         {{Select, 1}, {SetNow}, {Change}, {Select, 2}, {SetNow}, {Quiet}},
         "Marker.bmp Shelf\\ 1, Shelf\\b1.bmp Shelf\\ 1, Marker.bmp Empty\\ 2, Marker.bmp Empty\\ 2, "},
    };
    for (const Row& row : rows) {
        // Hidden files and other kinds of file are passed over.
        RemoveFolder(shelf);
        for (const std::string& folder : {shelf, shelf + "\\sub", empty}) CreateDirectoryA(folder.c_str(), nullptr);
        for (const char* name : {"b1.bmp", "B2.bmp", "sub\\b3.bmp", "a.bmp"}) WriteBitmap(shelf + "\\" + name);
        WriteBytes(shelf + "\\notes.txt", "notes");
        ASSERT_TRUE(SetFileAttributesA((shelf + "\\a.bmp").c_str(), FILE_ATTRIBUTE_HIDDEN));
        SetDesktopWallpaper(kMarker);
        ASSERT_TRUE(StartOn(row.list, row.saved));
        std::string states;
        for (const Step& step : row.steps) {
            if (step.action == Change) {
                // The marker was set before the change was due, by the last Change or Restart.
                EXPECT_TRUE(WaitUntil([] { return DesktopWallpaper() != kMarker; }, kTickMs)) << row.name;
                Settle(dialog);
            } else if (step.action == Restart) {
                Close();
                states += "saved " + std::to_string(Int32At(ReadBytes(kSettingsFile), 4)) + ", ";
                SetDesktopWallpaper(kMarker);
                ASSERT_TRUE(Start());
            } else if (step.action == Refill) {
                WriteBitmap(shelf + "\\b15.bmp");
                DeleteFileA((shelf + "\\B2.bmp").c_str());
            } else if (step.action == Select) {
                SelectEntry(dialog, kWallpaperList, step.line);
            } else if (step.action == SetNow) {
                EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
            } else {
                Sleep(kQuietMs);
            }
            if (step.action == Change || step.action == Select || step.action == Quiet) states += state() + ", ";
            if (step.action == Change) SetDesktopWallpaper(kMarker);
        }
        EXPECT_EQ(OtherWindows(), std::vector<HWND>{}) << row.name;
        Close();
        EXPECT_EQ(states, row.states) << row.name;
    }
}
