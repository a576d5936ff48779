#include "sysfolders.h"

#include "unique_handle.h"

#include <vector>

namespace zelvo {

std::string GetSystemFolder() {
    char buffer[260] = {};
    const UINT n = GetSystemDirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return {};
    return buffer;
}

std::string GetAppFolder() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size()) {
            const std::string path(buffer.data(), n);
            const std::string::size_type slash = path.find_last_of('\\');
            return slash == std::string::npos ? std::string() : path.substr(0, slash);
        }
        buffer.resize(buffer.size() * 2);
    }
}

FileTest FileExists(const std::string& path) {
    // A wildcard would let the lookup answer for some other file.
    if (path.find_first_of("*?") != std::string::npos)
        return FileTest::Failed;
    WIN32_FIND_DATAA found;
    UniqueFind find(FindFirstFileA(path.c_str(), &found));
    if (!find) {
        const DWORD error = GetLastError();
        return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ||
                       error == ERROR_NO_MORE_FILES
                   ? FileTest::Missing
                   : FileTest::Failed;
    }
    return (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) ? FileTest::Missing
                                                               : FileTest::Present;
}

} // namespace zelvo
