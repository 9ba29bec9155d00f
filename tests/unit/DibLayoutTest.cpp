// The layout checks of .bmp files: signature, colour count, where the table and the pixels
// lie, what the block must hold, and the palette.
#include "DibLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <tuple>
#include <vector>

namespace {

using Bytes = std::vector<uint8_t>;
constexpr uint32_t kRgb = kCompressionRgb, kFields = kCompressionBitfields, kHuge = 0xFFFFFFFF;
constexpr uint32_t kEmbedded = 0x4D424544, kLinked = 0x4C494E4B, kSrgb = 0x73524742;  // bV5CSType values

// A test bitmap: the colour table and then the pixels (bytes 0xF0) follow a header of
// headerSize bytes, whose fields not named here are zero up to byte 120; storedSize, when not 0, is its biSize.
struct Dib {
    int64_t headerSize, width, height, bitCount, compression, sizeImage, clrUsed, tableEntries, pixelBytes;
    int64_t storedSize = 0, colorSpace = 0, profileData = 0, profileSize = 0;
};

// Colour-table entry i is stored blue i, green 0x40^i, red 0x80^i and a reserved byte that is no flag.
PaletteColor TableColor(uint32_t i) { return PaletteColor{uint8_t(0x80 ^ i), uint8_t(0x40 ^ i), uint8_t(i), 0}; }

std::tuple<int, int, int, int> RedGreenBlueFlags(const PaletteColor& color) {
    return {color.red, color.green, color.blue, color.flags};
}

// The block, with `extra` bytes added at its end (or cut off, when negative).
Bytes PackedDib(const Dib& dib, int extra = 0) {
    std::size_t bitsOffset = std::size_t(dib.headerSize + 4 * dib.tableEntries);
    std::size_t size = std::max<std::size_t>(kMinInfoHeaderSize, bitsOffset + std::size_t(dib.pixelBytes));
    Bytes block(size + 4096, 0xF0);
    auto put = [&block](std::size_t at, int64_t value) {
        for (int i = 0; i < 4; ++i) block[at + i] = uint8_t(uint64_t(value) >> 8 * i);
    };
    // The header as 32-bit words: biPlanes 1 and biBitCount share one; the profile fields of a
    // 124-byte header are words 14, 28 and 29.
    int64_t words[30] = {dib.storedSize ? dib.storedSize : dib.headerSize, dib.width, dib.height, 1 | dib.bitCount << 16,
                         dib.compression, dib.sizeImage, 0, 0, dib.clrUsed};
    words[14] = dib.colorSpace, words[28] = dib.profileData, words[29] = dib.profileSize;
    for (std::size_t word = 0; word < 30; ++word) put(4 * word, words[word]);
    for (uint32_t i = 0; i < dib.tableEntries; ++i) {
        PaletteColor color = TableColor(i);
        put(dib.headerSize + 4 * i, 0x5A000000u | color.red << 16 | color.green << 8 | color.blue);
    }
    block.resize(size + extra);
    return block;
}

}  // namespace

TEST(DibFileHeader, NeedsFourteenBytesStartingWithBM) {
    using Row = std::tuple<const char*, std::size_t, bool>;
    for (auto [start, size, accepted] :
         {Row{"BM", 14, true}, Row{"BM", 13, false}, Row{"BM", 2, false}, Row{"BM", 0, false}, Row{"bm", 14, false},
          Row{"MB", 14, false}, Row{"Bm", 14, false}, Row{"bM", 14, false}, Row{"\x89P", 14, false},
          Row{"GI", 14, false}, Row{"\xFF\xD8", 14, false}}) {
        uint8_t header[kBitmapFileHeaderSize] = {uint8_t(start[0]), uint8_t(start[1])};
        EXPECT_EQ(HasBitmapFileHeader(header, size), accepted) << start << ", " << size << " bytes";
    }
}

