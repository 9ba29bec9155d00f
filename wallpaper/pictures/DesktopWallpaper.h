// The file the desktop is given for a list entry: bitmaps as they are, other pictures as a
// bitmap written for them, since many desktops show nothing but bitmaps.
#pragma once

#include <string>

// Whether the bitmap reader takes the file (IsBitmapEntry). A file that cannot be opened
// counts as one, so that it meets the reader's own report, and the desktop gets it unchanged.
bool IsBitmapFile(const char* path);

// `entry` itself when it is a bitmap or cannot be decoded; otherwise `bitmapPath`, after the
// decoded picture has replaced that file's content as a 24-bit bitmap. When the write fails,
// `entry` again.
std::string DesktopWallpaperFor(const char* entry, const char* bitmapPath);
