// The preview draw of the main dialog, step for step, on a dialog with the same preview frame.
// Kept in step with CWallpaperDlg::DrawPreview and DrawPreviewImage (wallpaper/pictures/Preview.cpp).
#include <windows.h>

#include <memory>

#include "BenchSupport.h"
#include "Benches.h"
#include "BitmapLoads.h"
#include "DibImage.h"
#include "WaitCursor.h"
#include "res/BenchResource.h"

namespace {

// As in the program: the picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The palette and the stretch of CWallpaperDlg::DrawPreviewImage.
void DrawImage(HWND dialog, HDC dc, const CDibImage* image) {
    HPALETTE palette = CreateDibPalette(image);
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);

    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_BENCH_FRAME), &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    POINT topLeft{frame.left, frame.top};
    POINT bottomRight{frame.right, frame.bottom};
    ScreenToClient(dialog, &topLeft);
    ScreenToClient(dialog, &bottomRight);
    StretchDIBits(dc, topLeft.x + kFrameInset, topLeft.y + kFrameInset, width - 2 * kFrameInset,
                  height - 2 * kFrameInset, 0, 0, image->GetWidth(), image->GetHeight(), image->GetBits(),
                  image->GetPackedDib(), DIB_RGB_COLORS, SRCCOPY);

    SelectPalette(dc, previous, FALSE);
    DeleteObject(palette);
}

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
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BENCH_DIALOG), nullptr,
                                     HostProc, 0);
    if (!dialog) Fail("cannot create the preview dialog");
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    PumpMessages();
    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_BENCH_FRAME), &frame);
    Say("preview: frame of %ld x %ld pixels", frame.right - frame.left, frame.bottom - frame.top);

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
