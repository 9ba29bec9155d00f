// The picture benchmarks' files and steps: the program's decodes and the platform's baselines.
#include "PictureSubjects.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "BenchSupport.h"
#include "DesktopWallpaper.h"
#include "FileStore.h"
#include "WallpaperComposer.h"

using Microsoft::WRL::ComPtr;

const PictureFile kPictureFiles[4] = {
    {"photo-1920x1080.jpg", false, false},
    {"photo-1920x1080.png", false, false},
    {"photo-3840x2160.jpg", true, false},
    {"photo-12000x8000.jpg", true, true},
};

const char kCompositionPicture[] = "photo-6000x4000.jpg";

namespace {

constexpr int kSlowPictureRepetitions = 5;
constexpr UINT kBandRows = 16;
constexpr char kDesktopKey[] = "Control Panel\\Desktop";

void Check(HRESULT result, const char* step) {
    if (FAILED(result)) Fail(std::string("the platform's decode failed at ") + step);
}

ComPtr<IWICBitmapSource> ConvertedFrame(const wchar_t* path, const GUID& format) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    Check(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)), "factory");
    Check(factory->CreateDecoderFromFilename(path, nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder),
          "decoder");
    Check(decoder->GetFrame(0, &frame), "frame");
    Check(WICConvertBitmapSource(format, frame.Get(), &converted), "conversion");
    return converted;
}

HKEY OpenDesktopKey() {
    HKEY key = nullptr;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, nullptr, 0, KEY_READ | KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS) {
        Fail("cannot open HKCU\\Control Panel\\Desktop");
    }
    return key;
}

void SetText(HKEY key, const char* name, const std::string& text) {
    if (RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()), DWORD(text.size() + 1)) !=
        ERROR_SUCCESS) {
        Fail(std::string("cannot set the desktop's ") + name);
    }
}

}  // namespace

CFillStyle::CFillStyle() : m_style{"WallpaperStyle", false, ""}, m_tile{"TileWallpaper", false, ""} {
    HKEY key = OpenDesktopKey();
    for (SavedValue* saved : {&m_style, &m_tile}) {
        char text[64] = "";
        DWORD size = sizeof text;
        saved->present = RegGetValueA(key, nullptr, saved->name, RRF_RT_REG_SZ, nullptr, text, &size) == ERROR_SUCCESS;
        saved->text = text;
    }
    SetText(key, m_style.name, "10");
    SetText(key, m_tile.name, "0");
    RegCloseKey(key);
}

CFillStyle::~CFillStyle() {
    HKEY key = OpenDesktopKey();
    for (const SavedValue* saved : {&m_style, &m_tile}) {
        if (saved->present) {
            SetText(key, saved->name, saved->text);
        } else {
            RegDeleteValueA(key, saved->name);
        }
    }
    RegCloseKey(key);
}

int RepetitionsFor(const PictureFile& file, int repetitions) {
    return file.decodesInSeconds ? std::min(repetitions, kSlowPictureRepetitions) : repetitions;
}

DecodedPicture DecodeWhole32(const wchar_t* path) {
    ComPtr<IWICBitmapSource> converted = ConvertedFrame(path, GUID_WICPixelFormat32bppBGR);
    DecodedPicture picture;
    Check(converted->GetSize(&picture.width, &picture.height), "size");
    UINT stride = picture.width * 4;
    picture.pixels.reset(new BYTE[size_t(stride) * picture.height]);
    Check(converted->CopyPixels(nullptr, stride, stride * picture.height, picture.pixels.get()), "copy");
    return picture;
}

void PlatformDecode(const wchar_t* path) {
    DecodeWhole32(path);
}

void BandedDecode24(const wchar_t* path) {
    ComPtr<IWICBitmapSource> converted = ConvertedFrame(path, GUID_WICPixelFormat24bppBGR);
    UINT width = 0;
    UINT height = 0;
    Check(converted->GetSize(&width, &height), "size");
    UINT stride = (width * 3 + 3) & ~3u;
    std::vector<BYTE> band(size_t(stride) * kBandRows);
    for (UINT row = 0; row < height; row += kBandRows) {
        UINT rows = std::min(kBandRows, height - row);
        WICRect rect{0, INT(row), INT(width), INT(rows)};
        Check(converted->CopyPixels(&rect, stride, stride * rows, band.data()), "band");
    }
}

UprightPicture DecodePreview(const char* path, SIZE size) {
    auto wholePicture = [size](uint32_t width, uint32_t height) {
        return CopyGeometry{PixelRect{0, 0, width, height}, uint32_t(size.cx), uint32_t(size.cy)};
    };
    UprightPicture picture;
    PictureRefusal refusal = DecodePicture(path, wholePicture, DesktopColor(), [] { return false; }, picture);
    if (refusal != PictureRefusal::None) Fail(std::string("DecodePicture refused ") + path);
    return picture;
}

void WriteCopy(const char* path, const std::string& bitmapPath) {
    if (IsBitmapFile(path)) Fail(std::string("taken for a bitmap: ") + path);
    if (WriteWallpaperCopy(path, bitmapPath.c_str(), [] { return false; }) != PictureRefusal::None) {
        Fail(std::string("no wallpaper copy written for ") + path);
    }
}

void WriteComposedChange(PicturePosition position, const char* path, std::vector<ScreenRect> monitors,
                         const std::string& bitmapPath) {
    CWallpaperComposer composer(position, std::move(monitors), DesktopColor(), [] { return false; });
    if (composer.DrawOnEveryMonitor(path) != PictureRefusal::None) Fail(std::string("not composed: ") + path);
    if (composer.Write(DesktopLayoutKind(), bitmapPath.c_str()) != PictureRefusal::None) {
        Fail("no composed wallpaper written for " + std::string(path));
    }
}

uint64_t BitmapFilePixels(const std::string& bitmapPath) {
    std::string start;
    if (!ReadFileStart(bitmapPath.c_str(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER), start) ||
        start.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) {
        Fail("cannot read the header of " + bitmapPath);
    }
    BITMAPINFOHEADER header;
    std::memcpy(&header, start.data() + sizeof(BITMAPFILEHEADER), sizeof header);
    return uint64_t(header.biWidth) * uint64_t(std::abs(header.biHeight));
}

std::wstring Wide(const std::string& text) {
    return std::wstring(text.begin(), text.end());
}
