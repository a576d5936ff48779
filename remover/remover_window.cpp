#include "remover_window.h"

#include "program.h"
#include "removal.h"
#include "resource.h"
#include "win_system_ops.h"

namespace zelvo {

namespace {

constexpr char kClassName[] = "ZelvoDrivesRemover";

RemoverWindow* FromHwnd(HWND hwnd) {
    return reinterpret_cast<RemoverWindow*>(GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

} // namespace

bool RemoverWindow::Register(HINSTANCE instance) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hIcon = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXICON),
                                             GetSystemMetrics(SM_CYICON), LR_SHARED));
    wc.hIconSm = static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_APP), IMAGE_ICON,
                                               GetSystemMetrics(SM_CXSMICON),
                                               GetSystemMetrics(SM_CYSMICON), LR_SHARED));
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExA(&wc) != 0;
}

bool RemoverWindow::Create(HINSTANCE instance) {
    return CreateWindowExA(0, kClassName, kProgramTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           this) != nullptr;
}

void RemoverWindow::Load() {
    WinSystemOps ops(hwnd_);
    RunRemoval(ops);
    OnClose();
}

LRESULT CALLBACK RemoverWindow::WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_NCCREATE) {
        auto* self = static_cast<RemoverWindow*>(
            reinterpret_cast<const CREATESTRUCTA*>(lParam)->lpCreateParams);
        self->hwnd_ = hwnd;
        SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    RemoverWindow* self = FromHwnd(hwnd);
    return self ? self->HandleMessage(msg, wParam, lParam)
                : DefWindowProcA(hwnd, msg, wParam, lParam);
}

LRESULT RemoverWindow::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_CLOSE:
        OnClose();
        return 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

// Closing cannot be cancelled; the window is the program's only one.
void RemoverWindow::OnClose() {
    DestroyWindow(hwnd_);
}

} // namespace zelvo
