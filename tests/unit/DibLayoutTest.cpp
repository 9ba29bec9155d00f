// The layout checks of .bmp files: signature, colour count, where the table and the pixels
// lie, what the block must hold, and the palette.
#include "DibLayout.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <ostream>
#include <vector>

using Bytes = std::vector<uint8_t>;

bool operator==(const PaletteColor& a, const PaletteColor& b) {
    return a.red == b.red && a.green == b.green && a.blue == b.blue && a.flags == b.flags;
}

void PrintTo(const PaletteColor& color, std::ostream* out) {
    *out << "{red " << int(color.red) << ", green " << int(color.green) << ", blue " << int(color.blue) << ", flags "
         << int(color.flags) << "}";
}

namespace {

// The fields of a test bitmap; the other header fields are zero.
struct DibFields {
    uint32_t headerSize = 40;
    int32_t width = 4;
    int32_t height = 2;
    uint16_t bitCount = 8;
    uint32_t compression = kCompressionRgb;
    uint32_t sizeImage = 0;
    uint32_t clrUsed = 0;
    uint32_t tableEntries = 0;  // colour-table entries written after the header
    uint32_t pixelBytes = 0;    // bytes written after the colour table
};

void PutUint16(Bytes& bytes, std::size_t at, uint16_t value) {
    bytes[at] = uint8_t(value);
    bytes[at + 1] = uint8_t(value >> 8);
}

void PutUint32(Bytes& bytes, std::size_t at, uint32_t value) {
    PutUint16(bytes, at, uint16_t(value));
    PutUint16(bytes, at + 2, uint16_t(value >> 16));
}

// Colour-table entry i as stored: blue, green, red, and a reserved byte that is not a flag.
void PutTableEntry(Bytes& bytes, std::size_t at, uint32_t i) {
    bytes[at] = uint8_t(i);
    bytes[at + 1] = uint8_t(0x40 ^ i);
    bytes[at + 2] = uint8_t(0x80 ^ i);
    bytes[at + 3] = 0x5A;
}

// The palette entry that colour-table entry i gives.
PaletteColor TableColor(uint32_t i) {
    return PaletteColor{uint8_t(0x80 ^ i), uint8_t(0x40 ^ i), uint8_t(i), 0};
}

uint8_t PixelByte(std::size_t k) {
    return uint8_t(0xF0 ^ k);
}

// A packed DIB: the info header, the colour table, the pixels.
Bytes PackedDib(const DibFields& fields) {
    std::size_t tableOffset = fields.headerSize;
    std::size_t bitsOffset = tableOffset + 4 * std::size_t(fields.tableEntries);
    Bytes block(bitsOffset + fields.pixelBytes, 0);
    PutUint32(block, 0, fields.headerSize);
    PutUint32(block, 4, uint32_t(fields.width));
    PutUint32(block, 8, uint32_t(fields.height));
    PutUint16(block, 12, 1);
    PutUint16(block, 14, fields.bitCount);
    PutUint32(block, 16, fields.compression);
    PutUint32(block, 20, fields.sizeImage);
    PutUint32(block, 32, fields.clrUsed);
    for (uint32_t i = 0; i < fields.tableEntries; ++i) PutTableEntry(block, tableOffset + 4 * i, i);
    for (std::size_t k = 0; k < fields.pixelBytes; ++k) block[bitsOffset + k] = PixelByte(k);
    return block;
}

// A whole file: the 14-byte file header with bfOffBits 0 (it is not consulted), then the block.
Bytes BitmapFile(const DibFields& fields) {
    Bytes file(kBitmapFileHeaderSize, 0);
    file[0] = 'B';
    file[1] = 'M';
    Bytes block = PackedDib(fields);
    PutUint32(file, 2, uint32_t(file.size() + block.size()));
    file.insert(file.end(), block.begin(), block.end());
    return file;
}

bool Accepts(const Bytes& block) {
    DibLayout layout;
    return CheckPackedDib(block.data(), block.size(), &layout);
}

DibLayout AcceptedLayout(const Bytes& block) {
    DibLayout layout{};
    EXPECT_TRUE(CheckPackedDib(block.data(), block.size(), &layout)) << "block of " << block.size() << " bytes";
    return layout;
}

// The layout of the block that follows the file header.
DibLayout AcceptedFileLayout(const Bytes& file) {
    EXPECT_TRUE(HasBitmapFileHeader(file.data(), file.size()));
    return AcceptedLayout(Bytes(file.begin() + kBitmapFileHeaderSize, file.end()));
}

Bytes Signed(const char* twoBytes) {
    Bytes header(kBitmapFileHeaderSize, 0);
    header[0] = uint8_t(twoBytes[0]);
    header[1] = uint8_t(twoBytes[1]);
    return header;
}

}  // namespace

