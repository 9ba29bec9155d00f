// Choosing, and writing, the file that the desktop is given.
#include "DesktopWallpaper.h"

#include <cstdint>

#include "FileStore.h"
#include "PictureImage.h"
#include "WallpaperBitmap.h"

bool IsBitmapFile(const char* path) {
    if (IsBitmapEntry(path, nullptr, 0)) return true;
    std::string start;
    if (!ReadFileStart(path, 2, start)) return true;
    return IsBitmapEntry(path, reinterpret_cast<const uint8_t*>(start.data()), start.size());
}

std::string DesktopWallpaperFor(const char* entry, const char* bitmapPath) {
    if (IsBitmapFile(entry)) return entry;
    std::string bitmap = DecodeToBitmapFile(entry);
    if (bitmap.empty() || !ReplaceFileContent(bitmapPath, bitmap)) return entry;
    return bitmapPath;
}
