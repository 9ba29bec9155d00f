// The desktop's wallpaper style from its registry texts, and the part and size of the wallpaper copy.
#include "WallpaperGeometry.h"

#include <gtest/gtest.h>

#include <tuple>

using Style = WallpaperStyle;

TEST(WallpaperCopyGeometry, HoldsWhatTheDesktopShows) {
    using Row = std::tuple<Style, uint32_t, uint32_t, uint32_t, uint32_t, PixelRect, uint32_t, uint32_t>;
    for (auto [style, pictureWidth, pictureHeight, screenWidth, screenHeight, part, width, height] : {
             Row{Style::Fill, 1280, 720, 1920, 1080, {0, 0, 1280, 720}, 1280, 720},
             Row{Style::Fill, 12000, 8000, 1920, 1080, {0, 625, 12000, 6750}, 1920, 1080},
             Row{Style::Span, 12000, 8000, 3840, 1080, {0, 2312, 12000, 3375}, 3840, 1080},
             Row{Style::Fit, 12000, 8000, 1920, 1080, {0, 0, 12000, 8000}, 1620, 1080},
             Row{Style::Center, 12000, 8000, 1920, 1080, {5040, 3460, 1920, 1080}, 1920, 1080},
             Row{Style::Fill, 8000, 1000, 1920, 1080, {3111, 0, 1778, 1000}, 1778, 1000},
             Row{Style::Fit, 8000, 1000, 1920, 1080, {0, 0, 8000, 1000}, 1920, 240},
             Row{Style::Stretch, 8000, 1000, 1920, 1080, {0, 0, 8000, 1000}, 1920, 1000},
             Row{Style::Fill, 3000, 9000, 1920, 1080, {0, 3656, 3000, 1688}, 1920, 1080},
             Row{Style::Tile, 1000, 3000, 1920, 1080, {0, 0, 1000, 1080}, 1000, 1080},
             Row{Style::Fit, 100000, 10, 1920, 1080, {0, 0, 100000, 10}, 1920, 1}}) {
        CopyGeometry copy = WallpaperCopyGeometry(style, pictureWidth, pictureHeight, screenWidth, screenHeight);
        EXPECT_EQ(std::tie(copy.source.x, copy.source.y, copy.source.width, copy.source.height, copy.width,
                           copy.height),
                  std::tie(part.x, part.y, part.width, part.height, width, height))
            << int(style) << ": " << pictureWidth << " x " << pictureHeight << " on " << screenWidth << " x "
            << screenHeight;
    }
}

TEST(StyleFromDesktopValues, ReadsTheTextsAsWindowsDoes) {
    using Row = std::tuple<const char*, const char*, Style>;
    for (auto [tile, style, expected] :
         {Row{"0", "2", Style::Stretch}, Row{"", " 6 ", Style::Fit}, Row{"1", "10", Style::Fill},
          Row{"0", "22", Style::Span}, Row{"1", "0", Style::Tile}, Row{" 01 ", "", Style::Tile},
          Row{"1", "7", Style::Tile}, Row{"1", "2x", Style::Tile}, Row{"1", "1 0", Style::Tile},
          Row{"", "", Style::Center}, Row{"1x", "", Style::Center}, Row{"2", "-2", Style::Center}}) {
        EXPECT_EQ(StyleFromDesktopValues(tile, style), expected) << "'" << tile << "', '" << style << "'";
    }
}
