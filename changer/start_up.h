// The icon changer's start-up sequences over SystemOps, around the window's filling of its drive
// lists: the default drive-icon library's copy, the last start of the updater and, once the
// window shows, the logon task.
#pragma once

#include "system_ops.h"

namespace zelvo {

// Start-up: copies the default drive-icon library from the application folder into the system
// folder when it is missing there (or goes at the next restart). 0 when it is in place (or the
// system folder is unknown and nothing is done); otherwise the copy's Win32 error, and the program
// must end.
long InstallDefaultLibrary(SystemOps& ops);

// Start-up's last step: when the updater is installed, lets waiting messages run and starts it.
void StartInstalledUpdater(SystemOps& ops);

// Registers the logon task for the system folder's updater, with the updater and its library
// in place (not with the system folder unknown). Slow (COM and the Task Scheduler): the window runs
// it once it shows.
void RegisterUpdaterTask(SystemOps& ops);

} // namespace zelvo
