// The remover's one procedure: takes off the machine what the icon changer and the updater put
// there at run time. A pure sequence over SystemOps; every step runs whatever became of the
// steps before, and nothing is reported.
#pragma once

#include "system_ops.h"

namespace zelvo {

// Deletes the three files in the system folder, the logon entry and every drive icon override.
void RunRemoval(SystemOps& ops);

} // namespace zelvo
