// The demo script's steps of QuorvaneE2E.exe, on the main window of whichever copy of Quorvane runs.
#include "DemoCommands.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "DialogDriver.h"
#include "MainDialog.h"

namespace {

const DWORD kAwaitMs = 60000;
const DWORD kCloseMs = 10000;

HWND WaitForMainWindow(DWORD milliseconds) {
    return WaitForWindow(kAnyProcess, "Quorvane", kWallpaperList, milliseconds);
}

int AwaitMainWindow() {
    HWND window = WaitForMainWindow(kAwaitMs);
    if (!window) {
        std::printf("Quorvane's main window did not show within %lu ms\n", kAwaitMs);
        return 1;
    }
    Repaint(window);
    std::printf("Quorvane's main window is shown\n");
    return 0;
}

int CloseMainWindow() {
    HWND window = WaitForMainWindow(kCloseMs);
    if (!window) {
        std::printf("no main window of Quorvane to close\n");
        return 1;
    }
    PostClose(window);
    bool gone = WaitUntil([&] { return !IsWindow(window); }, kCloseMs);
    std::printf(gone ? "Quorvane's main window closed\n" : "Quorvane's main window did not close\n");
    return gone ? 0 : 1;
}

}  // namespace

bool IsDemoCommand(const char* argument) {
    std::string command = argument;
    return command == "--await-main-window" || command == "--close-main-window";
}

int RunDemoCommand(const char* command) {
    return std::string(command) == "--await-main-window" ? AwaitMainWindow() : CloseMainWindow();
}
