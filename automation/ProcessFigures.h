// What a running process holds: GDI and USER objects, windows, kernel handles and private memory.
#pragma once

#include <windows.h>

#include <string>

struct ProcessFigures {
    long gdiObjects = -1;  // -1: could not be read
    long userObjects = -1;
    long windows = -1;  // top-level and child
    long kernelHandles = -1;
    long long privateBytes = -1;
    std::string gdiKinds;  // per entry type of the GDI handle table, when it was read
    // How each was counted, for the figures.
    std::string gdiSource, userSource, handleSource, memorySource;

    std::string Text() const;
};

// Under Wine GetGuiResources, GetProcessHandleCount and PrivateUsage answer 0 for another
// process, so the GDI count comes from the process's handle table, the kernel handles from the
// system's handle list and the private bytes from its committed private regions.
ProcessFigures FiguresOf(DWORD pid);
// The same for the process of `window`, once the window is repainted and its thread is idle.
ProcessFigures IdleFiguresOf(HWND window);
