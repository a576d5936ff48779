// The user of the desktop: the owner of the shell's window, whose settings decide what Explorer
// shows. An elevated program may run as that user, or as an administrator whose password was
// typed in, with that administrator's HKEY_CURRENT_USER and environment.
#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <optional>
#include <string>

namespace zelvo {

struct AccountToken {
    UniqueHandle token;       // for a user's environment
    std::string sid;          // "S-1-5-21-..."
    std::string account;      // "DOMAIN\name", or the SID when it has no name
    bool sameAccount = false; // the account this program runs as
};

// The desktop's user; none without a shell window (no desktop, or Explorer not running) or when
// its owner cannot be asked.
std::optional<AccountToken> OpenDesktopUser();

// This program's own account.
std::optional<AccountToken> OpenOwnAccount();

// The text with its %VARIABLES% expanded in the environment of the token's user (this process's
// without a token); none when that fails.
std::optional<std::string> ExpandForUser(HANDLE token, const std::string& text);

} // namespace zelvo
