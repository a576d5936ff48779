#include "drive_icons.h"

#include "layout.h"
#include "removal_steps.h"

namespace zelvo {

long InstallDefaultLibrary(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    const std::wstring source = ops.AppFile(kDefaultLibrarySource);
    // Nothing is copied into an unknown folder, nor from one that is not the program's own.
    if (system.empty() || source.empty())
        return 0;
    return CopyWhenMissing(ops, source, system + kDefaultLibraryFile);
}

void StartInstalledUpdater(SystemOps& ops) {
    const std::string system = ops.SystemFolder();
    if (system.empty())
        return;
    const std::string updater = system + kUpdaterFile;
    if (ops.FileExists(updater) != FileTest::Present)
        return;
    ops.PumpMessages();
    ops.ShellOpen(updater); // the result of a start is not examined
}

long ApplyDriveIcon(SystemOps& ops, char driveLetter, const std::string& location) {
    const std::string key = DriveIconKeyPath(driveLetter);
    const long created = ops.CreateRegKey(key);
    const long written = ops.SetRegString(key, "", location);
    if (written == 0) {
        ops.NotifyIconsChanged();
        return 0;
    }
    // A key that could not be created is the cause of the failed write.
    return created != 0 ? created : written;
}

std::string ApplyFailedMessage(char driveLetter, const std::string& reason) {
    return std::string("The icon for drive ") + driveLetter + " could not be stored.\n\n" + reason;
}

void RestoreDefaults(SystemOps& ops, const std::function<void()>& switchOff) {
    {
        // Without the wait, an updater in its pass would write overrides back, pointing at the
        // library just deleted. A wait that runs out goes on all the same.
        const UpdatersHeld held(ops);
        switchOff();
        ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey); // the result is not examined
        if (!held.held())
            DeleteOverridesBehindASlowPass(ops);
    }
    ops.NotifyIconsChanged();
}

} // namespace zelvo
