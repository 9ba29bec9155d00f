// How many GDI objects another process holds, for cases that look for leaks.
#pragma once

#include <windows.h>

#include <string>

struct GdiObjectCount {
    long count = -1;     // -1 when it could not be read
    std::string source;  // how it was read, for the case's output
    std::string kinds;   // from the handle table: the count of each entry type, "0x1:42 0x4:40 ..."
};

// Wine's GetGuiResources is a stub that answers 0, so when it does the count is taken from the
// process's GDI handle table instead.
GdiObjectCount GdiObjectsOf(DWORD pid);