TEST(DibFileHeader, AcceptsTheSignatureBM) {
    Bytes header = Signed("BM");
    EXPECT_TRUE(HasBitmapSignature(header.data(), header.size()));
    EXPECT_TRUE(HasBitmapSignature(header.data(), 2));
    EXPECT_TRUE(HasBitmapFileHeader(header.data(), header.size()));
}

TEST(DibFileHeader, RefusesOtherLettersAndOtherFormats) {
    for (const char* signature : {"bm", "MB", "Bm", "bM", "\x89P", "GI", "\xFF\xD8"}) {
        Bytes header = Signed(signature);
        EXPECT_FALSE(HasBitmapSignature(header.data(), header.size())) << signature;
        EXPECT_FALSE(HasBitmapFileHeader(header.data(), header.size())) << signature;
    }
}

TEST(DibFileHeader, RefusesAFileShorterThanTheFileHeader) {
    Bytes header = Signed("BM");
    EXPECT_FALSE(HasBitmapSignature(header.data(), 0));
    EXPECT_FALSE(HasBitmapSignature(header.data(), 1));
    EXPECT_FALSE(HasBitmapFileHeader(header.data(), 0));
    EXPECT_FALSE(HasBitmapFileHeader(header.data(), 2));
    EXPECT_FALSE(HasBitmapFileHeader(header.data(), 13));
    EXPECT_TRUE(HasBitmapFileHeader(header.data(), 14));
}

TEST(DibColorTable, EightBitsWithoutColorsUsedHave256ColorsAtFileOffset54AndPixelsAt1078) {
    Bytes file = BitmapFile({40, 4, 2, 8, kCompressionRgb, 0, 0, 256, 8});
    DibLayout layout = AcceptedFileLayout(file);
    EXPECT_EQ(layout.headerSize, 40u);
    EXPECT_EQ(layout.colorCount, 256u);
    EXPECT_EQ(kBitmapFileHeaderSize + layout.colorTableOffset, 54u);
    EXPECT_EQ(kBitmapFileHeaderSize + layout.bitsOffset, 1078u);
    EXPECT_EQ(layout.pixelBytes, 8u);
    EXPECT_EQ(file[1077], 0x5A);  // the reserved byte of the last colour-table entry
    EXPECT_EQ(file[1078], PixelByte(0));
    EXPECT_EQ(PaletteEntryCount(layout), 256u);
}

TEST(DibColorTable, TwentyFourBitsHaveNoColorTableAndPixelsAtFileOffset54) {
    Bytes file = BitmapFile({40, 4, 2, 24, kCompressionRgb, 0, 0, 0, 24});
    DibLayout layout = AcceptedFileLayout(file);
    EXPECT_EQ(layout.colorCount, 0u);
    EXPECT_EQ(kBitmapFileHeaderSize + layout.bitsOffset, 54u);
    EXPECT_EQ(layout.pixelBytes, 24u);
    EXPECT_EQ(file[54], PixelByte(0));
    EXPECT_EQ(PaletteEntryCount(layout), 0u);
}

