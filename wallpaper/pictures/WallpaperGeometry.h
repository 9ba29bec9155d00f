// How the desktop places its wallpaper, and the part of a picture, at which size, that the
// wallpaper copy must hold so that the desktop shows it as it would show the whole picture.
#pragma once

#include <cstdint>
#include <string>

#include "PictureOrientation.h"

enum class WallpaperStyle { Center, Tile, Stretch, Fit, Fill, Span };

// From the texts of HKCU\Control Panel\Desktop's TileWallpaper and WallpaperStyle (empty when a
// value is absent), as Windows reads them: WallpaperStyle 2 Stretch, 6 Fit, 10 Fill, 22 Span;
// 0, absent or unknown: Tile when TileWallpaper is 1, else Center.
WallpaperStyle StyleFromDesktopValues(const std::string& tileWallpaper, const std::string& wallpaperStyle);

struct CopyGeometry {
    PixelRect source;  // the part of the upright picture the copy holds
    uint32_t width;    // the copy's size
    uint32_t height;
};

// The copy of an upright picture of pictureWidth x pictureHeight for a virtual screen of
// screenWidth x screenHeight. The whole picture at its own size when it is no larger than the
// screen either way. Otherwise, with cover = max(screen / picture) and fit = min(screen /
// picture) over the two sides, and never enlarged:
//   Fill, Span: the centred part that shows when the picture is scaled by cover, at min(1, cover)
//     times its size;
//   Fit: the whole picture at min(1, fit) times its size;
//   Stretch: the whole picture, each side shrunk to the screen's when it is longer;
//   Center: the centred part of at most the screen's size, at its own size;
//   Tile: the top-left part of at most the screen's size, at its own size.
// Centred parts start at half the difference, rounded down; sizes are rounded to the nearest
// pixel and are at least 1.
CopyGeometry WallpaperCopyGeometry(WallpaperStyle style, uint32_t pictureWidth, uint32_t pictureHeight,
                                   uint32_t screenWidth, uint32_t screenHeight);
