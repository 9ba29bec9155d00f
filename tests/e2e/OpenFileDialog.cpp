// Drives the open-file dialog: its file-name box 0x47C is a ComboBoxEx32 whose text is the path.
#include "OpenFileDialog.h"

#include "DialogDriver.h"

namespace {

const int kFileNameBox = 0x47C;
const DWORD kDialogMs = 15000;

bool PressAndWaitGone(HWND fileDialog, int button) {
    PostClick(fileDialog, button);
    return WaitUntil([&] { return !IsWindow(fileDialog); }, kDialogMs);
}

}  // namespace

HWND WaitForOpenFileDialog(DWORD pid) { return WaitForWindow(pid, nullptr, kFileNameBox, kDialogMs); }

bool ChooseFile(HWND fileDialog, const std::string& path) {
    DWORD_PTR result = 0;
    SendMessageTimeoutA(GetDlgItem(fileDialog, kFileNameBox), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(path.c_str()),
                        SMTO_ABORTIFHUNG, kDialogMs, &result);
    return PressAndWaitGone(fileDialog, IDOK);
}

bool CancelFileDialog(HWND fileDialog) { return PressAndWaitGone(fileDialog, IDCANCEL); }
