#include "icon_browse.h"

#include "layout.h"

#include <algorithm>

namespace zelvo {

std::string PickerBuffer(const std::string& path) {
    return path + '\0' + std::string(kPickerSpareBlanks, ' ');
}

void WritePickerPath(std::string& buffer, std::size_t capacity, const std::string& path) {
    if (capacity == 0)
        return;
    if (buffer.size() < capacity)
        buffer.resize(capacity, '\0');
    const std::size_t length = std::min(path.size(), capacity - 1);
    buffer.replace(0, length, path, 0, length);
    buffer[length] = '\0';
}

bool FitsPickerBuffer(const std::string& path, std::size_t capacity) {
    return path.size() < capacity;
}

std::optional<std::string> PickedPath(const std::string& buffer, std::size_t capacity) {
    const std::size_t end = buffer.find('\0');
    if (end == std::string::npos || end >= capacity)
        return std::nullopt;
    return buffer.substr(0, end);
}

std::optional<std::string> BrowseForIconLocation(IconPicker& shell, IconPicker& own,
                                                 const std::string& systemFolder,
                                                 unsigned long platformId) {
    std::string buffer = PickerBuffer(systemFolder + kDefaultLibraryFile);
    const std::size_t capacity = buffer.size();
    std::int32_t index = 0;
    int result = shell.Pick(buffer, capacity, index, platformId == kPlatformNt);
    if (result != kPickConfirmed && result != kPickCancelled)
        result = own.Pick(buffer, capacity, index, false);
    if (result != kPickConfirmed)
        return std::nullopt; // cancelled, or no picker at all: nothing changes
    const std::optional<std::string> path = PickedPath(buffer, capacity);
    if (!path)
        return std::nullopt; // a path cut at the buffer's end would name another file
    return IconLocation(*path, index);
}

} // namespace zelvo
