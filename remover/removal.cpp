#include "removal.h"

#include "layout.h"

namespace zelvo {

namespace {

// The files put into the system folder, in the order they are deleted.
constexpr const char* kInstalledFiles[] = {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile};

// Deletes the installed files in one System folder; one that cannot go now (a running
// updater) goes at the next restart of Windows.
void DeleteInstalledFiles(SystemOps& ops, const std::string& folder) {
    // Without the folder the names would point into the current drive's root, at files that
    // are not the product's.
    if (folder.empty())
        return;
    for (const char* name : kInstalledFiles) {
        const std::string path = folder + name;
        if (!DeleteWhenPresent(ops, path))
            ops.RemoveAtRestart(path);
    }
}

} // namespace

void RunRemoval(SystemOps& ops) {
    {
        // An updater in its pass would write overrides back after the key is gone.
        const UpdatersHeld held(ops);
        DeleteInstalledFiles(ops, ops.SystemFolder());
        // What a 32-bit icon changer once installed on 64-bit Windows.
        const std::string wow64System = ops.Wow64SystemFolder();
        DeleteInstalledFiles(ops, wow64System);
        ops.PumpMessages();
        ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName);
        if (!wow64System.empty())
            ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName,
                               RegistryView::Wow64Of32Bit);
        ops.DeleteLogonTask();
        ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey);
    }
    ops.PumpMessages();
    ops.NotifyIconsChanged();
}

} // namespace zelvo
