// The dialog with the main dialog's preview frame, and the 1:1 draw into that frame, step for
// step as in CWallpaperDlg::DrawPreviewPixels (wallpaper/pictures/Preview.cpp).
#pragma once

#include <windows.h>

#include "PictureDecode.h"
#include "res/BenchResource.h"

// Shows the dialog and handles its first paints; stops the run when it cannot.
HWND ShowPreviewDialog();

// The size of the frame's inside, which a preview is shrunk to.
SIZE PreviewSize(HWND dialog);

// The window DC, the palette selected and realized, the pixels drawn 1:1 inside the frame.
void DrawPreviewPixels(HWND dialog, HPALETTE palette, const UprightPicture& picture);
