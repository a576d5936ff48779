// The definition of the logon task, as the Task Scheduler's XML: built without Windows, so that
// its content is checked natively.
#pragma once

#include <string>

namespace zelvo {

// The task that runs updaterPath (no arguments) as the local SYSTEM account at any user's logon,
// unlock or connection, after a wake from sleep or Modern Standby, and every hour (late when the
// machine was off or asleep, never waking it); on battery too, for at most one minute, ignoring
// a start while one runs. The wake events' query is XML held as text inside the definition. The
// text is ANSI, as the path is; the registration converts it to a wide BSTR through the ANSI code
// page. Characters with a meaning in XML are escaped.
std::string LogonTaskXml(const std::string& updaterPath);

} // namespace zelvo
