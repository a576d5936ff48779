// ZelvoDrv, the icon changer: one window to give a drive a new icon or restore the defaults.
#include "main_window.h"
#include "program.h"

#include <commctrl.h>

namespace zelvo {
const char kProgramTitle[] = "ZelvoDrv";
}

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_STANDARD_CLASSES | ICC_WIN95_CLASSES};
    InitCommonControlsEx(&controls);

    zelvo::MainWindow window;
    if (!zelvo::MainWindow::Register(instance) || !window.Create(instance))
        return 1;
    if (!window.Load()) {
        DestroyWindow(window.hwnd());
        return 1;
    }
    window.Show();

    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (!IsDialogMessageA(window.hwnd(), &msg)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
    }
    return static_cast<int>(msg.wParam);
}
