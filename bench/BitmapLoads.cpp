// The bare read, CDibImage and LoadImageA, each a whole load and release of one file.
#include "BitmapLoads.h"

#include <windows.h>

#include "BenchSupport.h"
#include "DibImage.h"

std::string WriteBitmapFile(const std::string& folder, const BitmapSize& size) {
    std::string path = folder + "\\" + size.name + ".bmp";
    std::vector<uint8_t> bytes = MakeBitmapFile(size);
    if (!WriteWholeFile(path, bytes.data(), bytes.size())) Fail("cannot write " + path);
    return path;
}

namespace {

void ReadIntoHeapBlock(const char* path, bool touchPagesFirst) {
    HANDLE file = CreateFileA(path, GENERIC_READ, 0, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) Fail(std::string("cannot open ") + path);
    BYTE fileHeader[14];
    DWORD got = 0;
    LARGE_INTEGER length{};
    if (!ReadFile(file, fileHeader, sizeof fileHeader, &got, nullptr) || !GetFileSizeEx(file, &length)) {
        Fail(std::string("cannot read ") + path);
    }
    DWORD rest = DWORD(length.QuadPart - LONGLONG(sizeof fileHeader));
    HANDLE heap = GetProcessHeap();
    BYTE* block = static_cast<BYTE*>(HeapAlloc(heap, 0, rest));
    if (block && touchPagesFirst) {
        for (DWORD offset = 0; offset < rest; offset += 4096) block[offset] = 0;
    }
    if (!block || !ReadFile(file, block, rest, &got, nullptr) || got != rest) Fail(std::string("cannot read ") + path);
    CloseHandle(file);
    HeapFree(heap, 0, block);
}

}  // namespace

void BareRead(const char* path) {
    ReadIntoHeapBlock(path, false);
}

void BareReadTouched(const char* path) {
    ReadIntoHeapBlock(path, true);
}

void LoadWithDibImage(const char* path) {
    CDibImage image(path);
    if (!image.IsLoaded()) Fail(std::string("CDibImage refused ") + path);
}

void LoadWithPlatform(const char* path) {
    HANDLE bitmap = LoadImageA(nullptr, path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
    if (!bitmap) Fail(std::string("LoadImageA failed on ") + path);
    DeleteObject(bitmap);
}
