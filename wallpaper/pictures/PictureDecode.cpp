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

// The frame in the format the scaler takes, or in 24-bit blue-green-red, which is widened as it
// is read; with its size.
struct FrameSource {
    ComPtr<IWICBitmapSource> pixels;
    bool opaque = false;
    UINT pixelBytes = kPixelBytes;
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
// A 24-bit blue-green-red frame (a JPEG's) is read as it is: widening it here costs a fifth of
// the component's conversion.
bool ConvertFrame(IWICBitmapFrameDecode* frame, FrameSource& source) {
    WICPixelFormatGUID native{};
    if (FAILED(frame->GetPixelFormat(&native))) return false;
    source.opaque = IsOpaqueFormat(native);
    if (native == GUID_WICPixelFormat24bppBGR) {
        source.pixelBytes = 3;
        source.pixels = frame;
        return true;
    }
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

void WidenToOpaque(const BYTE* stored, BYTE* band, size_t pixelCount) {
    uint32_t* pixels = reinterpret_cast<uint32_t*>(band);
    for (size_t at = 0; at < pixelCount; ++at, stored += 3) {
        pixels[at] = kOpaque | uint32_t(stored[2]) << 16 | uint32_t(stored[1]) << 8 | stored[0];
    }
}

// A band of `rows` rows from `row` on, as the scaler takes them.
bool ReadBand(const FrameSource& source, UINT row, UINT rows, std::vector<BYTE>& stored, std::vector<BYTE>& band) {
    UINT stride = source.width * source.pixelBytes;
    WICRect rect{0, INT(row), INT(source.width), INT(rows)};
    BYTE* target = source.pixelBytes == kPixelBytes ? band.data() : stored.data();
    if (FAILED(source.pixels->CopyPixels(&rect, stride, stride * rows, target))) return false;
    size_t pixelCount = size_t(source.width) * rows;
    if (source.pixelBytes != kPixelBytes) {
        WidenToOpaque(stored.data(), band.data(), pixelCount);
    } else if (source.opaque) {
        MakeOpaque(band.data(), pixelCount);
    }
    return true;
}

// One copy's scaler and where its part lies in the stored picture.
struct StoredCopy {
    CopyGeometry wanted;
    PixelRect stored;
    uint32_t storedWidth;
    uint32_t storedHeight;
    CPictureScaler scaler;
};

StoredCopy StoredCopyOf(const CopyGeometry& wanted, const FrameSource& source, int orientation) {
    bool swapped = SwapsSides(orientation);
    PixelRect stored = StoredRect(wanted.source, source.width, source.height, orientation);
    uint32_t storedWidth = swapped ? wanted.height : wanted.width;
    uint32_t storedHeight = swapped ? wanted.width : wanted.height;
    return {wanted, stored, storedWidth, storedHeight, CPictureScaler(stored, storedWidth, storedHeight)};
}

// Feeds the stored rows that the copies want, band by band, to each copy's scaler; false when a
// band fails or the decode is no longer wanted.
bool ScaleInBands(const FrameSource& source, std::vector<StoredCopy>& copies, const DecodeCancelled& cancelled) {
    UINT first = source.height;
    UINT end = 0;
    for (const StoredCopy& copy : copies) {
        first = std::min(first, copy.stored.y);
        end = std::max(end, copy.stored.y + copy.stored.height);
    }
    UINT stride = source.width * kPixelBytes;
    std::vector<BYTE> band(size_t(stride) * kBandRows);
    std::vector<BYTE> stored(source.pixelBytes == kPixelBytes ? 0 : size_t(source.width) * source.pixelBytes * kBandRows);
    for (UINT row = first; row < end; row += kBandRows) {
        if (cancelled() || !ReadBand(source, row, std::min(kBandRows, end - row), stored, band)) return false;
        for (StoredCopy& copy : copies) copy.scaler.AddRows(band.data(), stride, row, std::min(kBandRows, end - row));
    }
    return true;
}

UprightPicture FinishCopy(StoredCopy& copy, const FrameSource& source, uint32_t background, int orientation) {
    std::vector<uint32_t> pixels = copy.scaler.TakePixels();
    if (!source.opaque) LayOverColor(pixels, background);
    UprightPicture picture;
    picture.pixels = TurnUpright(std::move(pixels), copy.storedWidth, copy.storedHeight, orientation);
    picture.width = copy.wanted.width;
    picture.height = copy.wanted.height;
    return picture;
}

}  // namespace

CComApartment::CComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

CComApartment::~CComApartment() {
    if (SUCCEEDED(m_result)) CoUninitialize();
}

PictureRefusal DecodePicture(const char* path, const GeometryForPicture& geometry, uint32_t background,
                             const DecodeCancelled& cancelled, UprightPicture& picture) {
    auto geometries = [&geometry](uint32_t width, uint32_t height) {
        return std::vector<CopyGeometry>{geometry(width, height)};
    };
    std::vector<UprightPicture> pictures;
    PictureRefusal refusal = DecodePictureCopies(path, geometries, background, cancelled, pictures);
    if (refusal == PictureRefusal::None) picture = std::move(pictures[0]);
    return refusal;
}

PictureRefusal DecodePictureCopies(const char* path, const GeometriesForPicture& geometries, uint32_t background,
                                   const DecodeCancelled& cancelled, std::vector<UprightPicture>& pictures) {
    if (IsEmptyFile(path)) return PictureRefusal::EmptyFile;
    FrameSource source;
    PictureRefusal refusal = OpenFrame(path, source);
    if (refusal != PictureRefusal::None) return refusal;

    int orientation = ReadOrientation(path);
    bool swapped = SwapsSides(orientation);
    std::vector<StoredCopy> copies;
    for (const CopyGeometry& wanted :
         swapped ? geometries(source.height, source.width) : geometries(source.width, source.height)) {
        copies.push_back(StoredCopyOf(wanted, source, orientation));
    }
    if (!ScaleInBands(source, copies, cancelled)) return PictureRefusal::Damaged;
    // The decoder may hold the whole decoded picture: it goes before the pixels are worked on.
    source.pixels.Reset();

    pictures.clear();
    for (StoredCopy& copy : copies) pictures.push_back(FinishCopy(copy, source, background, orientation));
    return PictureRefusal::None;
}
