// The remover's one procedure: takes off the machine what the icon changer and the updater put
// there at run time. A pure sequence over SystemOps; every step runs whatever became of the
// steps before, and nothing is reported.
#pragma once

#include "system_ops.h"

namespace zelvo {

// With running updaters waited for, and updaters still starting too (a minute at most, the
// logon task's own limit): deletes the three files in the system folder (and, from a
// 64-bit remover, those a 32-bit icon changer left in the 32-bit one), the logon entry (in
// both views), the logon task and every drive icon override; then tells Explorer. A busy file
// goes at the next restart. When the wait ran out, every override goes once more after a
// longer wait for the slow pass.
void RunRemoval(SystemOps& ops);

} // namespace zelvo
