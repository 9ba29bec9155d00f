// Where each monitor shows the picture in a composed wallpaper, and the monitors' pieces in its bitmap.
#include "WallpaperLayout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

using P = PicturePosition;
using Kind = WallpaperLayoutKind;
const ScreenRect kPrimary{0, 0, 1024, 768}, kLeft{-800, 100, 0, 700};

TEST(PlacePicture, ScalesCropsAndCentresOnEachMonitor) {
    using Fields = std::tuple<uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, uint32_t, int, int, int, int>;
    using Row = std::tuple<P, uint32_t, uint32_t, ScreenRect, Fields>;
    for (auto [position, pictureWidth, pictureHeight, monitor, expected] : {
             Row{P::Fill, 200, 100, kPrimary, {33, 0, 133, 100, 1024, 768, 0, 0, 1024, 768}},
             Row{P::Fill, 100, 200, kLeft, {0, 62, 100, 75, 800, 600, -800, 100, 0, 700}},
             Row{P::Fill, 3000, 2000, kLeft, {166, 0, 2667, 2000, 800, 600, -800, 100, 0, 700}},
             Row{P::Fill, 1, 1, kPrimary, {0, 0, 1, 1, 1024, 768, 0, 0, 1024, 768}},
             Row{P::Fit, 200, 100, kLeft, {0, 0, 200, 100, 800, 400, -800, 200, 0, 600}},
             Row{P::Fit, 3000, 2000, kPrimary, {0, 0, 3000, 2000, 1024, 683, 0, 42, 1024, 725}},
             Row{P::Fit, 1, 1, kLeft, {0, 0, 1, 1, 600, 600, -700, 100, -100, 700}},
             Row{P::Fit, 3000, 1, kPrimary, {0, 0, 3000, 1, 1024, 1, 0, 383, 1024, 384}},
             Row{P::Stretch, 100, 200, kLeft, {0, 0, 100, 200, 800, 600, -800, 100, 0, 700}},
             Row{P::Center, 100, 200, kPrimary, {0, 0, 100, 200, 100, 200, 462, 284, 562, 484}},
             Row{P::Center, 800, 600, kLeft, {0, 0, 800, 600, 800, 600, -800, 100, 0, 700}},
             Row{P::Center, 3000, 2000, kPrimary, {988, 616, 1024, 768, 1024, 768, 0, 0, 1024, 768}},
             Row{P::Center, 1, 1, kLeft, {0, 0, 1, 1, 1, 1, -401, 399, -400, 400}},
             Row{P::Tile, 200, 100, kPrimary, {0, 0, 200, 100, 200, 100, 0, 0, 1024, 768}},
             Row{P::Tile, 3000, 2000, kLeft, {0, 0, 800, 600, 800, 600, -800, 100, 0, 700}}}) {
        MonitorPicture p = PlacePicture(position, pictureWidth, pictureHeight, monitor);
        EXPECT_EQ(Fields(p.source.x, p.source.y, p.source.width, p.source.height, p.width, p.height, p.drawn.left,
                         p.drawn.top, p.drawn.right, p.drawn.bottom), expected)
            << int(position) << ": " << pictureWidth << " x " << pictureHeight << " on the monitor at " << monitor.left;
    }
}

TEST(BitmapPieces, PutEachMonitorWhereTheDesktopShowsItAndNoPixelTwice) {
    using Piece = std::tuple<int, int, int, int, uint32_t, uint32_t>;  // the part of the monitor, its place
    const std::vector<ScreenRect> one{kPrimary}, two{kPrimary, kLeft};
    const std::vector<ScreenRect> three{kPrimary, {-400, -600, 400, 0}, {-1200, -300, -400, 300}};
    using Row = std::tuple<Kind, std::vector<ScreenRect>, uint32_t, uint32_t, std::vector<Piece>>;
    for (auto [kind, monitors, width, height, expected] : {
             Row{Kind::TiledFromPrimary, one, 1024, 768, {{0, 0, 1024, 768, 0, 0}}},
             Row{Kind::Span, one, 1024, 768, {{0, 0, 1024, 768, 0, 0}}},
             Row{Kind::TiledFromPrimary, two, 1824, 768, {{0, 0, 1024, 768, 0, 0}, {-800, 100, 0, 700, 1024, 100}}},
             Row{Kind::Span, two, 1824, 768, {{0, 0, 1024, 768, 800, 0}, {-800, 100, 0, 700, 0, 100}}},
             Row{Kind::TiledFromPrimary, three, 2224, 1368,
                 {{0, 0, 1024, 768, 0, 0}, {-400, -600, 0, 0, 1824, 768}, {0, -600, 400, 0, 0, 768},
                  {-1200, -300, -400, 0, 1024, 1068}, {-1200, 0, -400, 300, 1024, 0}}}}) {
        WallpaperBitmapLayout layout = LayOutWallpaperBitmap(kind, monitors, monitors.front());
        std::vector<Piece> got;
        for (const ScreenRect& monitor : monitors) {
            for (const BitmapPiece& p : BitmapPieces(layout, monitor)) {
                got.emplace_back(p.part.left, p.part.top, p.part.right, p.part.bottom, p.x, p.y);
            }
        }
        EXPECT_EQ(std::tie(layout.width, layout.height, got), std::tie(width, height, expected)) << int(kind);
        std::vector<int> covered(std::size_t(width) * height);
        for (auto [left, top, right, bottom, x, y] : got) {
            EXPECT_TRUE(x + (right - left) <= width && y + (bottom - top) <= height) << int(kind) << ": " << left;
            for (uint32_t row = y; row < y + (bottom - top); ++row) {
                for (uint32_t column = x; column < x + (right - left); ++column) ++covered.at(row * width + column);
            }
        }
        EXPECT_EQ(*std::max_element(covered.begin(), covered.end()), 1) << int(kind);
    }
}
