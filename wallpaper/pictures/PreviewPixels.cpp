// Shrinking a bitmap for the preview, and drawing the preview's pixels.
#include "PreviewPixels.h"

#include <cstdlib>
#include <vector>

#include "PictureScaler.h"

namespace {

constexpr uint32_t kOpaque = 0xFF000000;

BITMAPINFOHEADER TopDownHeader(uint32_t width, uint32_t height) {
    BITMAPINFOHEADER header{};
    header.biSize = sizeof header;
    header.biWidth = LONG(width);
    header.biHeight = -LONG(height);
    header.biPlanes = 1;
    header.biBitCount = 32;
    header.biCompression = BI_RGB;
    return header;
}

// Uncompressed 24- and 32-bit rows need no platform to read them: each goes to the scaler as
// 32-bit pixels as it is, so the whole bitmap is never held twice.
bool HasPlainRows(const CDibImage& image) {
    const BITMAPINFOHEADER& header = image.GetPackedDib()->bmiHeader;
    return header.biCompression == BI_RGB && (header.biBitCount == 24 || header.biBitCount == 32) &&
           header.biWidth > 0 && header.biHeight != 0;
}

UprightPicture ShrinkPlainRows(const CDibImage& image, uint32_t width, uint32_t height) {
    const BITMAPINFOHEADER& header = image.GetPackedDib()->bmiHeader;
    uint32_t imageWidth = uint32_t(header.biWidth);
    uint32_t imageHeight = uint32_t(std::abs(header.biHeight));
    uint32_t pixelBytes = header.biBitCount / 8u;
    std::size_t rowBytes = (std::size_t(imageWidth) * pixelBytes + 3) / 4 * 4;
    std::vector<uint32_t> row(imageWidth);
    CPictureScaler scaler(PixelRect{0, 0, imageWidth, imageHeight}, width, height);
    for (uint32_t y = 0; y < imageHeight; ++y) {
        const BYTE* from = image.GetBits() + rowBytes * (header.biHeight > 0 ? imageHeight - 1 - y : y);
        for (uint32_t x = 0; x < imageWidth; ++x, from += pixelBytes) {
            row[x] = kOpaque | uint32_t(from[2]) << 16 | uint32_t(from[1]) << 8 | from[0];
        }
        scaler.AddRows(reinterpret_cast<const uint8_t*>(row.data()), std::size_t(imageWidth) * 4, y, 1);
    }
    return UprightPicture{scaler.TakePixels(), width, height};
}

}  // namespace

UprightPicture ShrinkBitmap(const CDibImage& image, uint32_t width, uint32_t height) {
    if (HasPlainRows(image)) return ShrinkPlainRows(image, width, height);
    uint32_t imageWidth = uint32_t(image.GetWidth());
    uint32_t imageHeight = uint32_t(std::abs(image.GetHeight()));
    BITMAPINFOHEADER header = TopDownHeader(imageWidth, imageHeight);
    void* bits = nullptr;
    HBITMAP section =
        CreateDIBSection(nullptr, reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS, &bits, nullptr, 0);
    UprightPicture picture;
    if (!section) return picture;
    HDC memory = CreateCompatibleDC(nullptr);
    HGDIOBJ previous = SelectObject(memory, section);
    if (SetDIBitsToDevice(memory, 0, 0, imageWidth, imageHeight, 0, 0, 0, imageHeight, image.GetBits(),
                          image.GetPackedDib(), DIB_RGB_COLORS) > 0) {
        GdiFlush();
        CPictureScaler scaler(PixelRect{0, 0, imageWidth, imageHeight}, width, height);
        scaler.AddRows(static_cast<const uint8_t*>(bits), size_t(imageWidth) * 4, 0, imageHeight);
        picture = UprightPicture{scaler.TakePixels(), width, height};
    }
    SelectObject(memory, previous);
    DeleteDC(memory);
    DeleteObject(section);
    return picture;
}

void DrawPicture(HDC dc, HPALETTE palette, POINT at, const UprightPicture& picture) {
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);
    BITMAPINFOHEADER header = TopDownHeader(picture.width, picture.height);
    StretchDIBits(dc, at.x, at.y, LONG(picture.width), LONG(picture.height), 0, 0, LONG(picture.width),
                  LONG(picture.height), picture.pixels.data(), reinterpret_cast<BITMAPINFO*>(&header), DIB_RGB_COLORS,
                  SRCCOPY);
    SelectPalette(dc, previous, FALSE);
}
