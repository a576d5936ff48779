// The resolution a window is drawn at, and the system's measures at that resolution. The calls
// made for it on Windows 10 and later are bound at run time, so that the programs still start on
// older Windows, where every window has the screen's resolution.
#pragma once

#include "resolution.h"
#include "unique_handle.h"

#include <windows.h>

namespace zelvo {

// Sent to a per-monitor aware window: its new resolution and the place Windows suggests
// (WM_DPICHANGED), and the question of its size at a resolution (WM_GETDPISCALEDSIZE). Named
// here, as the headers declare them for newer Windows only.
constexpr UINT kDpiChangedMessage = 0x02E0;
constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The screen's resolution, for what is sized before it has a window.
UINT ScreenDpi();
// The resolution of the monitor a window is on (the screen's before Windows 10).
UINT WindowDpi(HWND hwnd);

// The outer rectangle of a window with this client rectangle, style and resolution.
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, UINT dpi);
// A system measure (SM_CXICON and the like) at a resolution.
int SystemMetricForDpi(int index, UINT dpi);
// The system's message font at a resolution.
UniqueHfont MessageFontForDpi(UINT dpi);

} // namespace zelvo
