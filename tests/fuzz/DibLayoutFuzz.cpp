// libFuzzer target of the .bmp layout checks: whatever they accept, every byte the drawing
// call could read lies within the block, and the pixel size agrees with a 128-bit count.
#include "DibLayout.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <vector>

namespace {

volatile uint8_t g_sink;

uint32_t ReadUint32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// Reads bytes [from, to) of the block, so that AddressSanitizer sees any that are not in it.
void Touch(const std::vector<uint8_t>& block, uint64_t from, uint64_t to) {
    uint8_t sum = 0;
    for (uint64_t at = from; at < to; ++at) sum ^= block.data()[at];
    g_sink = sum;
}

// Everything the drawing call is handed or may read: the header, colour table and pixels one
// after the other, the masks of a bit-field image, and the colour profile that a 124-byte
// header names (bV5CSType 'LINK' or 'MBED'); then the palette.
void TouchAccepted(const std::vector<uint8_t>& block, const DibLayout& layout) {
    if (layout.colorTableOffset != layout.headerSize ||
        layout.bitsOffset != layout.headerSize + 4 * uint64_t(layout.colorCount)) {
        std::abort();
    }
    Touch(block, 0, layout.bitsOffset + layout.pixelBytes);
    if (layout.compression == kCompressionBitfields) Touch(block, 0, kBitfieldMasksEnd);
    uint32_t colorSpaceType = layout.headerSize >= 124 ? ReadUint32(&block[56]) : 0;
    if (colorSpaceType == 0x4C494E4B || colorSpaceType == 0x4D424544) {
        Touch(block, ReadUint32(&block[112]), uint64_t(ReadUint32(&block[112])) + ReadUint32(&block[116]));
    }
    if (layout.compression == kCompressionRgb || layout.compression == kCompressionBitfields) {
        __int128 width = layout.width < 0 ? -__int128(layout.width) : __int128(layout.width);
        __int128 height = layout.height < 0 ? -__int128(layout.height) : __int128(layout.height);
        if ((width * layout.bitCount + 31) / 32 * 4 * height != __int128(layout.pixelBytes)) std::abort();
    }
    PaletteColor palette[kPaletteSize];
    FillPalette(block.data(), layout, palette);
}

}  // namespace

// The input is a whole file. As the reader does, its first 14 bytes go into a file header and
// the rest into a block of exactly its length. The block is checked even without the
// signature, which only the reader's first test looks at.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    uint8_t fileHeader[kBitmapFileHeaderSize] = {};
    std::size_t headerBytes = std::min(size, kBitmapFileHeaderSize);
    std::copy(data, data + headerBytes, fileHeader);
    bool hasHeader = size >= kBitmapFileHeaderSize && data[0] == 'B' && data[1] == 'M';
    if (HasBitmapFileHeader(fileHeader, headerBytes) != hasHeader) std::abort();
    if (size < kBitmapFileHeaderSize) return 0;
    std::vector<uint8_t> block(data + kBitmapFileHeaderSize, data + size);
    DibLayout layout;
    if (CheckPackedDib(block.data(), block.size(), &layout)) TouchAccepted(block, layout);
    return 0;
}
