// The monitors, the desktop's way of taking a composed bitmap, and the composer's decodes.
#include "WallpaperComposer.h"

#include <shobjidl.h>

#include <algorithm>
#include <wrl/client.h>

#include "FileStore.h"

using Microsoft::WRL::ComPtr;

namespace {

ScreenRect ScreenRectOf(const RECT& rect) {
    return {int32_t(rect.left), int32_t(rect.top), int32_t(rect.right), int32_t(rect.bottom)};
}

struct FoundMonitors {
    std::vector<ScreenRect> others;
    std::vector<ScreenRect> primary;
};

BOOL CALLBACK AddMonitor(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto* found = reinterpret_cast<FoundMonitors*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof info;
    if (!GetMonitorInfoA(monitor, &info)) return TRUE;
    (info.dwFlags & MONITORINFOF_PRIMARY ? found->primary : found->others).push_back(ScreenRectOf(info.rcMonitor));
    return TRUE;
}

// A desktop whose monitors cannot be asked is taken as one screen of the primary's size.
ScreenRect PrimaryScreen() {
    return {0, 0, std::max(1, GetSystemMetrics(SM_CXSCREEN)), std::max(1, GetSystemMetrics(SM_CYSCREEN))};
}

CopyGeometry CopyOf(const MonitorPicture& place) {
    return {place.source, place.width, place.height};
}

}  // namespace

std::vector<ScreenRect> DisplayMonitors() {
    FoundMonitors found;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&found));
    if (found.primary.empty()) found.primary.push_back(PrimaryScreen());
    std::vector<ScreenRect> monitors = {found.primary[0]};
    monitors.insert(monitors.end(), found.others.begin(), found.others.end());
    return monitors;
}

WallpaperLayoutKind DesktopLayoutKind() {
    ComPtr<IDesktopWallpaper> desktop;
    HRESULT created = CoCreateInstance(CLSID_DesktopWallpaper, nullptr, CLSCTX_ALL, IID_PPV_ARGS(&desktop));
    return SUCCEEDED(created) ? WallpaperLayoutKind::Span : WallpaperLayoutKind::TiledFromPrimary;
}

CWallpaperComposer::CWallpaperComposer(PicturePosition position, std::vector<ScreenRect> monitors,
                                       uint32_t background, DecodeCancelled cancelled)
    : m_position(position),
      m_monitors(std::move(monitors)),
      m_background(background),
      m_cancelled(std::move(cancelled)),
      m_pictures(m_monitors.size()),
      m_places(m_monitors.size()) {}

PictureRefusal CWallpaperComposer::DrawOnMonitor(const char* path, size_t monitor) {
    return Draw(path, monitor, monitor + 1);
}

PictureRefusal CWallpaperComposer::DrawOnEveryMonitor(const char* path) {
    return Draw(path, 0, m_monitors.size());
}

// The places follow from the picture's upright size, which the decode finds.
PictureRefusal CWallpaperComposer::Draw(const char* path, size_t first, size_t end) {
    auto geometries = [&](uint32_t width, uint32_t height) {
        std::vector<CopyGeometry> copies;
        for (size_t monitor = first; monitor < end; ++monitor) {
            m_places[monitor] = PlacePicture(m_position, width, height, m_monitors[monitor]);
            copies.push_back(CopyOf(m_places[monitor]));
        }
        return copies;
    };
    std::vector<UprightPicture> pictures;
    PictureRefusal refusal = DecodePictureCopies(path, geometries, m_background, m_cancelled, pictures);
    if (refusal != PictureRefusal::None) return refusal;
    for (size_t monitor = first; monitor < end; ++monitor) m_pictures[monitor] = std::move(pictures[monitor - first]);
    return PictureRefusal::None;
}

PictureRefusal CWallpaperComposer::Write(WallpaperLayoutKind kind, const char* bitmapPath) const {
    std::vector<ComposedPicture> composed;
    for (size_t monitor = 0; monitor < m_monitors.size(); ++monitor) {
        if (!m_pictures[monitor].pixels.empty()) composed.push_back({m_pictures[monitor].pixels.data(), m_places[monitor]});
    }
    WallpaperBitmapLayout layout = LayOutWallpaperBitmap(kind, m_monitors, m_monitors[0]);
    std::string file = ComposeWallpaperBitmap(layout, composed, m_background);
    return !file.empty() && ReplaceFileContent(bitmapPath, file) ? PictureRefusal::None : PictureRefusal::NotWritten;
}
