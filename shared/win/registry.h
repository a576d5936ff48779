// The registry: keys named one way, a predefined root and a subkey; every call opens, acts and
// closes. The writes give the Win32 error code (0 on success) to callers that want it.
#pragma once

#include "keypath.h"

#include <windows.h>

#include <cstdint>
#include <string>

namespace zelvo {

// Creates the key and any missing keys above it, or opens it if it exists; then closes it.
long CreateRegKey(RootKey root, const std::string& subkey);

// Writes a REG_SZ value into an existing key; a missing key is never created.
long SetRegString(RootKey root, const std::string& subkey, const std::string& valueName,
                  const std::string& text);

// The most data, in bytes, that ReadRegString reads: an icon location is a path of at most
// MAX_PATH characters, a comma and an index.
inline constexpr unsigned long kMaxReadTextBytes = 1024;

// Reads a REG_SZ value: 0 and its text (up to its first NUL), or a Win32 error code with text
// left as it was: ERROR_FILE_NOT_FOUND for a missing key or value, ERROR_UNSUPPORTED_TYPE for a
// value of another type, ERROR_MORE_DATA for more than kMaxReadTextBytes bytes of data. With
// alsoExpandable, a REG_EXPAND_SZ value's text too, unexpanded.
long ReadRegString(RootKey root, const std::string& subkey, const std::string& valueName,
                   std::string& text, bool alsoExpandable = false);

// Reads a REG_DWORD value: 0, or a Win32 error code with value left as it was
// (ERROR_UNSUPPORTED_TYPE for a value of another type).
long ReadRegDword(RootKey root, const std::string& subkey, const std::string& valueName,
                  std::uint32_t& value);

// How many values and subkeys a key holds: 0, or a Win32 error code.
long CountRegKeyContents(RootKey root, const std::string& subkey, std::uint32_t& values,
                         std::uint32_t& subkeys);

// Deletes a key that has no subkeys (its values go with it): 0, or a Win32 error code.
long DeleteRegKey(RootKey root, const std::string& subkey);

// Deletes a named value: 0, or a Win32 error code (ERROR_FILE_NOT_FOUND for a missing key or
// value).
long DeleteRegValue(RootKey root, const std::string& subkey, const std::string& valueName,
                    RegistryView view = RegistryView::Own);

// The data of a REG_MULTI_SZ value, its strings each with its NUL, read as wide text; empty text
// when the value is missing, empty or of another type.
std::wstring ReadRegMultiString(RootKey root, const std::string& subkey,
                                const std::string& valueName);

// Deletes a key with all its subkeys and values (SHDeleteKeyA): 0, or a Win32 error code
// (ERROR_FILE_NOT_FOUND for a missing key).
long DeleteRegTree(RootKey root, const std::string& subkey);

// The predefined key handle of a root (a root is its handle's value).
inline HKEY ToHkey(RootKey root) {
    return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(root));
}

} // namespace zelvo
