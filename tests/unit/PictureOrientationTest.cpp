// The EXIF orientation found in JPEG-like byte strings, and the pixels set upright for each orientation.
#include "PictureOrientation.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

using namespace std::string_literals;

namespace {

std::string Uint(uint32_t value, int bytes, bool bigEndian) {
    std::string out;
    for (int i = 0; i < bytes; ++i) out += char(value >> 8 * (bigEndian ? bytes - 1 - i : i) & 0xFF);
    return out;
}

// A TIFF block whose IFD0 holds a "Make" entry and then one entry with a 16-bit value.
std::string Tiff(const std::string& order, uint32_t tag, uint32_t type, uint32_t value, uint32_t ifd = 8,
                 uint32_t count = 1) {
    bool big = order == "MM";
    std::string make = Uint(0x010F, 2, big) + Uint(2, 2, big) + Uint(4, 4, big) + "Qv\0\0"s;
    std::string entry =
        Uint(tag, 2, big) + Uint(type, 2, big) + Uint(count, 4, big) + Uint(value, 2, big) + Uint(0, 2, big);
    return order + Uint(42, 2, big) + Uint(ifd, 4, big) + Uint(2, 2, big) + make + entry;
}

std::string ExifBlock(const std::string& tiff) {
    return "\xFF\xE1"s + Uint(uint32_t(tiff.size()) + 8, 2, true) + "Exif\0\0"s + tiff;
}

std::vector<uint32_t> SortedValuesIn(const std::vector<uint32_t>& pixels, uint32_t width, const PixelRect& rect) {
    std::vector<uint32_t> values;
    for (uint32_t y = rect.y; y < rect.y + rect.height; ++y) {
        for (uint32_t x = rect.x; x < rect.x + rect.width; ++x) values.push_back(pixels.at(y * width + x));
    }
    std::sort(values.begin(), values.end());
    return values;
}

}  // namespace

TEST(ExifOrientation, IsReadFromTheFirstExifBlockBeforeTheImageData) {
    const std::string start = "\xFF\xD8\xFF\xE0\x00\x07JFIF\0"s;
    const std::string six = ExifBlock(Tiff("II", 274, 3, 6));
    const std::string sound = Tiff("MM", 274, 3, 6);
    using Row = std::tuple<std::string, int, const char*>;
    std::vector<Row> rows = {
        Row{start + ExifBlock(Tiff("II", 274, 3, 9)), 1, "value 9"},
        Row{start + ExifBlock(Tiff("MM", 274, 4, 6)), 1, "type LONG"},
        Row{start + ExifBlock(Tiff("II", 274, 3, 6, 8, 0)), 1, "no values"},
        Row{start + ExifBlock(Tiff("II", 275, 3, 6)), 1, "no tag 274"},
        Row{start + ExifBlock(Tiff("IM", 274, 3, 6)), 1, "no byte order"},
        Row{start + ExifBlock(Tiff("MM", 274, 3, 6, 33)), 1, "IFD0 offset at the block end"},
        Row{start + ExifBlock(Tiff("II", 274, 3, 6, 0xFFFFFFF8)), 1, "IFD0 offset wraps"},
        Row{start + ExifBlock(sound.substr(0, 8)) + sound.substr(8), 1, "IFD0 after the block"},
        Row{start + ExifBlock(sound.substr(0, sound.size() - 2)), 1, "entry cut short"},
        Row{(start + six).substr(0, start.size() + six.size() - 1), 1, "block longer than the data"},
        Row{"\xFF\xD8\xFF\xE1\x00\x00"s + "Exif\0\0"s + sound, 1, "APP1 shorter than its length field"},
        Row{"\xFF\xD8\xFF\xDA\x00\x02"s + six, 1, "image data first"},
        Row{"\xFF\xD8\xFF\xD9"s + six, 1, "image end first"},
        Row{"\xFF\xD8\xFF\xFF\xFF\x01"s + six, 6, "fill bytes and a standalone marker"},
        Row{start + "\xFF\xE1\x00\x05XMP"s + six + ExifBlock(Tiff("II", 274, 3, 3)), 6, "another APP1 first"},
        Row{"BM" + six, 1, "no JPEG"},
        Row{"\xFF", 1, "one byte"},
    };
    for (int value = 1; value <= 8; ++value) {
        rows.push_back(Row{start + ExifBlock(Tiff("II", 274, 3, value)), value, "little-endian"});
        rows.push_back(Row{start + ExifBlock(Tiff("MM", 274, 3, value)), value, "big-endian"});
    }
    for (auto [bytes, orientation, what] : rows) {
        EXPECT_EQ(ReadExifOrientation(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), orientation)
            << what;
    }
}

// The stored picture is 1 2 3 over 4 5 6.
TEST(PictureOrientation, TurnsEachOrientationUpright) {
    using Row = std::tuple<int, uint32_t, std::vector<uint32_t>>;
    for (auto [orientation, uprightWidth, upright] :
         {Row{1, 3, {1, 2, 3, 4, 5, 6}}, Row{2, 3, {3, 2, 1, 6, 5, 4}}, Row{3, 3, {6, 5, 4, 3, 2, 1}},
          Row{4, 3, {4, 5, 6, 1, 2, 3}}, Row{5, 2, {1, 4, 2, 5, 3, 6}}, Row{6, 2, {4, 1, 5, 2, 6, 3}},
          Row{7, 2, {6, 3, 5, 2, 4, 1}}, Row{8, 2, {3, 6, 2, 5, 1, 4}}, Row{0, 3, {1, 2, 3, 4, 5, 6}},
          Row{9, 3, {1, 2, 3, 4, 5, 6}}}) {
        EXPECT_EQ(TurnUpright({1, 2, 3, 4, 5, 6}, 3, 2, orientation), upright) << "orientation " << orientation;
        EXPECT_EQ(SwapsSides(orientation), uprightWidth == 2) << "orientation " << orientation;
    }
}

// Each stored value is its own index, so the values show where each upright pixel came from.
TEST(PictureOrientation, StoredRectHoldsThePixelsOfTheUprightRect) {
    const std::vector<uint32_t> stored = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11};
    for (int orientation = 1; orientation <= 8; ++orientation) {
        uint32_t width = SwapsSides(orientation) ? 3 : 4, height = SwapsSides(orientation) ? 4 : 3;
        std::vector<uint32_t> upright = TurnUpright(stored, 4, 3, orientation);
        for (PixelRect rect :
             {PixelRect{0, 0, width, height}, PixelRect{1, 0, 2, 3}, PixelRect{0, 2, 3, 1}, PixelRect{2, 1, 1, 2}}) {
            EXPECT_EQ(SortedValuesIn(upright, width, rect),
                      SortedValuesIn(stored, 4, StoredRect(rect, 4, 3, orientation)))
                << "orientation " << orientation << ", rect at " << rect.x << "," << rect.y;
        }
    }
}
