#include "driveroots.h"

namespace zelvo {

std::string DriveTypeName(unsigned driveType) {
    static const char* const kNames[] = {"Unknown Drive Type",
                                         "Drive does not exist",
                                         "Removable Media",
                                         kFixedDriveTypeName,
                                         "Network Drive",
                                         "CD Rom",
                                         "Ram Disk"};
    if (driveType >= sizeof kNames / sizeof kNames[0])
        return {};
    return kNames[driveType];
}

std::vector<std::string> SplitDriveRootList(const std::string& list) {
    std::vector<std::string> roots;
    std::string::size_type start = 0;
    for (std::string::size_type nul; (nul = list.find('\0', start)) != std::string::npos;
         start = nul + 1)
        roots.push_back(list.substr(start, nul - start));
    return roots;
}

} // namespace zelvo
