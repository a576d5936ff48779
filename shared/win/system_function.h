// Functions of the system's DLLs bound at run time: those that older Windows lack, those
// exported by ordinal only, and those of a DLL worth loading only when first needed.
#pragma once

#include <windows.h>

namespace zelvo {

// The function `name` of a system DLL under its real type, or null when the DLL or the function
// is missing. `name` is the export's name, or its ordinal as MAKEINTRESOURCEA gives it. The DLL
// stays loaded for the life of the process.
template <typename Function> Function SystemFunction(const char* dll, const char* name) {
    HMODULE module = GetModuleHandleA(dll);
    if (!module)
        module = LoadLibraryA(dll);
    if (!module)
        return nullptr;
    // Through a plain function type, which any function pointer converts to without a warning.
    return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(module, name)));
}

} // namespace zelvo
