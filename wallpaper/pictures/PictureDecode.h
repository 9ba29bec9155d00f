// Decoding a picture that is no bitmap (PNG, JPEG, GIF, TIFF and whatever else the platform's
// imaging component reads) into the part and size that is wanted of it, set upright and laid
// over a colour where it is transparent; CComApartment: the COM a decoding thread holds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "PictureRefusal.h"
#include "WallpaperGeometry.h"

// COM on this thread for the object's life, which the imaging component needs: a thread that
// decodes pictures holds one for as long as it may decode. A thread that has COM already keeps it.
class CComApartment {
public:
    CComApartment();
    ~CComApartment();
    CComApartment(const CComApartment&) = delete;
    CComApartment& operator=(const CComApartment&) = delete;

private:
    HRESULT m_result;
};

// Top-down 32-bit pixels: blue, green, red and a byte unused.
struct UprightPicture {
    std::vector<uint32_t> pixels;
    uint32_t width = 0;
    uint32_t height = 0;
};

// The part of the upright picture wanted, and its size, for the picture's upright size.
using GeometryForPicture = std::function<CopyGeometry(uint32_t width, uint32_t height)>;
// The same for several copies of one picture, each of its own part and size.
using GeometriesForPicture = std::function<std::vector<CopyGeometry>(uint32_t width, uint32_t height)>;
// Asked between bands of rows: true ends the decode, whose result nobody wants any more.
using DecodeCancelled = std::function<bool()>;

// Decodes the file's first frame in bands of rows straight into the scaler, so that the whole
// picture is never held; its EXIF orientation is applied and its transparent parts are laid over
// `background` (0x00RRGGBB). Runs on a thread that holds a CComApartment.
PictureRefusal DecodePicture(const char* path, const GeometryForPicture& geometry, uint32_t background,
                             const DecodeCancelled& cancelled, UprightPicture& picture);

// As DecodePicture, with one decode for every copy wanted: a copy for each monitor.
PictureRefusal DecodePictureCopies(const char* path, const GeometriesForPicture& geometries, uint32_t background,
                                   const DecodeCancelled& cancelled, std::vector<UprightPicture>& pictures);
