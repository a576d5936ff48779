#include "icon_directory.h"

namespace zelvo {

namespace {

// Offsets within an icon file's header and within a directory entry (all values little-endian).
constexpr std::size_t kCountOffset = 4;
constexpr std::size_t kImageSizeOffset = 8;
constexpr std::size_t kImageOffsetOffset = 12;

// A program file: its DOS header, which gives the offset of the new header, and in a 16-bit one
// ("NE") the resource table's offset from the new header. The table is a shift, then per type
// its id (0 ends the table), its count and a reserved word, and per resource its offset and
// length in units of 2 to the power of the shift, and four more words.
constexpr std::string_view kProgramSignature = "MZ";
constexpr std::string_view kSixteenBitSignature = "NE";
constexpr std::size_t kDosHeaderBytes = 0x40;
constexpr std::size_t kNewHeaderPointerOffset = 0x3C;
constexpr std::size_t kNeHeaderBytes = 0x40;
constexpr std::size_t kResourceTableOffset = 0x24;
constexpr std::size_t kShiftBytes = 2;
constexpr std::size_t kTypeBytes = 8;
constexpr std::size_t kResourceBytes = 12;
// Beyond this shift a resource's place no longer fits in 32 bits.
constexpr unsigned kMaxShift = 16;

std::uint32_t ReadLittleEndian(std::string_view bytes, std::size_t at, std::size_t width) {
    std::uint32_t value = 0;
    for (std::size_t i = width; i-- > 0;)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

bool IconFileFits(std::string_view head, std::uint64_t fileSize) {
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

bool ProgramFileFits(std::string_view head, std::uint64_t fileSize) {
    // Whether the bytes up to `end` are in the file and in the head.
    const auto within = [&](std::uint64_t end) { return end <= fileSize && end <= head.size(); };
    if (!within(kDosHeaderBytes))
        return false;
    const std::uint64_t newHeader = ReadLittleEndian(head, kNewHeaderPointerOffset, 4);
    if (!within(newHeader + kSixteenBitSignature.size()))
        return false;
    if (head.substr(newHeader, kSixteenBitSignature.size()) != kSixteenBitSignature)
        return true; // a 32- or 64-bit program or library: the reader follows its own table
    if (!within(newHeader + kNeHeaderBytes))
        return false;
    std::uint64_t at = newHeader + ReadLittleEndian(head, newHeader + kResourceTableOffset, 2);
    if (!within(at + kShiftBytes))
        return false;
    const unsigned shift = ReadLittleEndian(head, at, 2);
    if (shift > kMaxShift)
        return false;
    for (at += kShiftBytes;; at += kTypeBytes) {
        if (!within(at + 2))
            return false;
        if (ReadLittleEndian(head, at, 2) == 0)
            return true; // the table's end
        if (!within(at + kTypeBytes))
            return false;
        const std::size_t count = ReadLittleEndian(head, at + 2, 2);
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint64_t resource = at + kTypeBytes + kResourceBytes * i;
            if (!within(resource + kResourceBytes))
                return false;
            const std::uint64_t end = (std::uint64_t{ReadLittleEndian(head, resource, 2)} +
                                       ReadLittleEndian(head, resource + 2, 2))
                                      << shift;
            if (end > fileSize)
                return false;
        }
        at += kResourceBytes * count;
    }
}

} // namespace

bool IconDirectoryFits(std::string_view head, std::uint64_t fileSize) {
    if (head.size() < 2 || fileSize < 2)
        return true; // read as nothing
    if (ReadLittleEndian(head, 0, 2) == 0)
        return IconFileFits(head, fileSize);
    if (head.substr(0, kProgramSignature.size()) == kProgramSignature)
        return ProgramFileFits(head, fileSize);
    return true; // not read as an icon file
}

} // namespace zelvo
