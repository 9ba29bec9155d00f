// Pictures that are no bitmaps: which entries are decoded, how large a decoded picture may be,
// and the 24-bit bitmap file that the desktop is given in their place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A decoded picture is at most this many pixels wide and high: at 32 bits one of 16384 x 16384
// takes 1 GiB, and nothing larger is ever a wallpaper.
constexpr uint32_t kMaxPictureSide = 16384;

// Both sides from 1 to kMaxPictureSide.
bool IsPictureSizeAllowed(uint32_t width, uint32_t height);

// The bitmap reader's files, shown and handed to the desktop as they are: a name ending in
// ".bmp" in any letter case, or a file whose `size` first bytes start with "BM".
bool IsBitmapEntry(const std::string& path, const uint8_t* start, std::size_t size);

// The written bitmap's pixels start after its 14-byte file header and 40-byte info header.
constexpr std::size_t kBitmapFile24BitsOffset = 54;

// A 24-bit row of `width` pixels (blue, green, red) padded to 4 bytes.
std::size_t BitmapRowBytes24(uint32_t width);

// A whole uncompressed 24-bit .bmp file of the size, its headers written and its pixel rows
// zero, for the decoder to fill from kBitmapFile24BitsOffset on; empty when the size is not
// allowed.
std::string NewBitmapFile24(uint32_t width, uint32_t height);

// Reverses the order of `height` rows of `rowBytes` bytes in place: a decoder hands its rows
// top-down, and a bitmap file stores them bottom-up.
void TurnRowsOver(uint8_t* rows, std::size_t rowBytes, uint32_t height);
