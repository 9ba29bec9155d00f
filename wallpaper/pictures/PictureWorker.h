// CPictureWorker: the one thread that decodes pictures, for the preview and for the wallpaper
// changes, one at a time, so that the window answers while a large photo decodes.
#pragma once

#include <windows.h>

#include <condition_variable>
#include <deque>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "PictureDecode.h"
#include "WallpaperLayout.h"

struct PreviewRequest {
    std::string path;
    uint32_t width;  // the size it is drawn at
    uint32_t height;
};

struct PreviewResult {
    std::string path;
    PictureRefusal refusal = PictureRefusal::None;
    UprightPicture picture;
};

enum class ChangeKind {
    Now,    // "Set Wallpaper Now": the entry of 1001 (and, for a picture on each monitor, the places
            // after it for the other monitors); a refused picture of 1001 is reported
    Tick,   // a tick of the minute timer
    Start,  // the change of a start-up or "Apply Settings"
};

// A wallpaper change: the entries it tries in turn, and what the window needs to finish it.
struct WallpaperChange {
    ChangeKind kind = ChangeKind::Now;
    // The entries due (one, or one for each monitor); for a scheduled change, the other places
    // of the sequence after them too, since a scheduled change passes over pictures that cannot
    // be shown. With a picture on each monitor, the i-th picture shown goes to the i-th monitor;
    // with fewer pictures than monitors, they repeat in order.
    std::vector<std::string> entries;
    std::vector<int> lines;      // the list line each entry comes from; for a scheduled change only
    std::vector<int> positions;  // the place of each entry in the sequence; for a scheduled change only
    std::string shownBefore;  // 1001 before the change, put back when nothing could be shown
    int selectedBefore = -1;
    PicturePosition position = PicturePosition::SystemSetting;  // SystemSetting: the desktop places it
    bool eachMonitor = false;

    // Filled in by the worker.
    int chosen = -1;         // the entry made the wallpaper (the last monitor's); -1 when none could be
    std::string wallpaper;   // the file the desktop is given for it
    WallpaperLayoutKind layout = WallpaperLayoutKind::TiledFromPrimary;  // of a composed wallpaper
    PictureRefusal refusal = PictureRefusal::None;  // why entries[0] could not be shown
};

class CPictureWorker {
public:
    // Each result is announced by posting `message` to `window`; `copyPath` is the bitmap that
    // pictures become for the desktop.
    CPictureWorker(HWND window, UINT message, std::string copyPath);
    // Ends a decode under way at its next band of rows, and the thread.
    ~CPictureWorker();
    CPictureWorker(const CPictureWorker&) = delete;
    CPictureWorker& operator=(const CPictureWorker&) = delete;

    // The newest request wins: an older one that waits or runs is dropped, and so is its result.
    void RequestPreview(const PreviewRequest& request);
    std::optional<PreviewResult> TakePreview();

    // One change runs and at most one waits: a change queued while one waits takes its place.
    void QueueChange(const WallpaperChange& change);
    bool IsChangeWaiting() const;
    bool IsChangeUnderWay() const;  // running or waiting
    std::optional<WallpaperChange> TakeChange();

private:
    void Run();
    void DecodePreview(const PreviewRequest& request, unsigned generation);
    void MakeChange(WallpaperChange& change);
    void MakeComposedChange(WallpaperChange& change);
    bool IsStopping() const;
    void Announce();

    const HWND m_window;
    const UINT m_message;
    const std::string m_copyPath;

    mutable std::mutex m_mutex;  // guards everything below but the thread
    std::condition_variable m_wake;
    bool m_stopping = false;
    unsigned m_previewGeneration = 0;  // of the newest request
    std::optional<PreviewRequest> m_previewWaiting;
    std::optional<PreviewResult> m_previewDone;
    std::optional<WallpaperChange> m_changeWaiting;
    bool m_changeRunning = false;
    std::deque<WallpaperChange> m_changesDone;

    std::thread m_thread;  // started last, once the members above exist
};
