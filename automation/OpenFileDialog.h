// The platform's open-file dialog (Explorer style) shown by another process.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The open-file dialog of process `pid`, or nullptr when none shows within the wait.
HWND WaitForOpenFileDialog(DWORD pid);

// Types `path` into the file-name box and presses OK; true once the dialog has gone.
bool ChooseFile(HWND fileDialog, const std::string& path);

// Types `path` into the file-name box and posts OK: the caller goes on at once.
void PostChooseFile(HWND fileDialog, const std::string& path);

// The entries of the file-type box, in order, and the one it shows.
std::vector<std::string> FileTypes(HWND fileDialog);
std::string ShownFileType(HWND fileDialog);
// Whether its list of files lets several be chosen at once.
bool AllowsSeveralFiles(HWND fileDialog);

// Presses Cancel; true once the dialog has gone.
bool CancelFileDialog(HWND fileDialog);
// Types `folder` into process `pid`'s folder picker and presses OK; false when no picker shows or it stays.
bool ChooseFolder(DWORD pid, const std::string& folder);
