// QuorvaneStress.exe: crash safety and stress of the real Quorvane.EXE under Wine.
//   QuorvaneStress.exe <dist folder> <phase> [count] [seed]
// Phases: kills, ticks, big-list, apply, two-copies, held-open, bitmaps <folder of .bmp files>.
#include <cstdarg>
#include <cstdio>
#include <cstdlib>

#include "Stress.h"

int Check(bool holds, const char* what, ...) {
    va_list values;
    va_start(values, what);
    if (!holds) std::vprintf(("FAIL " + std::string(what) + "\n").c_str(), values);
    va_end(values);
    return holds ? 0 : 1;
}

void Figure(const char* format, ...) {
    va_list values;
    va_start(values, format);
    std::vprintf(("figure " + std::string(format) + "\n").c_str(), values);
    va_end(values);
}

int CheckList(const char* what, const std::vector<std::string>& entries) {
    return Check(ReadBytes(kListFile) == ListBytes(entries), "%s: the list holds %s", what, ListFileText().c_str());
}

StartedCopy::StartedCopy(DWORD milliseconds) {
    HWND shown = MainWindow(milliseconds);
    if (!Check(shown && Settle(shown, milliseconds), "the main window shows: %s", Running() ? "no" : "ended")) {
        dialog = shown;
    }
}

int StartedCopy::CheckClose(DWORD milliseconds) const {
    return Check(Close(milliseconds), "the program ends at the close box: %s", Running() ? "runs on" : "had ended");
}

int main(int argc, char** argv) {
    std::setvbuf(stdout, nullptr, _IONBF, 0);
    const std::string phase = argc > 2 ? argv[2] : "", arg = argc > 3 ? argv[3] : "";
    int count = std::atoi(arg.c_str());
    unsigned seed = argc > 4 ? unsigned(std::atoi(argv[4])) : 1;
    SetDistFolder(argc > 1 ? argv[1] : "");
    KeptDesktopWallpaper keptWallpaper;
    KeepUsersQuorvaneFolder();
    DWORD start = GetTickCount();
    int failures = phase == "kills"                     ? RunCrashSafety(count ? count : 300, seed)
                   : phase == "ticks"                   ? RunTimerTicks(count ? count : 2000)
                   : phase == "big-list"                ? RunBigList(count ? count : 10000)
                   : phase == "apply"                   ? RunApplyPresses(count ? count : 500)
                   : phase == "two-copies"              ? RunTwoCopies(count ? count : 60, seed)
                   : phase == "held-open"               ? RunHeldOpen()
                   : phase == "bitmaps" && !arg.empty() ? RunBadBitmaps(arg)
                                                        : -1;
    RemoveQuorvaneFolder();
    RestoreUsersQuorvaneFolder();
    if (failures < 0) std::fprintf(stderr, "usage: QuorvaneStress.exe <dist folder> kills|ticks|big-list|apply|"
                                   "two-copies|held-open [count] [seed], or bitmaps <folder of .bmp files>\n");
    if (failures >= 0) std::printf("%s %s: %d failed check(s), %.1f s\n", failures ? "FAILED" : "PASSED", phase.c_str(),
                                   failures, (GetTickCount() - start) / 1000.0);
    return failures < 0 ? 2 : failures > 0;
}
