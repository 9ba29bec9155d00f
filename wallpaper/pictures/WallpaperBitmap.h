// Pictures that are no bitmaps: which entries are decoded, how large a decoded picture may be,
// and the 24-bit bitmap file that the desktop is given in their place.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// A decoded picture is at most this many pixels wide and high: at 32 bits one of 16384 x 16384
// takes 1 GiB, and nothing larger is ever a wallpaper.
constexpr uint32_t kMaxPictureSide = 16384;

// Decoded pictures are held as top-down rows of 32-bit pixels: blue, green, red, unused.
constexpr uint32_t kDecodedPixelBytes = 4;

// Both sides from 1 to kMaxPictureSide.
bool IsPictureSizeAllowed(uint32_t width, uint32_t height);

// The bitmap reader's files, shown and handed to the desktop as they are: a name ending in
// ".bmp" in any letter case, or a file whose `size` first bytes start with "BM".
bool IsBitmapEntry(const std::string& path, const uint8_t* start, std::size_t size);

// A whole .bmp file of the picture: the 14-byte file header, a 40-byte info header, and 24-bit
// uncompressed rows bottom-up, each padded to 4 bytes. `pixels` holds `size` bytes of decoded
// rows. Empty when the size is not allowed or `size` is short of width * height * 4.
std::string MakeBitmapFile24(const uint8_t* pixels, std::size_t size, uint32_t width, uint32_t height);
