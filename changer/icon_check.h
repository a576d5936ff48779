// The reads after Apply that tell why an applied icon may not show, and the removal of another
// program's leftover that the user agrees to: sequences over SystemOps. Untrusted text (a user's
// or another program's key, a drive's autorun.inf) never leads to a network path, through a link,
// or onto a drive that would ask for its disk.
#pragma once

#include "icon_findings.h"
#include "system_ops.h"

#include <string>

namespace zelvo {

// Reads what else may decide the icon of drive `letter` now that `written` is its override: the
// override read back, the location's file, the drive, its root's autorun.inf with the policies
// and the mapping that switch Autorun off, and another program's key for the letter in the
// desktop user's classes and the machine's. usageBarsOverIt: a fixed drive whose usage bar is on.
IconSnapshot LookAtAppliedIcon(SystemOps& ops, char letter, const std::string& written,
                               bool usageBarsOverIt);

enum class LeftOverRemoval { Removed, Changed, Failed };

// The removal of an offered leftover, once the user said Yes: its value read again, its
// DefaultIcon key deleted only while it still holds that value alone and no subkey, the letter's
// key above it too when that is then empty; then Explorer is told. `error` is Windows' reason of
// a failed deletion.
LeftOverRemoval RemoveLeftOverIcon(SystemOps& ops, const OtherProgramIcon& offer, long& error);

} // namespace zelvo
