// Positions and sizes in twips (1440 per inch), as the windows are designed, turned into pixels
// at the screen's resolution (15 twips a pixel at 96 dpi).
#pragma once

#include <windows.h>

namespace zelvo {

struct TwipRect {
    int left, top, width, height;
};

inline int TwipsToPixels(int twips) {
    const HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : 96;
    if (screen)
        ReleaseDC(nullptr, screen);
    return MulDiv(twips, dpi, 1440);
}

inline RECT ToPixels(const TwipRect& r) {
    const int left = TwipsToPixels(r.left);
    const int top = TwipsToPixels(r.top);
    return {left, top, left + TwipsToPixels(r.width), top + TwipsToPixels(r.height)};
}

// The outer size of a window whose client area has the given size in twips.
inline SIZE WindowSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle) {
    RECT r = {0, 0, TwipsToPixels(widthTwips), TwipsToPixels(heightTwips)};
    AdjustWindowRectEx(&r, style, FALSE, exStyle);
    return {r.right - r.left, r.bottom - r.top};
}

// The top-left corner that centres a window of this size on the primary screen's work area.
inline POINT CentredOnScreen(SIZE size) {
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return {work.left + (work.right - work.left - size.cx) / 2,
            work.top + (work.bottom - work.top - size.cy) / 2};
}

} // namespace zelvo
