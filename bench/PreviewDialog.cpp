// The benchmark's stand-in for the main dialog: template IDD_BENCH_DIALOG, no code of its own.
#include "PreviewDialog.h"

#include <algorithm>

#include "BenchSupport.h"
#include "PreviewPixels.h"

namespace {

// As in the program: the picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;

INT_PTR CALLBACK HostProc(HWND, UINT message, WPARAM, LPARAM) {
    return message == WM_INITDIALOG;
}

// The inside of the preview frame, in client coordinates.
RECT PreviewRect(HWND dialog) {
    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_BENCH_FRAME), &frame);
    ScreenToClient(dialog, reinterpret_cast<POINT*>(&frame.left));
    ScreenToClient(dialog, reinterpret_cast<POINT*>(&frame.right));
    InflateRect(&frame, -kFrameInset, -kFrameInset);
    return frame;
}

}  // namespace

HWND ShowPreviewDialog() {
    HWND dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_BENCH_DIALOG), nullptr,
                                     HostProc, 0);
    if (!dialog) Fail("cannot create the preview dialog");
    ShowWindow(dialog, SW_SHOWNORMAL);
    UpdateWindow(dialog);
    PumpMessages();
    return dialog;
}

SIZE PreviewSize(HWND dialog) {
    RECT inside = PreviewRect(dialog);
    return SIZE{std::max(1L, inside.right - inside.left), std::max(1L, inside.bottom - inside.top)};
}

void DrawPreviewPixels(HWND dialog, HPALETTE palette, const UprightPicture& picture) {
    HDC dc = GetDC(dialog);
    RECT inside = PreviewRect(dialog);
    DrawPicture(dc, palette, POINT{inside.left, inside.top}, picture);
    ReleaseDC(dialog, dc);
}
