// A photo's orientation: the EXIF orientation tag (274) of a JPEG, read from its APP1 "Exif"
// block, and the turning of pixels that sets the picture upright.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

// The tag's values: 1 upright as stored, 2 mirrored left to right, 3 turned 180 degrees,
// 4 mirrored top to bottom, 5 mirrored along the main diagonal (transposed), 6 to be turned 90
// degrees clockwise, 7 mirrored along the other diagonal, 8 to be turned 90 degrees
// anticlockwise.
constexpr int kUpright = 1;

// The orientation the JPEG file's first bytes give; kUpright for anything else: no JPEG, no
// APP1 "Exif" block before the image data, no tag 274, a value outside 1 to 8, or a block cut
// short. Reads only inside `data`, in either byte order of the TIFF header.
int ReadExifOrientation(const uint8_t* data, std::size_t size);

// Whether the upright picture's width is the stored height (orientations 5 to 8).
bool SwapsSides(int orientation);

// A rectangle of pixels.
struct PixelRect {
    uint32_t x;
    uint32_t y;
    uint32_t width;
    uint32_t height;
};

// The stored picture's rectangle that shows as `upright` once the picture of storedWidth x
// storedHeight is set upright; `upright` lies within the upright picture.
PixelRect StoredRect(const PixelRect& upright, uint32_t storedWidth, uint32_t storedHeight, int orientation);

// Top-down 32-bit pixels of width x height, set upright: the result is width x height, or
// height x width when SwapsSides. Upright pixels, any orientation outside 2 to 8, and a count of
// pixels other than width x height are handed back as they are, without a copy.
std::vector<uint32_t> TurnUpright(std::vector<uint32_t> pixels, uint32_t width, uint32_t height, int orientation);
