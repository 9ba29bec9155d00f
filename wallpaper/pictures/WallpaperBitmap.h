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
// zero; empty when the size is not allowed.
std::string NewBitmapFile24(uint32_t width, uint32_t height);

// The 24-bit .bmp file of top-down 32-bit pixels (blue, green, red and a byte left out), its rows
// stored bottom-up as the format wants; empty when the size is not allowed.
std::string BitmapFile24(const uint32_t* pixels, uint32_t width, uint32_t height);
