// What dialog-based main windows share: their own items of the system menu, and the program
// icon painted in the client area while minimized.
#pragma once

#include <windows.h>

#include "Wnd.h"

// Appends a separator and the item `commandId` with the text of string resource `stringId`
// to the window's system menu; nothing when the string is empty or missing.
FRAMEWORK_API void AppendSystemMenuItem(CWnd& window, UINT stringId, UINT commandId);

// Paints the minimized window: its icon background, then `icon` centred in the client area
// at the system's icon size.
FRAMEWORK_API void PaintMinimizedIcon(CWnd& window, HICON icon);
