// The benchmark's stand-in for the main dialog: template IDD_BENCH_DIALOG, no code of its own.
#include "PreviewDialog.h"

#include "BenchSupport.h"

namespace {

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

}  // namespace

HWND ShowPreviewDialog() {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BENCH_DIALOG), nullptr,
                                     HostProc, 0);
    if (!dialog) Fail("cannot create the preview dialog");
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    PumpMessages();
    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_BENCH_FRAME), &frame);
    Say("preview: frame of %ld x %ld pixels", frame.right - frame.left, frame.bottom - frame.top);
    return dialog;
}
