// The bitmap preview of the main dialog, step for step, on a dialog with the same preview frame.
// Kept in step with CWallpaperDlg::DrawPreview and DrawBitmapPreview (wallpaper/pictures/Preview.cpp).
#include <windows.h>

#include <memory>

#include "BenchSupport.h"
#include "Benches.h"
#include "BitmapLoads.h"
#include "DesktopWallpaper.h"
#include "DibImage.h"
#include "PreviewDialog.h"
#include "PreviewPixels.h"
#include "WaitCursor.h"

namespace {

UprightPicture ShrinkToPreview(HWND dialog, const CDibImage& image) {
    SIZE size = PreviewSize(dialog);
    return ShrinkBitmap(image, uint32_t(size.cx), uint32_t(size.cy));
}

// The palette made from the bitmap's colours and the 1:1 draw of the shrunk pixels.
void DrawShrunk(HWND dialog, const CDibImage& image, const UprightPicture& shrunk) {
    HPALETTE palette = CreateDibPalette(&image);
    if (!shrunk.pixels.empty()) DrawPreviewPixels(dialog, palette, shrunk);
    DeleteObject(palette);
}

// CWallpaperDlg::DrawPreview for a bitmap: the look at the name, the wait cursor, the file read,
// the shrink and the draw.
void DrawBitmapPreviewSteps(HWND dialog, const char* path) {
    if (!IsBitmapFile(path)) Fail(std::string("not taken for a bitmap: ") + path);
    CWaitCursor wait;
    std::unique_ptr<CDibImage> image = std::make_unique<CDibImage>(path);
    if (!image->IsLoaded()) Fail(std::string("CDibImage refused ") + path);
    DrawShrunk(dialog, *image, ShrinkToPreview(dialog, *image));
}

}  // namespace

void RunPreviewBench(const std::string& folder, int repetitions) {
    HWND dialog = ShowPreviewDialog();
    SIZE inside = PreviewSize(dialog);
    Say("preview: %ld x %ld pixels inside the frame", inside.cx, inside.cy);

    for (const BitmapSize& size : kBitmapSizes) {
        std::string path = WriteBitmapFile(folder, size);
        const char* file = path.c_str();
        // The parts of the draw, on an image read once: how much is the shrink and how much the
        // platform's drawing.
        CDibImage loaded(file);
        UprightPicture shrunk = ShrinkToPreview(dialog, loaded);
        auto bare = [&] { BareRead(file); };
        auto whole = [&] { DrawBitmapPreviewSteps(dialog, file); };
        auto shrinkOnly = [&] { ShrinkToPreview(dialog, loaded); };
        auto drawOnly = [&] { DrawShrunk(dialog, loaded, shrunk); };
        bare();
        whole();
        shrinkOnly();
        drawOnly();
        PumpMessages();
        int calls = CallsPerSample(SecondsPerCall(1, bare));
        Say("preview %s: %d repetitions of %d calls per subject", size.name, repetitions, calls);
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            for (int turn = 0; turn < 4; ++turn) {
                switch ((repetition + turn) % 4) {
                    case 0:
                        Emit("preview", size.name, repetition, "bare", SecondsPerCall(calls, bare));
                        break;
                    case 1:
                        Emit("preview", size.name, repetition, "draw", SecondsPerCall(calls, whole));
                        break;
                    case 2:
                        Emit("preview", size.name, repetition, "shrink", SecondsPerCall(calls, shrinkOnly));
                        break;
                    default:
                        Emit("preview", size.name, repetition, "paint", SecondsPerCall(calls, drawOnly));
                        break;
                }
                // The window's surface reaches the screen here, outside the timing, as it does
                // after a paint in the program.
                PumpMessages();
            }
        }
        DeleteFileA(file);
    }
    DestroyWindow(dialog);
    PumpMessages();
}
