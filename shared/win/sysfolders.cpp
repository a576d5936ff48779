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

std::wstring GetProgramFile() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        const DWORD n =
            GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return {};
        if (n < buffer.size())
            return std::wstring(buffer.data(), n);
        buffer.resize(buffer.size() * 2);
    }
}

std::wstring GetAppFolder() {
    const std::wstring path = GetProgramFile();
    const std::wstring::size_type slash = path.find_last_of(L'\\');
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash);
}

std::string GetWow64SystemFolder() {
#ifdef _WIN64
    char buffer[MAX_PATH] = {};
    const UINT n = GetSystemWow64DirectoryA(buffer, sizeof buffer);
    if (n == 0 || n >= sizeof buffer)
        return {};
    return buffer;
#else
    return {}; // a 32-bit program's own System folder is that folder already
#endif
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
