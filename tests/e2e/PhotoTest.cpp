// Photos as people have them: turned by their EXIF block, transparent, fine-grained, of kinds Quorvane cannot show,
// and large; previewed and made the wallpaper while the window goes on answering.
#include <algorithm>
#include <functional>

#include "MessageBoxes.h"
#include "QuorvaneCase.h"
#include "ScreenPixels.h"
#include "Wallpaper.h"

namespace {

const int kPreviewFrame = 1017;
const COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(32, 192, 96), kBlue = RGB(0, 0, 255), kWhite = RGB(255, 255, 255);
const std::string kPreviewOn = SettingsRecord(Settings{0, 0, 0, 0, 0, 1});
const std::string kMarker = Picture("Marker.bmp");
// A decode of the largest picture here takes a few seconds under Wine; the window must answer within kAnswerMs.
const DWORD kDecodeMs = 30000;
const double kAnswerMs = 100;
// A lossless WebP of 4 x 4 blue pixels, made with ImageMagick: a kind of picture the platform may not read.
const std::string kWebp("RIFF\x1e\0\0\0WEBPVP8L\x11\0\0\0\x2f\x03\xc0\0\0\x07\x50\xb0\xc2\x14\xb8\xff\x81\x88\xe8\x7f\0\0",
                        38);

// The colour expected at a point given as fractions of the width and the height; CLR_INVALID where anything goes.
using Expected = std::function<COLORREF(double x, double y)>;

COLORREF Blend(COLORREF over, COLORREF under, int alpha) {
    auto mix = [&](int top, int bottom) { return (top * alpha + bottom * (255 - alpha) + 127) / 255; };
    return RGB(mix(GetRValue(over), GetRValue(under)), mix(GetGValue(over), GetGValue(under)),
               mix(GetBValue(over), GetBValue(under)));
}

// Bands of `colors` from the top (or from the left, `across`), each expected away from its edges.
Expected Bands(std::vector<COLORREF> colors, bool across = false) {
    return [colors, across](double x, double y) {
        double at = (across ? x : y) * double(colors.size());
        double within = at - double(int(at));
        return within < 0.2 || within > 0.8 ? CLR_INVALID : colors[size_t(at)];
    };
}

// The pixels of a width x height picture, read by `at`, that lie more than `steps` off what `expected` says.
int PixelsOff(int width, int height, const std::function<COLORREF(int, int)>& at, const Expected& expected,
              int steps) {
    int off = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            COLORREF want = expected((x + 0.5) / width, (y + 0.5) / height);
            off += Near(at(x, y), want, steps) ? 0 : 1;
        }
    }
    return off;
}

struct Row {
    const char* name;
    std::string bytes;
    const char* reason;  // of the box for the preview and for Set Wallpaper Now
    Expected preview;
    int steps;
    SIZE copy;            // of C:\Quorvane\Wallpaper.bmp; 0 x 0: the desktop gets the file itself
    Expected copyPixels;  // none: not looked at
};

class PhotoTest : public QuorvaneCase {
protected:
    // Waits until `done` holds, sending the dialog WM_NULL between looks and keeping the longest round trip.
    bool WaitAnswering(const std::function<bool()>& done, DWORD milliseconds) {
        return WaitUntil(
            [&] {
                longestMs = std::max(longestMs, MsTaken([&] { Deliver(dialog, WM_NULL, 0, 0, nullptr, kDecodeMs); }));
                return done();
            },
            milliseconds, 10);
    }

    // The box that came up: its text after the path's folder, once OK has closed it; empty when none came.
    std::string Answer(HWND box) {
        if (!box) return "";
        std::string text = MessageBoxText(box);
        AnswerMessageBox(box, IDOK);
        EXPECT_TRUE(WaitUntilGone(box, kDecodeMs)) << "the box stayed after OK";
        return text.substr(std::min(text.size(), std::string(kPictures).size() + 1));
    }

    RECT Inside() { return Shrunk(WindowRectOnScreen(GetDlgItem(dialog, kPreviewFrame)), 3); }

    int PreviewOff(const Row& row) {
        RECT inside = Inside();
        ScreenShot shot(inside);
        auto at = [&](int x, int y) { return shot.At(inside.left + x, inside.top + y); };
        return PixelsOff(inside.right - inside.left, inside.bottom - inside.top, at, row.preview, row.steps);
    }

    double longestMs = 0;
    KeptDesktopWallpaper kept;
};

}  // namespace

