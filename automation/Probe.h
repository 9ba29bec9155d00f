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
// From then on the program's EnumDisplayMonitors and GetMonitorInfoA show the
// monitors of MonitorListPath instead of the real ones (all of them again when the list is empty).
inline UINT FakeMonitorsMessage() { return RegisterWindowMessageA("QuorvaneProbe.FakeMonitors"); }
// Writes PopupMenuReportPath for the popup menu window (class "#32768") it is sent to.
inline UINT ReadPopupMenuMessage() { return RegisterWindowMessageA("QuorvaneProbe.ReadPopupMenu"); }

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
// One line per item of a popup menu: "<command id> <fType> <fState> <text>", as MENUITEMINFOA has them.
inline std::string PopupMenuReportPath(DWORD pid) { return ProbeFilePath("popup-menu", pid); }

// There while a program started with StartProbed is being armed; the probe removes it once armed.
inline std::string ProbeArmPath(DWORD pid) { return ProbeFilePath("arm", pid); }
// Of an armed program: one line per Shell_NotifyIconA call, written before the call is passed on:
// "<tick count> <message> <uID> <hWnd> <uCallbackMessage> <uFlags> <tip length> <tip>", numbers in
// decimal, the message by its name below (a number for any other), the tip empty without NIF_TIP.
inline std::string NotifyIconRecordPath(DWORD pid) { return ProbeFilePath("notify-icon", pid); }
inline const char* const kNotifyIconMessageNames[] = {"ADD", "MODIFY", "DELETE", "SETFOCUS", "SETVERSION"};
// Of an armed program: while there, SHQueryUserNotificationState answers the decimal number it
// holds (a QUERY_USER_NOTIFICATION_STATE) with S_OK; read at every call.
inline std::string NotificationStatePath(DWORD pid) { return ProbeFilePath("notification-state", pid); }

// Removes the record and the notification state of process `pid`: Wine soon gives a new process
// the id of one that ended, files included.
void RemoveProbeFiles(DWORD pid);
// Lets the process, created with CREATE_SUSPENDED, run with QuorvaneProbe.dll armed in it from its
// first line, and waits until the probe is armed; false when it did not arm (the process runs on).
bool StartProbed(const PROCESS_INFORMATION& process);

// Hooks QuorvaneProbe.dll (found beside this program) into `window`'s thread for the send of
// `message`; false when the probe could not be hooked or the window did not answer.
bool SendToProbe(HWND window, UINT message);
