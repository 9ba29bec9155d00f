// Which entries are decoded before they become the wallpaper, the size limit of a decoded
// picture, and the 24-bit bitmap file written for it, read back by the bitmap reader's checks.
#include "WallpaperBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "DibLayout.h"

namespace {

uint32_t FileUint32(const std::string& file, std::size_t at) {
    return uint32_t(uint8_t(file[at])) | uint32_t(uint8_t(file[at + 1])) << 8 | uint32_t(uint8_t(file[at + 2])) << 16 |
           uint32_t(uint8_t(file[at + 3])) << 24;
}

}  // namespace

TEST(BitmapEntry, IsNamedBmpOrStartsWithBM) {
    using Row = std::tuple<const char*, const char*, bool>;
    for (auto [path, start, bitmap] :
         {Row{"C:\\Quorvane\\Forest.bmp", "", true}, Row{"FOREST.BMP", "\x89P", true}, Row{"a.Bmp", "", true},
          Row{"photo.jpg", "BM", true}, Row{"photo.jpg", "\xFF\xD8", false}, Row{"photo.png", "B", false},
          Row{"photo.bmp.png", "", false}, Row{"bmp", "", false}, Row{"abmp", "", false}, Row{"", "", false}}) {
        std::string bytes = start;
        EXPECT_EQ(IsBitmapEntry(path, reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), bitmap)
            << path << " starting with " << start;
    }
}

TEST(WallpaperBitmapFile, IsMadeOnlyWithinTheSizeLimit) {
    using Row = std::tuple<uint32_t, uint32_t, std::size_t>;
    for (auto [width, height, size] : {Row{0, 1, 0}, Row{1, 0, 0}, Row{16385, 1, 0}, Row{1, 16385, 0},
                                       Row{16384, 1, 54 + 16384 * 3}, Row{1, 16384, 54 + 4 * 16384}}) {
        EXPECT_EQ(NewBitmapFile24(width, height).size(), size) << width << " x " << height;
    }
}

TEST(WallpaperBitmapFile, HasHeadersThatTheReaderAcceptsAndPaddedRows) {
    using Row = std::tuple<uint32_t, std::size_t>;
    for (auto [width, rowBytes] : {Row{1, 4}, Row{2, 8}, Row{3, 12}, Row{4, 12}, Row{5, 16}}) {
        for (uint32_t height : {1, 3}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            std::string file = NewBitmapFile24(width, height);
            EXPECT_EQ(BitmapRowBytes24(width), rowBytes);
            ASSERT_EQ(file.size(), kBitmapFile24BitsOffset + rowBytes * height);
            EXPECT_EQ(file.substr(0, 2), "BM");
            EXPECT_EQ(FileUint32(file, 2), file.size());
            EXPECT_EQ(FileUint32(file, 10), kBitmapFile24BitsOffset);
            DibLayout layout;
            ASSERT_TRUE(CheckPackedDib(reinterpret_cast<const uint8_t*>(file.data()) + 14, file.size() - 14, &layout));
            EXPECT_EQ(std::make_tuple(layout.width, layout.height, layout.bitCount, layout.compression,
                                      layout.bitsOffset, layout.pixelBytes),
                      std::make_tuple(int32_t(width), int32_t(height), uint16_t(24), kCompressionRgb, uint64_t(40),
                                      uint64_t(rowBytes * height)));
        }
    }
}

TEST(WallpaperBitmapFile, HoldsThePixelsBottomUpAsBlueGreenRed) {
    // Two rows of two pixels, each of its own colour; the fourth byte is left out.
    const uint32_t pixels[] = {0xFF010203, 0x00040506, 0x80070809, 0x110A0B0C};
    std::string file = BitmapFile24(pixels, 2, 2);
    ASSERT_EQ(file.size(), kBitmapFile24BitsOffset + 16);
    EXPECT_EQ(file.substr(kBitmapFile24BitsOffset), std::string("\x09\x08\x07\x0C\x0B\x0A\0\0"
                                                                "\x03\x02\x01\x06\x05\x04\0\0", 16));
    EXPECT_EQ(BitmapFile24(pixels, 0, 2), "");
}
