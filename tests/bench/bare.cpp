// The yardstick for the updater's start-up benchmark: a program of the same kind doing nothing
// of its own. It registers a class, creates a hidden window, destroys it and ends.
#include <windows.h>

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZelvoBenchBare";
    if (!RegisterClassExA(&wc))
        return 1;
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, wc.lpszClassName, "bare",
                                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 80,
                                        nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    DestroyWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
