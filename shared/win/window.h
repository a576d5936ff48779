// What the programs' window classes share: registration, and the routing of a window's or a
// dialog's messages to the object that owns it.
#pragma once

#include <windows.h>

#include <string>

namespace zelvo {

// A window class with no icon of its own (a child window's).
constexpr int kNoIcon = 0;

// Registers a window class with the arrow cursor, the given background (the dialog colour unless
// said) and, for a top-level window, the program's icon (resource iconId, large and small).
inline bool RegisterWindowClass(HINSTANCE instance, const char* className, WNDPROC proc, int iconId,
                                HBRUSH background = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1)) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = proc;
    wc.hInstance = instance;
    if (iconId != kNoIcon) {
        wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                 GetSystemMetrics(SM_CXICON),
                                                 GetSystemMetrics(SM_CYICON), LR_SHARED));
        wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(iconId), IMAGE_ICON,
                                                   GetSystemMetrics(SM_CXSMICON),
                                                   GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    }
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = background;
    wc.lpszClassName = className;
    return RegisterClassExA(&wc) != 0;
}

// How the messages of a window reach the object that owns it: a window made by CreateWindowExA
// with the object as its creation parameter, the object kept in GWLP_USERDATA from WM_NCCREATE.
struct WindowRoute {
    using Result = LRESULT;
    static constexpr UINT kFirstMessage = WM_NCCREATE;
    static constexpr int kSlot = GWLP_USERDATA;
    static void* Object(LPARAM lParam) {
        return reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams;
    }
    static LRESULT Unhandled(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        return DefWindowProcA(hwnd, msg, wParam, lParam);
    }
};

// The same for a dialog box of a resource script: DialogBoxParamA with the object as its
// parameter, the object kept in DWLP_USER from WM_INITDIALOG.
struct DialogRoute {
    using Result = INT_PTR;
    static constexpr UINT kFirstMessage = WM_INITDIALOG;
    static constexpr int kSlot = DWLP_USER;
    static void* Object(LPARAM lParam) { return reinterpret_cast<void*>(lParam); }
    static INT_PTR Unhandled(HWND, UINT, WPARAM, LPARAM) { return FALSE; }
};

// The base of a class T whose objects each own a window (or dialog), whose procedure is
// Procedure: the object learns its window at the route's first message and handles every
// message in HandleMessage until the window is gone (WM_NCDESTROY).
template <typename T, typename Route> class Routed {
  public:
    HWND hwnd() const { return hwnd_; }

  protected:
    using Result = typename Route::Result;

    Routed() = default;
    ~Routed() = default;
    Routed(const Routed&) = delete;
    Routed& operator=(const Routed&) = delete;

    static Result CALLBACK Procedure(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
        if (msg == Route::kFirstMessage) {
            T* self = static_cast<T*>(Route::Object(lParam));
            self->hwnd_ = hwnd;
            SetWindowLongPtrA(hwnd, Route::kSlot, reinterpret_cast<LONG_PTR>(self));
        }
        T* self = reinterpret_cast<T*>(GetWindowLongPtrA(hwnd, Route::kSlot));
        if (!self)
            return Route::Unhandled(hwnd, msg, wParam, lParam);
        if (msg == WM_NCDESTROY) {
            SetWindowLongPtrA(hwnd, Route::kSlot, 0);
            self->hwnd_ = nullptr;
            return Route::Unhandled(hwnd, msg, wParam, lParam);
        }
        return static_cast<Routed*>(self)->HandleMessage(msg, wParam, lParam);
    }

    virtual Result HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) = 0;

    HWND hwnd_ = nullptr;
};

template <typename T> using RoutedWindow = Routed<T, WindowRoute>;
template <typename T> using RoutedDialog = Routed<T, DialogRoute>;

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

// Runs every window message waiting in this thread's queue, then returns; false when it met the
// quit, which it leaves for the program's own message loop. With a window, also the keyboard
// navigation of its controls, as the message loop has it (Tab, access keys, F1).
inline bool PumpWaitingMessages(HWND window = nullptr) {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (window && IsDialogMessageA(window, &msg))
            continue;
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

// Waits for an object for at most `milliseconds`, running the thread's window messages meanwhile so
// that its windows keep answering (and `window`'s controls their keyboard); gives what
// WaitForSingleObject would.
inline DWORD WaitPumpingMessages(HANDLE object, DWORD milliseconds, HWND window = nullptr) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed < milliseconds ? milliseconds - elapsed : 0;
        // Messages already waiting count too, not only those that come during the wait.
        const DWORD wait =
            MsgWaitForMultipleObjectsEx(1, &object, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (wait != WAIT_OBJECT_0 + 1)
            return wait;
        // A quit met here stays for the program's loop, and would wake this wait at once again.
        if (!PumpWaitingMessages(window))
            return WaitForSingleObject(object, left);
    }
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
