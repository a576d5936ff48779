// The local Task Scheduler (the 2.0 API, Windows Vista and later).
#pragma once

#include "com_owner.h"

#include <taskschd.h>

namespace zelvo {

// Its root task folder, for a thread with COM initialised; empty without that API (Windows XP)
// or when the scheduler cannot be reached.
ComPtr<ITaskFolder> RootTaskFolder();

} // namespace zelvo
