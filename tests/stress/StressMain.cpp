// QuorvaneStress.exe: crash safety and stress of the real Quorvane.EXE under Wine.
//   QuorvaneStress.exe <dist folder> <phase> [count] [seed]
// Phases: kills, ticks, big-list, apply, two-copies, held-open, bitmaps <folder of .bmp files>.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>

#include "Files.h"
#include "Stress.h"

namespace {

const char* const kDesktopKey = "Control Panel\\Desktop";

// The user's wallpaper value, put back when the run ends.
class KeptWallpaperValue {
public:
    KeptWallpaperValue() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return;
        DWORD size = sizeof m_bytes;
        m_existed = RegQueryValueExA(key, "Wallpaper", nullptr, &m_type, m_bytes, &size) == ERROR_SUCCESS;
        m_size = size;
        RegCloseKey(key);
    }
    ~KeptWallpaperValue() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kDesktopKey, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
        if (m_existed) {
            RegSetValueExA(key, "Wallpaper", 0, m_type, m_bytes, m_size);
        } else {
            RegDeleteValueA(key, "Wallpaper");
        }
        RegCloseKey(key);
    }

private:
    bool m_existed = false;
    DWORD m_type = REG_SZ;
    BYTE m_bytes[1024] = {};
    DWORD m_size = 0;
};

int Usage() {
    std::fprintf(stderr,
                 "usage: QuorvaneStress.exe <dist folder> kills [count] [seed]\n"
                 "       QuorvaneStress.exe <dist folder> ticks [count]\n"
                 "       QuorvaneStress.exe <dist folder> big-list [entries]\n"
                 "       QuorvaneStress.exe <dist folder> apply [presses]\n"
                 "       QuorvaneStress.exe <dist folder> two-copies [seconds] [seed]\n"
                 "       QuorvaneStress.exe <dist folder> held-open\n"
                 "       QuorvaneStress.exe <dist folder> bitmaps <folder of .bmp files>\n");
    return 2;
}

}  // namespace

int Check(bool holds, const std::string& what, const std::string& got) {
    if (holds) return 0;
    std::printf("FAIL %s%s%s\n", what.c_str(), got.empty() ? "" : ": ", got.c_str());
    std::fflush(stdout);
    return 1;
}

void Figure(const std::string& name, const std::string& value) {
    std::printf("figure %s: %s\n", name.c_str(), value.c_str());
    std::fflush(stdout);
}

void Note(const std::string& text) {
    std::printf("  %s\n", text.c_str());
    std::fflush(stdout);
}

std::string Fixed(double value, int decimals) {
    char text[64];
    std::snprintf(text, sizeof text, "%.*f", decimals, value);
    return text;
}

int main(int argc, char** argv) {
    if (argc < 3) return Usage();
    std::string dist = argv[1];
    std::string phase = argv[2];
    auto number = [&](int at, long fallback) { return argc > at ? std::strtol(argv[at], nullptr, 10) : fallback; };

    KeptWallpaperValue keptWallpaper;
    KeepUsersQuorvaneFolder();
    DWORD start = GetTickCount();
    int failures = 0;
    if (phase == "kills") {
        failures = RunCrashSafety(dist, int(number(3, 300)), unsigned(number(4, 1)));
    } else if (phase == "ticks") {
        failures = RunTimerTicks(dist, int(number(3, 2000)));
    } else if (phase == "big-list") {
        failures = RunBigList(dist, int(number(3, 10000)));
    } else if (phase == "apply") {
        failures = RunApplyPresses(dist, int(number(3, 500)));
    } else if (phase == "two-copies") {
        failures = RunTwoCopies(dist, int(number(3, 60)), unsigned(number(4, 1)));
    } else if (phase == "held-open") {
        failures = RunHeldOpen(dist);
    } else if (phase == "bitmaps" && argc > 3) {
        failures = RunBadBitmaps(dist, argv[3]);
    } else {
        RestoreUsersQuorvaneFolder();
        return Usage();
    }
    RestoreUsersQuorvaneFolder();
    std::printf("%s %s: %d failed check(s), %.1f s\n", failures ? "FAILED" : "PASSED", phase.c_str(), failures,
                (GetTickCount() - start) / 1000.0);
    return failures ? 1 : 0;
}
