// The dialog with the main dialog's preview frame, and the draw into that frame, step for step
// as in CWallpaperDlg::DrawPreviewImage (wallpaper/pictures/Preview.cpp).
#pragma once

#include <windows.h>

#include "res/BenchResource.h"

// As in the program: the picture is drawn this many pixels inside the frame on every side.
constexpr int kFrameInset = 3;

// Shows the dialog and handles its first paints; stops the run when it cannot.
HWND ShowPreviewDialog();

// The palette and the stretch, for a CDibImage or a CPictureImage.
template <class Image>
void DrawImage(HWND dialog, HDC dc, const Image* image) {
    HPALETTE palette = CreateDibPalette(image);
    HPALETTE previous = SelectPalette(dc, palette, FALSE);
    RealizePalette(dc);

    RECT frame;
    GetWindowRect(GetDlgItem(dialog, IDC_BENCH_FRAME), &frame);
    int width = frame.right - frame.left;
    int height = frame.bottom - frame.top;
    POINT topLeft{frame.left, frame.top};
    ScreenToClient(dialog, &topLeft);
    StretchDIBits(dc, topLeft.x + kFrameInset, topLeft.y + kFrameInset, width - 2 * kFrameInset,
                  height - 2 * kFrameInset, 0, 0, image->GetWidth(), image->GetHeight(), image->GetBits(),
                  image->GetPackedDib(), DIB_RGB_COLORS, SRCCOPY);

    SelectPalette(dc, previous, FALSE);
    DeleteObject(palette);
}
