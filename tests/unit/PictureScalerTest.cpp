// The scaler fed in bands of rows (area averaging down, bilinear up), and pixels laid over a colour.
#include "PictureScaler.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

namespace {

struct Size {
    uint32_t width, height;
};

// Colour: 0xC8906030 inside the part, white outside. Checker: one-pixel black and white cells.
// Steps: blue 0x40 times the column, green 0x40 times the row. Bands: the top third grey 0x30, the rest 0x90.
enum class Kind { Colour, Checker, Steps, Bands };

uint32_t PixelOf(Kind kind, uint32_t x, uint32_t y, Size size, const PixelRect& rect) {
    if (kind == Kind::Checker) return (x + y) % 2 ? 0xFFFFFFFF : 0xFF000000;
    if (kind == Kind::Steps) return 0xFF000000 | 0x40 * y << 8 | 0x40 * x;
    if (kind == Kind::Bands) return y < size.height / 3 ? 0xFF303030 : 0xFF909090;
    bool inside = x >= rect.x && x < rect.x + rect.width && y >= rect.y && y < rect.y + rect.height;
    return inside ? 0xC8906030 : 0xFFFFFFFF;
}

CPictureScaler ScaleInBands(Kind kind, Size size, const PixelRect& rect, Size target, uint32_t bandRows) {
    std::vector<uint32_t> picture(std::size_t(size.width) * size.height);
    for (uint32_t i = 0; i < picture.size(); ++i) {
        picture[i] = PixelOf(kind, i % size.width, i / size.width, size, rect);
    }
    CPictureScaler scaler(rect, target.width, target.height);
    for (uint32_t y = 0; y < size.height; y += bandRows) {
        scaler.AddRows(reinterpret_cast<const uint8_t*>(picture.data() + y * size.width), 4 * size.width, y,
                       std::min(bandRows, size.height - y));
    }
    return scaler;
}

}  // namespace

TEST(PictureScaler, AveragesDownAndInterpolatesUpWhateverTheBands) {
    using Row = std::tuple<Size, PixelRect, Size, Kind, std::vector<uint32_t>>;  // one pixel: all are that
    for (auto [size, rect, target, kind, expected] : {
             Row{{4, 3}, {1, 1, 2, 2}, {2, 2}, Kind::Steps, {0xFF004040, 0xFF004080, 0xFF008040, 0xFF008080}},
             Row{{3, 1}, {0, 0, 3, 1}, {2, 1}, Kind::Steps, {0xFF000015, 0xFF00006B}},
             Row{{2, 2}, {0, 0, 2, 2}, {3, 3}, Kind::Steps, {0xFF000000, 0xFF000020, 0xFF000040, 0xFF002000,
                                                             0xFF002020, 0xFF002040, 0xFF004000, 0xFF004020,
                                                             0xFF004040}},
             Row{{997, 601}, {0, 0, 997, 601}, {13, 7}, Kind::Colour, {0xC8906030}},
             Row{{16384, 2}, {0, 0, 16384, 2}, {1, 1}, Kind::Colour, {0xC8906030}},
             Row{{9, 40}, {2, 3, 4, 33}, {3, 7}, Kind::Colour, {0xC8906030}},
             Row{{14, 21}, {0, 0, 14, 21}, {1, 3}, Kind::Checker, {0xFF808080}},
             Row{{5, 40}, {0, 0, 5, 40}, {2, 3}, Kind::Bands, {0xFF323232, 0xFF323232, 0xFF909090, 0xFF909090,
                                                               0xFF909090, 0xFF909090}},
             Row{{2, 1}, {0, 0, 2, 1}, {4, 1}, Kind::Steps, {0xFF000000, 0xFF000010, 0xFF000030, 0xFF000040}},
             Row{{3, 1}, {0, 0, 3, 1}, {7, 1}, Kind::Steps, {0xFF000000, 0xFF000009, 0xFF000025, 0xFF000040,
                                                             0xFF00005B, 0xFF000077, 0xFF000080}},
             Row{{2, 4}, {0, 0, 2, 4}, {4, 2}, Kind::Steps, {0xFF002000, 0xFF002010, 0xFF002030, 0xFF002040,
                                                             0xFF00A000, 0xFF00A010, 0xFF00A030, 0xFF00A040}},
             Row{{4, 2}, {0, 0, 4, 2}, {2, 4}, Kind::Steps, {0xFF000020, 0xFF0000A0, 0xFF001020, 0xFF0010A0,
                                                             0xFF003020, 0xFF0030A0, 0xFF004020, 0xFF0040A0}},
             Row{{2, 2}, {0, 0, 2, 2}, {4, 4}, Kind::Checker, {0xFF000000, 0xFF404040, 0xFFBFBFBF, 0xFFFFFFFF,
                                                               0xFF404040, 0xFF606060, 0xFF9F9F9F, 0xFFBFBFBF,
                                                               0xFFBFBFBF, 0xFF9F9F9F, 0xFF606060, 0xFF404040,
                                                               0xFFFFFFFF, 0xFFBFBFBF, 0xFF404040, 0xFF000000}},
             Row{{9, 40}, {2, 3, 4, 33}, {11, 50}, Kind::Colour, {0xC8906030}},
             Row{{9, 40}, {2, 3, 4, 33}, {2, 97}, Kind::Colour, {0xC8906030}}}) {
        if (expected.size() == 1) expected.assign(std::size_t(target.width) * target.height, expected[0]);
        for (uint32_t bandRows : {1u, 16u, size.height}) {
            CPictureScaler scaler = ScaleInBands(kind, size, rect, target, bandRows);
            EXPECT_TRUE(scaler.IsComplete());
            EXPECT_EQ(scaler.TakePixels(), expected) << size.width << "x" << size.height << " at " << rect.x << ","
                                                 << rect.y << " to " << target.width << " in bands of " << bandRows;
        }
    }
}

TEST(PictureScaler, IsCompleteOnceTheLastRowOfThePartIsAdded) {
    for (uint32_t height : {2, 3, 4}) {
        CPictureScaler scaler = ScaleInBands(Kind::Colour, {4, height}, {0, 1, 4, 2}, {1, 1}, 1);
        EXPECT_EQ(scaler.IsComplete(), height >= 3) << height << " rows added";
    }
}

TEST(LayOverColor, AddsTheColourForWhatIsTransparent) {
    using Row = std::tuple<uint32_t, uint32_t, uint32_t>;
    for (auto [pixel, rgb, laid] : {Row{0x00000000, 0x00336699, 0xFF336699}, Row{0xFF123456, 0x00ABCDEF, 0xFF123456},
                                    Row{0x80102030, 0x00FF8000, 0xFF8F6030}}) {
        std::vector<uint32_t> pixels = {pixel};
        LayOverColor(pixels, rgb);
        EXPECT_EQ(pixels[0], laid) << std::hex << pixel << " over " << rgb;
    }
}
