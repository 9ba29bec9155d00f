// Pictures in formats other than .bmp, made by the platform's own encoders (Windows Imaging Component).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// Png16: a PNG with 16 bits a channel, as photo editors save them; PngAlpha: with an alpha channel;
// Bmp: a 24-bit bitmap, rows bottom-up.
enum class PictureFormat { Png, Png16, PngAlpha, Jpeg, Bmp };

// A picture of `colors` in horizontal bands of equal height, the first at the top: a picture
// turned upside down, or read with red and blue swapped, shows other colours where they are looked for.
struct BandedPicture {
    int width;
    int height;
    std::vector<COLORREF> colors;
    std::vector<BYTE> alphas = {};  // each band's, for PngAlpha; none: all opaque

    // The colour of row `y`, counted from the top.
    COLORREF At(int y) const { return colors[size_t(y) * colors.size() / size_t(height)]; }
};

// The bytes of a .png, .jpg or .bmp file of `picture`, encoded from 24-bit BGR rows (48-bit RGB
// for Png16, 32-bit BGRA for PngAlpha); empty when the encoder failed.
std::string PictureBytes(PictureFormat format, const BandedPicture& picture);
// The same of a picture whose left half is `left` and right half `right`.
std::string HalvesBytes(PictureFormat format, int width, int height, COLORREF left, COLORREF right);
// The same of a checkerboard of one-pixel cells, black in the top-left corner and white.
std::string CheckerboardBytes(PictureFormat format, int width, int height);

// The JPEG file with an EXIF block before its other segments whose orientation tag (274) says
// `orientation`, as a camera writes it.
std::string WithExifOrientation(const std::string& jpeg, int orientation);

// A 24-bit bitmap file read back: its size, and the colour of pixel (x, y) counted from the top.
struct Bitmap24 {
    int width = 0;
    int height = 0;
    std::vector<COLORREF> pixels;  // rows from the top

    COLORREF At(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};
// Empty (0 x 0) when the bytes are no uncompressed 24-bit bitmap file.
Bitmap24 ReadBitmap24(const std::string& bytes);