TEST(DibColorTable, TakesTwoToTheBitCountForEightBitsOrFewer) {
    struct Case {
        uint16_t bitCount;
        uint32_t colorCount;
    };
    for (Case c : {Case{0, 1}, Case{1, 2}, Case{2, 4}, Case{4, 16}, Case{8, 256}}) {
        DibLayout layout = AcceptedLayout(PackedDib({40, 0, 0, c.bitCount, kCompressionRgb, 0, 0, c.colorCount, 0}));
        EXPECT_EQ(layout.colorCount, c.colorCount) << c.bitCount << " bits";
        EXPECT_EQ(layout.bitsOffset, 40u + 4 * c.colorCount) << c.bitCount << " bits";
    }
}

TEST(DibColorTable, HasNoTableAboveEightBitsWithoutColorsUsed) {
    for (uint16_t bitCount : {9, 16, 24, 32, 0x8001, 0xFFFF}) {
        DibLayout layout = AcceptedLayout(PackedDib({40, 0, 0, bitCount, kCompressionRgb, 0, 0, 0, 0}));
        EXPECT_EQ(layout.colorCount, 0u) << bitCount << " bits";
        EXPECT_EQ(layout.bitsOffset, 40u) << bitCount << " bits";
    }
}

TEST(DibColorTable, ColorsUsedWinsOverTheBitCount) {
    DibLayout fiveOfEight = AcceptedLayout(PackedDib({40, 4, 2, 8, kCompressionRgb, 0, 5, 5, 8}));
    EXPECT_EQ(fiveOfEight.colorCount, 5u);
    EXPECT_EQ(fiveOfEight.bitsOffset - fiveOfEight.headerSize, 20u);
    EXPECT_EQ(fiveOfEight.pixelBytes, 8u);

    DibLayout threeOf24 = AcceptedLayout(PackedDib({40, 1, 1, 24, kCompressionRgb, 0, 3, 3, 4}));
    EXPECT_EQ(threeOf24.colorCount, 3u);
    EXPECT_EQ(threeOf24.bitsOffset, 52u);
}

TEST(DibColorTable, FindsTheTableAfterAHeaderLongerThan40Bytes) {
    for (uint32_t headerSize : {41u, 52u, 56u, 108u, 124u, 1000u}) {
        DibLayout layout = AcceptedLayout(PackedDib({headerSize, 3, 2, 4, kCompressionRgb, 0, 0, 16, 8}));
        EXPECT_EQ(layout.headerSize, headerSize);
        EXPECT_EQ(layout.colorTableOffset, headerSize);
        EXPECT_EQ(layout.colorCount, 16u);
        EXPECT_EQ(layout.bitsOffset, headerSize + 64u);
    }
}

TEST(DibColorTable, ColorCountAbove256KeepsTheWholeTableBeforeThePixels) {
    Bytes block = PackedDib({40, 4, 2, 8, kCompressionRgb, 0, 300, 300, 8});
    DibLayout layout = AcceptedLayout(block);
    EXPECT_EQ(layout.colorCount, 300u);
    EXPECT_EQ(layout.bitsOffset, 40u + 1200u);
    EXPECT_EQ(block[layout.bitsOffset], PixelByte(0));
    EXPECT_EQ(PaletteEntryCount(layout), 256u);
}

TEST(DibPixels, PadsEveryRowToFourBytes) {
    struct Case {
        int32_t width;
        uint16_t bitCount;
        uint32_t rowBytes;
    };
    for (Case c : {Case{1, 1, 4}, Case{32, 1, 4}, Case{33, 1, 8}, Case{9, 4, 8}, Case{5, 8, 8}, Case{3, 16, 8},
                   Case{3, 24, 12}, Case{4, 24, 12}, Case{5, 24, 16}, Case{1, 32, 4}, Case{7, 32, 28}}) {
        DibLayout layout = AcceptedLayout(PackedDib({40, c.width, 3, c.bitCount, kCompressionRgb, 0, 0, 0, 0xFFFF}));
        EXPECT_EQ(layout.pixelBytes, 3 * c.rowBytes) << c.width << " pixels of " << c.bitCount << " bits";
    }
}

