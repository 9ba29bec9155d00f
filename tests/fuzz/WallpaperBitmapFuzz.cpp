// libFuzzer target of the bitmap written for a decoded picture: whatever size it is told, it is
// refused or it is a file that the bitmap reader's checks accept, and pixels handed to it top-down
// end bottom-up as blue, green and red, each in its place, with nothing written outside the file.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "DibLayout.h"
#include "WallpaperBitmap.h"

namespace {

// A picture larger than this is only made by the platform's decoder in the program; here it
// would cost up to a gigabyte per input without finding more.
constexpr uint64_t kMostPixelsMade = 1 << 16;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Pixels from the input, top-down, must land in the file bottom-up, each in its place.
void CheckRows(const std::string& file, uint32_t width, uint32_t height, const uint8_t* data, std::size_t size) {
    std::vector<uint32_t> pixels(std::size_t(width) * height);
    for (std::size_t at = 0; at < pixels.size() && size > 0; ++at) {
        pixels[at] = uint32_t(data[at % size]) * 0x01010101u + uint32_t(at);
    }
    std::string written = BitmapFile24(pixels.data(), width, height);
    Require(written.size() == file.size() &&
            written.compare(0, kBitmapFile24BitsOffset, file, 0, kBitmapFile24BitsOffset) == 0);
    std::size_t rowBytes = BitmapRowBytes24(width);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            uint32_t pixel = pixels[std::size_t(y) * width + x];
            const char* bgr = &written[kBitmapFile24BitsOffset + (height - 1 - y) * rowBytes + 3 * x];
            Require(uint8_t(bgr[0]) == (pixel & 0xFF) && uint8_t(bgr[1]) == (pixel >> 8 & 0xFF) &&
                    uint8_t(bgr[2]) == (pixel >> 16 & 0xFF));
        }
    }
}

}  // namespace

// The first four bytes are the width and the height, 15 bits each, so that both sides of the
// limit are met; the rest are pixel bytes.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 4) return 0;
    uint32_t width = data[0] | uint32_t(data[1] & 0x7F) << 8;
    uint32_t height = data[2] | uint32_t(data[3] & 0x7F) << 8;
    bool allowed = IsPictureSizeAllowed(width, height);
    if (allowed && uint64_t(width) * height > kMostPixelsMade) return 0;
    std::string file = NewBitmapFile24(width, height);
    Require(file.empty() != allowed);
    if (!allowed) return 0;
    const uint8_t* bytes = reinterpret_cast<const uint8_t*>(file.data());
    DibLayout layout;
    Require(HasBitmapFileHeader(bytes, file.size()));
    Require(CheckPackedDib(bytes + kBitmapFileHeaderSize, file.size() - kBitmapFileHeaderSize, &layout));
    Require(layout.width == int32_t(width) && layout.height == int32_t(height) && layout.bitCount == 24);
    Require(kBitmapFileHeaderSize + layout.bitsOffset + layout.pixelBytes == file.size());
    CheckRows(file, width, height, data + 4, size - 4);
    IsBitmapEntry(std::string(data, data + size), data + 4, size - 4);
    return 0;
}
