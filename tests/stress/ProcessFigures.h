// What a running copy holds: GDI and USER objects, kernel handles and private memory.
#pragma once

#include <windows.h>

#include <string>

struct ProcessFigures {
    long gdiObjects = -1;     // -1: could not be read
    long userObjects = -1;    // GetGuiResources' USER count when it gives one
    long windows = -1;        // the copy's windows, top-level and child
    long kernelHandles = -1;  // GetProcessHandleCount
    long long privateBytes = -1;
    std::string gdiSource;   // how gdiObjects was counted
    std::string gdiKinds;    // per entry type of the table, when it was read
    std::string userSource;  // how userObjects was counted
    std::string handleSource;
    std::string memorySource;

    std::string Text() const;
};

ProcessFigures FiguresOf(HANDLE process, DWORD pid);
