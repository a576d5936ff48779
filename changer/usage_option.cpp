#include "usage_option.h"

#include "layout.h"

namespace zelvo {

namespace {

void CopyWhenMissing(SystemOps& ops, const std::string& from, const std::string& to) {
    if (MayCopyTo(ops.FileExists(to)))
        ops.CopyNew(from, to); // a failed copy is skipped silently
}

void DeleteWhenPresent(SystemOps& ops, const std::string& path) {
    if (MayDelete(ops.FileExists(path)))
        ops.Remove(path); // a refused delete (e.g. a running updater) is skipped silently
}

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
    DeleteWhenPresent(ops, system + kUsageLibraryFile);
    DeleteWhenPresent(ops, system + kUpdaterFile);
    ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
    const std::string defaultIcon = IconLocation(system + kDefaultLibraryFile, 0);
    for (const std::string& root : fixedRoots) {
        if (!root.empty())
            ops.SetRegString(DriveIconKeyPath(root[0]), "", defaultIcon);
    }
}

void RenewLogonEntry(SystemOps& ops) { WriteLogonEntry(ops, ops.SystemFolder()); }

} // namespace zelvo
