// Private object namespaces (Windows Vista on, bound at run time): named objects that only the
// accounts a namespace's boundary names can reach, so that no other program can take the names.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace zelvo {

// Closes a private namespace's handle (ClosePrivateNamespace); the namespace lives on while
// other handles to it are open.
void ClosePrivateNamespaceHandle(HANDLE handle);
using UniqueNamespace = UniqueHandleT<HANDLE, ClosePrivateNamespaceHandle>;

// The namespace `name` whose boundary is the Administrators group, created with `security` or,
// when it exists, opened. Null when it cannot be had: by a program without administrator rights,
// or where Windows offers no private namespaces, and then `offered` is false (XP; Wine 8, whose
// boundary descriptors are stubs).
UniqueNamespace OpenAdministratorsNamespace(const wchar_t* name, SECURITY_ATTRIBUTES* security,
                                            bool& offered);

} // namespace zelvo
