#include "drives_window.h"

#include "drives.h"
#include "geometry.h"
#include "layout.h"
#include "program.h"
#include "resource.h"
#include "unique_handle.h"
#include "update_pass.h"
#include "win_system_ops.h"
#include "window.h"

namespace zelvo {

namespace {

constexpr char kTitle[] = "Zelvo /drives";
// Fixed single border without minimize and maximize boxes; kept out of the taskbar.
constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;
constexpr DWORD kWindowExStyle = WS_EX_TOOLWINDOW;
constexpr int kClientWidthTwips = 1110;
constexpr int kClientHeightTwips = 600;

// The window's outer size for its client area, computed once.
SIZE OuterSize() {
    static const SIZE size = WindowSizeForClient(kClientWidthTwips, kClientHeightTwips,
                                                 kWindowStyle, kWindowExStyle, ScreenDpi());
    return size;
}

BOOL CALLBACK CloseOtherWindow(HWND hwnd, LPARAM self) {
    if (hwnd != reinterpret_cast<HWND>(self))
        PostMessageA(hwnd, WM_CLOSE, 0, 0);
    return TRUE;
}

} // namespace

bool DrivesWindow::Register(HINSTANCE instance) {
    return RegisterWindowClass(instance, kUpdaterWindowClass, WndProc, IDI_APP);
}

bool DrivesWindow::Create(HINSTANCE instance) {
    instance_ = instance;
    const SIZE size = OuterSize();
    const POINT at = CentredOnScreen(size);
    return CreateWindowExA(kWindowExStyle, kUpdaterWindowClass, kTitle, kWindowStyle, at.x, at.y,
                           size.cx, size.cy, nullptr, nullptr, instance, this) != nullptr;
}

LRESULT CALLBACK DrivesWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_GETMINMAXINFO) {
        // The window is smaller than a captioned window's default minimum size: allow its own
        // size. Handled here, as the first one comes before WM_NCCREATE introduces the object.
        reinterpret_cast<MINMAXINFO*>(lParam)->ptMinTrackSize = {static_cast<LONG>(OuterSize().cx),
                                                                 static_cast<LONG>(OuterSize().cy)};
        return 0;
    }
    return Procedure(hwnd, msg, wParam, lParam);
}

LRESULT DrivesWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        OnPaint();
        return 0;
    case WM_DESTROY:
        Unload();
        PostQuitMessage(exitCode_);
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

void DrivesWindow::OnPaint() {
    const PaintDc paint(hwnd_);
    const HDC dc = paint.get();
    const SelectedObject font(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(COLOR_BTNTEXT));
    TEXTMETRICA metrics = {};
    GetTextMetricsA(dc, &metrics);
    int y = 0;
    for (const std::string& line : printed_) {
        TextOutA(dc, 0, y, line.c_str(), static_cast<int>(line.size()));
        y += metrics.tmHeight;
    }
}

void DrivesWindow::PrintLines(std::vector<std::string> lines) {
    printed_ = std::move(lines);
    InvalidateRect(hwnd_, nullptr, TRUE);
}

// When the window goes: closes every other window of the program (it has none).
void DrivesWindow::Unload() {
    EnumThreadWindows(GetCurrentThreadId(), CloseOtherWindow, reinterpret_cast<LPARAM>(hwnd_));
}

void DrivesWindow::Load() {
    sListAllDrives();
}

void DrivesWindow::sListAllDrives() {
    fields_.lstDrives = FixedDriveRoots();
    UpdateDriveIcons();
}

void DrivesWindow::UpdateDriveIcons() {
    WinPassOps ops(kUpdaterTitle);
    const PassResult result = zelvo::UpdateDriveIcons(
        ops, fields_, [this](std::vector<std::string> lines) { PrintLines(std::move(lines)); });
    exitCode_ = result.withoutLock ? kExitWithoutLock : 0;
    DestroyWindow(hwnd_);
}

} // namespace zelvo
