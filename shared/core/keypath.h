// Full key paths ("HKEY_LOCAL_MACHINE\SOFTWARE\..."): the root table and the format test.
// Pure logic, so that what a key path names is decided and tested without Windows.
#pragma once

#include <cstdint>
#include <string>

namespace zelvo {

// The predefined root handles as 32-bit numbers; 0 means no root.
using RootKey = std::uint32_t;

// Which registry view a key lies in: the program's own, or the 32-bit one of 64-bit Windows.
enum class RegistryView { Own, Wow64Of32Bit };

// The handle of the root whose name matches exactly (case-sensitive), or 0.
RootKey RootKeyFromName(const std::string& name);

struct SplitPath {
    bool malformed = false; // failed the format test: the caller shows the format message
    RootKey root = 0;
    std::string subkey;
};

// Splits at the first backslash. A path is malformed unless it starts with "HKEY_" and does
// not end with a backslash; an unknown root that passes the test gives root 0 silently.
SplitPath ParseKeyPath(const std::string& fullPath);

// The text of the format message for a malformed path.
std::string IncorrectFormatMessage(const std::string& fullPath);

} // namespace zelvo
