#include "usage_option.h"

#include "layout.h"

namespace zelvo {

namespace {

void WriteLogonEntry(SystemOps& ops, const std::string& systemFolder) {
    ops.SetRegString(kRunKeyPath, kLogonValueName, systemFolder + kUpdaterFile);
}

} // namespace

void SwitchUsageBarsOn(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    const std::string app = ops.AppFolder();
    CopyWhenMissing(ops, app + kUsageLibrarySource, system + kUsageLibraryFile);
    CopyWhenMissing(ops, app + kUpdaterSource, system + kUpdaterFile);
    ops.PumpMessages();
    WriteLogonEntry(ops, system);
    ops.ShellOpen(system + kUpdaterFile); // the result of a start is not examined
}

void SwitchUsageBarsOff(SystemOps& ops, const std::vector<std::string>& fixedRoots) {
    const std::string system = ops.SystemFolder();
    // Without the system folder the names would point into the current drive's root, at files
    // that are not the product's.
    if (!system.empty()) {
        DeleteWhenPresent(ops, system + kUsageLibraryFile);
        DeleteWhenPresent(ops, system + kUpdaterFile);
    }
    ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
    const std::string defaultIcon = IconLocation(system + kDefaultLibraryFile, 0);
    for (const std::string& root : fixedRoots) {
        if (!root.empty())
            ops.SetRegString(DriveIconKeyPath(root[0]), "", defaultIcon);
    }
}

void RenewLogonEntry(SystemOps& ops) {
    WriteLogonEntry(ops, ops.SystemFolder());
}

} // namespace zelvo
