// Decoding a picture with Windows Imaging Component (part of Windows since Vista, and of Wine):
// the first frame, in bands of rows, through the scaler.
#include "PictureDecode.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <algorithm>
#include <string>
#include <utility>

#include "FileStore.h"
#include "PictureOrientation.h"
#include "PictureScaler.h"
#include "WallpaperBitmap.h"

using Microsoft::WRL::ComPtr;

namespace {

// Rows decoded at a time: a band of the widest picture allowed takes 1 MiB.
constexpr UINT kBandRows = 16;
constexpr UINT kPixelBytes = 4;
constexpr uint32_t kOpaque = 0xFF000000;
// A JPEG's EXIF block lies in its first segments, each at most 64 KiB.
constexpr std::size_t kOrientationBytes = 128 * 1024;

// Formats without transparency: they are read as 32-bit blue-green-red and made opaque. Every
// other format goes through 32-bit blue-green-red-alpha, premultiplied, so that its transparent
// parts (an alpha channel, or a palette's transparent colour) are kept.
const GUID* const kOpaqueFormats[] = {
    &GUID_WICPixelFormat24bppBGR, &GUID_WICPixelFormat24bppRGB,   &GUID_WICPixelFormat32bppBGR,
    &GUID_WICPixelFormat48bppRGB, &GUID_WICPixelFormatBlackWhite, &GUID_WICPixelFormat2bppGray,
    &GUID_WICPixelFormat4bppGray, &GUID_WICPixelFormat8bppGray,   &GUID_WICPixelFormat16bppGray,
};

// The frame in the format the scaler takes, with its size.
struct FrameSource {
    ComPtr<IWICBitmapSource> pixels;
    bool opaque = false;
    UINT width = 0;
    UINT height = 0;
};

std::wstring WidePath(const char* path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    wide.resize(size_t(length - 1));
    return wide;
}

bool IsOpaqueFormat(const WICPixelFormatGUID& format) {
    return std::any_of(std::begin(kOpaqueFormats), std::end(kOpaqueFormats),
                       [&](const GUID* opaque) { return *opaque == format; });
}

// The component takes every format to 32-bit blue-green-red(-alpha), and that on to any other,
// but not every format straight to any other (Wine takes no 16-bit channels straight to 24 bits).
bool ConvertFrame(IWICBitmapFrameDecode* frame, FrameSource& source) {
    WICPixelFormatGUID native{};
    if (FAILED(frame->GetPixelFormat(&native))) return false;
    source.opaque = IsOpaqueFormat(native);
    if (source.opaque) return SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame, &source.pixels));
    ComPtr<IWICBitmapSource> straight;
    return SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGRA, frame, &straight)) &&
           SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat32bppPBGRA, straight.Get(), &source.pixels));
}

PictureRefusal OpenFrame(const char* path, FrameSource& source) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    std::wstring wide = WidePath(path);
    if (wide.empty() ||
        FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
        return PictureRefusal::NotAPicture;
    }
    HRESULT opened =
        factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ, WICDecodeMetadataCacheOnDemand, &decoder);
    if (opened == WINCODEC_ERR_COMPONENTNOTFOUND) return PictureRefusal::NotAPicture;
    if (FAILED(opened) || FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&source.width, &source.height))) {
        return PictureRefusal::Damaged;
    }
    if (!IsPictureSizeAllowed(source.width, source.height)) return PictureRefusal::TooLarge;
    return ConvertFrame(frame.Get(), source) ? PictureRefusal::None : PictureRefusal::Damaged;
}

int ReadOrientation(const char* path) {
    std::string start;
    if (!ReadFileStart(path, kOrientationBytes, start)) return kUpright;
    return ReadExifOrientation(reinterpret_cast<const uint8_t*>(start.data()), start.size());
}

bool IsEmptyFile(const char* path) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    return GetFileAttributesExA(path, GetFileExInfoStandard, &data) && data.nFileSizeHigh == 0 &&
           data.nFileSizeLow == 0;
}

void MakeOpaque(BYTE* band, size_t pixelCount) {
    uint32_t* pixels = reinterpret_cast<uint32_t*>(band);
    for (size_t at = 0; at < pixelCount; ++at) pixels[at] |= kOpaque;
}

// Feeds the stored rows the scaler wants, band by band; false when a band fails or the decode
// is no longer wanted.
bool ScaleInBands(const FrameSource& source, CPictureScaler& scaler, const PixelRect& stored,
                  const DecodeCancelled& cancelled) {
    UINT stride = source.width * kPixelBytes;
    std::vector<BYTE> band(size_t(stride) * kBandRows);
    for (UINT row = stored.y; row < stored.y + stored.height; row += kBandRows) {
        if (cancelled()) return false;
        UINT rows = std::min(kBandRows, stored.y + stored.height - row);
        WICRect rect{0, INT(row), INT(source.width), INT(rows)};
        if (FAILED(source.pixels->CopyPixels(&rect, stride, stride * rows, band.data()))) return false;
        if (source.opaque) MakeOpaque(band.data(), size_t(source.width) * rows);
        scaler.AddRows(band.data(), stride, row, rows);
    }
    return true;
}

}  // namespace

CComApartment::CComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

CComApartment::~CComApartment() {
    if (SUCCEEDED(m_result)) CoUninitialize();
}

PictureRefusal DecodePicture(const char* path, const GeometryForPicture& geometry, uint32_t background,
                             const DecodeCancelled& cancelled, UprightPicture& picture) {
    if (IsEmptyFile(path)) return PictureRefusal::EmptyFile;
    FrameSource source;
    PictureRefusal refusal = OpenFrame(path, source);
    if (refusal != PictureRefusal::None) return refusal;

    int orientation = ReadOrientation(path);
    bool swapped = SwapsSides(orientation);
    CopyGeometry wanted = swapped ? geometry(source.height, source.width) : geometry(source.width, source.height);
    PixelRect stored = StoredRect(wanted.source, source.width, source.height, orientation);
    uint32_t storedWidth = swapped ? wanted.height : wanted.width;
    uint32_t storedHeight = swapped ? wanted.width : wanted.height;
    CPictureScaler scaler(stored, storedWidth, storedHeight);
    if (!ScaleInBands(source, scaler, stored, cancelled)) return PictureRefusal::Damaged;
    // The decoder may hold the whole decoded picture: it goes before the pixels are worked on.
    source.pixels.Reset();

    std::vector<uint32_t> pixels = scaler.TakePixels();
    if (!source.opaque) LayOverColor(pixels, background);
    picture.pixels = TurnUpright(std::move(pixels), storedWidth, storedHeight, orientation);
    picture.width = wanted.width;
    picture.height = wanted.height;
    return PictureRefusal::None;
}
