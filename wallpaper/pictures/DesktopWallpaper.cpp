// Choosing, and writing, the file that the desktop is given.
#include "DesktopWallpaper.h"

#include <algorithm>
#include <string>

#include "FileStore.h"
#include "WallpaperBitmap.h"

namespace {

constexpr char kDesktopKey[] = "Control Panel\\Desktop";

WallpaperStyle DesktopStyle() {
    return StyleFromDesktopValues(ReadDesktopValue("TileWallpaper").value_or(""),
                                  ReadDesktopValue("WallpaperStyle").value_or(""));
}

}  // namespace

std::optional<std::string> ReadDesktopValue(const char* name) {
    char text[64] = "";
    DWORD size = sizeof text;
    if (RegGetValueA(HKEY_CURRENT_USER, kDesktopKey, name, RRF_RT_REG_SZ, nullptr, text, &size) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    return std::string(text);
}

void WriteDesktopValue(const char* name, const std::optional<std::string>& value) {
    if (!value) {
        RegDeleteKeyValueA(HKEY_CURRENT_USER, kDesktopKey, name);
        return;
    }
    RegSetKeyValueA(HKEY_CURRENT_USER, kDesktopKey, name, REG_SZ, value->c_str(), DWORD(value->size() + 1));
}

bool IsBitmapFile(const char* path) {
    if (IsBitmapEntry(path, nullptr, 0)) return true;
    std::string start;
    if (!ReadFileStart(path, 2, start)) return true;
    return IsBitmapEntry(path, reinterpret_cast<const uint8_t*>(start.data()), start.size());
}

uint32_t DesktopColor() {
    COLORREF color = GetSysColor(COLOR_DESKTOP);
    return uint32_t(GetRValue(color)) << 16 | uint32_t(GetGValue(color)) << 8 | GetBValue(color);
}

PictureRefusal WriteWallpaperCopy(const char* entry, const char* bitmapPath, const DecodeCancelled& cancelled) {
    WallpaperStyle style = DesktopStyle();
    uint32_t screenWidth = uint32_t(std::max(1, GetSystemMetrics(SM_CXVIRTUALSCREEN)));
    uint32_t screenHeight = uint32_t(std::max(1, GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    auto geometry = [&](uint32_t width, uint32_t height) {
        return WallpaperCopyGeometry(style, width, height, screenWidth, screenHeight);
    };
    UprightPicture picture;
    PictureRefusal refusal = DecodePicture(entry, geometry, DesktopColor(), cancelled, picture);
    if (refusal != PictureRefusal::None) return refusal;
    std::string file = BitmapFile24(picture.pixels.data(), picture.width, picture.height);
    return ReplaceFileContent(bitmapPath, file) ? PictureRefusal::None : PictureRefusal::NotWritten;
}
