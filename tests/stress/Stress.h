// The phases of QuorvaneStress.exe and what they share; every failed check prints what it got.
#pragma once

#include "DialogDriver.h"
#include "MainDialog.h"
#include "ProcessFigures.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"
#include "Wallpaper.h"

// Each phase starts Quorvane.EXE from the dist folder and returns the number of failed checks.
int RunCrashSafety(int kills, unsigned seed);
int RunTimerTicks(int ticks);
int RunBigList(int entries);
int RunApplyPresses(int presses);
int RunTwoCopies(int seconds, unsigned seed);
int RunHeldOpen();
int RunBadBitmaps(const std::string& bitmapFolder);

// "FAIL <what>" when !holds, `what` a printf format whose values tell what was got; 1 then, else 0.
int Check(bool holds, const char* what, ...) __attribute__((format(gnu_printf, 2, 3)));
// "figure <name>: <value>", from a printf format: the lines docs/reliability.md quotes.
void Figure(const char* format, ...) __attribute__((format(gnu_printf, 1, 2)));
// Fails unless the list file is exactly that of `entries`.
int CheckList(const char* what, const std::vector<std::string>& entries);

// A copy started over the files laid out, its main window checked: nullptr when it did not show.
struct StartedCopy : QuorvaneProcess {
    HWND dialog = nullptr;
    explicit StartedCopy(DWORD milliseconds = 15000);
    int CheckClose(DWORD milliseconds = 15000) const;
};
