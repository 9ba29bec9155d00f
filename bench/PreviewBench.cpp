// The preview draw of the main dialog, step for step, on a dialog with the same preview frame.
// Kept in step with CWallpaperDlg::DrawBitmapPreview (wallpaper/pictures/Preview.cpp).
#include <windows.h>

#include <memory>

#include "BenchSupport.h"
#include "Benches.h"
#include "BitmapLoads.h"
#include "DibImage.h"
#include "PreviewDialog.h"
#include "WaitCursor.h"

namespace {

// CWallpaperDlg::DrawPreview: the wait cursor, the file read, the window DC and the draw.
void DrawPreviewSteps(HWND dialog, const char* path) {
    CWaitCursor wait;
    std::unique_ptr<CDibImage> image = std::make_unique<CDibImage>(path);
    HDC dc = GetDC(dialog);
    if (!image->IsLoaded()) Fail(std::string("CDibImage refused ") + path);
    DrawImage(dialog, dc, image.get());
    ReleaseDC(dialog, dc);
}

}  // namespace

void RunPreviewBench(const std::string& folder, int repetitions) {
    HWND dialog = ShowPreviewDialog();

    for (const BitmapSize& size : kBitmapSizes) {
        std::string path = WriteBitmapFile(folder, size);
        const char* file = path.c_str();
        // The stretch alone, on an image loaded once: how much of the draw is the platform's.
        CDibImage loaded(file);
        auto stretchOnly = [&] {
            HDC dc = GetDC(dialog);
            DrawImage(dialog, dc, &loaded);
            ReleaseDC(dialog, dc);
        };
        BareRead(file);
        DrawPreviewSteps(dialog, file);
        stretchOnly();
        PumpMessages();
        int calls = CallsPerSample(SecondsPerCall(1, [&] { BareRead(file); }));
        Say("preview %s: %d repetitions of %d calls per subject", size.name, repetitions, calls);
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            for (int turn = 0; turn < 3; ++turn) {
                switch ((repetition + turn) % 3) {
                    case 0:
                        Emit("preview", size.name, repetition, "bare", SecondsPerCall(calls, [&] { BareRead(file); }));
                        break;
                    case 1:
                        Emit("preview", size.name, repetition, "draw",
                             SecondsPerCall(calls, [&] { DrawPreviewSteps(dialog, file); }));
                        break;
                    default:
                        Emit("preview", size.name, repetition, "stretch", SecondsPerCall(calls, stretchOnly));
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
