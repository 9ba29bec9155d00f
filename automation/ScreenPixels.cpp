// Reads the screen through a 32-bit top-down DIB section, one BitBlt per shot.
#include "ScreenPixels.h"

#include <algorithm>

ScreenShot::ScreenShot(const RECT& area) : m_area(area) {
    int width = std::max(0L, area.right - area.left);
    int height = std::max(0L, area.bottom - area.top);
    m_pixels.assign(size_t(width) * size_t(height), CLR_INVALID);
    if (m_pixels.empty()) return;

    BITMAPINFO format{};
    format.bmiHeader.biSize = sizeof format.bmiHeader;
    format.bmiHeader.biWidth = width;
    format.bmiHeader.biHeight = -height;
    format.bmiHeader.biPlanes = 1;
    format.bmiHeader.biBitCount = 32;
    format.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    HBITMAP copy = CreateDIBSection(screen, &format, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (copy && bits) {
        HGDIOBJ previous = SelectObject(memory, copy);
        BitBlt(memory, 0, 0, width, height, screen, area.left, area.top, SRCCOPY);
        GdiFlush();
        const auto* pixel = static_cast<const BYTE*>(bits);
        for (COLORREF& color : m_pixels) {
            color = RGB(pixel[2], pixel[1], pixel[0]);
            pixel += 4;
        }
        SelectObject(memory, previous);
    }
    if (copy) DeleteObject(copy);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
}

COLORREF ScreenShot::At(int x, int y) const {
    POINT point{x, y};
    if (!PtInRect(&m_area, point)) return CLR_INVALID;
    size_t width = size_t(m_area.right - m_area.left);
    return m_pixels[size_t(y - m_area.top) * width + size_t(x - m_area.left)];
}

int ScreenShot::Count(const RECT& part, const std::function<bool(COLORREF)>& test) const {
    RECT clipped{};
    IntersectRect(&clipped, &part, &m_area);
    int count = 0;
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        for (int x = clipped.left; x < clipped.right; ++x) count += test(At(x, y)) ? 1 : 0;
    }
    return count;
}

RECT WindowRectOnScreen(HWND window) {
    RECT rect{};
    GetWindowRect(window, &rect);
    return rect;
}

RECT ClientRectOnScreen(HWND window) {
    RECT rect{};
    GetClientRect(window, &rect);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

RECT Shrunk(const RECT& rect, int pixels) {
    return RECT{rect.left + pixels, rect.top + pixels, rect.right - pixels, rect.bottom - pixels};
}

int PixelCount(const RECT& rect) { return std::max(0L, rect.right - rect.left) * std::max(0L, rect.bottom - rect.top); }

std::string RectText(const RECT& rect) {
    return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," +
           std::to_string(rect.bottom) + ")";
}