TEST_F(PhotoTest, PhotosArePreviewedAndSetUprightOverTheDesktopColourNoLargerThanTheScreenWhileTheWindowAnswers) {
    // Each row's preview differs from the row's before, which the frame shows until the new one is drawn.
    const Entries list = {Picture("Upright.jpg"), Picture("Checker.bmp"), Picture("Alpha.png"),
                          Picture("Checker.png"), Picture("Photo.webp"),  Picture("Big.jpg")};
    ASSERT_TRUE(StartOn(list, kPreviewOn));
    const RECT inside = Inside();
    // Checkerboards of twice the preview's size each way: every preview pixel averages two black and two white cells.
    const SIZE preview{inside.right - inside.left, inside.bottom - inside.top}, checkers{2 * preview.cx, 2 * preview.cy};
    const SIZE screen{GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN)};
    const COLORREF desktop = GetSysColor(COLOR_DESKTOP), halfGreen = Blend(kGreen, desktop, 128);
    auto grey = [](double, double) { return RGB(128, 128, 128); };
    const Row rows[] = {
        // Stored with a red band over a green one, and an EXIF orientation 6: turned a quarter clockwise, red goes
        // right.
        {"Upright.jpg", WithExifOrientation(PictureBytes(PictureFormat::Jpeg, {48, 32, {kRed, kGreen}}), 6), nullptr,
         Bands({kGreen, kRed}, true), kJpegSteps, {32, 48}, Bands({kGreen, kRed}, true)},
        {"Checker.bmp", CheckerboardBytes(PictureFormat::Bmp, checkers.cx, checkers.cy), nullptr, grey, 8, {0, 0},
         nullptr},
        // Opaque red, then transparent over a hidden white, then green at half strength.
        {"Alpha.png", PictureBytes(PictureFormat::PngAlpha, {30, 30, {kRed, kWhite, kGreen}, {255, 0, 128}}), nullptr,
         Bands({kRed, desktop, halfGreen}), 3, {30, 30}, Bands({kRed, desktop, halfGreen})},
        {"Checker.png", CheckerboardBytes(PictureFormat::Png, checkers.cx, checkers.cy), nullptr, grey, 8, checkers,
         nullptr},
        {"Photo.webp", kWebp, "This is not a kind of picture Quorvane can show.", nullptr, 0, {}, nullptr},
        // 6000 x 4000 in four bands of 1000 rows: the centred part the screen shows lies across the middle two.
        {"Big.jpg", PictureBytes(PictureFormat::Jpeg, {6000, 4000, {kRed, kGreen, kBlue, kWhite}}), nullptr,
         Bands({kRed, kGreen, kBlue, kWhite}), kJpegSteps, screen, Bands({kGreen, kBlue})},
    };
    for (const Row& row : rows) WriteBytes(Picture(row.name), row.bytes);

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string path = Picture(row.name);
        const std::string refused = row.reason ? std::string(row.name) + ": " + row.reason : "";
        SetDesktopWallpaper(kMarker);
        longestMs = 0;
        HWND box = nullptr;
        PostSelectEntry(dialog, kWallpaperList, int(&row - rows));
        WaitAnswering([&] { return (box = FindMessageBox(app->Id())) || (!row.reason && PreviewOff(row) == 0); },
                      kDecodeMs);
        EXPECT_EQ(Answer(box), refused) << "the preview's box";
        if (!row.reason) {
            EXPECT_EQ(PreviewOff(row), 0) << "pixels off of " << PixelCount(inside) << " in the preview";
        }

        box = nullptr;
        EXPECT_TRUE(Click(dialog, kSetWallpaperNow));
        WaitAnswering([&] { return (box = FindMessageBox(app->Id())) || DesktopWallpaper() != kMarker; }, kDecodeMs);
        EXPECT_EQ(Answer(box), refused) << "Set Wallpaper Now's box";
        EXPECT_LT(longestMs, kAnswerMs) << "the longest WM_NULL round trip, in ms";
        if (row.reason || row.copy.cx == 0) {
            EXPECT_EQ(DesktopWallpaper(), row.reason ? kMarker : path);
            continue;
        }
        EXPECT_EQ(DesktopWallpaper(), kWallpaperBitmap);
        Bitmap24 copy = ReadBitmap24(ReadBytes(kWallpaperBitmap));
        EXPECT_EQ(std::pair(copy.width, copy.height), std::pair(int(row.copy.cx), int(row.copy.cy))) << "the copy's size";
        if (row.copyPixels && copy.width == row.copy.cx && copy.height == row.copy.cy) {
            auto at = [&](int x, int y) { return copy.At(x, y); };
            EXPECT_EQ(PixelsOff(copy.width, copy.height, at, row.copyPixels, row.steps), 0) << "pixels off in the copy";
        }
    }
}
