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

// Points each fixed drive's override at the usage-bar icon of its fill level, printing each
// drive's figure lines; a drive that cannot be measured keeps its override. Nothing is written
// while another program holds the updaters past the wait, nor when the usage-bar library is
// not in the system folder (an override would point at nothing). Explorer is told once when a
// drive was written. Gives the number of drives written.
int UpdateDriveIcons(PassOps& ops, DrivesFields& fields,
                     const std::function<void(std::vector<std::string>)>& print);

} // namespace zelvo
