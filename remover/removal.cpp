#include "removal.h"

#include "layout.h"

namespace zelvo {

namespace {

// The files put into the system folder, in the order they are deleted.
constexpr const char* kInstalledFiles[] = {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile};

void DeleteInstalledFiles(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    // Without the system folder the names would point into the current drive's root, at files
    // that are not the product's.
    if (system.empty())
        return;
    for (const char* name : kInstalledFiles)
        DeleteWhenPresent(ops, system + name);
}

} // namespace

void RunRemoval(SystemOps& ops) {
    DeleteInstalledFiles(ops);
    ops.PumpMessages();
    ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
    ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey);
    ops.PumpMessages();
}

} // namespace zelvo
