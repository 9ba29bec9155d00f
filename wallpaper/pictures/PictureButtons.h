// Picture buttons: a visible bitmap push button put exactly over each hidden template button,
// under the same control ID. Both programs use this routine.
#pragma once

#include <windows.h>

#include "Controls.h"

struct PictureButton {
    UINT id;
    const char* bitmapName;
    CBitmapButton* button;
    HBITMAP* bitmap;  // loaded once, kept until the program ends
};

enum class ButtonFailures { Report, Ignore };

// Creates the buttons in table order. With ButtonFailures::Report a button that cannot be
// created, or whose bitmap cannot be loaded, is reported with a message box and the rest go on.
void CreatePictureButtons(CWnd& dialog, const PictureButton* buttons, size_t count, ButtonFailures failures);
