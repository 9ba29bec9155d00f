// QuorvaneProbe.dll and its callers: the messages that ask the probe to act inside a program, and its answer files.
#pragma once

#include <windows.h>

#include <string>

// Sent to a window of the probed process; the probe, called by a thread hook before the window
// sees it, acts before the send returns.
inline UINT ReadSystemMenuMessage() { return RegisterWindowMessageA("QuorvaneProbe.ReadSystemMenu"); }
inline UINT StartWallpaperRecordMessage() { return RegisterWindowMessageA("QuorvaneProbe.RecordWallpapers"); }
// From then on every read of more than a header from a file named "*Unreadable*" fails in the program.
inline UINT FailUnreadableReadsMessage() { return RegisterWindowMessageA("QuorvaneProbe.FailUnreadableReads"); }
// Drops on the window the paths of DropListPath, each ended by a NUL, as the shell's drag and drop does.
inline UINT DropFilesMessage() { return RegisterWindowMessageA("QuorvaneProbe.DropFiles"); }
// From then on the program's EnumDisplayMonitors, GetMonitorInfoA and GetSystemMetrics show the
// monitors of MonitorListPath instead of the real ones (all of them again when the list is empty).
inline UINT FakeMonitorsMessage() { return RegisterWindowMessageA("QuorvaneProbe.FakeMonitors"); }

// A file of the temporary folder named after `what` and the probed process.
inline std::string ProbeFilePath(const char* what, DWORD pid) {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    return std::string(folder) + "QuorvaneProbe-" + what + "-" + std::to_string(pid) + ".txt";
}
// One line per item of the system menu: "----" for a separator, else "<command id> <text>".
inline std::string SystemMenuReportPath(DWORD pid) { return ProbeFilePath("system-menu", pid); }
// One line per SystemParametersInfoA(SPI_SETDESKWALLPAPER) call: the tick count, a space, the path.
inline std::string WallpaperRecordPath(DWORD pid) { return ProbeFilePath("wallpapers", pid); }
inline std::string DropListPath(DWORD pid) { return ProbeFilePath("drop", pid); }
// One line per monitor, "left top right bottom" in virtual-screen coordinates, the primary first
// (its top-left at 0, 0). The probe removes the file once it has read it.
inline std::string MonitorListPath(DWORD pid) { return ProbeFilePath("monitors", pid); }

// Hooks QuorvaneProbe.dll (found beside this program) into `window`'s thread for the send of
// `message`; false when the probe could not be hooked or the window did not answer.
bool SendToProbe(HWND window, UINT message);
