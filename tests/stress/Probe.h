// What the stress driver and its probe DLL agree on: the message that sets the probe up inside
// Quorvane.EXE, and the file in which the probe writes down every wallpaper the program sets.
#pragma once

#include <windows.h>

#include <string>

// Sent to the main dialog; the probe, called by the thread hook before the dialog sees it,
// starts recording before the send returns.
inline UINT StartRecordingMessage() { return RegisterWindowMessageA("QuorvaneStress.StartRecording"); }

// One line per SystemParametersInfoA(SPI_SETDESKWALLPAPER) call of the process: the tick count
// in milliseconds, a space, and the path it set.
inline std::string WallpaperLogPath(DWORD pid) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "QuorvaneStress-wallpapers-" + std::to_string(pid) + ".log";
}
