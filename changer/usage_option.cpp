#include "usage_option.h"

#include "layout.h"
#include "removal_steps.h"

namespace zelvo {

namespace {

void WriteLogonEntry(SystemOps& ops, const std::string& systemFolder) {
    ops.SetRegString(kRunKeyPath, kLogonValueName, systemFolder + kUpdaterFile);
}

} // namespace

bool UsageBarsInstalled(SystemOps& ops, const std::string& systemFolder) {
    return ops.FileExists(systemFolder + kUpdaterFile) == FileTest::Present &&
           ops.FileExists(systemFolder + kUsageLibraryFile) == FileTest::Present;
}

void SwitchUsageBarsOn(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    // Without the system folder every name would point into the current drive's root, at files
    // that are not the product's.
    if (system.empty())
        return;
    // Only ever copied from the program's own folder; unknown, nothing is copied.
    CopyWhenMissing(ops, ops.AppFile(kUsageLibrarySource), system + kUsageLibraryFile);
    CopyWhenMissing(ops, ops.AppFile(kUpdaterSource), system + kUpdaterFile);
    ops.PumpMessages();
    if (UsageBarsInstalled(ops, system)) {
        WriteLogonEntry(ops, system);
    } else {
        // A failed switch-on leaves no entry behind from an earlier one.
        ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
        ops.DeleteLogonTask();
    }
    ops.ShellOpen(system + kUpdaterFile); // the result of a start is not examined
}

void SwitchUsageBarsOff(SystemOps& ops, const std::vector<std::string>& fixedRoots) {
    const std::string system = ops.SystemFolder();
    if (!system.empty()) {
        // A running updater refuses its deletion; it is left to finish.
        DeleteWhenPresent(ops, system + kUsageLibraryFile);
        DeleteWhenPresent(ops, system + kUpdaterFile);
    }
    // The 64-bit changer also switches off what a 32-bit one installed before it.
    RemoveWow64Leftovers(ops);
    ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
    ops.DeleteLogonTask();
    const std::string defaultIcon = IconLocation(system + kDefaultLibraryFile, 0);
    for (const std::string& root : fixedRoots) {
        if (!root.empty())
            ops.SetRegString(DriveIconKeyPath(root[0]), "", defaultIcon);
    }
}

void RenewLogonEntry(SystemOps& ops) {
    // Not after Purgo, or Restore Defaults in another window, took the updater away.
    if (const std::string system = ops.SystemFolder();
        !system.empty() && UsageBarsInstalled(ops, system))
        WriteLogonEntry(ops, system);
}

} // namespace zelvo
