#include "icon_directory.h"

namespace zelvo {

namespace {

// Offsets within the header and within a directory entry (all values little-endian).
constexpr std::size_t kCountOffset = 4;
constexpr std::size_t kImageSizeOffset = 8;
constexpr std::size_t kImageOffsetOffset = 12;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

bool IconDirectoryFits(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < 2 || fileSize < 2 || ReadLittleEndian(head, 0, 2) != 0)
        return true; // not read as an icon file
    if (fileSize < kIconHeaderBytes || head.size() < kIconHeaderBytes)
        return false;
    const std::size_t count = ReadLittleEndian(head, kCountOffset, 2);
    const std::size_t directoryEnd = kIconHeaderBytes + kIconEntryBytes * count;
    if (directoryEnd > fileSize || directoryEnd > head.size())
        return false;
    for (std::size_t i = 0; i < count; ++i) {
        const std::size_t entry = kIconHeaderBytes + kIconEntryBytes * i;
        const std::uint64_t imageEnd =
            std::uint64_t{ReadLittleEndian(head, entry + kImageOffsetOffset, 4)} +
            ReadLittleEndian(head, entry + kImageSizeOffset, 4);
        if (imageEnd > fileSize)
            return false;
    }
    return true;
}

} // namespace zelvo
