// Reads the system menu of another process's window.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

// The items of `window`'s system menu, one string each: "----" for a separator, else
// "<command id> <text>". Empty when the menu could not be read.
std::vector<std::string> SystemMenuItems(HWND window);
