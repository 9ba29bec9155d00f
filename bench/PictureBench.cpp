// Pictures that are no bitmaps: the preview's first draw, its repaint and the wallpaper change
// (with the prefix's desktop style, and with Fill) of photographs from full-HD to 12000 x 8000,
// against the platform's own decode of the same file; and the wallpaper copy's size against the
// screen's. Kept in step with CPictureWorker::DecodePreview and MakeChange
// (wallpaper/pictures/PictureWorker.cpp) and CWallpaperDlg::DrawPicturePreview (Preview.cpp).
#include <windows.h>

#include "BenchSupport.h"
#include "Benches.h"
#include "DibImage.h"
#include "PictureSubjects.h"
#include "PreviewDialog.h"

namespace {

// CWallpaperDlg::DrawPicturePreview once the picture is kept: the palette of an empty colour
// table and the 1:1 draw.
void RepaintPreview(HWND dialog, const UprightPicture& kept) {
    HPALETTE palette = CreateTablePalette(nullptr, 0);
    DrawPreviewPixels(dialog, palette, kept);
    DeleteObject(palette);
}

// The worker's decode to the frame's inside size, then the draw the window makes when the
// result arrives.
void FirstPreviewDraw(HWND dialog, const char* path) {
    UprightPicture kept = DecodePreview(path, PreviewSize(dialog));
    RepaintPreview(dialog, kept);
}

uint64_t VirtualScreenPixels() {
    return uint64_t(GetSystemMetrics(SM_CXVIRTUALSCREEN)) * uint64_t(GetSystemMetrics(SM_CYVIRTUALSCREEN));
}

void MeasurePicture(HWND dialog, const std::string& folder, const PictureFile& file, int repetitions) {
    std::string path = folder + "\\" + file.name;
    std::wstring widePath = Wide(path);
    std::string wallpaper = folder + "\\Wallpaper.bmp";
    UprightPicture kept = DecodePreview(path.c_str(), PreviewSize(dialog));
    auto decode = [&] { PlatformDecode(widePath.c_str()); };
    auto firstDraw = [&] { FirstPreviewDraw(dialog, path.c_str()); };
    auto repaint = [&] { RepaintPreview(dialog, kept); };
    auto change = [&] { WriteCopy(path.c_str(), wallpaper); };
    decode();
    firstDraw();
    repaint();
    change();
    PumpMessages();
    int calls = CallsPerSample(SecondsPerCall(1, decode));
    int repaintCalls = CallsPerSample(SecondsPerCall(1, repaint));
    Say("picture %s: %d repetitions of %d calls per subject (%d for the repaint)", file.name, repetitions, calls,
        repaintCalls);
    for (int repetition = 0; repetition < repetitions; ++repetition) {
        for (int turn = 0; turn < 5; ++turn) {
            switch ((repetition + turn) % 5) {
                case 0:
                    Emit("picture", file.name, repetition, "decode", SecondsPerCall(calls, decode));
                    break;
                case 1:
                    Emit("picture", file.name, repetition, "preview", SecondsPerCall(calls, firstDraw));
                    break;
                case 2:
                    Emit("picture", file.name, repetition, "repaint", SecondsPerCall(repaintCalls, repaint));
                    break;
                case 3:
                    Emit("picture", file.name, repetition, "wallpaper", SecondsPerCall(calls, change));
                    Emit("copysize", file.name, repetition, "copy", double(BitmapFilePixels(wallpaper)));
                    break;
                default: {
                    CFillStyle fill;
                    Emit("picture", file.name, repetition, "wallpaper-fill", SecondsPerCall(calls, change));
                    Emit("copysize", file.name, repetition, "copy-fill", double(BitmapFilePixels(wallpaper)));
                    break;
                }
            }
            PumpMessages();
        }
        Emit("copysize", file.name, repetition, "screen", double(VirtualScreenPixels()));
    }
    DeleteFileA(wallpaper.c_str());
}

}  // namespace

void RunPictureBench(const std::string& folder, int repetitions) {
    // The program's worker keeps its COM apartment for its whole run; so does this thread.
    CComApartment apartment;
    HWND dialog = ShowPreviewDialog();
    SIZE inside = PreviewSize(dialog);
    Say("picture: virtual screen of %d x %d pixels, %ld x %ld pixels inside the preview frame",
        GetSystemMetrics(SM_CXVIRTUALSCREEN), GetSystemMetrics(SM_CYVIRTUALSCREEN), inside.cx, inside.cy);
    for (const PictureFile& file : kPictureFiles) {
        MeasurePicture(dialog, folder, file, RepetitionsFor(file, repetitions));
    }
    DestroyWindow(dialog);
    PumpMessages();
}
