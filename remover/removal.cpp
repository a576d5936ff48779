#include "removal.h"

#include "layout.h"
#include "removal_steps.h"

namespace zelvo {

void RunRemoval(SystemOps& ops) {
    {
        // An updater in its pass would write overrides back after the key is gone.
        const UpdatersHeld held(ops);
        DeleteInstalledFiles(ops, ops.SystemFolder());
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
