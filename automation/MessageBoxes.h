// Another process's message boxes: finding one, reading it, and answering it as its user would.
#pragma once

#include <windows.h>

#include <string>

// A visible message box of process `pid` captioned `caption`, or nullptr when none shows
// within `milliseconds`.
HWND WaitForMessageBox(DWORD pid, const char* caption, DWORD milliseconds);
// A visible message box of process `pid` with any caption, or nullptr.
HWND FindMessageBox(DWORD pid);

std::string MessageBoxText(HWND box);
// The buttons the box holds, by name: "OK", "Abort Retry Ignore", ...
std::string MessageBoxButtons(HWND box);
bool MessageBoxHasIcon(HWND box);

// Presses button `id` (IDOK, IDABORT, IDRETRY, IDIGNORE) with a posted click.
void AnswerMessageBox(HWND box, int id);
// A box is hidden before it is destroyed: waits until it is either; false when it still shows.
bool WaitUntilGone(HWND box, DWORD milliseconds);
// Waits until the box no longer exists at all, so that the code that showed it has gone on.
bool WaitUntilDestroyed(HWND box, DWORD milliseconds);
