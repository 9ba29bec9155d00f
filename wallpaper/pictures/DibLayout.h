// The layout of a .bmp file: where its colour table and pixels lie, whether the file holds
// what its headers promise, and the 256-entry palette made from its colour table.
#pragma once

#include <cstddef>
#include <cstdint>

// The file header is 14 bytes; the packed DIB follows it and runs to the end of the file.
constexpr std::size_t kBitmapFileHeaderSize = 14;
// The shortest info header read (BITMAPINFOHEADER); the 12-byte OS/2 header is not.
constexpr uint32_t kMinInfoHeaderSize = 40;
// The logical palette always has 256 entries, whatever the colour count.
constexpr uint32_t kPaletteSize = 256;

// The biCompression values a file may carry; any other is refused.
constexpr uint32_t kCompressionRgb = 0;
constexpr uint32_t kCompressionRle8 = 1;
constexpr uint32_t kCompressionRle4 = 2;
constexpr uint32_t kCompressionBitfields = 3;
constexpr uint32_t kCompressionJpeg = 4;
constexpr uint32_t kCompressionPng = 5;

// A bit-field image's three 32-bit colour masks lie at block offset 40, right after a
// 40-byte header or inside a longer one, whatever biSize says; the block holds up to here.
constexpr uint64_t kBitfieldMasksEnd = kMinInfoHeaderSize + 3 * 4;

// True when the `size` bytes read from the start of a file are a whole 14-byte file header
// with the signature "BM": a shorter file is refused like one without the signature.
bool HasBitmapFileHeader(const uint8_t* fileHeader, std::size_t size);

// Where the parts of a packed DIB (the file from offset 14 on) lie, relative to its start.
struct DibLayout {
    uint32_t headerSize;  // biSize
    int32_t width;        // biWidth as stored
    int32_t height;       // biHeight as stored (negative: top-down)
    uint16_t bitCount;
    uint32_t compression;
    uint32_t colorCount;        // the colour-table entries, by the colour-count rule below
    uint64_t colorTableOffset;  // == headerSize
    uint64_t bitsOffset;        // headerSize + 4 * colorCount
    uint64_t pixelBytes;        // what the drawing call may read from bitsOffset on
};

// Checks a packed DIB of `size` bytes; false when it cannot hold what its header promises.
// *layout is written only when the check passes. All sizes are computed in 64 bits.
//
// Header: the block holds at least biSize bytes, and biSize is at least 40.
//
// Colour count: biClrUsed when it is not 0; else 2 to the power biBitCount for 8 bits or
// fewer (0 bits give 1); else 0. The block holds all colorCount entries of 4 bytes, even
// past the 256 that the palette takes, and the pixels start after the last of them.
//
// Pixels: bitsOffset + pixelBytes is within the block. For BI_RGB and BI_BITFIELDS,
// pixelBytes is rowBytes * |height| with rowBytes = ((|width| * bitCount + 31) / 32) * 4,
// each row padded to 4 bytes; a size beyond 64 bits is refused.
//
// Compressed pixels (BI_RLE8, BI_RLE4, BI_JPEG, BI_PNG): pixelBytes is biSizeImage, which
// bounds what the drawing call decodes; a compressed image with a biSizeImage of 0 states
// no bound and is refused.
//
// Bit fields (BI_BITFIELDS): the block also holds the masks, up to kBitfieldMasksEnd. The
// pixels are still found right after the colour table, as for any other image.
//
// Colour profile: a header of 124 bytes or more whose bV5CSType names a linked or embedded
// profile holds bV5ProfileSize bytes at bV5ProfileData from the block's start, since the
// drawing call may read them when colour management is on.
//
// The drawing call reads at most biClrUsed colour entries (2^bitCount when it is 0), so once
// the reader has stored the colour count in biClrUsed it reads only entries the block holds.
bool CheckPackedDib(const uint8_t* block, std::size_t size, DibLayout* layout);

// A palette entry: red, green, blue, flags.
struct PaletteColor {
    uint8_t red, green, blue, flags;
};

// Entry i of the palette takes red, green and blue of colour-table entry i (stored blue,
// green, red, reserved) for i below min(colorCount, 256), with flags 0; the others are
// black with flags 0. The table holds colorCount entries.
void FillPalette(const uint8_t* colorTable, uint32_t colorCount, PaletteColor (&palette)[kPaletteSize]);

// The palette of a block whose layout CheckPackedDib found.
void FillPalette(const uint8_t* block, const DibLayout& layout, PaletteColor (&palette)[kPaletteSize]);
