// Functions that older Windows lack, bound by name at run time, so that a program that can do
// without them still starts there.
#pragma once

#include <windows.h>

namespace zelvo {

// The function name of an already loaded system DLL, under its real type; null where the DLL or
// the function is missing. Converted through a plain function type, which any function pointer
// converts to without a warning.
template <typename Function> Function SystemFunction(const char* module, const char* name) {
    const HMODULE loaded = GetModuleHandleA(module);
    const FARPROC proc = loaded ? GetProcAddress(loaded, name) : nullptr;
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(proc));
}

} // namespace zelvo
