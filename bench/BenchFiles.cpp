// Bitmap and list files for the benchmarks, the same bytes on both sides.
#include "BenchFiles.h"

#include <cstdio>

const BitmapSize kBitmapSizes[3] = {
    {"640x480x8", 640, 480, 8},
    {"1920x1080x24", 1920, 1080, 24},
    {"7680x4320x24", 7680, 4320, 24},
};

namespace {

void PutUint16(std::vector<uint8_t>& bytes, std::size_t at, uint16_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

void PutUint32(std::vector<uint8_t>& bytes, std::size_t at, uint32_t value) {
    for (int i = 0; i < 4; ++i) bytes[at + i] = uint8_t(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> MakeBitmapFile(const BitmapSize& size) {
    const uint32_t colors = size.bitCount <= 8 ? 1u << size.bitCount : 0;
    const uint64_t rowBytes = (uint64_t(size.width) * size.bitCount + 31) / 32 * 4;
    const uint64_t bitsOffset = 14 + 40 + 4 * uint64_t(colors);
    const uint64_t fileSize = bitsOffset + rowBytes * uint64_t(size.height);
    std::vector<uint8_t> bytes(fileSize, 0);

    bytes[0] = 'B';
    bytes[1] = 'M';
    PutUint32(bytes, 2, uint32_t(fileSize));
    PutUint32(bytes, 10, uint32_t(bitsOffset));
    PutUint32(bytes, 14, 40);
    PutUint32(bytes, 18, uint32_t(size.width));
    PutUint32(bytes, 22, uint32_t(size.height));
    PutUint16(bytes, 26, 1);
    PutUint16(bytes, 28, size.bitCount);
    PutUint32(bytes, 34, uint32_t(rowBytes * uint64_t(size.height)));
    PutUint32(bytes, 46, colors);

    for (uint32_t i = 0; i < colors; ++i) {
        std::size_t entry = 54 + 4 * std::size_t(i);
        bytes[entry] = uint8_t(i);            // blue
        bytes[entry + 1] = uint8_t(255 - i);  // green
        bytes[entry + 2] = uint8_t(i * 7);    // red
    }
    for (int32_t y = 0; y < size.height; ++y) {
        uint8_t* row = bytes.data() + bitsOffset + rowBytes * uint64_t(y);
        for (uint64_t x = 0; x < rowBytes; ++x) row[x] = uint8_t(x * 3 + uint64_t(y) * 5);
    }
    return bytes;
}

std::string MakeListFile(int count) {
    std::string bytes;
    bytes.reserve(std::size_t(count) * 48);
    char line[128];
    for (int i = 0; i < count; ++i) {
        std::snprintf(line, sizeof line, "C:\\Quorvane\\Wallpapers\\Landscape %05d.bmp\r\n", i + 1);
        bytes += line;
    }
    return bytes;
}
