// CWallpaperComposer: the wallpaper Quorvane composes itself for a picture position other than
// the desktop's own: the monitors as the desktop has them, each monitor's picture decoded and
// scaled for it, and the composed bitmap written for the desktop.
#pragma once

#include <windows.h>

#include <vector>

#include "PictureDecode.h"
#include "WallpaperComposition.h"

// The monitors in virtual-screen coordinates: the primary first, then the others in the order
// EnumDisplayMonitors gives them.
std::vector<ScreenRect> DisplayMonitors();

// How the desktop takes a bitmap of the whole virtual screen: spanned where the shell has
// IDesktopWallpaper (Windows 8 and later), else tiled from the primary monitor's top-left.
// Runs on a thread that holds a CComApartment.
WallpaperLayoutKind DesktopLayoutKind();

class CWallpaperComposer {
public:
    // `position` is one Quorvane composes (not SystemSetting); `monitors` as DisplayMonitors.
    CWallpaperComposer(PicturePosition position, std::vector<ScreenRect> monitors, uint32_t background,
                       DecodeCancelled cancelled);

    size_t MonitorCount() const { return m_monitors.size(); }

    // Decodes the picture for one monitor, or for every monitor, in one decode.
    PictureRefusal DrawOnMonitor(const char* path, size_t monitor);
    PictureRefusal DrawOnEveryMonitor(const char* path);

    // Replaces `bitmapPath` with the composed bitmap; monitors without a picture show the
    // background.
    PictureRefusal Write(WallpaperLayoutKind kind, const char* bitmapPath) const;

private:
    PictureRefusal Draw(const char* path, size_t first, size_t end);

    PicturePosition m_position;
    std::vector<ScreenRect> m_monitors;
    uint32_t m_background;
    DecodeCancelled m_cancelled;
    // Each monitor's scaled picture, and where it goes; no pixels until drawn.
    std::vector<UprightPicture> m_pictures;
    std::vector<MonitorPicture> m_places;
};
