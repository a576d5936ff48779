#include "keypath.h"

#include <iterator>

namespace zelvo {

namespace {

struct RootRow {
    const char* name;
    RootKey handle;
};

constexpr RootRow kRootTable[] = {
    {"HKEY_CLASSES_ROOT", 0x80000000U},     {"HKEY_CURRENT_USER", 0x80000001U},
    {"HKEY_LOCAL_MACHINE", 0x80000002U},    {"HKEY_USERS", 0x80000003U},
    {"HKEY_PERFORMANCE_DATA", 0x80000004U}, {"HKEY_CURRENT_CONFIG", 0x80000005U},
    {"HKEY_DYN_DATA", 0x80000006U},
};

} // namespace

RootKey RootKeyFromName(const std::string& name) {
    for (const RootRow& row : kRootTable) {
        if (name == row.name)
            return row.handle;
    }
    return 0;
}

SplitPath ParseKeyPath(const std::string& fullPath) {
    SplitPath result;
    if (fullPath.compare(0, 5, "HKEY_") != 0 || fullPath.back() == '\\') {
        result.malformed = true;
        return result;
    }
    const std::string::size_type slash = fullPath.find('\\');
    if (slash == std::string::npos) {
        result.root = RootKeyFromName(fullPath);
    } else {
        result.root = RootKeyFromName(fullPath.substr(0, slash));
        result.subkey = fullPath.substr(slash + 1);
    }
    return result;
}

std::string IncorrectFormatMessage(const std::string& fullPath) {
    return "Incorrect Format:\n\n" + fullPath;
}

} // namespace zelvo
