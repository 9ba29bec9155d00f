// Pictures that are no bitmaps: the preview draw and the wallpaper change of a 1920 x 1080 JPEG
// and PNG, against the platform's own decode of the same file (Windows Imaging Component: the
// first frame copied out as 32-bit pixels). Kept in step with CWallpaperDlg::DrawPicturePreview
// (wallpaper/pictures/Preview.cpp) and CWallpaperDlg::OnSetWallpaperNow (wallpaper/Scheduler.cpp).
#include <windows.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <memory>

#include "BenchSupport.h"
#include "Benches.h"
#include "DesktopWallpaper.h"
#include "PictureImage.h"
#include "PreviewDialog.h"
#include "WaitCursor.h"

using Microsoft::WRL::ComPtr;

namespace {

// The files scripts/bench.sh puts into the work folder, one photograph-like picture in two formats.
constexpr const char* kPictureFiles[] = {"photo-1920x1080.jpg", "photo-1920x1080.png"};

void Check(HRESULT result, const char* step) {
    if (FAILED(result)) Fail(std::string("the platform's decode failed at ") + step);
}

// The baseline: what any program showing the picture must do at least.
void PlatformDecode(const wchar_t* path) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)), "factory");
    Check(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder),
          "decoder");
    Check(decoder->GetFrame(0, &frame), "frame");
    Check(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &converted), "conversion");
    UINT width = 0;
    UINT height = 0;
    Check(converted->GetSize(&width, &height), "size");
    UINT stride = width * 4;
    std::unique_ptr<BYTE[]> pixels(new BYTE[size_t(stride) * height]);
    Check(converted->CopyPixels(nullptr, stride, stride * height, pixels.get()), "copy");
}

// CWallpaperDlg::DrawPreview for a picture: the wait cursor, the look at the file's start, the
// decode, the window DC and the draw.
void DrawPicturePreviewSteps(HWND dialog, const char* path) {
    CWaitCursor wait;
    if (IsBitmapFile(path)) Fail(std::string("taken for a bitmap: ") + path);
    CPictureImage image(path);
    if (!image.IsLoaded()) Fail(std::string("CPictureImage refused ") + path);
    HDC dc = GetDC(dialog);
    DrawImage(dialog, dc, &image);
    ReleaseDC(dialog, dc);
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}

}  // namespace

void RunPictureBench(const std::string& folder, int repetitions) {
    // The program's thread keeps its COM apartment for its whole run; so does this one.
    CComApartment apartment;
    HWND dialog = ShowPreviewDialog();
    std::string wallpaper = folder + "\\Wallpaper.bmp";
    for (const char* name : kPictureFiles) {
        std::string path = folder + "\\" + name;
        std::wstring widePath = Wide(path);
        auto decode = [&] { PlatformDecode(widePath.c_str()); };
        auto preview = [&] { DrawPicturePreviewSteps(dialog, path.c_str()); };
        auto change = [&] {
            if (DesktopWallpaperFor(path.c_str(), wallpaper.c_str()) != wallpaper) {
                Fail("no bitmap written for " + path);
            }
        };
        decode();
        preview();
        change();
        PumpMessages();
        int calls = CallsPerSample(SecondsPerCall(1, decode));
        Say("picture %s: %d repetitions of %d calls per subject", name, repetitions, calls);
        for (int repetition = 0; repetition < repetitions; ++repetition) {
            for (int turn = 0; turn < 3; ++turn) {
                switch ((repetition + turn) % 3) {
                    case 0:
                        Emit("picture", name, repetition, "decode", SecondsPerCall(calls, decode));
                        break;
                    case 1:
                        Emit("picture", name, repetition, "preview", SecondsPerCall(calls, preview));
                        break;
                    default:
                        Emit("picture", name, repetition, "wallpaper", SecondsPerCall(calls, change));
                        break;
                }
                PumpMessages();
            }
        }
    }
    DeleteFileA(wallpaper.c_str());
    DestroyWindow(dialog);
    PumpMessages();
}
