// Reading a .bmp file into a packed DIB with two reads, after checking that the file holds
// what its headers promise.
#include "DibImage.h"

#include <memory>
#include <vector>

#include "DibLayout.h"
#include "File.h"
#include "WinApp.h"

namespace {

// x86-64's page size; with larger pages TouchPages only writes more often than it needs to.
constexpr DWORD kPageSize = 4096;

// The block is movable global memory, locked once for the image's whole life.
void FreeBlock(void* lockedBlock) {
    HGLOBAL handle = GlobalHandle(lockedBlock);
    GlobalUnlock(handle);
    GlobalFree(handle);
}

// Writes one byte of every page of a fresh block before the read fills it. Wine's ReadFile
// probes each page of its buffer with a read and then a write, so a page never touched costs two
// faults (one mapping the shared zero page, one replacing it); written first, it costs the one
// fault that any first use takes.
void TouchPages(BYTE* block, DWORD size) {
    for (DWORD offset = 0; offset < size; offset += kPageSize) block[offset] = 0;
}

}  // namespace

CDibImage::CDibImage(const char* fileName)
    : m_pPackedDib(nullptr), m_pInfoHeader(nullptr), m_pColorTable(nullptr), m_pBits(nullptr) {
    LoadFromFile(fileName);
}

CDibImage::~CDibImage() {
    if (m_pPackedDib) FreeBlock(m_pPackedDib);
}

void CDibImage::LoadFromFile(const char* fileName) {
    CFile file(fileName, CFile::modeRead | CFile::shareCompat);
    uint8_t fileHeader[kBitmapFileHeaderSize];
    UINT headerBytes = file.Read(fileHeader, sizeof fileHeader);
    ULONGLONG length = file.GetLength();
    if (!HasBitmapFileHeader(fileHeader, headerBytes) || length < kBitmapFileHeaderSize + kMinInfoHeaderSize ||
        length - kBitmapFileHeaderSize > MAXDWORD) {
        Refuse();
        return;
    }

    DWORD blockSize = DWORD(length - kBitmapFileHeaderSize);
    HGLOBAL handle = GlobalAlloc(GMEM_MOVEABLE, blockSize);
    BYTE* block = handle ? static_cast<BYTE*>(GlobalLock(handle)) : nullptr;
    if (!block) {
        if (handle) GlobalFree(handle);
        Refuse();
        return;
    }
    // Owned here until the image takes it, so that a read that throws frees it too.
    std::unique_ptr<BYTE, void (*)(void*)> owned(block, FreeBlock);
    TouchPages(block, blockSize);
    UINT blockBytes = file.Read(block, blockSize);
    file.Close();

    DibLayout layout{};
    if (blockBytes != blockSize || !CheckPackedDib(block, blockSize, &layout)) {
        Refuse();
        return;
    }
    m_pPackedDib = reinterpret_cast<BITMAPINFO*>(owned.release());
    m_pInfoHeader = &m_pPackedDib->bmiHeader;
    m_pColorTable = reinterpret_cast<RGBQUAD*>(block + layout.colorTableOffset);
    if (m_pInfoHeader->biClrUsed == 0) m_pInfoHeader->biClrUsed = layout.colorCount;
    m_pBits = block + layout.bitsOffset;
}

// A file that is no bitmap, or cannot hold what its headers promise, leaves the image empty.
void CDibImage::Refuse() {
    AfxMessageBox(kNotABitmapMessage, MB_OK);
}

LONG CDibImage::GetWidth() const {
    return m_pInfoHeader->biWidth;
}

LONG CDibImage::GetHeight() const {
    return m_pInfoHeader->biHeight;
}

DWORD CDibImage::GetNumColors() const {
    return m_pInfoHeader->biClrUsed;
}

BITMAPINFO* CDibImage::GetPackedDib() const {
    return m_pPackedDib;
}

RGBQUAD* CDibImage::GetColorTable() const {
    return m_pColorTable;
}

BYTE* CDibImage::GetBits() const {
    return m_pBits;
}

HPALETTE CreateDibPalette(const CDibImage* image) {
    return CreateTablePalette(image->GetColorTable(), image->GetNumColors());
}

HPALETTE CreateTablePalette(const RGBQUAD* colorTable, DWORD colorCount) {
    std::vector<BYTE> storage(sizeof(LOGPALETTE) + (kPaletteSize - 1) * sizeof(PALETTEENTRY), 0);
    LOGPALETTE* palette = reinterpret_cast<LOGPALETTE*>(storage.data());
    palette->palVersion = 0x300;
    palette->palNumEntries = kPaletteSize;
    FillPalette(reinterpret_cast<const uint8_t*>(colorTable), colorCount,
                reinterpret_cast<PaletteColor(&)[kPaletteSize]>(palette->palPalEntry[0]));
    return CreatePalette(palette);
}