TEST(DibPixels, KeepsNegativeDimensionsAsStoredAndSizesThemByMagnitude) {
    DibLayout topDown = AcceptedLayout(PackedDib({40, 3, -5, 24, kCompressionRgb, 0, 0, 0, 60}));
    EXPECT_EQ(topDown.width, 3);
    EXPECT_EQ(topDown.height, -5);
    EXPECT_EQ(topDown.pixelBytes, 60u);

    DibLayout negativeWidth = AcceptedLayout(PackedDib({40, -3, 5, 24, kCompressionRgb, 0, 0, 0, 60}));
    EXPECT_EQ(negativeWidth.width, -3);
    EXPECT_EQ(negativeWidth.pixelBytes, 60u);
}

TEST(DibPixels, AnEmptyImageHasNoPixelBytes) {
    EXPECT_EQ(AcceptedLayout(PackedDib({40, 0, 100, 24, kCompressionRgb, 0, 0, 0, 0})).pixelBytes, 0u);
    EXPECT_EQ(AcceptedLayout(PackedDib({40, 100, 0, 24, kCompressionRgb, 0, 0, 0, 0})).pixelBytes, 0u);
}

TEST(DibPixels, UncompressedImagesIgnoreBiSizeImage) {
    for (uint32_t sizeImage : {0u, 1u, 23u, 25u, 0xFFFFFFFFu}) {
        DibLayout layout = AcceptedLayout(PackedDib({40, 4, 2, 24, kCompressionRgb, sizeImage, 0, 0, 24}));
        EXPECT_EQ(layout.pixelBytes, 24u) << "biSizeImage " << sizeImage;
    }
}

TEST(DibRefusal, ABlockShorterThanItsInfoHeader) {
    Bytes empty40 = PackedDib({40, 0, 0, 24, kCompressionRgb, 0, 0, 0, 0});
    EXPECT_TRUE(Accepts(empty40));
    for (std::size_t size : {0u, 4u, 14u, 39u}) {
        EXPECT_FALSE(Accepts(Bytes(empty40.begin(), empty40.begin() + size))) << size << " bytes";
    }

    Bytes longHeader = PackedDib({124, 0, 0, 24, kCompressionRgb, 0, 0, 0, 0});
    EXPECT_TRUE(Accepts(longHeader));
    EXPECT_FALSE(Accepts(Bytes(longHeader.begin(), longHeader.end() - 1)));

    PutUint32(longHeader, 0, 0xFFFFFFFF);
    EXPECT_FALSE(Accepts(longHeader));
}

TEST(DibRefusal, AnInfoHeaderShorterThan40Bytes) {
    // An OS/2 file: a 12-byte header (size, 16-bit width and height, planes, bit count),
    // two 3-byte colours and a 2 x 2 1-bit image, padded past 40 bytes.
    Bytes os2(12 + 6 + 8 + 30, 0);
    PutUint32(os2, 0, 12);
    PutUint16(os2, 4, 2);
    PutUint16(os2, 6, 2);
    PutUint16(os2, 8, 1);
    PutUint16(os2, 10, 1);
    EXPECT_FALSE(Accepts(os2));

    for (uint32_t headerSize : {0u, 12u, 39u}) {
        Bytes block = PackedDib({40, 4, 2, 24, kCompressionRgb, 0, 0, 0, 24});
        PutUint32(block, 0, headerSize);
        EXPECT_FALSE(Accepts(block)) << "biSize " << headerSize;
    }
}

