// The 24-bit bitmap file written for a decoded picture, its headers put byte by byte in
// little-endian order so that they read the same on every machine.
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
void PutHeaders(std::string& file, uint32_t width, uint32_t height) {
    file[0] = 'B';
    file[1] = 'M';
    PutUint32(file, 2, uint32_t(file.size()));
    PutUint32(file, 10, kBitmapFile24BitsOffset);
    PutUint32(file, 14, kMinInfoHeaderSize);
    PutUint32(file, 18, width);
    PutUint32(file, 22, height);
    PutUint16(file, 26, 1);
    PutUint16(file, 28, kWrittenBitCount);
    PutUint32(file, 30, kCompressionRgb);
    PutUint32(file, 34, uint32_t(file.size() - kBitmapFile24BitsOffset));
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

std::size_t BitmapRowBytes24(uint32_t width) {
    return (std::size_t(width) * kWrittenBitCount / 8 + 3) / 4 * 4;
}

std::string NewBitmapFile24(uint32_t width, uint32_t height) {
    if (!IsPictureSizeAllowed(width, height)) return {};
    std::string file(kBitmapFile24BitsOffset + BitmapRowBytes24(width) * height, '\0');
    PutHeaders(file, width, height);
    return file;
}

std::string BitmapFile24(const uint32_t* pixels, uint32_t width, uint32_t height) {
    std::string file = NewBitmapFile24(width, height);
    if (file.empty()) return file;
    std::size_t rowBytes = BitmapRowBytes24(width);
    for (uint32_t y = 0; y < height; ++y) {
        char* row = &file[kBitmapFile24BitsOffset + (height - 1 - y) * rowBytes];
        const uint32_t* from = pixels + std::size_t(y) * width;
        for (uint32_t x = 0; x < width; ++x) {
            row[3 * x] = char(from[x] & 0xFF);
            row[3 * x + 1] = char(from[x] >> 8 & 0xFF);
            row[3 * x + 2] = char(from[x] >> 16 & 0xFF);
        }
    }
    return file;
}
