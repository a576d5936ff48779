// The icon changer's sequences over SystemOps for its two buttons: Apply and Restore Defaults.
#pragma once

#include "system_ops.h"
#include "usage_option.h"

#include <string>

namespace zelvo {

// Apply: stores the location as the drive's override, creating its key, and tells Explorer.
// 0 when stored; otherwise the Win32 error of the failed step, and Explorer is not told.
long ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location);

// The message of a failed Apply, naming the drive and the system's reason.
std::string ApplyFailedMessage(char driveLetter, const std::string& reason);

// Restore Defaults: with running updaters waited for and new passes held off, chkProg is set off
// (which runs its switch-off when it was on) and its click handler runs once more; then every
// override goes with the whole DriveIcons key, and once more after a longer wait when the first
// ran out; then Explorer is told.
void RestoreDefaults(SystemOps& ops, UsageOption& chkProg);

} // namespace zelvo
