#include "start_up.h"

#include "layout.h"
#include "usage_option.h"

namespace zelvo {

long InstallDefaultLibrary(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    const std::wstring source = ops.AppFile(kDefaultLibrarySource);
    // Nothing is copied into an unknown folder, nor from one that is not the program's own.
    if (system.empty() || source.empty())
        return 0;
    return CopyWhenMissing(ops, source, system + kDefaultLibraryFile);
}

void StartInstalledUpdater(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    if (system.empty())
        return;
    const std::string updater = system + kUpdaterFile;
    if (ops.FileExists(updater) != FileTest::Present)
        return;
    ops.PumpMessages();
    ops.ShellOpen(updater); // the result of a start is not examined
}

void RegisterUpdaterTask(SystemOps& ops) {
    if (const std::string system = ops.SystemFolder();
        !system.empty() && UsageBarsInstalled(ops, system))
        ops.RegisterLogonTask(system + kUpdaterFile);
}

} // namespace zelvo
