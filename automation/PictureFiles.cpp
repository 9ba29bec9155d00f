// Encodes through WIC into a stream in memory, whose bytes become the file.
#include "PictureFiles.h"

#include <objbase.h>
#include <wincodec.h>
#include <wrl/client.h>

#include <cstring>
#include <functional>

using Microsoft::WRL::ComPtr;

namespace {

// The colour (COLORREF) and the alpha of pixel (x, y).
using PixelAt = std::function<std::pair<COLORREF, BYTE>(int x, int y)>;

struct RowLayout {
    WICPixelFormatGUID format;
    UINT pixelBytes;
};

RowLayout LayoutOf(PictureFormat format) {
    if (format == PictureFormat::Png16) return {GUID_WICPixelFormat48bppRGB, 6};
    if (format == PictureFormat::PngAlpha) return {GUID_WICPixelFormat32bppBGRA, 4};
    return {GUID_WICPixelFormat24bppBGR, 3};
}

// Top-down rows padded to 4 bytes in the layout's pixels; 48-bit RGB has 16-bit channels
// (little-endian) that hold each 8-bit value times 257.
std::string PixelRows(int width, int height, const RowLayout& layout, const PixelAt& at, UINT stride) {
    std::string rows;
    for (int y = 0; y < height; ++y) {
        std::string row;
        for (int x = 0; x < width; ++x) {
            auto [color, alpha] = at(x, y);
            char red = char(GetRValue(color)), green = char(GetGValue(color)), blue = char(GetBValue(color));
            if (layout.pixelBytes == 6) row += std::string{red, red, green, green, blue, blue};
            if (layout.pixelBytes == 4) row += std::string{blue, green, red, char(alpha)};
            if (layout.pixelBytes == 3) row += std::string{blue, green, red};
        }
        row.resize(stride, '\0');
        rows += row;
    }
    return rows;
}

std::string StreamBytes(IStream* stream) {
    STATSTG stat{};
    if (FAILED(stream->Stat(&stat, STATFLAG_NONAME)) || FAILED(stream->Seek({}, STREAM_SEEK_SET, nullptr))) return "";
    std::string bytes(size_t(stat.cbSize.QuadPart), '\0');
    ULONG read = 0;
    stream->Read(bytes.data(), ULONG(bytes.size()), &read);
    bytes.resize(read);
    return bytes;
}

// Each call is made only when every one before it succeeded; the objects are released on return.
std::string EncodedBytes(PictureFormat format, int width, int height, const PixelAt& at) {
    ComPtr<IWICImagingFactory> factory;
    ComPtr<IStream> stream;
    ComPtr<IWICBitmapEncoder> encoder;
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    RowLayout layout = LayoutOf(format);
    WICPixelFormatGUID pixels = layout.format;
    const GUID& container = format == PictureFormat::Jpeg ? GUID_ContainerFormatJpeg : GUID_ContainerFormatPng;
    UINT stride = (UINT(width) * layout.pixelBytes + 3) / 4 * 4;
    std::string rows = PixelRows(width, height, layout, at, stride);
    HRESULT result = CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_PPV_ARGS(&factory));
    if (SUCCEEDED(result)) result = CreateStreamOnHGlobal(nullptr, TRUE, &stream);
    if (SUCCEEDED(result)) result = factory->CreateEncoder(container, nullptr, &encoder);
    if (SUCCEEDED(result)) result = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    if (SUCCEEDED(result)) result = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(result)) result = frame->Initialize(options.Get());
    if (SUCCEEDED(result)) result = frame->SetSize(UINT(width), UINT(height));
    if (SUCCEEDED(result)) result = frame->SetPixelFormat(&pixels);
    // The encoder may answer with a format of its own, which these rows are not in.
    if (SUCCEEDED(result) && pixels != layout.format) result = E_FAIL;
    if (SUCCEEDED(result)) {
        result = frame->WritePixels(UINT(height), stride, UINT(rows.size()), reinterpret_cast<BYTE*>(rows.data()));
    }
    if (SUCCEEDED(result)) result = frame->Commit();
    if (SUCCEEDED(result)) result = encoder->Commit();
    return SUCCEEDED(result) ? StreamBytes(stream.Get()) : "";
}

