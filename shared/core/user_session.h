// A session of Windows as the session list gives it: the Win32 layer fills it, the updater's pass
// decides from it in whose sessions to tell Explorer.
#pragma once

#include <cstdint>

namespace zelvo {

// A session of Windows in which a user may be logged on.
struct UserSession {
    std::uint32_t id;
    bool active; // a user works in it now (not disconnected, not only listening)
};

} // namespace zelvo
