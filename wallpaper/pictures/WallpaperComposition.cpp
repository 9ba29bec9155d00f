// Composing the wallpaper bitmap: rows of the file written straight from the scaled pictures.
#include "WallpaperComposition.h"

#include "WallpaperBitmap.h"

namespace {

void PutPixel(char* at, uint32_t color) {
    at[0] = char(color & 0xFF);
    at[1] = char(color >> 8 & 0xFF);
    at[2] = char(color >> 16 & 0xFF);
}

void FillBackground(std::string& file, const WallpaperBitmapLayout& layout, uint32_t background) {
    std::size_t rowBytes = BitmapRowBytes24(layout.width);
    for (uint32_t y = 0; y < layout.height; ++y) {
        char* row = &file[kBitmapFile24BitsOffset + y * rowBytes];
        for (uint32_t x = 0; x < layout.width; ++x) PutPixel(row + 3 * x, background);
    }
}

// The remainder of a virtual length counted from a picture's first pixel, never negative.
uint32_t Wrapped(int64_t length, uint32_t size) {
    int64_t remainder = length % size;
    return uint32_t(remainder < 0 ? remainder + size : remainder);
}

// One piece of a drawn rectangle: its rows from the bottom-up file, its columns from the picture,
// wrapping round the picture's edges where it repeats.
void DrawPiece(std::string& file, const WallpaperBitmapLayout& layout, const ComposedPicture& picture,
               const BitmapPiece& piece) {
    const MonitorPicture& place = picture.place;
    std::size_t rowBytes = BitmapRowBytes24(layout.width);
    uint32_t firstColumn = Wrapped(int64_t(piece.part.left) - place.drawn.left, place.width);
    for (int32_t y = piece.part.top; y < piece.part.bottom; ++y) {
        uint32_t bitmapRow = piece.y + uint32_t(y - piece.part.top);
        char* out = &file[kBitmapFile24BitsOffset + (layout.height - 1 - bitmapRow) * rowBytes + 3 * piece.x];
        const uint32_t* from = picture.pixels + std::size_t(Wrapped(int64_t(y) - place.drawn.top, place.height)) * place.width;
        uint32_t column = firstColumn;
        for (int32_t x = piece.part.left; x < piece.part.right; ++x, out += 3) {
            PutPixel(out, from[column]);
            if (++column == place.width) column = 0;
        }
    }
}

}  // namespace

std::string ComposeWallpaperBitmap(const WallpaperBitmapLayout& layout, const std::vector<ComposedPicture>& pictures,
                                   uint32_t background) {
    std::string file = NewBitmapFile24(layout.width, layout.height);
    if (file.empty()) return file;
    FillBackground(file, layout, background);
    for (const ComposedPicture& picture : pictures) {
        for (const BitmapPiece& piece : BitmapPieces(layout, picture.place.drawn)) DrawPiece(file, layout, picture, piece);
    }
    return file;
}
