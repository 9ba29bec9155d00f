// Which entries are decoded before they become the wallpaper, the size limit of a decoded
// picture, and the 24-bit bitmap file written for it, read back by the bitmap reader's checks.
#include "WallpaperBitmap.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <vector>

#include "DibLayout.h"

namespace {

// Decoded pixel (x, y): blue, green and red tell the position; the unused byte is never written.
std::vector<uint8_t> DecodedPixels(uint32_t width, uint32_t height) {
    std::vector<uint8_t> pixels;
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) pixels.insert(pixels.end(), {uint8_t(x), uint8_t(y), uint8_t(0x80 ^ x), 0xEE});
    }
    return pixels;
}

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

TEST(WallpaperBitmapFile, IsRefusedOutsideTheSizeLimitOrForTooFewPixels) {
    using Row = std::tuple<uint32_t, uint32_t, std::size_t, bool>;
    for (auto [width, height, pixelBytes, written] :
         {Row{0, 1, 4, false}, Row{1, 0, 4, false}, Row{16385, 1, 16385 * 4, false}, Row{1, 16385, 16385 * 4, false},
          Row{3, 2, 23, false}, Row{3, 2, 24, true}, Row{16384, 1, 16384 * 4, true}, Row{1, 16384, 16384 * 4, true}}) {
        std::vector<uint8_t> pixels(pixelBytes);
        EXPECT_EQ(MakeBitmapFile24(pixels.data(), pixels.size(), width, height).empty(), !written)
            << width << " x " << height << " from " << pixelBytes << " bytes";
    }
}

TEST(WallpaperBitmapFile, HoldsBottomUpPaddedRowsThatTheReaderAccepts) {
    for (uint32_t width : {1, 2, 3, 4, 5}) {
        for (uint32_t height : {1, 3}) {
            SCOPED_TRACE(std::to_string(width) + " x " + std::to_string(height));
            std::vector<uint8_t> pixels = DecodedPixels(width, height);
            std::string file = MakeBitmapFile24(pixels.data(), pixels.size(), width, height);
            uint32_t rowBytes = (width * 3 + 3) / 4 * 4;
            ASSERT_EQ(file.size(), 54 + rowBytes * height);
            EXPECT_EQ(file.substr(0, 2), "BM");
            EXPECT_EQ(FileUint32(file, 2), file.size());
            EXPECT_EQ(FileUint32(file, 10), 54u);
            DibLayout layout;
            ASSERT_TRUE(CheckPackedDib(reinterpret_cast<const uint8_t*>(file.data()) + 14, file.size() - 14, &layout));
            EXPECT_EQ(std::make_tuple(layout.width, layout.height, layout.bitCount, layout.compression, layout.bitsOffset),
                      std::make_tuple(int32_t(width), int32_t(height), uint16_t(24), kCompressionRgb, uint64_t(40)));
            for (uint32_t y = 0; y < height; ++y) {
                std::size_t row = 54 + (height - 1 - y) * rowBytes;
                for (uint32_t x = 0; x < width; ++x) {
                    EXPECT_EQ(file.substr(row + 3 * x, 3), std::string({char(x), char(y), char(0x80 ^ x)})) << x << ", " << y;
                }
                EXPECT_EQ(file.substr(row + 3 * width, rowBytes - 3 * width), std::string(rowBytes - 3 * width, '\0'));
            }
        }
    }
}
