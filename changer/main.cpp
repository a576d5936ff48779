// ZelvoDrv, the icon changer: one window to give a drive a new icon or restore the defaults.
#include "main_window.h"
#include "program.h"
#include "startup_policy.h"
#include "window.h"

#include <commctrl.h>

namespace {

// The 32-bit programs would install where a 64-bit Explorer never looks, and point every fixed
// drive at a library it cannot find.
constexpr char kWow64Text[] =
    "This is the 32-bit Zelvo Drives, and this Windows is 64-bit: it needs the 64-bit programs.\n\n"
    "Please install Zelvo Drives with its setup program, which chooses the programs that match "
    "this Windows by itself. Nothing has been changed.";

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    zelvo::LoadDllsFromSystem32Only();
    if (zelvo::RunsUnderWow64()) {
        MessageBoxA(nullptr, kWow64Text, zelvo::kChangerTitle, MB_OK | MB_ICONERROR);
        return 1;
    }

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
