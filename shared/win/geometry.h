// Positions and sizes in twips (1440 per inch), as the windows are designed, turned into pixels
// at a window's resolution (15 twips a pixel at 96 dpi).
#pragma once

#include "dpi.h"

#include <windows.h>

namespace zelvo {

constexpr int kTwipsPerInch = 1440;

struct TwipRect {
    int left, top, width, height;
};

inline int TwipsToPixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}

inline RECT ToPixels(const TwipRect& r, UINT dpi) {
    const int left = TwipsToPixels(r.left, dpi);
    const int top = TwipsToPixels(r.top, dpi);
    return {left, top, left + TwipsToPixels(r.width, dpi), top + TwipsToPixels(r.height, dpi)};
}

// The outer size of a window whose client area has the given size in twips.
inline SIZE WindowSizeForClient(int widthTwips, int heightTwips, DWORD style, DWORD exStyle,
                                UINT dpi) {
    RECT r = {0, 0, TwipsToPixels(widthTwips, dpi), TwipsToPixels(heightTwips, dpi)};
    AdjustWindowRectForDpi(r, style, exStyle, dpi);
    return {r.right - r.left, r.bottom - r.top};
}

// The primary screen's work area: the screen without the taskbar.
inline RECT WorkArea() {
    RECT work;
    if (!SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0))
        work = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return work;
}

// The top-left corner that centres a window of this size on an area.
inline POINT CentredOn(const RECT& area, SIZE size) {
    return {area.left + (area.right - area.left - size.cx) / 2,
            area.top + (area.bottom - area.top - size.cy) / 2};
}

// The top-left corner that centres a window of this size on the primary screen's work area.
inline POINT CentredOnScreen(SIZE size) {
    return CentredOn(WorkArea(), size);
}

} // namespace zelvo
