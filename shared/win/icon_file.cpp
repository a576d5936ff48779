#include "icon_file.h"

#include "icon_directory.h"
#include "unique_handle.h"

#include <windows.h>

#include <shellapi.h>

#include <algorithm>

namespace zelvo {

bool IconDirectoryIsSound(const std::string& path) {
    const UniqueFile file(CreateFileA(path.c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (!file || !GetFileSizeEx(file.get(), &size))
        return true;
    const auto fileSize = static_cast<std::uint64_t>(size.QuadPart);
    std::string head(
        static_cast<std::size_t>(std::min<std::uint64_t>(fileSize, kIconDirectoryMaxBytes)), '\0');
    DWORD read = 0;
    if (!ReadFile(file.get(), head.data(), static_cast<DWORD>(head.size()), &read, nullptr))
        read = 0;
    head.resize(read);
    return IconDirectoryFits(head, fileSize);
}

IconAt IconAtIndex(const std::string& path, std::int32_t index) {
    if (index >= 0) {
        const UINT count =
            IconDirectoryIsSound(path) ? ExtractIconExA(path.c_str(), -1, nullptr, nullptr, 0) : 0;
        return static_cast<UINT>(index) < count ? IconAt::Present : IconAt::NoIcon;
    }
    // A resource module, loaded as data only: nothing of it runs.
    const UniqueHmodule module(LoadLibraryExA(path.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    if (!module || index == INT32_MIN || -index > 0xFFFF)
        return module ? IconAt::NoIcon : IconAt::Unknown;
    const auto id = static_cast<WORD>(-index);
    return FindResourceA(module.get(), MAKEINTRESOURCEA(id), RT_GROUP_ICON) ? IconAt::Present
                                                                            : IconAt::NoIcon;
}

} // namespace zelvo
