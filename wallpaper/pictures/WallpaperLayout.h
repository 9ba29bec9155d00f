// The wallpaper that Quorvane composes itself: where each monitor shows the picture, and where
// the virtual screen's points lie in the bitmap handed to the desktop.
#pragma once

#include <cstdint>
#include <vector>

#include "PictureOrientation.h"
#include "PicturePosition.h"

// A rectangle of the virtual screen, whose (0, 0) is the primary monitor's top-left; right and
// bottom lie just outside it.
struct ScreenRect {
    int32_t left;
    int32_t top;
    int32_t right;
    int32_t bottom;
};

// The picture on one monitor: its part `source` is scaled to width x height and laid from the
// top-left of `drawn`, again and again across and down until `drawn` is full, so that the
// virtual point (x, y) of `drawn` shows the scaled pixel ((x - drawn.left) mod width,
// (y - drawn.top) mod height). Only Tile lays it more than once: for the other positions `drawn`
// is width x height. What of the monitor lies outside `drawn` shows the desktop colour.
struct MonitorPicture {
    PixelRect source;
    uint32_t width;
    uint32_t height;
    ScreenRect drawn;
};

// Where the upright picture of pictureWidth x pictureHeight (pw x ph, each at least 1) goes on
// the monitor of mw x mh (not empty). The picture is taller than the monitor when
// mw * ph >= mh * pw.
//   Fill: over the whole monitor, the centred part of the picture that covers it once scaled:
//     all pw columns and mh * pw / mw rows when the picture is taller, else all ph rows and
//     mw * ph / mh columns;
//   Fit: the whole picture, centred, at pw * mh / ph x mh when it is taller, else at
//     mw x ph * mw / pw;
//   Stretch: the whole picture over the whole monitor;
//   Center: the picture at its own size, centred; a side longer than the monitor's is cut to
//     its centred part of the monitor's length;
//   Tile: the picture at its own size over the whole monitor from its top-left; a side longer
//     than the monitor's is cut to its first part of the monitor's length;
//   SystemSetting, which the desktop shows by itself: as Fill.
// Scaled lengths are rounded to the nearest pixel, halves up, and are at least 1; a centred part
// or place starts at half the difference of the lengths, rounded down. Fill's part is the one
// that WallpaperCopyGeometry keeps for Fill when the picture is larger than a screen of the
// monitor's size.
MonitorPicture PlacePicture(PicturePosition position, uint32_t pictureWidth, uint32_t pictureHeight,
                            const ScreenRect& monitor);

enum class WallpaperLayoutKind { TiledFromPrimary, Span };

// The bitmap handed to the desktop: the virtual screen's size, and the virtual point its
// top-left pixel shows.
struct WallpaperBitmapLayout {
    uint32_t width;
    uint32_t height;
    int32_t originX;
    int32_t originY;
};

// The bitmap for the monitors (at least one), whose bounding rectangle is the virtual screen.
// The desktop tiles a wallpaper from the primary monitor's top-left, so TiledFromPrimary starts
// the bitmap there and the monitors left of or above the primary wrap round to its right and
// bottom; Span starts it at the virtual screen's top-left.
WallpaperBitmapLayout LayOutWallpaperBitmap(WallpaperLayoutKind kind, const std::vector<ScreenRect>& monitors,
                                            const ScreenRect& primary);

// A part of a rectangle of the virtual screen, and the bitmap pixel its top-left lands on.
struct BitmapPiece {
    ScreenRect part;
    uint32_t x;
    uint32_t y;
};

// The pieces of `rect`, which lies inside the virtual screen, in the bitmap, where the virtual
// point (x, y) is the pixel ((x - originX) mod width, (y - originY) mod height), never negative.
// One piece; two where the rectangle wraps round the bitmap's right or bottom edge, four where
// it wraps round both; row by row, each from left to right.
std::vector<BitmapPiece> BitmapPieces(const WallpaperBitmapLayout& layout, const ScreenRect& rect);
