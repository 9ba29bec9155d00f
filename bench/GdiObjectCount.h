// The GDI objects another process holds.
#pragma once

#include <windows.h>

// GetGuiResources(GR_GDIOBJECTS); where that answers 0 (Wine's is a stub), the used entries
// of the process's GDI handle table. -1 when neither can be read.
long GdiObjectsOf(HANDLE process, DWORD processId);
