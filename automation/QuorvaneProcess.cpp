// Starts and ends Quorvane.EXE for one case.
#include "QuorvaneProcess.h"

#include <cstdio>
#include <vector>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "MessageBoxes.h"

namespace {

std::string g_distFolder;

// What stands in the way of the main dialog, for the case's output.
void ReportMissingMainWindow(const std::vector<HWND>& shown, bool running, DWORD exitCode, DWORD milliseconds) {
    if (!shown.empty()) {
        std::fprintf(stderr, "instead of its main window Quorvane shows \"%s\" saying \"%s\"\n",
                     WindowCaption(shown.front()).c_str(), MessageBoxText(shown.front()).c_str());
    } else if (!running) {
        std::fprintf(stderr, "Quorvane ended at start-up with exit code 0x%lX\n", exitCode);
    } else {
        std::fprintf(stderr, "Quorvane showed no window within %lu ms\n", milliseconds);
    }
}

}  // namespace

void SetDistFolder(const std::string& folder) { g_distFolder = folder; }

const std::string& DistFolder() { return g_distFolder; }

QuorvaneProcess::QuorvaneProcess(StartMode mode) : QuorvaneProcess(g_distFolder, mode) {}

QuorvaneProcess::QuorvaneProcess(const std::string& folder, StartMode mode)
    : ProgramProcess(folder, "Quorvane.EXE", mode) {}

// The wait ends early when another window of the program shows (a message box) or it ends.
HWND QuorvaneProcess::MainWindow(DWORD milliseconds) const {
    if (!Started()) return nullptr;
    HWND dialog = nullptr;
    std::vector<HWND> shown;
    WaitUntil(
        [&] {
            shown = VisibleWindows(Id());
            dialog = FindVisibleWindow(Id(), "Quorvane", kWallpaperList);
            return dialog || !shown.empty() || !Running();
        },
        milliseconds, 10);
    if (!dialog) {
        ReportMissingMainWindow(shown, Running(), ExitCode(), milliseconds);
        return nullptr;
    }
    WaitForInputIdle(Handle(), milliseconds);
    return dialog;
}

bool QuorvaneProcess::Close(DWORD milliseconds) const {
    HWND dialog = FindVisibleWindow(Id(), "Quorvane", kWallpaperList);
    if (!dialog) return false;
    PostClose(dialog);
    return WaitForExit(milliseconds);
}
