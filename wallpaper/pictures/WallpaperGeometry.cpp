// The desktop's wallpaper style from its registry texts, and the part and size of the wallpaper copy.
#include "WallpaperGeometry.h"

#include <algorithm>
#include <charconv>

namespace {

// The text as a decimal number between optional spaces, or `absent` when it is none.
int DecimalOr(const std::string& text, int absent) {
    std::size_t begin = text.find_first_not_of(' ');
    if (begin == std::string::npos) return absent;
    const char* end = text.data() + text.find_last_not_of(' ') + 1;
    int value = 0;
    auto [stop, error] = std::from_chars(text.data() + begin, end, value);
    return error == std::errc() && stop == end ? value : absent;
}

// length * numerator / denominator, rounded half up, and at least 1.
uint32_t ScaledLength(uint32_t length, uint32_t numerator, uint32_t denominator) {
    uint64_t scaled = (uint64_t(length) * numerator + denominator / 2) / denominator;
    return uint32_t(std::max<uint64_t>(scaled, 1));
}

CopyGeometry CentredPart(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t width, uint32_t height) {
    return {{(pictureWidth - width) / 2, (pictureHeight - height) / 2, width, height}, width, height};
}

// Whether the picture's shape is at least as tall as the screen's: cover then matches the widths
// and fit the heights.
bool TallerThanScreen(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t screenWidth, uint32_t screenHeight) {
    return uint64_t(screenWidth) * pictureHeight >= uint64_t(screenHeight) * pictureWidth;
}

// Scaled by cover, the bounding side of the picture spans the screen's and the other side shows
// the screen's length over cover. Shrunk, that part becomes the screen's size exactly.
CopyGeometry CoverGeometry(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t screenWidth, uint32_t screenHeight) {
    bool taller = TallerThanScreen(pictureWidth, pictureHeight, screenWidth, screenHeight);
    uint32_t width = taller ? pictureWidth : ScaledLength(screenWidth, pictureHeight, screenHeight);
    uint32_t height = taller ? ScaledLength(screenHeight, pictureWidth, screenWidth) : pictureHeight;
    CopyGeometry geometry = CentredPart(pictureWidth, pictureHeight, width, height);
    if (taller ? screenWidth < pictureWidth : screenHeight < pictureHeight) {
        geometry.width = screenWidth;
        geometry.height = screenHeight;
    }
    return geometry;
}

// Only called for a picture larger than the screen one way, so fit is below 1 and it shrinks.
CopyGeometry FitGeometry(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t screenWidth, uint32_t screenHeight) {
    bool taller = TallerThanScreen(pictureWidth, pictureHeight, screenWidth, screenHeight);
    uint32_t width = taller ? ScaledLength(pictureWidth, screenHeight, pictureHeight) : screenWidth;
    uint32_t height = taller ? screenHeight : ScaledLength(pictureHeight, screenWidth, pictureWidth);
    return {{0, 0, pictureWidth, pictureHeight}, width, height};
}

}  // namespace

WallpaperStyle StyleFromDesktopValues(const std::string& tileWallpaper, const std::string& wallpaperStyle) {
    switch (DecimalOr(wallpaperStyle, 0)) {
        case 2:
            return WallpaperStyle::Stretch;
        case 6:
            return WallpaperStyle::Fit;
        case 10:
            return WallpaperStyle::Fill;
        case 22:
            return WallpaperStyle::Span;
        default:
            return DecimalOr(tileWallpaper, 0) == 1 ? WallpaperStyle::Tile : WallpaperStyle::Center;
    }
}

CopyGeometry WallpaperCopyGeometry(WallpaperStyle style, uint32_t pictureWidth, uint32_t pictureHeight,
                                   uint32_t screenWidth, uint32_t screenHeight) {
    if (pictureWidth <= screenWidth && pictureHeight <= screenHeight) {
        return {{0, 0, pictureWidth, pictureHeight}, pictureWidth, pictureHeight};
    }
    uint32_t shownWidth = std::min(pictureWidth, screenWidth);
    uint32_t shownHeight = std::min(pictureHeight, screenHeight);
    switch (style) {
        case WallpaperStyle::Fill:
        case WallpaperStyle::Span:
            return CoverGeometry(pictureWidth, pictureHeight, screenWidth, screenHeight);
        case WallpaperStyle::Fit:
            return FitGeometry(pictureWidth, pictureHeight, screenWidth, screenHeight);
        case WallpaperStyle::Stretch:
            return {{0, 0, pictureWidth, pictureHeight}, shownWidth, shownHeight};
        case WallpaperStyle::Center:
            return CentredPart(pictureWidth, pictureHeight, shownWidth, shownHeight);
        case WallpaperStyle::Tile:
            break;
    }
    return {{0, 0, shownWidth, shownHeight}, shownWidth, shownHeight};
}
