// The processes that run a program file.
#pragma once

#include "unique_handle.h"

#include <windows.h>

#include <string>
#include <vector>

namespace zelvo {

// Handles (to wait on) of the processes whose program is the file at `path`, one still starting
// included; none when the file is missing. A process's program is known by the file its image
// is, not by its name: a 64-bit program finds a 32-bit one in SysWOW64 so too. Where Windows
// cannot say which file a process runs (XP), a process of the same file name counts.
std::vector<UniqueHandle> ProcessesRunning(const std::wstring& path);

} // namespace zelvo
