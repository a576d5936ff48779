#include "removal.h"

#include "layout.h"
#include "removal_steps.h"

namespace zelvo {

namespace {

// An updater still starting, with neither its window nor the lock yet, keeps its file busy. With
// the lock held here it writes nothing and ends within its own wait for the lock: that end is
// waited for, so that its file goes now and not only at the next restart.
void WaitForStartingUpdaters(SystemOps& ops, const std::string& system) {
    for (const std::string& folder : {system, ops.Wow64SystemFolder()}) {
        if (!folder.empty())
            ops.WaitForProgramToEnd(folder + kUpdaterFile, kSlowUpdaterPassWaitMs);
    }
}

} // namespace

void RunRemoval(SystemOps& ops) {
    {
        // An updater in its pass would write overrides back after the key is gone.
        const UpdatersHeld held(ops);
        const std::string system = ops.SystemFolder();
        if (held.held())
            WaitForStartingUpdaters(ops, system);
        DeleteInstalledFiles(ops, system);
        RemoveWow64Leftovers(ops);
        ops.PumpMessages();
        ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
        ops.DeleteLogonTask();
        ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey);
        if (!held.held())
            DeleteOverridesBehindASlowPass(ops);
    }
    ops.PumpMessages();
    ops.NotifyIconsChanged();
}

} // namespace zelvo
