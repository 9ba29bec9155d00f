// The file the desktop is given for a list entry: bitmaps as they are, other pictures as a
// bitmap copy written for them, since many desktops show nothing but bitmaps.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "PictureDecode.h"

// Whether the bitmap reader takes the file (IsBitmapEntry). A file that cannot be opened
// counts as one, so that it meets the reader's own report, and the desktop gets it unchanged.
bool IsBitmapFile(const char* path);

// The desktop's colour (0x00RRGGBB), which shows where a picture is transparent.
uint32_t DesktopColor();

// Replaces `bitmapPath` with the 24-bit bitmap copy of the picture `entry`: upright, over the
// desktop colour, and no larger than the desktop's style shows of it on the virtual screen.
// Runs on a thread that holds a CComApartment; `bitmapPath` is untouched when it is refused.
PictureRefusal WriteWallpaperCopy(const char* entry, const char* bitmapPath, const DecodeCancelled& cancelled);

// A text value of HKCU\Control Panel\Desktop (TileWallpaper, WallpaperStyle); none when absent.
std::optional<std::string> ReadDesktopValue(const char* name);
// Gives the value this text, or deletes it for none.
void WriteDesktopValue(const char* name, const std::optional<std::string>& value);
