// Shrinking a bitmap for the preview, and drawing the preview's pixels.
#include "PreviewPixels.h"

#include <cstdlib>

#include "PictureScaler.h"

namespace {

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

}  // namespace

UprightPicture ShrinkBitmap(const CDibImage& image, uint32_t width, uint32_t height) {
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
