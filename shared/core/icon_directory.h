// Whether an icon file's directory fits the file: the system's icon reader trusts the directory
// of an icon file, and the resource table of a 16-bit icon library, and reads beyond the end of
// a damaged file. Pure, so that it is tested natively.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace zelvo {

// The most of a file's start that the check reads: the header and a directory of the largest
// count a header can claim.
inline constexpr std::size_t kIconHeaderBytes = 6;
inline constexpr std::size_t kIconEntryBytes = 16;
inline constexpr std::size_t kIconDirectoryMaxBytes = kIconHeaderBytes + kIconEntryBytes * 0xFFFF;

// False when the icon reader would take the file for an icon file (it starts with a zero word)
// while its header, its directory or an image the directory lists ends beyond `fileSize`; false
// too for a program file ("MZ") whose headers are cut short, and for a 16-bit one ("NE", as an
// .icl library is) whose resource table or a resource it lists ends beyond `fileSize`; true for
// every other file. `head` holds the file's first bytes, at least the first
// min(fileSize, kIconDirectoryMaxBytes) of them; a head too short to show the whole directory
// or table counts as not fitting.
bool IconDirectoryFits(std::string_view head, std::uint64_t fileSize);

} // namespace zelvo
