// The files the benchmarks read, made in memory: bitmaps of the sizes measured and a list file.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BitmapSize {
    const char* name;  // "640x480x8": width x height x bits per pixel
    int32_t width;
    int32_t height;
    uint16_t bitCount;  // 8 (with a 256-entry colour table) or 24
};

// The three pictures measured: a small paletted one, a full-HD photo and an 8K photo.
extern const BitmapSize kBitmapSizes[3];

// A whole .bmp file: the 14-byte file header, a 40-byte info header, the colour table and
// bottom-up rows padded to 4 bytes, filled with a pattern so that no page is all zeros.
std::vector<uint8_t> MakeBitmapFile(const BitmapSize& size);

// A list file of `count` entries of typical length (about 45 bytes), each line ending in CR LF.
std::string MakeListFile(int count);
