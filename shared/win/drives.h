// The machine's drives, as the system lists them.
#pragma once

#include <string>
#include <vector>

namespace zelvo {

// All drive roots ("A:\<NUL>C:\<NUL>..."), as GetLogicalDriveStringsA gives them; empty text
// when the system reports nothing.
std::string GetDriveRootList();

// The drive-type name of a root ("Fixed Drive", "CD Rom", ...).
std::string DriveTypeName(const std::string& root);

// The roots of the fixed drives, in the system's order: what sListAllDrives adds to a window's
// target list.
std::vector<std::string> FixedDriveRoots();

// The letters of the drives that exist, "A" to "Z" in order.
std::vector<std::string> ExistingDriveLetters();

} // namespace zelvo
