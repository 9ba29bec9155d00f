// QuorvaneStress.exe: crash safety and stress of the real Quorvane.EXE under Wine.
//   QuorvaneStress.exe <dist folder> <phase> [count] [seed]
// Phases: kills, ticks, big-list, apply, two-copies, held-open, bitmaps <folder of .bmp files>.
#include <cstdio>
#include <cstdlib>
#include <tuple>

#include "Stress.h"

int Check(bool holds, const std::string& what, const std::string& got) {
    if (!holds) Print("FAIL " + what + (got.empty() ? "" : ": ") + got);
    return holds ? 0 : 1;
}

void Figure(const std::string& name, const std::string& value) { Print("figure " + name + ": " + value); }

void Note(const std::string& text) { Print("  " + text); }

void Print(const std::string& line) {
    std::printf("%s\n", line.c_str());
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

std::string Ms(double milliseconds) { return Fixed(milliseconds) + " ms"; }

size_t EntriesInOrder(const std::vector<WallpaperChange>& record, const std::vector<std::string>& entries) {
    size_t inOrder = 0;
    while (inOrder < record.size() && record[inOrder].value == entries[inOrder % entries.size()]) ++inOrder;
    return inOrder;
}

double MeanPeriod(const std::vector<WallpaperChange>& record) {
    return record.size() > 1 ? double(record.back().atMs - record.front().atMs) / double(record.size() - 1) : 0.0;
}

// The bounds hold from the end of a warm-up, once what the platform caches for painting is filled.
int CheckFlat(const std::string& what, const ProcessFigures& before, const ProcessFigures& after) {
    const std::tuple<const char*, long long, long long, long long> counts[] = {
        {"GDI objects", before.gdiObjects, after.gdiObjects, 8},
        {"USER objects", before.userObjects, after.userObjects, 8},
        {"windows", before.windows, after.windows, 0},
        {"kernel handles", before.kernelHandles, after.kernelHandles, 4},
        {"private bytes", before.privateBytes, after.privateBytes, 1 << 20}};
    int failures = 0;
    for (const auto& [name, from, to, bound] : counts) {
        failures +=
            Check(from >= 0 && to <= from + bound, what + ": " + name + " grow by at most " + std::to_string(bound),
                  std::to_string(from) + " -> " + std::to_string(to));
    }
    return failures;
}

int main(int argc, char** argv) {
    std::string phase = argc > 2 ? argv[2] : "";
    auto number = [&](int at, long fallback) { return argc > at ? std::strtol(argv[at], nullptr, 10) : fallback; };
    KeptDesktopWallpaper keptWallpaper;
    KeepUsersQuorvaneFolder();
    DWORD start = GetTickCount();
    int failures = -1;
    if (phase == "kills") failures = RunCrashSafety(argv[1], int(number(3, 300)), unsigned(number(4, 1)));
    if (phase == "ticks") failures = RunTimerTicks(argv[1], int(number(3, 2000)));
    if (phase == "big-list") failures = RunBigList(argv[1], int(number(3, 10000)));
    if (phase == "apply") failures = RunApplyPresses(argv[1], int(number(3, 500)));
    if (phase == "two-copies") failures = RunTwoCopies(argv[1], int(number(3, 60)), unsigned(number(4, 1)));
    if (phase == "held-open") failures = RunHeldOpen(argv[1]);
    if (phase == "bitmaps" && argc > 3) failures = RunBadBitmaps(argv[1], argv[3]);
    RemoveQuorvaneFolder();
    RestoreUsersQuorvaneFolder();
    if (failures < 0) {
        std::fprintf(stderr,
                     "usage: QuorvaneStress.exe <dist folder> kills|ticks|big-list|apply|two-copies|held-open "
                     "[count] [seed], or bitmaps <folder of .bmp files>\n");
        return 2;
    }
    std::printf("%s %s: %d failed check(s), %.1f s\n", failures ? "FAILED" : "PASSED", phase.c_str(), failures,
                (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
