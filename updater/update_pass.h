// The updater's pass over the fixed drives, as a sequence over PassOps, working in the
// updater window's fields.
#pragma once

#include "system_ops.h"

#include <functional>
#include <string>
#include <vector>

namespace zelvo {

// The working fields of the updater window.
struct DrivesFields {
    std::vector<std::string> lstDrives; // fixed-drive roots, in the system's order
    std::string txtPercentUsed;         // usage percent of the drive being processed, as text
    std::string txtPath;                // its icon location
};

// Sets txtPath to the usage-bar icon for the percent in txtPercentUsed.
void ChooseUsageIcon(PassOps& ops, DrivesFields& fields);

// What a pass did.
struct PassResult {
    int written = 0; // drives whose override was written
    // Nothing was written for want of the updaters' lock: another program held it past the wait,
    // or this one may not have it.
    bool withoutLock = false;
};

// Points each fixed drive's override at the usage-bar icon of its fill level, printing each
// drive's figure lines; a drive that cannot be measured keeps its override. Nothing is written
// while another program holds the updaters past the wait, or when the lock cannot be had; the
// pass stops at the first drive before whose write the usage-bar library is not in the system
// folder (an override would point at nothing). Each override is read before it is written, and
// Explorer is told once, at the end, only when one now holds another text (TellExplorer).
PassResult UpdateDriveIcons(PassOps& ops, DrivesFields& fields,
                            const std::function<void(std::vector<std::string>)>& print);

// Tells the Explorer that shows the icons: this session's, or, from the services' session
// (the SYSTEM task's run), each active user session's, through a notifier started there as its
// user. A session that cannot be listed or reached is skipped silently.
void TellExplorer(PassOps& ops);

// True when the updater's command line asks for the notifier alone (kNotifyOnlyArgument,
// letter case and surrounding blanks aside); any other command line runs the pass, as always.
bool IsNotifyOnly(const std::string& commandLine);

} // namespace zelvo
