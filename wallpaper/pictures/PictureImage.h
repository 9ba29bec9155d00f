// CPictureImage: a picture that is no bitmap (PNG, JPEG, GIF, TIFF and whatever else the
// platform's imaging component reads) decoded into one packed DIB of 32-bit pixels for drawing;
// CreateDibPalette: its palette.
#pragma once

#include <windows.h>

#include <memory>
#include <string>

#include "CmdTarget.h"

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

class CPictureImage : public CObject {
public:
    // Decodes the file's first frame at once, on a thread that holds a CComApartment. The image
    // stays empty, and nothing is shown, when the component cannot decode it or it is larger
    // than a picture may be.
    explicit CPictureImage(const char* fileName);

    bool IsLoaded() const { return m_block != nullptr; }

    // For loaded images only. The rows are stored top-down; the height is the picture's.
    LONG GetWidth() const;
    LONG GetHeight() const;
    BITMAPINFO* GetPackedDib() const;
    BYTE* GetBits() const;

private:
    std::unique_ptr<BYTE[]> m_block;  // a BITMAPINFOHEADER, then the pixel rows
};

// 256 black entries: the pixels carry their colours themselves.
HPALETTE CreateDibPalette(const CPictureImage* image);

// The file's first frame as a whole uncompressed 24-bit bitmap file, decoded on a thread that
// holds a CComApartment. Empty, and nothing shown, when the component cannot decode it, it is
// larger than a picture may be, or memory runs short.
std::string DecodeToBitmapFile(const char* fileName);
