#include "drives.h"

#include "driveroots.h"

#include <windows.h>

namespace zelvo {

std::string GetDriveRootList() {
    char buffer[255] = {};
    const DWORD n = GetLogicalDriveStringsA(sizeof buffer, buffer);
    // A result larger than the buffer is the size it would need: nothing was written.
    if (n >= sizeof buffer)
        return {};
    return std::string(buffer, n);
}

std::string DriveTypeName(const std::string& root) {
    return DriveTypeName(GetDriveTypeA(root.c_str()));
}

std::vector<std::string> FixedDriveRoots() {
    std::vector<std::string> fixed;
    for (const std::string& root : SplitDriveRootList(GetDriveRootList())) {
        if (DriveTypeName(root) == kFixedDriveTypeName)
            fixed.push_back(root);
    }
    return fixed;
}

std::vector<std::string> ExistingDriveLetters() {
    return DriveLettersFromMask([] { return GetLogicalDrives(); });
}

} // namespace zelvo
