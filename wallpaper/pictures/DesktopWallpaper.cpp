// Choosing, and writing, the file that the desktop is given.
#include "DesktopWallpaper.h"

#include <cstdint>
#include <new>

#include "FileStore.h"
#include "PictureImage.h"
#include "WallpaperBitmap.h"

namespace {

// The decoded picture as a whole bitmap file; empty when it cannot be decoded or held.
std::string DecodeToBitmapFile(const char* entry) {
    CPictureImage picture(entry);
    if (!picture.IsLoaded()) return {};
    try {
        return MakeBitmapFile24(picture.GetBits(), picture.GetBitsSize(), uint32_t(picture.GetWidth()),
                                uint32_t(picture.GetHeight()));
    } catch (const std::bad_alloc&) {
        return {};
    }
}

}  // namespace

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
