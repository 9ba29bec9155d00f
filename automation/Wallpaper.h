// The desktop wallpaper as the registry value HKCU\Control Panel\Desktop\Wallpaper, where other processes see it.
#pragma once

#include <windows.h>

#include <atomic>
#include <mutex>
#include <optional>
#include <string>
#include <thread>
#include <vector>

// The value's text, or "<no value>" when there is none.
std::string DesktopWallpaper();
// Writes `text` into the value directly, without telling the desktop.
void SetDesktopWallpaper(const std::string& text);

// Sets `marker`, then waits until a change replaces it; returns the new value, or the marker when
// nothing replaced it within `milliseconds`.
std::string NextWallpaperAfter(const std::string& marker, DWORD milliseconds);

// One change of the wallpaper: the new value and when it came, in milliseconds.
struct WallpaperChange {
    std::string value;
    DWORD atMs;
};

// Has QuorvaneProbe.dll write down, inside the process of `window`, every wallpaper the process
// sets from now on, however fast; false when the probe did not start.
bool StartWallpaperProbe(HWND window);
// What the probe wrote down so far for process `pid`, in order; `atMs` is the tick count.
std::vector<WallpaperChange> ProbedWallpapers(DWORD pid);
// How many of the first changes set `entries` in list order, from the first entry on.
size_t ChangesInListOrder(const std::vector<WallpaperChange>& record, const std::vector<std::string>& entries);
// The mean time between the changes, in milliseconds; 0 for fewer than two.
double MeanPeriodMs(const std::vector<WallpaperChange>& record);

// A text value of the desktop's key (TileWallpaper, WallpaperStyle), and writing or deleting it.
std::optional<std::string> DesktopValue(const char* name);
void SetDesktopValue(const char* name, const std::optional<std::string>& text);

// Keeps the wallpaper value and the style values found at construction and puts them back at
// destruction (removes a value that was not there).
class KeptDesktopWallpaper {
public:
    KeptDesktopWallpaper();
    ~KeptDesktopWallpaper();
    KeptDesktopWallpaper(const KeptDesktopWallpaper&) = delete;
    KeptDesktopWallpaper& operator=(const KeptDesktopWallpaper&) = delete;

private:
    struct Value {
        const char* name = nullptr;
        bool existed = false;
        DWORD type = REG_SZ;
        std::string bytes;
    };
    std::vector<Value> m_values;
};

// Every change of the value from its construction on, read by a thread of its own every 2 ms, so
// that a value a fast timer holds for a few tens of milliseconds is not missed.
class WallpaperRecorder {
public:
    using Change = WallpaperChange;  // atMs: since the recorder began

    WallpaperRecorder();
    ~WallpaperRecorder();
    WallpaperRecorder(const WallpaperRecorder&) = delete;
    WallpaperRecorder& operator=(const WallpaperRecorder&) = delete;

    // The changes seen so far, once there are `count` of them or `milliseconds` have passed.
    std::vector<Change> WaitForChanges(size_t count, DWORD milliseconds);

private:
    void Record();

    DWORD m_startMs;
    std::atomic<bool> m_stop{false};
    std::mutex m_mutex;
    std::vector<Change> m_changes;
    std::thread m_thread;
};
