// The wallpaper bitmap that Quorvane composes itself: each monitor's scaled picture laid where the
// desktop shows that monitor, and the desktop colour everywhere else.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "WallpaperLayout.h"

// One monitor's picture, scaled to place.width x place.height: top-down pixels 0x00RRGGBB (the
// top byte is not read), laid over place.drawn.
struct ComposedPicture {
    const uint32_t* pixels;
    MonitorPicture place;
};

// The 24-bit bitmap file of layout.width x layout.height: the pictures in their places, each
// drawn rectangle repeated across itself as MonitorPicture describes, over `background`
// (0x00RRGGBB). Empty when the layout's size is not allowed.
std::string ComposeWallpaperBitmap(const WallpaperBitmapLayout& layout, const std::vector<ComposedPicture>& pictures,
                                   uint32_t background);
