// ZelvoDrv, the icon changer: one window to give a drive a new icon or restore the defaults.
#include "main_window.h"
#include "program.h"
#include "window.h"

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
    return zelvo::RunMessageLoop(window.hwnd());
}
