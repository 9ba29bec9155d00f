// The preview's pixels: a bitmap shrunk by our own scaler, since no stretch mode of the platform
// averages, and the 1:1 draw of pixels already at the frame's size.
#pragma once

#include <windows.h>

#include <cstdint>

#include "DibImage.h"
#include "PictureDecode.h"

// The bitmap in 32-bit pixels as the platform draws it (any depth, palette or compression),
// shrunk to width x height; empty when the platform cannot draw it. Only the rows of the
// bitmap are read: the reader has checked that the block holds them.
UprightPicture ShrinkBitmap(const CDibImage& image, uint32_t width, uint32_t height);

// Draws the pixels 1:1 with their top-left corner at `at`, through `palette`.
void DrawPicture(HDC dc, HPALETTE palette, POINT at, const UprightPicture& picture);
