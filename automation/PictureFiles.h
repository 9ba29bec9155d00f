// Pictures in formats other than .bmp, made by the platform's own encoders (Windows Imaging Component).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Png16: a PNG with 16 bits a channel, as photo editors save them.
enum class PictureFormat { Png, Png16, Jpeg };

// A picture of `colors` in horizontal bands of equal height, the first at the top: a picture
// turned upside down, or read with red and blue swapped, shows other colours where they are looked for.
struct BandedPicture {
    int width;
    int height;
    std::vector<COLORREF> colors;

    // The colour of row `y`, counted from the top.
    COLORREF At(int y) const { return colors[size_t(y) * colors.size() / size_t(height)]; }
};

// The bytes of a .png or .jpg file of `picture`, encoded from 24-bit BGR rows (48-bit RGB for
// Png16); empty when the encoder failed.
std::string PictureBytes(PictureFormat format, const BandedPicture& picture);
