// Made-up monitors, shown to a program through QuorvaneProbe.dll.
#pragma once

#include <windows.h>

#include <vector>

// From now on the process of `window` sees `monitors` (virtual-screen rectangles, the primary
// first, its top-left at 0, 0) instead of the real ones; an empty list gives it the real ones back.
// False when the probe did not take the list.
bool FakeMonitors(HWND window, const std::vector<RECT>& monitors);
