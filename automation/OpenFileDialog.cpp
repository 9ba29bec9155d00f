// Drives the open-file dialog: its file-name box 0x47C is a ComboBoxEx32 whose text is the path; the combo box 0x470
// holds the file types.
#include "OpenFileDialog.h"

#include <commctrl.h>

#include "DialogDriver.h"

namespace {

const int kFileNameBox = 0x47C;
const int kFileTypeBox = 0x470;
const int kFolderNameBox = 0x480;  // the folder picker's edit
const DWORD kDialogMs = 15000;

bool PressAndWaitGone(HWND fileDialog, int button) {
    PostClick(fileDialog, button);
    return WaitUntil([&] { return !IsWindow(fileDialog); }, kDialogMs);
}

}  // namespace

HWND WaitForOpenFileDialog(DWORD pid) { return WaitForWindow(pid, nullptr, kFileNameBox, kDialogMs); }

void PostChooseFile(HWND fileDialog, const std::string& path) {
    SetControlText(fileDialog, kFileNameBox, path);
    PostClick(fileDialog, IDOK);
}

bool ChooseFile(HWND fileDialog, const std::string& path) {
    SetControlText(fileDialog, kFileNameBox, path);
    return PressAndWaitGone(fileDialog, IDOK);
}

std::vector<std::string> FileTypes(HWND fileDialog) { return ComboEntries(fileDialog, kFileTypeBox); }

std::string ShownFileType(HWND fileDialog) { return ControlText(fileDialog, kFileTypeBox); }

bool AllowsSeveralFiles(HWND fileDialog) {
    HWND view = FindWindowExA(fileDialog, nullptr, "SHELLDLL_DefView", nullptr);
    HWND list = FindWindowExA(view, nullptr, "SysListView32", nullptr);
    return list && !(GetWindowLongA(list, GWL_STYLE) & LVS_SINGLESEL);
}

bool CancelFileDialog(HWND fileDialog) { return PressAndWaitGone(fileDialog, IDCANCEL); }

bool ChooseFolder(DWORD pid, const std::string& folder) {
    HWND picker = WaitForWindow(pid, nullptr, kFolderNameBox, kDialogMs);
    return picker && SetControlText(picker, kFolderNameBox, folder) && PressAndWaitGone(picker, IDOK);
}
