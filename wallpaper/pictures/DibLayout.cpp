// Checking the layout of a packed DIB, and the palette taken from its colour table.
#include "DibLayout.h"

#include <limits>

namespace {

// Offsets of the info header's fields from the start of the block.
constexpr std::size_t kSizeField = 0;
constexpr std::size_t kWidthField = 4;
constexpr std::size_t kHeightField = 8;
constexpr std::size_t kBitCountField = 14;
constexpr std::size_t kCompressionField = 16;
constexpr std::size_t kSizeImageField = 20;
constexpr std::size_t kClrUsedField = 32;

// The 124-byte header (BITMAPV5HEADER) may name a colour profile.
constexpr uint32_t kProfileHeaderSize = 124;
constexpr std::size_t kColorSpaceTypeField = 56;
constexpr std::size_t kProfileDataField = 112;
constexpr std::size_t kProfileSizeField = 116;
constexpr uint32_t kProfileLinked = 0x4C494E4B;    // 'LINK'
constexpr uint32_t kProfileEmbedded = 0x4D424544;  // 'MBED'

// A colour-table entry is an RGBQUAD: blue, green, red, reserved.
constexpr uint64_t kColorEntrySize = 4;

uint16_t ReadUint16(const uint8_t* bytes) {
    return uint16_t(bytes[0] | bytes[1] << 8);
}

uint32_t ReadUint32(const uint8_t* bytes) {
    return uint32_t(bytes[0]) | uint32_t(bytes[1]) << 8 | uint32_t(bytes[2]) << 16 | uint32_t(bytes[3]) << 24;
}

// |value| in 64 bits, so that INT32_MIN has one too.
uint64_t Magnitude(int32_t value) {
    return uint64_t(value < 0 ? -int64_t(value) : int64_t(value));
}

uint32_t PaletteEntries(uint32_t colorCount) {
    return colorCount < kPaletteSize ? colorCount : kPaletteSize;
}

uint32_t ColorCount(uint32_t clrUsed, uint16_t bitCount) {
    if (clrUsed != 0) return clrUsed;
    if (bitCount <= 8) return uint32_t(1) << bitCount;
    return 0;
}

// False when the size does not fit in 64 bits. A row has fewer than 2^47 bits, so only the
// product of the rows can overflow.
bool UncompressedPixelBytes(int32_t width, int32_t height, uint16_t bitCount, uint64_t* bytes) {
    uint64_t rowBytes = (Magnitude(width) * bitCount + 31) / 32 * 4;
    uint64_t rows = Magnitude(height);
    if (rows != 0 && rowBytes > std::numeric_limits<uint64_t>::max() / rows) return false;
    *bytes = rowBytes * rows;
    return true;
}

// False when the compression is unknown or the size cannot be told.
bool PixelBytes(const uint8_t* block, const DibLayout& layout, uint64_t* bytes) {
    switch (layout.compression) {
        case kCompressionRgb:
        case kCompressionBitfields:
            return UncompressedPixelBytes(layout.width, layout.height, layout.bitCount, bytes);
        case kCompressionRle8:
        case kCompressionRle4:
        case kCompressionJpeg:
        case kCompressionPng:
            *bytes = ReadUint32(block + kSizeImageField);
            return *bytes != 0;
        default:
            return false;
    }
}

bool HoldsColorProfile(const uint8_t* block, std::size_t size, const DibLayout& layout) {
    if (layout.headerSize < kProfileHeaderSize) return true;
    uint32_t colorSpaceType = ReadUint32(block + kColorSpaceTypeField);
    if (colorSpaceType != kProfileLinked && colorSpaceType != kProfileEmbedded) return true;
    uint64_t end = uint64_t(ReadUint32(block + kProfileDataField)) + ReadUint32(block + kProfileSizeField);
    return end <= size;
}

bool HoldsParts(const uint8_t* block, std::size_t size, const DibLayout& layout) {
    if (layout.bitsOffset > size || layout.pixelBytes > size - layout.bitsOffset) return false;
    if (layout.compression == kCompressionBitfields && size < kBitfieldMasksEnd) return false;
    return HoldsColorProfile(block, size, layout);
}

}  // namespace

bool HasBitmapFileHeader(const uint8_t* fileHeader, std::size_t size) {
    return size >= kBitmapFileHeaderSize && fileHeader[0] == 'B' && fileHeader[1] == 'M';
}

bool CheckPackedDib(const uint8_t* block, std::size_t size, DibLayout* layout) {
    if (size < kMinInfoHeaderSize) return false;
    DibLayout found{};
    found.headerSize = ReadUint32(block + kSizeField);
    if (found.headerSize < kMinInfoHeaderSize || found.headerSize > size) return false;
    found.width = int32_t(ReadUint32(block + kWidthField));
    found.height = int32_t(ReadUint32(block + kHeightField));
    found.bitCount = ReadUint16(block + kBitCountField);
    found.compression = ReadUint32(block + kCompressionField);
    found.colorCount = ColorCount(ReadUint32(block + kClrUsedField), found.bitCount);
    found.colorTableOffset = found.headerSize;
    found.bitsOffset = found.headerSize + kColorEntrySize * found.colorCount;
    if (!PixelBytes(block, found, &found.pixelBytes) || !HoldsParts(block, size, found)) return false;
    *layout = found;
    return true;
}

void FillPalette(const uint8_t* colorTable, uint32_t colorCount, PaletteColor (&palette)[kPaletteSize]) {
    for (uint32_t i = 0; i < kPaletteSize; ++i) palette[i] = PaletteColor{0, 0, 0, 0};
    for (uint32_t i = 0; i < PaletteEntries(colorCount); ++i) {
        const uint8_t* entry = colorTable + kColorEntrySize * i;
        palette[i] = PaletteColor{entry[2], entry[1], entry[0], 0};
    }
}

void FillPalette(const uint8_t* block, const DibLayout& layout, PaletteColor (&palette)[kPaletteSize]) {
    FillPalette(block + layout.colorTableOffset, layout.colorCount, palette);
}
