// The icon changer's other sequences over SystemOps: the start-up's library copy and updater
// start, Apply and Restore Defaults.
#pragma once

#include "system_ops.h"

#include <functional>
#include <string>

namespace zelvo {

// Start-up: copies the default drive-icon library from the application folder into the system
// folder when it is missing there (or goes at the next restart). 0 when it is in place (or the
// system folder is unknown and nothing is done); otherwise the copy's Win32 error, and the program
// must end.
long InstallDefaultLibrary(SystemOps& ops);

// Start-up's last step: when the updater is installed, lets waiting messages run and starts it.
void StartInstalledUpdater(SystemOps& ops);

// Apply: stores the location as the drive's override, creating its key, and tells Explorer.
// 0 when stored; otherwise the Win32 error of the failed step, and Explorer is not told.
long ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location);

// The message of a failed Apply, naming the drive and the system's reason.
std::string ApplyFailedMessage(char driveLetter, const std::string& reason);

// Restore Defaults: with running updaters waited for and new passes held off, switchOff (the
// usage-bar option's switch-offs), then every override goes with the whole DriveIcons key, and
// once more after a longer wait when the first ran out; then Explorer is told.
void RestoreDefaults(SystemOps& ops, const std::function<void()>& switchOff);

} // namespace zelvo
