// What every program does first: where it lets Windows load DLLs from, and whether it is the
// build that matches this Windows.
#pragma once

#include "system_function.h"

#include <windows.h>

namespace zelvo {

// Keeps DLLs that the program loads later to System32, so that a DLL planted beside the program
// (in a Downloads folder, say) is never loaded into an elevated process. First thing in every
// entry point; Windows without the call (XP, Vista without the update) keep their order.
inline void LoadDllsFromSystem32Only() {
    using SetDefaultDllDirectoriesFn = BOOL(WINAPI*)(DWORD);
    constexpr DWORD kSearchSystem32 = 0x00000800; // LOAD_LIBRARY_SEARCH_SYSTEM32
    if (const auto set =
            SystemFunction<SetDefaultDllDirectoriesFn>("kernel32.dll", "SetDefaultDllDirectories"))
        set(kSearchSystem32);
}

// True when this 32-bit program runs on 64-bit Windows (under WOW64).
inline bool RunsUnderWow64() {
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    BOOL wow64 = FALSE;
    const auto query = SystemFunction<IsWow64ProcessFn>("kernel32.dll", "IsWow64Process");
    return query && query(GetCurrentProcess(), &wow64) && wow64;
}

} // namespace zelvo
