// How many GDI objects another process holds, for cases that look for leaks.
#pragma once

#include <windows.h>

#include <string>

struct GdiObjectCount {
    long count = -1;     // -1 when it could not be read
    std::string source;  // how it was read, for the case's output
};

// Wine's GetGuiResources is a stub that answers 0, so when it does the count is taken from the
// process's GDI handle table instead.
GdiObjectCount GdiObjectsOf(DWORD pid);