TEST(DibRefusal, AColorTableLongerThanTheBlock) {
    Bytes huge = PackedDib({40, 4, 2, 8, kCompressionRgb, 0, 0xFFFFFFFF, 256, 8});
    EXPECT_FALSE(Accepts(huge));

    Bytes full = PackedDib({40, 0, 0, 8, kCompressionRgb, 0, 0, 256, 0});
    EXPECT_TRUE(Accepts(full));
    EXPECT_FALSE(Accepts(Bytes(full.begin(), full.end() - 1)));

    Bytes above256 = PackedDib({40, 0, 0, 8, kCompressionRgb, 0, 300, 300, 0});
    EXPECT_TRUE(Accepts(above256));
    EXPECT_FALSE(Accepts(Bytes(above256.begin(), above256.end() - 1)));
}

TEST(DibRefusal, APixelArrayOneByteShort) {
    struct Case {
        int32_t width;
        int32_t height;
        uint16_t bitCount;
        uint32_t tableEntries;
        uint32_t pixelBytes;
    };
    for (Case c : {Case{17, 3, 1, 2, 12}, Case{7, 3, 4, 16, 12}, Case{6, -3, 8, 256, 24}, Case{5, 3, 16, 0, 36},
                   Case{5, 3, 24, 0, 48}, Case{5, 3, 32, 0, 60}}) {
        DibFields fields{40, c.width, c.height, c.bitCount, kCompressionRgb, 0, 0, c.tableEntries, c.pixelBytes};
        EXPECT_EQ(AcceptedLayout(PackedDib(fields)).pixelBytes, c.pixelBytes) << c.bitCount << " bits";
        fields.pixelBytes = c.pixelBytes - 1;
        EXPECT_FALSE(Accepts(PackedDib(fields))) << c.bitCount << " bits";
        fields.pixelBytes = c.pixelBytes + 1;
        EXPECT_EQ(AcceptedLayout(PackedDib(fields)).pixelBytes, c.pixelBytes) << c.bitCount << " bits";
    }
}

TEST(DibRefusal, DimensionsWhosePixelArrayOverflows) {
    // 2^31 pixels of 32 bits make 2^33 bytes a row; 2^31 rows of them make 2^64, which a
    // 64-bit product would wrap to 0.
    EXPECT_FALSE(Accepts(PackedDib({40, INT32_MIN, INT32_MIN, 32, kCompressionRgb, 0, 0, 0, 64})));
    EXPECT_FALSE(Accepts(PackedDib({40, INT32_MIN, -(1 << 30), 64, kCompressionRgb, 0, 0, 0, 64})));
    EXPECT_FALSE(Accepts(PackedDib({40, INT32_MIN, INT32_MIN, 0xFFFF, kCompressionBitfields, 0, 0, 0, 64})));
    // Large but without overflow: refused as longer than the block.
    EXPECT_FALSE(Accepts(PackedDib({40, INT32_MAX, INT32_MAX, 32, kCompressionRgb, 0, 0, 0, 64})));
    EXPECT_FALSE(Accepts(PackedDib({40, INT32_MIN, 1, 0xFFFF, kCompressionRgb, 0, 0, 0, 64})));
}

TEST(DibRefusal, LeavesTheLayoutAsItWas) {
    Bytes block = PackedDib({40, 4, 2, 24, kCompressionRgb, 0, 0, 0, 23});
    DibLayout layout{};
    layout.bitsOffset = 12345;
    EXPECT_FALSE(CheckPackedDib(block.data(), block.size(), &layout));
    EXPECT_EQ(layout.bitsOffset, 12345u);
    EXPECT_EQ(layout.headerSize, 0u);
}

