// libFuzzer target of the bitmap written for a decoded picture: whatever size it is told and
// however many pixel bytes it is handed, it reads none beyond them, and what it writes is a
// file the bitmap reader's checks accept, with every pixel in its place; or it refuses.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DibLayout.h"
#include "WallpaperBitmap.h"

namespace {

void Require(bool condition) {
    if (!condition) std::abort();
}

void CheckWrittenFile(const std::string& file, const std::vector<uint8_t>& pixels, uint32_t width, uint32_t height) {
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(file.data());
    DibLayout layout;
    Require(HasBitmapFileHeader(bytes, file.size()));
    Require(CheckPackedDib(bytes + kBitmapFileHeaderSize, file.size() - kBitmapFileHeaderSize, &layout));
    Require(layout.width == int32_t(width) && layout.height == int32_t(height) && layout.bitCount == 24);
    Require(kBitmapFileHeaderSize + layout.bitsOffset + layout.pixelBytes == file.size());
    std::size_t rowBytes = layout.pixelBytes / height;
    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* row = bytes + kBitmapFileHeaderSize + layout.bitsOffset + (height - 1 - y) * rowBytes;
        for (uint32_t x = 0; x < width; ++x) {
            const uint8_t* decoded = &pixels[(std::size_t(y) * width + x) * kDecodedPixelBytes];
            Require(row[3 * x] == decoded[0] && row[3 * x + 1] == decoded[1] && row[3 * x + 2] == decoded[2]);
        }
    }
}

}  // namespace

// The first four bytes are the width and the height, 15 bits each (beyond the limit, so that
// both sides of it are met); the rest are the decoded pixels, in a buffer of exactly their size.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    uint32_t width = data[0] | uint32_t(data[1] & 0x7F) << 8;
    uint32_t height = data[2] | uint32_t(data[3] & 0x7F) << 8;
    std::vector<uint8_t> pixels(data + 4, data + size);
    std::string file = MakeBitmapFile24(pixels.data(), pixels.size(), width, height);
    bool fits = IsPictureSizeAllowed(width, height) &&
                uint64_t(width) * height * kDecodedPixelBytes <= pixels.size();
    Require(file.empty() != fits);
    if (fits) CheckWrittenFile(file, pixels, width, height);
    std::string path(data, data + size);
    IsBitmapEntry(path, pixels.data(), pixels.size());
    return 0;
}