// A bitmap as most programs write one: its rows bottom-up, which Wine's encoder does not do.
std::string BottomUpBitmap(int width, int height, const PixelAt& at) {
    RowLayout layout = LayoutOf(PictureFormat::Bmp);
    UINT stride = (UINT(width) * layout.pixelBytes + 3) / 4 * 4;
    std::string rows = PixelRows(width, height, layout, at, stride), bottomUp;
    for (int y = height - 1; y >= 0; --y) bottomUp += rows.substr(size_t(y) * stride, stride);
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof info;
    file.bfSize = DWORD(file.bfOffBits + bottomUp.size());
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    return std::string(reinterpret_cast<const char*>(&file), sizeof file) +
           std::string(reinterpret_cast<const char*>(&info), sizeof info) + bottomUp;
}

std::string Encode(PictureFormat format, int width, int height, const PixelAt& at) {
    if (format == PictureFormat::Bmp) return BottomUpBitmap(width, height, at);
    bool initialized = SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    std::string bytes = EncodedBytes(format, width, height, at);
    if (initialized) CoUninitialize();
    return bytes;
}

std::string BigEndian(uint32_t value, int bytes) {
    std::string text;
    for (int at = bytes - 1; at >= 0; --at) text += char(value >> (8 * at) & 0xFF);
    return text;
}

}  // namespace

std::string PictureBytes(PictureFormat format, const BandedPicture& picture) {
    return Encode(format, picture.width, picture.height, [&](int, int y) {
        size_t band = size_t(y) * picture.colors.size() / size_t(picture.height);
        return std::pair(picture.At(y), picture.alphas.empty() ? BYTE(255) : picture.alphas[band]);
    });
}

std::string HalvesBytes(PictureFormat format, int width, int height, COLORREF left, COLORREF right) {
    return Encode(format, width, height, [=](int x, int) { return std::pair(2 * x < width ? left : right, BYTE(255)); });
}

std::string CheckerboardBytes(PictureFormat format, int width, int height) {
    return Encode(format, width, height, [](int x, int y) {
        return std::pair((x + y) % 2 ? RGB(255, 255, 255) : RGB(0, 0, 0), BYTE(255));
    });
}

// APP1 holds "Exif", two zero bytes and a big-endian TIFF header whose first directory has the
// one entry: tag 274, type SHORT, count 1, the value in the entry's first two value bytes.
std::string WithExifOrientation(const std::string& jpeg, int orientation) {
    std::string tiff = std::string("MM\0*", 4) + BigEndian(8, 4) + BigEndian(1, 2) + BigEndian(274, 2) +
                       BigEndian(3, 2) + BigEndian(1, 4) + BigEndian(uint32_t(orientation), 2) + BigEndian(0, 2) +
                       BigEndian(0, 4);
    std::string block = std::string("Exif\0\0", 6) + tiff;
    std::string segment = "\xFF\xE1" + BigEndian(uint32_t(block.size() + 2), 2) + block;
    return jpeg.substr(0, 2) + segment + jpeg.substr(2);
}

Bitmap24 ReadBitmap24(const std::string& bytes) {
    BITMAPFILEHEADER file{};
    BITMAPINFOHEADER info{};
    Bitmap24 bitmap;
    if (bytes.size() < sizeof file + sizeof info) return bitmap;
    memcpy(&file, bytes.data(), sizeof file);
    memcpy(&info, bytes.data() + sizeof file, sizeof info);
    size_t stride = (size_t(info.biWidth) * 3 + 3) / 4 * 4;
    if (info.biBitCount != 24 || info.biCompression != BI_RGB || info.biWidth <= 0 || info.biHeight <= 0 ||
        bytes.size() < file.bfOffBits + stride * size_t(info.biHeight)) {
        return bitmap;
    }
    bitmap.width = info.biWidth;
    bitmap.height = info.biHeight;
    for (int y = 0; y < bitmap.height; ++y) {
        const BYTE* row = reinterpret_cast<const BYTE*>(bytes.data()) + file.bfOffBits + stride * size_t(bitmap.height - 1 - y);
        for (int x = 0; x < bitmap.width; ++x) bitmap.pixels.push_back(RGB(row[3 * x + 2], row[3 * x + 1], row[3 * x]));
    }
    return bitmap;
}