TEST(DibCompression, CompressedPixelsAreBiSizeImageBytes) {
    for (uint32_t compression : {kCompressionRle8, kCompressionRle4, kCompressionJpeg, kCompressionPng}) {
        // The dimensions would ask for far more bytes uncompressed; they do not count.
        DibFields fields{40, 1000, 1000, 8, compression, 10, 0, 256, 10};
        DibLayout layout = AcceptedLayout(PackedDib(fields));
        EXPECT_EQ(layout.compression, compression);
        EXPECT_EQ(layout.bitsOffset, 40u + 1024u);
        EXPECT_EQ(layout.pixelBytes, 10u) << "compression " << compression;
        fields.pixelBytes = 9;
        EXPECT_FALSE(Accepts(PackedDib(fields))) << "compression " << compression;
        fields.sizeImage = 0xFFFFFFFF;
        EXPECT_FALSE(Accepts(PackedDib(fields))) << "compression " << compression;
    }
}

TEST(DibCompression, RefusesACompressedImageWithoutBiSizeImage) {
    for (uint32_t compression : {kCompressionRle8, kCompressionRle4, kCompressionJpeg, kCompressionPng}) {
        EXPECT_FALSE(Accepts(PackedDib({40, 4, 2, 8, compression, 0, 0, 256, 16}))) << "compression " << compression;
    }
}

TEST(DibCompression, BitfieldsNeedTheMasksInTheBlock) {
    // A 1 x 1 image of 32 bits: its pixels are found right after the header, where the masks
    // lie, and the block must still reach past the masks.
    DibFields fields{40, 1, 1, 32, kCompressionBitfields, 0, 0, 0, 12};
    DibLayout layout = AcceptedLayout(PackedDib(fields));
    EXPECT_EQ(layout.bitsOffset, 40u);
    EXPECT_EQ(layout.pixelBytes, 4u);
    fields.pixelBytes = 11;
    EXPECT_FALSE(Accepts(PackedDib(fields)));
    fields.pixelBytes = 4;
    EXPECT_FALSE(Accepts(PackedDib(fields)));

    // Masks counted as three colours: the pixels follow them.
    DibLayout counted = AcceptedLayout(PackedDib({40, 2, 3, 16, kCompressionBitfields, 0, 3, 3, 12}));
    EXPECT_EQ(counted.bitsOffset, kBitfieldMasksEnd);
    EXPECT_EQ(counted.pixelBytes, 12u);

    // A longer header holds the masks itself.
    DibLayout inHeader = AcceptedLayout(PackedDib({124, 1, 1, 32, kCompressionBitfields, 0, 0, 0, 4}));
    EXPECT_EQ(inHeader.bitsOffset, 124u);
}

TEST(DibCompression, RefusesUnknownCompression) {
    for (uint32_t compression : {6u, 11u, 12u, 13u, 0x7FFFFFFFu, 0xFFFFFFFFu}) {
        EXPECT_FALSE(Accepts(PackedDib({40, 4, 2, 24, compression, 24, 0, 0, 24}))) << "compression " << compression;
    }
}

TEST(DibColorProfile, AHeaderOf124BytesHoldsTheProfileItNames) {
    for (uint32_t colorSpaceType : {0x4D424544u, 0x4C494E4Bu}) {  // 'MBED', 'LINK'
        DibFields fields{124, 1, 1, 24, kCompressionRgb, 0, 0, 0, 4 + 100};
        Bytes block = PackedDib(fields);
        PutUint32(block, 56, colorSpaceType);
        PutUint32(block, 112, 128);  // bV5ProfileData: right after the pixels
        PutUint32(block, 116, 100);  // bV5ProfileSize
        EXPECT_TRUE(Accepts(block));
        EXPECT_FALSE(Accepts(Bytes(block.begin(), block.end() - 1)));
        PutUint32(block, 112, 0xFFFFFFFF);
        PutUint32(block, 116, 0xFFFFFFFF);
        EXPECT_FALSE(Accepts(block));
    }
}

