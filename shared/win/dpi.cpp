#include "dpi.h"

#include "system_function.h"

namespace zelvo {

namespace {

// The calls of Windows 10 and later that this file binds.
template <typename Function> Function User32Function(const char* name) {
    return SystemFunction<Function>("user32.dll", name);
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, void*, UINT, UINT);

// The record as Windows Vista and later fill it; the headers of this build stop before the last
// field.
struct NonClientMetricsW : NONCLIENTMETRICSW {
    int iPaddedBorderWidth;
};

} // namespace

UINT ScreenDpi() {
    const WindowDc screen(nullptr);
    const int dpi = screen.get() ? GetDeviceCaps(screen.get(), LOGPIXELSY) : 0;
    return dpi > 0 ? static_cast<UINT>(dpi) : kDefaultDpi;
}

UINT WindowDpi(HWND hwnd) {
    static const auto forWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const UINT dpi = forWindow && hwnd ? forWindow(hwnd) : 0;
    return dpi ? dpi : ScreenDpi();
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi) {
    static const auto forDpi =
        User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
    if (!forDpi || !forDpi(&rect, style, FALSE, exStyle, dpi))
        AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

int SystemMetricForDpi(int index, UINT dpi) {
    static const auto forDpi =
        User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (forDpi)
        return forDpi(index, dpi);
    return MulDiv(GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
}

UniqueHfont MessageFontForDpi(UINT dpi) {
    static const auto forDpi =
        User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
    if (forDpi) {
        NonClientMetricsW metrics = {};
        metrics.cbSize = sizeof metrics;
        if (forDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
            return UniqueHfont(CreateFontIndirectW(&metrics.lfMessageFont));
    }
    // Before Windows 10 the system's font is sized for the screen: scale it.
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LONG& height = metrics.lfMessageFont.lfHeight;
    height = MulDiv(height, static_cast<int>(dpi), static_cast<int>(ScreenDpi()));
    return UniqueHfont(CreateFontIndirectA(&metrics.lfMessageFont));
}

} // namespace zelvo
