// The phases of QuorvaneStress.exe, what they share, and how they report: every failed check
// prints what it got.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "DialogDriver.h"
#include "MainDialog.h"
#include "ProcessFigures.h"
#include "QuorvaneFiles.h"
#include "QuorvaneProcess.h"
#include "SettingsBytes.h"
#include "Wallpaper.h"

// Each phase returns the number of failed checks.
int RunCrashSafety(const std::string& dist, int kills, unsigned seed);
int RunTimerTicks(const std::string& dist, int ticks);
int RunBigList(const std::string& dist, int entries);
int RunApplyPresses(const std::string& dist, int presses);
int RunTwoCopies(const std::string& dist, int seconds, unsigned seed);
int RunHeldOpen(const std::string& dist);
int RunBadBitmaps(const std::string& dist, const std::string& bitmapFolder);

// "FAIL <what>: <got>" when !holds; returns 1 then, else 0.
int Check(bool holds, const std::string& what, const std::string& got = "");
// "figure <name>: <value>", the lines docs/reliability.md quotes; "  <text>" for progress.
void Figure(const std::string& name, const std::string& value);
void Note(const std::string& text);
void Print(const std::string& line);
std::string Fixed(double value, int decimals = 1);
std::string Ms(double milliseconds);

// How many changes of the probe's `record` set `entries` in list order, from the first.
size_t EntriesInOrder(const std::vector<WallpaperChange>& record, const std::vector<std::string>& entries);
// The mean time between the record's changes, in milliseconds.
double MeanPeriod(const std::vector<WallpaperChange>& record);
// Fails when GDI or USER objects, windows, kernel handles or private memory grew past a small
// bound from `before` to `after`.
int CheckFlat(const std::string& what, const ProcessFigures& before, const ProcessFigures& after);
