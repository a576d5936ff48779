#include "remover_window.h"

#include "program.h"
#include "removal.h"
#include "resource.h"
#include "win_system_ops.h"
#include "window.h"

namespace zelvo {

namespace {

constexpr char kClassName[] = "ZelvoDrivesRemover";

} // namespace

bool RemoverWindow::Register(HINSTANCE instance) {
    return RegisterWindowClass(instance, kClassName, Procedure, IDI_APP);
}

bool RemoverWindow::Create(HINSTANCE instance) {
    return CreateWindowExA(0, kClassName, kRemoverTitle, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                           CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, instance,
                           this) != nullptr;
}

void RemoverWindow::Load() {
    WinSystemOps ops(hwnd_, kRemoverTitle);
    RunRemoval(ops);
    OnClose();
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
