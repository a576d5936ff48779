// Drive roots, drive types and drive letters as text: pure logic behind the drive routines.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace zelvo {

// The name of a GetDriveTypeA result ("Fixed Drive" for 3); empty text above 6.
std::string DriveTypeName(unsigned driveType);

inline constexpr char kFixedDriveTypeName[] = "Fixed Drive";

// Splits a drive root list ("C:\<NUL>E:\<NUL>") into its roots. Text after the last NUL
// (a list the system did not terminate) is dropped rather than taken as a root.
std::vector<std::string> SplitDriveRootList(const std::string& list);

// The letters "A".."Z" whose bits are set, asking readMask() afresh for each letter.
template <typename ReadMask> std::vector<std::string> DriveLettersFromMask(ReadMask readMask) {
    std::vector<std::string> letters;
    for (int i = 0; i < 26; ++i) {
        if (static_cast<std::uint32_t>(readMask()) & (std::uint32_t{1} << i))
            letters.emplace_back(1, static_cast<char>('A' + i));
    }
    return letters;
}

} // namespace zelvo
