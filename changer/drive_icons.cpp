#include "drive_icons.h"

#include "icon_check.h"
#include "layout.h"
#include "removal_steps.h"
#include "texts.h"

#include <algorithm>

namespace zelvo {

namespace {

// Whether the usage bars are on for the drive: a fixed drive, with the option on and the updater
// and its library in place.
bool UsageBarsOver(SystemOps& ops, char driveLetter, const UsageOption& chkProg,
                   const std::vector<std::string>& fixedRoots) {
    const bool fixed =
        std::any_of(fixedRoots.begin(), fixedRoots.end(),
                    [driveLetter](const std::string& root) { return root[0] == driveLetter; });
    const std::string system = ops.SystemFolder();
    return fixed && chkProg.isOn() && !system.empty() && UsageBarsInstalled(ops, system);
}

} // namespace

ApplyOutcome ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location,
                            const UsageOption& chkProg,
                            const std::vector<std::string>& fixedRoots) {
    ApplyOutcome outcome;
    const UpdatersHeld held(ops); // a wait that runs out goes on all the same
    const std::string key = DriveIconKeyPath(driveLetter);
    const long created = ops.CreateRegKey(key);
    const long written = ops.SetRegString(key, "", location);
    if (written != 0) {
        // A key that could not be created is the cause of the failed write.
        outcome.error = created != 0 ? created : written;
        return outcome;
    }
    ops.NotifyIconsChanged();
    outcome.snapshot = LookAtAppliedIcon(ops, driveLetter, location,
                                         UsageBarsOver(ops, driveLetter, chkProg, fixedRoots));
    return outcome;
}

std::string ApplyFailedMessage(char driveLetter, const std::string& reason) {
    return kApplyFailedBefore + std::string(1, driveLetter) + kApplyFailedAfter + "\n\n" + reason;
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
