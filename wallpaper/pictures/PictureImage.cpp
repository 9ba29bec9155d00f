// Decoding a picture with Windows Imaging Component (part of Windows since Vista, and of Wine):
// the first frame, converted to 32-bit blue-green-red.
#include "PictureImage.h"

#include <wincodec.h>
#include <wrl/client.h>

#include <new>
#include <string>

#include "DibImage.h"
#include "WallpaperBitmap.h"

using Microsoft::WRL::ComPtr;

namespace {

// COM on this thread for as long as a decode runs; a thread that has it already keeps it.
class CComApartment {
public:
    CComApartment() : m_result(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~CComApartment() {
        if (SUCCEEDED(m_result)) CoUninitialize();
    }
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

private:
    HRESULT m_result;
};

std::wstring WidePath(const char* path) {
    int length = MultiByteToWideChar(CP_ACP, 0, path, -1, nullptr, 0);
    if (length <= 0) return L"";
    std::wstring wide(size_t(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path, -1, &wide[0], length);
    wide.resize(size_t(length - 1));
    return wide;
}

// The first frame of the file, as 32-bit blue-green-red pixels; null when it cannot be read.
ComPtr<IWICBitmapSource> OpenFirstFrame(IWICImagingFactory* factory, const char* path) {
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICBitmapSource> converted;
    std::wstring wide = WidePath(path);
    if (wide.empty() ||
        FAILED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                  WICDecodeMetadataCacheOnDemand, &decoder)) ||
        FAILED(decoder->GetFrame(0, &frame)) ||
        FAILED(WICConvertBitmapSource(GUID_WICPixelFormat32bppBGR, frame.Get(), &converted))) {
        return nullptr;
    }
    return converted;
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

CPictureImage::CPictureImage(const char* fileName) {
    CComApartment apartment;
    Decode(fileName);
}

void CPictureImage::Decode(const char* fileName) {
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory)))) {
        return;
    }
    ComPtr<IWICBitmapSource> source = OpenFirstFrame(factory.Get(), fileName);
    UINT width = 0;
    UINT height = 0;
    if (!source || FAILED(source->GetSize(&width, &height)) || !IsPictureSizeAllowed(width, height)) return;

    UINT stride = width * kDecodedPixelBytes;
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

size_t CPictureImage::GetBitsSize() const {
    return size_t(GetWidth()) * size_t(GetHeight()) * kDecodedPixelBytes;
}

HPALETTE CreateDibPalette(const CPictureImage*) {
    return CreateTablePalette(nullptr, 0);
}
