// Starting, working and ending copies of Quorvane.EXE from outside; every wait has a bound.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// Control and command IDs of the main dialog "Quorvane".
const int kCurrentSelection = 1001;
const int kWallpaperList = 1002;
const int kAdd = 1003;
const int kRemove = 1004;
const int kSetWallpaperNow = 1005;
const int kMinutes = 1007;
const int kApplySettings = 1011;

// Polls `done` every `pollMs` until it holds or `milliseconds` pass; says whether it held.
bool WaitUntil(const std::function<bool()>& done, DWORD milliseconds, DWORD pollMs = 20);

// Milliseconds since the first call, with a sub-millisecond clock.
double NowMs();

// A copy of Quorvane.EXE started from the dist folder, with that folder as its working directory.
class QuorvaneCopy {
public:
    explicit QuorvaneCopy(const std::string& distFolder);
    // Ends the copy if it still runs.
    ~QuorvaneCopy();
    QuorvaneCopy(const QuorvaneCopy&) = delete;
    QuorvaneCopy& operator=(const QuorvaneCopy&) = delete;

    bool Started() const { return m_info.hProcess != nullptr; }
    DWORD Id() const { return m_info.dwProcessId; }
    HANDLE Process() const { return m_info.hProcess; }
    bool Running() const { return Started() && WaitForSingleObject(m_info.hProcess, 0) == WAIT_TIMEOUT; }
    bool WaitForExit(DWORD milliseconds) const;
    DWORD ExitCode() const;

    // The visible main dialog once start-up is over, or nullptr after `milliseconds`.
    HWND MainWindow(DWORD milliseconds = 20000);
    // TerminateProcess, then a bounded wait for the end; true when it has ended.
    bool Kill();
    // The close box, then a bounded wait for the end; true when it has ended.
    bool Close(DWORD milliseconds = 15000);

    // Loads the probe DLL into the copy and starts its record of wallpaper changes.
    bool StartWallpaperRecord();
    // The paths set so far, in order, with their tick counts.
    std::vector<std::pair<DWORD, std::string>> WallpaperRecord() const;

private:
    PROCESS_INFORMATION m_info{};
    HWND m_dialog = nullptr;
    HHOOK m_hook = nullptr;
};

// Sends and returns the answer, or false when the window did not answer within the bound.
bool Send(HWND window, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* answer = nullptr,
          DWORD milliseconds = 10000);
// A button press that returns when the handler is done.
bool Click(HWND dialog, int id, DWORD milliseconds = 10000);
// A button press that is queued; the caller goes on at once.
void PostClick(HWND dialog, int id);
// Returns once the dialog's thread has served every message sent or posted before.
bool Settle(HWND dialog, DWORD milliseconds = 10000);
// Has the whole dialog painted now, so that what painting caches is in place before a count.
void Repaint(HWND dialog);

std::string ControlText(HWND dialog, int id);
bool SetControlText(HWND dialog, int id, const std::string& text);
int ListCount(HWND dialog);
// Selects a list entry without telling the dialog, as its own code may.
bool SelectQuietly(HWND dialog, int index);
// Selects a list entry and tells the dialog, as a click does; queued.
void PostSelect(HWND dialog, int index);

// A visible top-level window of `pid` other than `except` (a message box or a file dialog).
HWND OtherVisibleWindow(DWORD pid, HWND except);
