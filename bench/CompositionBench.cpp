// The wallpaper that Quorvane composes itself, for a 6000 x 4000 photo onto the 1920 x 1080
// screen: the change with Fill against the change with System setting; the composition alone
// (the picture decoded beforehand) against the platform's decode; and two monitors against one,
// per pixel written. Kept in step with CPictureWorker::MakeComposedChange
// (wallpaper/pictures/PictureWorker.cpp) and CWallpaperComposer (WallpaperComposer.cpp).
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "Benches.h"
#include "DesktopWallpaper.h"
#include "FileStore.h"
#include "PictureScaler.h"
#include "PictureSubjects.h"
#include "WallpaperComposer.h"

namespace {

// As DecodePictureCopies: rows a band, the opaque top byte, and the JPEG's first bytes that
// hold its orientation.
constexpr uint32_t kBandRows = 16;
constexpr uint32_t kOpaque = 0xFF000000;
constexpr std::size_t kOrientationBytes = 128 * 1024;

// How many subjects a repetition times.
constexpr int kSubjectCount = 7;

int OrientationOf(const std::string& path) {
    std::string start;
    if (!ReadFileStart(path.c_str(), kOrientationBytes, start)) Fail("cannot read the start of " + path);
    return ReadExifOrientation(reinterpret_cast<const uint8_t*>(start.data()), start.size());
}

// What CWallpaperComposer does for Fill on one monitor once the frame's rows come out of the
// decoder: the orientation read, each band made opaque and fed to the scaler, the scaled
// picture set upright, the bitmap composed over the desktop colour and written. The picture is
// opaque (a JPEG), so it is not laid over the colour, as DecodePictureCopies does not lay it.
void ComposeDecoded(const std::string& path, DecodedPicture& picture, const ScreenRect& monitor,
                    const std::string& bitmapPath) {
    int orientation = OrientationOf(path);
    MonitorPicture place = PlacePicture(PicturePosition::Fill, picture.width, picture.height, monitor);
    CPictureScaler scaler(place.source, place.width, place.height);
    std::size_t stride = std::size_t(picture.width) * 4;
    uint32_t end = place.source.y + place.source.height;
    for (uint32_t row = place.source.y; row < end; row += kBandRows) {
        uint32_t rows = std::min(kBandRows, end - row);
        BYTE* band = picture.pixels.get() + row * stride;
        uint32_t* pixels = reinterpret_cast<uint32_t*>(band);
        for (std::size_t at = 0; at < std::size_t(picture.width) * rows; ++at) pixels[at] |= kOpaque;
        scaler.AddRows(band, stride, row, rows);
    }
    std::vector<uint32_t> scaled = TurnUpright(scaler.TakePixels(), place.width, place.height, orientation);
    std::vector<ScreenRect> monitors = {monitor};
    WallpaperBitmapLayout layout = LayOutWallpaperBitmap(DesktopLayoutKind(), monitors, monitor);
    std::string file = ComposeWallpaperBitmap(layout, {{scaled.data(), place}}, DesktopColor());
    if (file.empty() || !ReplaceFileContent(bitmapPath.c_str(), file)) Fail("cannot write " + bitmapPath);
}

// The bench composes for the monitors it names; the screen the worker would ask about must be
// the one the System-setting change is written for.
void CheckScreen() {
    std::vector<ScreenRect> monitors = DisplayMonitors();
    const ScreenRect& primary = kPrimaryMonitor;
    bool single = monitors.size() == 1 && std::memcmp(&monitors[0], &primary, sizeof primary) == 0;
    if (!single || GetSystemMetrics(SM_CXVIRTUALSCREEN) != primary.right ||
        GetSystemMetrics(SM_CYVIRTUALSCREEN) != primary.bottom) {
        Fail("the bench's screen is not one monitor of 1920 x 1080");
    }
}

uint64_t PixelsWritten(const std::string& bitmapPath, uint64_t expected) {
    uint64_t pixels = BitmapFilePixels(bitmapPath);
    if (pixels != expected) Fail("the composed bitmap has another size than its monitors' bounds");
    return pixels;
}

}  // namespace

void RunCompositionBench(const std::string& folder, int repetitions) {
    // The program's worker keeps its COM apartment for its whole run; so does this thread.
    CComApartment apartment;
    CheckScreen();
    std::string path = folder + "\\" + kCompositionPicture;
    std::wstring widePath = Wide(path);
    std::string wallpaper = folder + "\\Wallpaper.bmp";
    DecodedPicture decoded = DecodeWhole32(widePath.c_str());
    if (OrientationOf(path) != kUpright) Fail(path + " is not stored upright");
    const std::vector<ScreenRect> oneMonitor = {kPrimaryMonitor};
    const std::vector<ScreenRect> twoMonitors = {kPrimaryMonitor, kLeftMonitor};

    auto decode = [&] { PlatformDecode(widePath.c_str()); };
    auto system = [&] { WriteCopy(path.c_str(), wallpaper); };
    auto composedFill = [&] { WriteComposedChange(PicturePosition::Fill, path.c_str(), DisplayMonitors(), wallpaper); };
    auto composition = [&] { ComposeDecoded(path, decoded, kPrimaryMonitor, wallpaper); };
    auto composeOne = [&] { WriteComposedChange(PicturePosition::Fill, path.c_str(), oneMonitor, wallpaper); };
    auto composeTwo = [&] { WriteComposedChange(PicturePosition::Fill, path.c_str(), twoMonitors, wallpaper); };
    decode();
    system();
    composition();
    composeOne();
    uint64_t onePixels = PixelsWritten(wallpaper, 1920ull * 1080);
    composeTwo();
    uint64_t twoPixels = PixelsWritten(wallpaper, 3200ull * 1080);
    int calls = CallsPerSample(SecondsPerCall(1, decode));
    int compositionCalls = CallsPerSample(SecondsPerCall(1, composition));
    Say("composition %s: %d repetitions of %d calls per subject (%d for the composition alone)", kCompositionPicture,
        repetitions, calls, compositionCalls);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (int turn = 0; turn < kSubjectCount; ++turn) {
            switch ((repetition + turn) % kSubjectCount) {
                case 0:
                    Emit("composition", kCompositionPicture, repetition, "decode", SecondsPerCall(calls, decode));
                    break;
                case 1:
                    Emit("composition", kCompositionPicture, repetition, "system", SecondsPerCall(calls, system));
                    break;
                case 2: {
                    CFillStyle fill;
                    Emit("composition", kCompositionPicture, repetition, "system-fill", SecondsPerCall(calls, system));
                    break;
                }
                case 3:
                    Emit("composition", kCompositionPicture, repetition, "composed-fill",
                         SecondsPerCall(calls, composedFill));
                    break;
                case 4:
                    Emit("composition", kCompositionPicture, repetition, "composition",
                         SecondsPerCall(compositionCalls, composition));
                    break;
                case 5: {
                    double seconds = SecondsPerCall(calls, composeOne);
                    Emit("composition", kCompositionPicture, repetition, "one-monitor", seconds);
                    Emit("perpixel", kCompositionPicture, repetition, "one-monitor", seconds / double(onePixels));
                    break;
                }
                default: {
                    double seconds = SecondsPerCall(calls, composeTwo);
                    Emit("composition", kCompositionPicture, repetition, "two-monitors", seconds);
                    Emit("perpixel", kCompositionPicture, repetition, "two-monitors", seconds / double(twoPixels));
                    break;
                }
            }
        }
    }
    DeleteFileA(wallpaper.c_str());
}
