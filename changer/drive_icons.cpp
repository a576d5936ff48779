#include "drive_icons.h"

#include "layout.h"
#include "removal_steps.h"

namespace zelvo {

long ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location) {
    const std::string key = DriveIconKeyPath(driveLetter);
    const long created = ops.CreateRegKey(key);
    const long written = ops.SetRegString(key, "", location);
    if (written == 0) {
        ops.NotifyIconsChanged();
        return 0;
    }
    // A key that could not be created is the cause of the failed write.
    return created != 0 ? created : written;
}

std::string ApplyFailedMessage(char driveLetter, const std::string& reason) {
    return std::string("The icon for drive ") + driveLetter + " could not be stored.\n\n" + reason;
}

void RestoreDefaults(SystemOps& ops, UsageOption& chkProg) {
    {
        // Without the wait, an updater in its pass would write overrides back, pointing at the
        // library just deleted. A wait that runs out goes on all the same.
        const UpdatersHeld held(ops);
        chkProg.assign(UsageOption::kOff);
        chkProg.Click();
        ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey); // the result is not examined
        if (!held.held())
            DeleteOverridesBehindASlowPass(ops);
    }
    ops.NotifyIconsChanged();
}

} // namespace zelvo