// Each accepted row gives the colour count, where the pixels start and their size; a block that
// ends right after the pixels it accepts is refused one byte shorter. The palette takes the
// first 256 colours of the table, and the entries after the table are black.
TEST(DibLayoutCheck, FindsTheColorTablePixelsAndPaletteOrRefusesTheBlock) {
    for (const auto& [dib, extra, colorCount, bitsOffset, pixelBytes] : {
             std::tuple<Dib, int, int64_t, uint64_t, uint64_t>{{40, 4, 2, 8, kRgb, 0, 0, 256, 8}, 0, 256, 1064, 8},
             {{40, 4, 2, 24, kRgb, 0, 0, 0, 24}, 0, 0, 40, 24},
             {{40, 0, 0, 0, kRgb, 0, 0, 1, 0}, 0, 1, 44, 0},
             {{40, 0, 0, 9, kRgb, 0, 0, 0, 0}, 0, 0, 40, 0},
             {{40, 0, 0, 0x8001, kRgb, 0, 0, 0, 0}, 0, 0, 40, 0},
             {{40, 4, 2, 8, kRgb, 0, 5, 5, 8}, 0, 5, 60, 8},     // biClrUsed wins over the bit count
             {{41, 3, 2, 4, kRgb, 0, 0, 16, 8}, 0, 16, 105, 8},  // the table follows a longer header
             {{1000, 3, 2, 4, kRgb, 0, 0, 16, 8}, 0, 16, 1064, 8},
             {{40, 4, 2, 8, kRgb, 0, 300, 300, 8}, 0, 300, 1240, 8},
             {{40, 4, 2, 8, kRgb, 0, kHuge, 256, 8}, 0, -1, 0, 0},
             {{40, 33, 3, 1, kRgb, 0, 0, 2, 24}, 0, 2, 48, 24},  // rows padded to 4 bytes
             {{40, 9, 3, 4, kRgb, 0, 0, 16, 24}, 0, 16, 104, 24},
             {{40, 5, 3, 8, kRgb, 0, 0, 256, 24}, 1, 256, 1064, 24},
             {{40, 5, 3, 24, kRgb, 0, 0, 0, 48}, 0, 0, 40, 48},
             {{40, 3, -5, 24, kRgb, 0, 0, 0, 60}, 0, 0, 40, 60},  // sized by magnitude, kept as stored
             {{40, -3, 5, 24, kRgb, 0, 0, 0, 60}, 0, 0, 40, 60},
             {{40, 4, 2, 24, kRgb, kHuge, 0, 0, 24}, 0, 0, 40, 24},             // biSizeImage does not count
             {{40, INT32_MIN, INT32_MIN, 32, kRgb, 0, 0, 0, 64}, 0, -1, 0, 0},  // 2^64 bytes
             {{40, INT32_MIN, INT32_MIN, 0xFFFF, kFields, 0, 0, 0, 64}, 0, -1, 0, 0},
             {{40, INT32_MAX, INT32_MAX, 32, kRgb, 0, 0, 0, 64}, 0, -1, 0, 0},
             {{40, INT32_MIN, INT32_MAX, 32, kRgb, 0, 0x80000000, 0, 64}, 0, -1, 0, 0},  // table + pixels: 2^64 + 40
             {{40, 0, 0, 24, kRgb, 0, 0, 0, 0}, -40, -1, 0, 0},  // headers: 40 bytes or more, all in the block
             {{40, 4, 2, 24, kRgb, 0, 0, 0, 24, 39}, 0, -1, 0, 0},
             {{40, 4, 2, 24, kRgb, 0, 0, 0, 24, kHuge}, 0, -1, 0, 0},
             {{40, 1000, 1000, 8, kCompressionRle8, 10, 0, 256, 10}, 0, 256, 1064, 10},  // biSizeImage bytes
             {{40, 1000, 1000, 8, kCompressionRle4, 10, 0, 256, 10}, 0, 256, 1064, 10},
             {{40, 1000, 1000, 8, kCompressionJpeg, 10, 0, 256, 10}, 0, 256, 1064, 10},
             {{40, 1000, 1000, 8, kCompressionPng, 10, 0, 256, 10}, 0, 256, 1064, 10},
             {{40, 1000, 1000, 8, kCompressionRle8, kHuge, 0, 256, 10}, 0, -1, 0, 0},
             {{40, 4, 2, 8, kCompressionRle4, 0, 0, 256, 16}, 0, -1, 0, 0},
             {{40, 4, 2, 8, kCompressionPng, 0, 0, 256, 16}, 0, -1, 0, 0},
             {{40, 4, 2, 24, 6, 24, 0, 0, 24}, 0, -1, 0, 0},
             {{40, 1, 1, 32, kFields, 0, 0, 0, 12}, 0, 0, 40, 4},  // the masks at offset 40 are in the block
             {{40, 1, 1, 32, kFields, 0, 0, 0, 12}, -1, -1, 0, 0},
             {{40, 2, 3, 16, kFields, 0, 3, 3, 12}, 0, 3, 52, 12},
             {{124, 1, 1, 32, kFields, 0, 0, 0, 4}, 0, 0, 124, 4},
             {{124, 1, 1, 24, kRgb, 0, 0, 0, 104, 0, kEmbedded, 128, 100}, 0, 0, 124, 4},  // the profile too
             {{124, 1, 1, 24, kRgb, 0, 0, 0, 104, 0, kEmbedded, 128, 100}, -1, -1, 0, 0},
             {{124, 1, 1, 24, kRgb, 0, 0, 0, 104, 0, kLinked, 128, 100}, -1, -1, 0, 0},
             {{124, 1, 1, 24, kRgb, 0, 0, 0, 104, 0, kLinked, kHuge, 2}, 0, -1, 0, 0},  // no 32-bit wrap
             {{124, 1, 1, 24, kRgb, 0, 0, 0, 4, 0, kSrgb, kHuge, kHuge}, 0, 0, 124, 4},
             {{108, 1, 1, 24, kRgb, 0, 0, 0, 16, 0, kEmbedded, kHuge, kHuge}, 0, 0, 108, 4},
         }) {
        Bytes block = PackedDib(dib, extra);
        DibLayout layout{};
        layout.bitsOffset = 12345;
        bool accepted = CheckPackedDib(block.data(), block.size(), &layout);
        SCOPED_TRACE(testing::Message() << "header " << dib.headerSize << ", " << dib.bitCount << " bits, " << dib.width
                                        << " x " << dib.height << ", " << block.size() << " bytes");
        ASSERT_EQ(accepted, colorCount != -1) << "compression " << dib.compression;
        if (!accepted) {
            EXPECT_EQ(layout.bitsOffset, 12345u) << "a refusal leaves the layout as it was";
            continue;
        }
        EXPECT_EQ(std::make_tuple(layout.colorCount, layout.bitsOffset, layout.pixelBytes, layout.colorTableOffset,
                                  layout.width, layout.height, layout.compression),
                  std::make_tuple(colorCount, bitsOffset, pixelBytes, dib.headerSize, dib.width, dib.height,
                                  dib.compression));
        if (block.size() == bitsOffset + pixelBytes) {
            EXPECT_FALSE(CheckPackedDib(block.data(), block.size() - 1, &layout)) << "one byte short";
        }
        PaletteColor palette[kPaletteSize], paletteOfTable[kPaletteSize];
        std::fill(palette, palette + kPaletteSize, PaletteColor{1, 2, 3, 4});
        FillPalette(block.data(), layout, palette);
        FillPalette(block.data() + dib.headerSize, layout.colorCount, paletteOfTable);
        for (int64_t i = 0; i < int64_t(kPaletteSize); ++i) {
            auto expected = RedGreenBlueFlags(i < colorCount ? TableColor(uint32_t(i)) : PaletteColor{0, 0, 0, 0});
            EXPECT_EQ(RedGreenBlueFlags(palette[i]), expected) << "palette entry " << i;
            EXPECT_EQ(RedGreenBlueFlags(paletteOfTable[i]), expected) << "palette entry " << i << " from the table";
        }
    }
}
