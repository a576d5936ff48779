// The steps that the icon changer's switch-off and Restore Defaults share with the remover:
// deleting installed files now or at the next restart, what a 32-bit icon changer left on 64-bit
// Windows, and every override once more behind a slow updater. Sequences over SystemOps.
#pragma once

#include "layout.h"
#include "pending_renames.h"
#include "system_ops.h"

#include <string>
#include <vector>

namespace zelvo {

// Deletes a file unless it is known to be missing. One that cannot go now (a running updater, a
// library that a virus scanner reads) is moved aside and goes at the next restart under that
// name, so that a copy installed before the restart keeps the real name; where even the move
// fails, it goes under its own name. A copy that setup or an icon changer listed to replace the
// file at the restart would bring it back then: the file is listed for deletion once more, after
// that replacement, and the copy, where it is one of this product's, goes now.
inline void DeleteNowOrAtRestart(SystemOps& ops, const std::string& path) {
    if (const std::vector<std::string> replacements = ops.PendingReplacements(path);
        !replacements.empty()) {
        ops.RemoveAtRestart(path);
        for (const std::string& source : replacements) {
            if (IsReplacementCopy(source, path))
                ops.Remove(source); // one that cannot go now is moved in and deleted after
        }
    }
    if (DeleteWhenPresent(ops, path))
        return;
    const std::string aside = ops.MoveAside(path);
    ops.RemoveAtRestart(aside.empty() ? path : aside);
}

// Deletes the installed files of one System folder. Nothing without the folder: the names would
// point into the current drive's root, at files that are not the product's.
inline void DeleteInstalledFiles(SystemOps& ops, const std::string& folder) {
    if (folder.empty())
        return;
    for (const InstalledFile& file : kInstalledFiles)
        DeleteNowOrAtRestart(ops, folder + file.installed);
}

// What a 32-bit icon changer installed on 64-bit Windows, seen from a 64-bit program: its files
// in the 32-bit System folder and its logon entry in the 32-bit registry view. Nothing elsewhere.
inline void RemoveWow64Leftovers(SystemOps& ops) {
    const std::string wow64System = ops.Wow64SystemFolder();
    if (wow64System.empty())
        return;
    DeleteInstalledFiles(ops, wow64System);
    ops.DeleteRegValue(kLocalMachineRoot, kRunSubkey, kLogonValueName, RegistryView::Wow64Of32Bit);
}

// After a wait for updaters that ran out: a pass slower than the wait (a disk waking from
// standby) may still write overrides. Waits for it once more, up to the logon task's own time
// limit, then deletes every override again, whatever became of that wait.
inline void DeleteOverridesBehindASlowPass(SystemOps& ops) {
    const UpdatersHeld held(ops, kSlowUpdaterPassWaitMs);
    ops.DeleteRegTree(kLocalMachineRoot, kDriveIconsSubkey);
}

} // namespace zelvo
