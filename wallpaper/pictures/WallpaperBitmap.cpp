// The 24-bit bitmap file written for a decoded picture, built byte by byte in little-endian
// order so that it reads the same on every machine.
#include "WallpaperBitmap.h"

#include <algorithm>
#include <cctype>

#include "DibLayout.h"

namespace {

constexpr uint32_t kWrittenBitCount = 24;

void PutUint16(std::string& file, std::size_t at, uint32_t value) {
    file[at] = char(value & 0xFF);
    file[at + 1] = char(value >> 8 & 0xFF);
}

void PutUint32(std::string& file, std::size_t at, uint32_t value) {
    PutUint16(file, at, value & 0xFFFF);
    PutUint16(file, at + 2, value >> 16);
}

// The file header and a BITMAPINFOHEADER; the fields not written stay 0.
void PutHeaders(std::string& file, uint32_t width, uint32_t height, uint32_t pixelBytes) {
    constexpr uint32_t bitsOffset = kBitmapFileHeaderSize + kMinInfoHeaderSize;
    file[0] = 'B';
    file[1] = 'M';
    PutUint32(file, 2, uint32_t(file.size()));
    PutUint32(file, 10, bitsOffset);
    PutUint32(file, 14, kMinInfoHeaderSize);
    PutUint32(file, 18, width);
    PutUint32(file, 22, height);
    PutUint16(file, 26, 1);
    PutUint16(file, 28, kWrittenBitCount);
    PutUint32(file, 30, kCompressionRgb);
    PutUint32(file, 34, pixelBytes);
}

}  // namespace

bool IsPictureSizeAllowed(uint32_t width, uint32_t height) {
    return width >= 1 && height >= 1 && width <= kMaxPictureSide && height <= kMaxPictureSide;
}

bool IsBitmapEntry(const std::string& path, const uint8_t* start, std::size_t size) {
    static const std::string suffix = ".bmp";
    bool bitmapName = path.size() >= suffix.size() &&
                      std::equal(suffix.begin(), suffix.end(), path.end() - suffix.size(), [](char want, char got) {
                          return want == std::tolower(static_cast<unsigned char>(got));
                      });
    return bitmapName || (size >= 2 && start[0] == 'B' && start[1] == 'M');
}

std::string MakeBitmapFile24(const uint8_t* pixels, std::size_t size, uint32_t width, uint32_t height) {
    if (!IsPictureSizeAllowed(width, height)) return {};
    std::size_t sourceRow = std::size_t(width) * kDecodedPixelBytes;
    if (size / height < sourceRow) return {};
    std::size_t rowBytes = (std::size_t(width) * 3 + 3) / 4 * 4;
    std::size_t pixelBytes = rowBytes * height;
    std::string file(kBitmapFileHeaderSize + kMinInfoHeaderSize + pixelBytes, '\0');
    PutHeaders(file, width, height, uint32_t(pixelBytes));
    char* row = &file[kBitmapFileHeaderSize + kMinInfoHeaderSize];
    for (uint32_t y = height; y-- > 0; row += rowBytes) {
        const uint8_t* source = pixels + y * sourceRow;
        for (uint32_t x = 0; x < width; ++x, source += kDecodedPixelBytes) {
            row[3 * x] = char(source[0]);
            row[3 * x + 1] = char(source[1]);
            row[3 * x + 2] = char(source[2]);
        }
    }
    return file;
}
