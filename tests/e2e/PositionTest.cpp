// The picture's position on the screen and a picture for each monitor: Quorvane composes the bitmap of the virtual
// screen itself, hands it over with the tile style, keeps the user's own style values and puts them back.
#include <cmath>
#include <functional>

#include "MessageBoxes.h"
#include "Monitors.h"
#include "QuorvaneCase.h"
#include "Wallpaper.h"

namespace {

const int kPicturePosition = 1030;
const int kEachMonitor = 1031;
const char* const kDisplayFile = "C:\\Quorvane\\Display.INI";
const char* const kTileWallpaper = "TileWallpaper";
const char* const kWallpaperStyle = "WallpaperStyle";
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(32, 192, 96), kBlue = RGB(0, 0, 255);
const std::string kMarker = Picture("Marker.bmp");
const DWORD kChangeMs = 20000;

// The window lists the positions in this order.
enum Position { kSystemSetting, kFill, kFit, kStretch, kCenter, kTile };
const Entries kPositionNames = {"System setting", "Fill", "Fit", "Stretch", "Center", "Tile"};

// The colour expected at bitmap pixel (x, y); CLR_INVALID where anything goes.
using Expected = std::function<COLORREF(int x, int y)>;

// Where one copy of a 200 x 100 picture lies on a screen of width x height.
struct Shown {
    double left, top, width, height;
    bool tiled;
};

Shown ShownAt(Position position, double width, double height) {
    auto centred = [&](double scale) {
        return Shown{(width - 200 * scale) / 2, (height - 100 * scale) / 2, 200 * scale, 100 * scale, false};
    };
    if (position == kFill) return centred(std::max(width / 200, height / 100));
    if (position == kFit) return centred(std::min(width / 200, height / 100));
    if (position == kStretch) return {0, 0, width, height, false};
    if (position == kCenter) return centred(1);
    return {0, 0, 200, 100, true};
}

// Red in the picture's left half, blue in its right, the desktop's colour outside it; anything within `margin`
// pixels of an edge between them.
Expected Halves(const Shown& shown, double margin) {
    return [=](int x, int y) -> COLORREF {
        double u = x + 0.5 - shown.left, v = y + 0.5 - shown.top;
        if (shown.tiled) u = std::fmod(u, shown.width), v = std::fmod(v, shown.height);
        for (double edge : {0.0, shown.width / 2, shown.width}) {
            if (std::abs(u - edge) < margin) return CLR_INVALID;
        }
        if (std::abs(v) < margin || std::abs(v - shown.height) < margin) return CLR_INVALID;
        if (u < 0 || v < 0 || u > shown.width || v > shown.height) return GetSysColor(COLOR_DESKTOP);
        return u < shown.width / 2 ? kRed : kBlue;
    };
}

int PixelsOff(const Bitmap24& bitmap, const Expected& expected, int steps) {
    int off = 0;
    for (int y = 0; y < bitmap.height; ++y) {
        for (int x = 0; x < bitmap.width; ++x) off += Near(bitmap.At(x, y), expected(x, y), steps) ? 0 : 1;
    }
    return off;
}

bool Contains(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class PositionTest : public QuorvaneCase {
protected:
    void Choose(Position position) {
        SendMessageA(GetDlgItem(dialog, kPicturePosition), CB_SETCURSEL, WPARAM(position), 0);
    }

    void Apply(Position position) {
        Choose(position);
        EXPECT_TRUE(Click(dialog, kApplySettings));
    }

    // Set Wallpaper Now on list line `line`: the wallpaper value it leaves, or the marker when none came.
    std::string SetNow(int line) {
        SelectEntry(dialog, kWallpaperList, line);
        SetDesktopWallpaper(kMarker);
        EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
        WaitUntil([] { return DesktopWallpaper() != kMarker; }, kChangeMs);
        return DesktopWallpaper();
    }

    // The composed bitmap, checked to be the wallpaper, of the size, and handed over with the tile style.
    Bitmap24 Composed(SIZE size) {
        EXPECT_EQ(DesktopWallpaper(), kWallpaperBitmap);
        EXPECT_EQ(DesktopValue(kTileWallpaper), "1");
        EXPECT_EQ(DesktopValue(kWallpaperStyle), "0");
        Bitmap24 bitmap = ReadBitmap24(ReadBytes(kWallpaperBitmap));
        EXPECT_EQ(std::pair(bitmap.width, bitmap.height), std::pair(int(size.cx), int(size.cy))) << "its size";
        return bitmap;
    }

    KeptDesktopWallpaper kept;
};

}  // namespace

TEST_F(PositionTest, EachPositionComposesTheVirtualScreenWithTheHalvesAndBarsWhereItPutsThemAndIsKept) {
    // Stored 100 x 200, red over blue, to be turned a quarter anticlockwise: upright, red is left.
    WriteBytes(Picture("Turned.jpg"),
               WithExifOrientation(PictureBytes(PictureFormat::Jpeg, {100, 200, {kRed, kBlue}}), 8));
    WriteBytes(Picture("Halves.png"), HalvesBytes(PictureFormat::Png, 200, 100, kRed, kBlue));
    WriteBytes(Picture("Broken.bmp"), NoiseBytes(600));
    ASSERT_TRUE(StartOn({Picture("Halves.png"), Picture("Turned.jpg"), Picture("Broken.bmp")}, SettingsRecord({})));
    EXPECT_EQ(ComboEntries(dialog, kPicturePosition), kPositionNames);
    EXPECT_EQ(ControlText(dialog, kPicturePosition), "System setting") << "without Display.INI";

    const SIZE screen{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    // JPEG blurs the colours a few pixels either side of where the halves meet.
    struct Row {
        Position position;
        int line;
        int steps;
        double blur;  // in picture pixels
    } rows[] = {{kFill, 0, 2, 1},   {kFit, 0, 2, 1},  {kStretch, 0, 2, 1},
                {kCenter, 0, 2, 1}, {kTile, 0, 2, 1}, {kFill, 1, kJpegSteps, 4}};
    for (const Row& row : rows) {
        SCOPED_TRACE(kPositionNames[size_t(row.position)] + " of line " + std::to_string(row.line));
        Apply(row.position);
        EXPECT_EQ(SetNow(row.line), kWallpaperBitmap);
        Shown shown = ShownAt(row.position, screen.cx, screen.cy);
        Bitmap24 bitmap = Composed(screen);
        if (bitmap.width == screen.cx && bitmap.height == screen.cy) {
            EXPECT_EQ(PixelsOff(bitmap, Halves(shown, row.blur * shown.width / 200 + 2), row.steps), 0);
        }
    }
    SelectEntry(dialog, kWallpaperList, 2);
    SetDesktopWallpaper(kMarker);
    EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
    HWND box = WaitForMessageBox(app->Id(), "Quorvane", kChangeMs);
    EXPECT_EQ(box ? MessageBoxText(box) : "", "Not a bitmap file") << "a bitmap it cannot read";
    if (box) AnswerMessageBox(box, IDOK);
    EXPECT_EQ(DesktopWallpaper(), kMarker);

    // The close box keeps what the controls show, applied or not; Escape does not.
    ClickCheckBox(dialog, kEachMonitor);
    Choose(kCenter);
    Close();
    const std::string saved = ReadBytes(kDisplayFile);
    EXPECT_TRUE(Contains(saved, "Position=Center\r\n") && Contains(saved, "EachMonitor=1\r\n")) << saved;
    EXPECT_EQ(ReadBytes("C:\\Quorvane\\Quorvane.INI").size(), kRecordSize);
    ASSERT_TRUE(Start());
    EXPECT_EQ(ControlText(dialog, kPicturePosition), "Center");
    EXPECT_EQ(CheckState(dialog, kEachMonitor), BST_CHECKED);
    Choose(kTile);
    EXPECT_TRUE(PressEscape(dialog));
    EXPECT_TRUE(app->WaitForExit(kExitMs));
    EXPECT_EQ(ReadBytes(kDisplayFile), saved) << "Escape wrote the display settings";
}

TEST_F(PositionTest, SystemSettingHandsOverTheFileItselfAndPutsBackTheUsersOwnStyleValues) {
    WriteBytes(Picture("Halves.bmp"), HalvesBytes(PictureFormat::Bmp, 200, 100, kRed, kBlue));
    using Value = std::optional<std::string>;
    struct Row {
        Value tile, style;
        const char* kept;  // in Display.INI while a composed position is in force
    } rows[] = {{"0", "2", "UserTileWallpaper=0\r\nUserWallpaperStyle=2\r\n"}, {std::nullopt, std::nullopt, nullptr}};
    for (const Row& row : rows) {
        SCOPED_TRACE(row.kept ? row.kept : "no values of the user's");
        SetDesktopValue(kTileWallpaper, row.tile);
        SetDesktopValue(kWallpaperStyle, row.style);
        ASSERT_TRUE(StartOn({Picture("Halves.bmp")}, SettingsRecord({})));
        Apply(kFill);
        SetNow(0);
        Composed({GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)});
        SetNow(0);
        EXPECT_EQ(DesktopValue(kTileWallpaper), "1") << "the second change kept Quorvane's values as the user's";
        std::string display = ReadBytes(kDisplayFile);
        EXPECT_EQ(Contains(display, "User"), row.kept != nullptr) << display;
        EXPECT_TRUE(!row.kept || Contains(display, row.kept)) << display;

        Apply(kSystemSetting);
        EXPECT_EQ(SetNow(0), Picture("Halves.bmp"));
        EXPECT_EQ(DesktopValue(kTileWallpaper), row.tile);
        EXPECT_EQ(DesktopValue(kWallpaperStyle), row.style);
        EXPECT_FALSE(Contains(ReadBytes(kDisplayFile), "User")) << "the kept values stay after they were put back";
        Close();
    }
}

TEST_F(PositionTest, APictureForEachMonitorGoesWhereTilingShowsThatMonitorAnd1001ShowsTheLastOne) {
    const Entries list = {Picture("Red.bmp"), Picture("Green.bmp"), Picture("Blue.bmp")};
    const COLORREF colors[] = {kRed, kGreen, kBlue};
    for (size_t i = 0; i < list.size(); ++i) WriteBytes(list[i], BitmapBytes(40, 30, 24, colors[i]));
    LayOutQuorvaneFiles(list, SettingsRecord({}));
    WriteBytes(kDisplayFile, "[Display]\r\nPosition=Fill\r\nEachMonitor=1\r\n");
    ASSERT_TRUE(Start());
    // A primary of 1024 x 768 and a monitor left of it, lower down: tiling from the primary's top-left wraps it round.
    ASSERT_TRUE(FakeMonitors(dialog, {{0, 0, 1024, 768}, {-800, 100, 0, 700}}));
    const RECT primary{0, 0, 1024, 768}, wrapped{1024, 100, 1824, 700};
    auto monitors = [&](COLORREF first, COLORREF second) -> Expected {
        return [=](int x, int y) {
            POINT at{x, y};
            return PtInRect(&primary, at) ? first : PtInRect(&wrapped, at) ? second : GetSysColor(COLOR_DESKTOP);
        };
    };

    EXPECT_EQ(SetNow(0), kWallpaperBitmap);
    Bitmap24 bitmap = Composed({1824, 768});
    EXPECT_EQ(PixelsOff(bitmap, monitors(kRed, kGreen), 2), 0) << "1001's picture, then the place after it";
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), list[0]) << "Set Wallpaper Now moved 1001";

    // A change of the schedule takes the next two places; 1001 shows the last monitor's, so the next goes on after it.
    ClickCheckBox(dialog, kFreqOncePerRun);
    SetDesktopWallpaper(kMarker);
    EXPECT_TRUE(Click(dialog, kApplySettings));
    WaitUntil([] { return DesktopWallpaper() != kMarker; }, kChangeMs);
    bitmap = Composed({1824, 768});
    EXPECT_EQ(PixelsOff(bitmap, monitors(kGreen, kBlue), 2), 0);
    EXPECT_EQ(ControlText(dialog, kCurrentSelection), list[2]);
}
