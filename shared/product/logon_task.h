// The logon task beside the logon entry, through the Task Scheduler 2.0 API. Both calls are
// silent: false without that API (Windows XP), without rights, or when the step fails.
#pragma once

#include <string>

namespace zelvo {

// Creates the task, or updates it when it exists, to run updaterPath at every logon.
bool RegisterLogonTask(const std::string& updaterPath);

// Deletes the task; false when there is none.
bool DeleteLogonTask();

} // namespace zelvo
