// libFuzzer target of the bitmap written for a decoded picture: whatever size it is told, it is
// refused or it is a file that the bitmap reader's checks accept, and rows handed to it top-down
// end bottom-up, each in its place, with nothing written outside the file.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "DibLayout.h"
#include "WallpaperBitmap.h"

namespace {

// A picture larger than this is only made by the platform's decoder in the program; here it
// would cost up to a gigabyte per input without finding more.
constexpr uint64_t kMostPixelsMade = 1 << 16;

void Require(bool condition) {
    if (!condition) std::abort();
}

// Fills the rows from the input as a decoder would, top-down, and turns them over.
void CheckRows(std::string& file, uint32_t height, const uint8_t* data, std::size_t size) {
    uint8_t* rows = reinterpret_cast<uint8_t*>(&file[kBitmapFile24BitsOffset]);
    std::size_t pixelBytes = file.size() - kBitmapFile24BitsOffset;
    for (std::size_t at = 0; at < pixelBytes && size > 0; ++at) rows[at] = data[at % size];
    std::string decoded = file;
    std::size_t rowBytes = pixelBytes / height;
    TurnRowsOver(rows, rowBytes, height);
    for (uint32_t y = 0; y < height; ++y) {
        Require(file.compare(kBitmapFile24BitsOffset + (height - 1 - y) * rowBytes, rowBytes, decoded,
                             kBitmapFile24BitsOffset + y * rowBytes, rowBytes) == 0);
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
    CheckRows(file, height, data + 4, size - 4);
    IsBitmapEntry(std::string(data, data + size), data + 4, size - 4);
    return 0;
}
