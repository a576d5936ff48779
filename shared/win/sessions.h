// The sessions of Windows, and starting a program in another session as its user: what a
// program that runs as the local SYSTEM account needs to reach the users' desktops. wtsapi32 is
// bound at run time, so that the programs import only the DLLs they always load.
#pragma once

#include "unique_handle.h"
#include "user_session.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zelvo {

// True when this process runs in session 0 while the console is attached to another session:
// the services' session of Windows Vista and later, which has no user's desktop.
bool RunsInServicesSession();

// Every session of this machine; false when they cannot be listed.
bool EnumerateSessions(std::vector<UserSession>& sessions);

// The primary token of the user logged on to a session; empty when there is none or the caller
// lacks the right (only the SYSTEM account has it).
UniqueHandle SessionUserToken(DWORD session);

// Starts a program with one argument as the token's user, hidden, on the interactive desktop of
// the token's session; not waited for. False when it could not be started.
bool StartAsUser(HANDLE token, const std::wstring& program, const std::string& argument);

} // namespace zelvo
