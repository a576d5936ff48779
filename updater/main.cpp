// ZDrvs, the usage-bar updater: started at logon or by the icon changer; gives every fixed
// drive the usage-bar icon of its fill level, shows nothing and ends. Started with the
// notify-only argument (by the SYSTEM task's updater, in a user's session), it only tells that
// session's Explorer that icons changed: it writes nothing and creates no window.
#include "drives_window.h"
#include "program.h"
#include "startup_policy.h"
#include "update_pass.h"
#include "win_system_ops.h"
#include "window.h"

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR commandLine, int) {
    zelvo::LoadDllsFromSystem32Only();
    if (commandLine && zelvo::IsNotifyOnly(commandLine)) {
        zelvo::WinPassOps ops(zelvo::kUpdaterTitle);
        ops.NotifyIconsChanged();
        return 0;
    }
    // A hidden program: a drive that cannot be read must not bring up the system's error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    zelvo::DrivesWindow window;
    if (!zelvo::DrivesWindow::Register(instance) || !window.Create(instance))
        return zelvo::kExitWindowNotMade;
    window.Load(); // runs the pass and destroys the window, which posts the quit
    return zelvo::RunMessageLoop();
}
