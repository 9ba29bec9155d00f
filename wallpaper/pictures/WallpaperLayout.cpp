// Where each monitor shows the picture in a wallpaper that Quorvane composes, and the pieces of
// the virtual screen in the bitmap handed to the desktop.
#include "WallpaperLayout.h"

#include <algorithm>

namespace {

uint32_t Width(const ScreenRect& rect) { return uint32_t(rect.right - rect.left); }

uint32_t Height(const ScreenRect& rect) { return uint32_t(rect.bottom - rect.top); }

// length * numerator / denominator, rounded half up, and at least 1.
uint32_t ScaledLength(uint32_t length, uint32_t numerator, uint32_t denominator) {
    uint64_t scaled = (uint64_t(length) * numerator + denominator / 2) / denominator;
    return uint32_t(std::max<uint64_t>(scaled, 1));
}

// Whether the picture's shape is at least as tall as the monitor's: covering it then matches the
// widths, and fitting in it the heights.
bool TallerThanMonitor(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& monitor) {
    return uint64_t(Width(monitor)) * pictureHeight >= uint64_t(Height(monitor)) * pictureWidth;
}

// The centred part of width x height of a picture.
PixelRect CentredPart(uint32_t pictureWidth, uint32_t pictureHeight, uint32_t width, uint32_t height) {
    return {(pictureWidth - width) / 2, (pictureHeight - height) / 2, width, height};
}

// The centred place of width x height on a monitor.
ScreenRect CentredPlace(const ScreenRect& monitor, uint32_t width, uint32_t height) {
    int32_t left = monitor.left + int32_t((Width(monitor) - width) / 2);
    int32_t top = monitor.top + int32_t((Height(monitor) - height) / 2);
    return {left, top, left + int32_t(width), top + int32_t(height)};
}

// Scaled to cover the monitor, a taller picture spans its width and shows mh * pw / mw of its
// rows, a wider one its height and mw * ph / mh of its columns. Since that length is at most the
// picture's side, so is its rounding.
MonitorPicture FillPicture(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& monitor) {
    bool taller = TallerThanMonitor(pictureWidth, pictureHeight, monitor);
    uint32_t width = taller ? pictureWidth : ScaledLength(Width(monitor), pictureHeight, Height(monitor));
    uint32_t height = taller ? ScaledLength(Height(monitor), pictureWidth, Width(monitor)) : pictureHeight;
    return {CentredPart(pictureWidth, pictureHeight, width, height), Width(monitor), Height(monitor), monitor};
}

// Scaled to fit, a taller picture spans the monitor's height and a wider one its width; the other
// side, at most the monitor's before rounding, stays so after it.
MonitorPicture FitPicture(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& monitor) {
    bool taller = TallerThanMonitor(pictureWidth, pictureHeight, monitor);
    uint32_t width = taller ? ScaledLength(pictureWidth, Height(monitor), pictureHeight) : Width(monitor);
    uint32_t height = taller ? Height(monitor) : ScaledLength(pictureHeight, Width(monitor), pictureWidth);
    return {{0, 0, pictureWidth, pictureHeight}, width, height, CentredPlace(monitor, width, height)};
}

MonitorPicture CenterPicture(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& monitor) {
    uint32_t width = std::min(pictureWidth, Width(monitor));
    uint32_t height = std::min(pictureHeight, Height(monitor));
    return {CentredPart(pictureWidth, pictureHeight, width, height), width, height,
            CentredPlace(monitor, width, height)};
}

MonitorPicture TilePicture(uint32_t pictureWidth, uint32_t pictureHeight, const ScreenRect& monitor) {
    uint32_t width = std::min(pictureWidth, Width(monitor));
    uint32_t height = std::min(pictureHeight, Height(monitor));
    return {{0, 0, width, height}, width, height, monitor};
}

ScreenRect BoundingRect(const std::vector<ScreenRect>& rects) {
    ScreenRect bounds = rects.front();
    for (const ScreenRect& rect : rects) {
        bounds = {std::min(bounds.left, rect.left), std::min(bounds.top, rect.top), std::max(bounds.right, rect.right),
                  std::max(bounds.bottom, rect.bottom)};
    }
    return bounds;
}

// A stretch of a rectangle along one side, from `begin` to just before `end`, and the bitmap's
// column or row where it starts.
struct Run {
    int32_t begin;
    int32_t end;
    uint32_t start;
};

// The runs of [begin, end) on a side of the bitmap `length` long whose first pixel shows the
// point `origin`: one, or two when it passes the bitmap's edge and goes on from its first pixel.
std::vector<Run> Runs(int32_t begin, int32_t end, int32_t origin, uint32_t length) {
    int64_t offset = (int64_t(begin) - origin) % int64_t(length);
    uint32_t start = uint32_t(offset < 0 ? offset + length : offset);
    uint32_t beforeEdge = length - start;
    if (uint32_t(end - begin) <= beforeEdge) return {{begin, end, start}};
    int32_t wrap = begin + int32_t(beforeEdge);
    return {{begin, wrap, start}, {wrap, end, 0}};
}

}  // namespace

MonitorPicture PlacePicture(PicturePosition position, uint32_t pictureWidth, uint32_t pictureHeight,
                            const ScreenRect& monitor) {
    switch (position) {
        case PicturePosition::SystemSetting:
        case PicturePosition::Fill:
            return FillPicture(pictureWidth, pictureHeight, monitor);
        case PicturePosition::Fit:
            return FitPicture(pictureWidth, pictureHeight, monitor);
        case PicturePosition::Stretch:
            return {{0, 0, pictureWidth, pictureHeight}, Width(monitor), Height(monitor), monitor};
        case PicturePosition::Center:
            return CenterPicture(pictureWidth, pictureHeight, monitor);
        case PicturePosition::Tile:
            break;
    }
    return TilePicture(pictureWidth, pictureHeight, monitor);
}

WallpaperBitmapLayout LayOutWallpaperBitmap(WallpaperLayoutKind kind, const std::vector<ScreenRect>& monitors,
                                            const ScreenRect& primary) {
    ScreenRect screen = BoundingRect(monitors);
    const ScreenRect& origin = kind == WallpaperLayoutKind::Span ? screen : primary;
    return {Width(screen), Height(screen), origin.left, origin.top};
}

std::vector<BitmapPiece> BitmapPieces(const WallpaperBitmapLayout& layout, const ScreenRect& rect) {
    std::vector<BitmapPiece> pieces;
    for (const Run& rows : Runs(rect.top, rect.bottom, layout.originY, layout.height)) {
        for (const Run& columns : Runs(rect.left, rect.right, layout.originX, layout.width)) {
            pieces.push_back({{columns.begin, rows.begin, columns.end, rows.end}, columns.start, rows.start});
        }
    }
    return pieces;
}
