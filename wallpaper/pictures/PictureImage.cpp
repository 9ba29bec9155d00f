// Decoding a picture with Windows Imaging Component (part of Windows since Vista, and of Wine):
// the first frame, as 32-bit pixels for the preview or as a 24-bit bitmap file for the desktop.
#include "PictureImage.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <new>
#include <string>

#include "DibImage.h"
#include "WallpaperBitmap.h"

using Microsoft::WRL::ComPtr;

namespace {

std::wstring WidePath(const char* path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    wide.resize(size_t(length - 1));
    return wide;
}

// The preview's pixels: blue, green, red and a byte unused.
constexpr UINT kPreviewPixelBytes = 4;

// The frame's pixels in `format`. The component takes every format to 32-bit blue-green-red,
// and that on to any other, but not every format straight to any other (Wine takes no 16-bit
// channels straight to 24 bits): a frame that is in neither goes through 32 bits.
ComPtr<IWICBitmapSource> ConvertFrame(IWICBitmapFrameDecode* frame, REFWICPixelFormatGUID format) {
    WICPixelFormatGUID native{};
    ComPtr<IWICBitmapSource> source = frame;
    ComPtr<IWICBitmapSource> converted;
    if (FAILED(frame->GetPixelFormat(&native))) return nullptr;
    if (native != format && native != GUID_WICPixelFormat32bppBGR &&
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame, &source))) {
        return nullptr;
    }
    if (FAILED(WICConvertBitmapSource(format, source.Get(), &converted))) return nullptr;
    return converted;
}

// The first frame of the file, in the pixel format given; null when it cannot be read.
ComPtr<IWICBitmapSource> OpenFirstFrame(const char* path, REFWICPixelFormatGUID format) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    std::wstring wide = WidePath(path);
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory))) ||
        wide.empty() ||
        FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame))) {
        return nullptr;
    }
    return ConvertFrame(frame.Get(), format);
}

BITMAPINFOHEADER TopDownHeader(UINT width, UINT height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = LONG(width);
    header.biHeight = -LONG(height);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

}  // namespace

CComApartment::CComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}

CComApartment::~CComApartment() {
    if (SUCCEEDED(m_result)) CoUninitialize();
}

CPictureImage::CPictureImage(const char* fileName) {
    ComPtr<IWICBitmapSource> source = OpenFirstFrame(fileName, GUID_WICPixelFormat32bppBGR);
    UINT width = 0;
    UINT height = 0;
    if (!source || FAILED(source->GetSize(&width, &height)) || !IsPictureSizeAllowed(width, height)) return;

    UINT stride = width * kPreviewPixelBytes;
    size_t bitsSize = size_t(stride) * height;
    std::unique_ptr<BYTE[]> block(new (std::nothrow) BYTE[sizeof(BITMAPINFOHEADER) + bitsSize]);
    if (!block) return;
    BITMAPINFOHEADER header = TopDownHeader(width, height);
    memcpy(block.get(), &header, sizeof header);
    BYTE* bits = block.get() + sizeof header;
    // CopyPixels takes a UINT buffer size, which a picture within the limit never exceeds.
    if (FAILED(source->CopyPixels(nullptr, stride, UINT(bitsSize), bits))) return;
    m_block = std::move(block);
}

LONG CPictureImage::GetWidth() const {
    return GetPackedDib()->bmiHeader.biWidth;
}

LONG CPictureImage::GetHeight() const {
    return -GetPackedDib()->bmiHeader.biHeight;
}

BITMAPINFO* CPictureImage::GetPackedDib() const {
    return reinterpret_cast<BITMAPINFO*>(m_block.get());
}

BYTE* CPictureImage::GetBits() const {
    return m_block.get() + sizeof(BITMAPINFOHEADER);
}

HPALETTE CreateDibPalette(const CPictureImage*) {
    return CreateTablePalette(nullptr, 0);
}

std::string DecodeToBitmapFile(const char* fileName) {
    ComPtr<IWICBitmapSource> source = OpenFirstFrame(fileName, GUID_WICPixelFormat24bppBGR);
    UINT width = 0;
    UINT height = 0;
    if (!source || FAILED(source->GetSize(&width, &height))) return {};
    std::string file;
    try {
        file = NewBitmapFile24(width, height);
    } catch (const std::bad_alloc&) {
        return {};
    }
    if (file.empty()) return {};
    // The rows arrive top-down, each padded as the file pads it.
    BYTE* rows = reinterpret_cast<BYTE*>(&file[kBitmapFile24BitsOffset]);
    UINT rowBytes = UINT(BitmapRowBytes24(width));
    if (FAILED(source->CopyPixels(nullptr, rowBytes, rowBytes * height, rows))) return {};
    TurnRowsOver(rows, rowBytes, height);
    return file;
}
