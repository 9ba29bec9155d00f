// CDibImage: a .bmp file read into one packed-DIB block for drawing; CreateDibPalette: its
// 256-entry palette.
#pragma once

#include <windows.h>

#include "CmdTarget.h"

// What the user is told about a file that holds no picture the program can show.
constexpr char kNotABitmapMessage[] = "Not a bitmap file";

class CDibImage : public CObject {
public:
    // Loads the file at once; throws CFileException when it cannot be opened or read.
    explicit CDibImage(const char* fileName);
    ~CDibImage() override;

    // Leaves the image loaded, or empty after telling the user "Not a bitmap file".
    void LoadFromFile(const char* fileName);
    bool IsLoaded() const { return m_pPackedDib != nullptr; }

    // For loaded images only.
    LONG GetWidth() const;
    LONG GetHeight() const;
    DWORD GetNumColors() const;
    BITMAPINFO* GetPackedDib() const;
    RGBQUAD* GetColorTable() const;
    BYTE* GetBits() const;

private:
    void Refuse();

    BITMAPINFO* m_pPackedDib;  // the locked block: header, colour table, pixels
    BITMAPINFOHEADER* m_pInfoHeader;
    RGBQUAD* m_pColorTable;
    BYTE* m_pBits;
};

// A new palette of 256 entries from the image's colour table, the rest black; the caller
// deletes it.
HPALETTE CreateDibPalette(const CDibImage* image);
// The same from a colour table of `colorCount` entries (none: 256 black entries).
HPALETTE CreateTablePalette(const RGBQUAD* colorTable, DWORD colorCount);
