// Pixels as the shared desktop shows them, read back so that a case can check what a program drew.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

// A rectangle of the screen copied at one moment; coordinates stay those of the screen.
class ScreenShot {
public:
    explicit ScreenShot(const RECT& area);

    const RECT& Area() const { return m_area; }
    // The colour at screen point (x, y), which must lie in the area.
    COLORREF At(int x, int y) const;
    // The number of pixels in `part` (clipped to the area) whose colour satisfies `test`.
    int Count(const RECT& part, const std::function<bool(COLORREF)>& test) const;
    bool operator==(const ScreenShot& other) const { return m_pixels == other.m_pixels; }

private:
    RECT m_area;
    std::vector<COLORREF> m_pixels;  // rows from the top
};

// The window's rectangle, and its client area, in screen coordinates.
RECT WindowRectOnScreen(HWND window);
RECT ClientRectOnScreen(HWND window);
RECT Shrunk(const RECT& rect, int pixels);
int PixelCount(const RECT& rect);

// "(left,top)-(right,bottom)", for the cases' messages.
std::string RectText(const RECT& rect);
