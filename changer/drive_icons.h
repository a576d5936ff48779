// The icon changer's sequences over SystemOps for its two buttons: Apply and Restore Defaults.
#pragma once

#include "icon_findings.h"
#include "system_ops.h"
#include "usage_option.h"

#include <string>
#include <vector>

namespace zelvo {

struct ApplyOutcome {
    long error = 0; // the Win32 error of the failed step; 0 when stored
    // What else may decide the drive's icon, once stored (icon_check.h).
    IconSnapshot snapshot;
};

// Apply, with the updaters held from the write through the look that follows it, so that no pass
// comes in between: stores the location as the drive's override, creating its key, tells
// Explorer, and looks at what else may decide the drive's icon. A failed write is not looked
// at, and Explorer is not told. fixedRoots: the fixed drives' roots ("C:\"), whose icons the
// usage bars take over while chkProg is on.
ApplyOutcome ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location,
                            const UsageOption& chkProg, const std::vector<std::string>& fixedRoots);

// The message of a failed Apply, naming the drive and the system's reason.
std::string ApplyFailedMessage(char driveLetter, const std::string& reason);

// Restore Defaults: with running updaters waited for and new passes held off, chkProg is set off
// (which runs its switch-off when it was on) and its click handler runs once more; then every
// override goes with the whole DriveIcons key, and once more after a longer wait when the first
// ran out; then Explorer is told.
void RestoreDefaults(SystemOps& ops, UsageOption& chkProg);

} // namespace zelvo
