// What the programs' window classes share: registration with the program's icon, and the
// routing of a window's messages to the object that owns it.
#pragma once

#include <windows.h>

#include <string>

namespace zelvo {

// Registers a top-level window class with the program's icon (resource iconId, large and
// small), the arrow cursor and the dialog colour as background.
inline bool RegisterWindowClass(HINSTANCE instance, const char* className, WNDPROC proc,
                                int iconId) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

// The window procedure of windows owned by objects of type T: the object comes as the creation
// parameter, learns its window at WM_NCCREATE and handles every message in
// T::HandleMessage(msg, wParam, lParam) until the window is gone. T befriends this template.
template <typename T>
LRESULT CALLBACK RoutedWindowProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self =
            static_cast<T*>(reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!self)
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    if (msg == WM_NCDESTROY) {
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        self->hwnd_ = nullptr;
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
    return self->HandleMessage(msg, wParam, lParam);
}

// The text of a window or control (empty when it has none or is gone).
inline std::string WindowText(HWND hwnd) {
    std::string text(static_cast<std::size_t>(GetWindowTextLengthA(hwnd)) + 1, '\0');
    text.resize(
        static_cast<std::size_t>(GetWindowTextA(hwnd, text.data(), static_cast<int>(text.size()))));
    return text;
}

// Creates a child control of parent at a pixel rectangle, in the given font.
inline HWND CreateChildControl(HWND parent, int id, const char* className, const char* text,
                               DWORD style, DWORD exStyle, const RECT& r, HFONT font) {
    const auto instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    const HWND control =
        CreateWindowExA(exStyle, className, text, WS_CHILD | style, r.left, r.top, r.right - r.left,
                        r.bottom - r.top, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)),
                        instance, nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// Runs the thread's messages until the quit and gives its exit code; with a window, also the
// keyboard navigation of its controls (Tab, access keys).
inline int RunMessageLoop(HWND window = nullptr) {
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (window && IsDialogMessageA(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}

} // namespace zelvo