TEST(DibColorProfile, OtherColorSpacesAndShorterHeadersNameNoProfile) {
    Bytes srgb = PackedDib({124, 1, 1, 24, kCompressionRgb, 0, 0, 0, 4});
    PutUint32(srgb, 56, 0x73524742);  // 'sRGB'
    PutUint32(srgb, 112, 0xFFFFFFFF);
    PutUint32(srgb, 116, 0xFFFFFFFF);
    EXPECT_TRUE(Accepts(srgb));

    // In a 108-byte header those bytes are the colour table and the pixels.
    Bytes shorter = PackedDib({108, 1, 1, 24, kCompressionRgb, 0, 0, 0, 16});
    PutUint32(shorter, 56, 0x4D424544);
    PutUint32(shorter, 112, 0xFFFFFFFF);
    EXPECT_TRUE(Accepts(shorter));
}

TEST(DibPalette, TurnsTheStoredBlueGreenRedIntoRedGreenBlueWithFlagsZero) {
    Bytes block = PackedDib({40, 0, 0, 1, kCompressionRgb, 0, 0, 2, 0});
    block[40] = 0x10;  // blue
    block[41] = 0x20;  // green
    block[42] = 0x30;  // red
    block[43] = 0x77;  // reserved
    PaletteColor palette[kPaletteSize];
    FillPalette(block.data(), AcceptedLayout(block), palette);
    EXPECT_EQ(palette[0], (PaletteColor{0x30, 0x20, 0x10, 0}));
}

TEST(DibPalette, FourBitsFillSixteenEntriesAndLeaveTheOthersBlack) {
    Bytes block = PackedDib({40, 4, 2, 4, kCompressionRgb, 0, 0, 16, 8});
    DibLayout layout = AcceptedLayout(block);
    EXPECT_EQ(PaletteEntryCount(layout), 16u);
    PaletteColor palette[kPaletteSize];
    for (PaletteColor& color : palette) color = PaletteColor{1, 2, 3, 4};
    FillPalette(block.data(), layout, palette);
    for (uint32_t i = 0; i < 16; ++i) EXPECT_EQ(palette[i], TableColor(i)) << "entry " << i;
    for (uint32_t i = 16; i < kPaletteSize; ++i) EXPECT_EQ(palette[i], (PaletteColor{0, 0, 0, 0})) << "entry " << i;
}

TEST(DibPalette, AnImageWithoutColorTableGivesAllBlack) {
    Bytes block = PackedDib({40, 4, 2, 24, kCompressionRgb, 0, 0, 0, 24});
    PaletteColor palette[kPaletteSize];
    for (PaletteColor& color : palette) color = PaletteColor{1, 2, 3, 4};
    FillPalette(block.data(), AcceptedLayout(block), palette);
    for (uint32_t i = 0; i < kPaletteSize; ++i) EXPECT_EQ(palette[i], (PaletteColor{0, 0, 0, 0})) << "entry " << i;
}

TEST(DibPalette, TakesTheFirst256EntriesOfALongerTable) {
    Bytes block = PackedDib({40, 4, 2, 8, kCompressionRgb, 0, 300, 300, 8});
    PaletteColor palette[kPaletteSize];
    FillPalette(block.data(), AcceptedLayout(block), palette);
    for (uint32_t i = 0; i < kPaletteSize; ++i) EXPECT_EQ(palette[i], TableColor(i)) << "entry " << i;
}

TEST(DibPalette, TheColorTableAndItsCountGiveTheSameAsTheLayout) {
    Bytes block = PackedDib({52, 4, 2, 8, kCompressionRgb, 0, 7, 7, 8});
    DibLayout layout = AcceptedLayout(block);
    PaletteColor fromLayout[kPaletteSize];
    PaletteColor fromTable[kPaletteSize];
    FillPalette(block.data(), layout, fromLayout);
    FillPalette(block.data() + 52, 7, fromTable);
    for (uint32_t i = 0; i < kPaletteSize; ++i) EXPECT_EQ(fromTable[i], fromLayout[i]) << "entry " << i;
    EXPECT_EQ(fromLayout[6], TableColor(6));
    EXPECT_EQ(fromLayout[7], (PaletteColor{0, 0, 0, 0}));
}
