// The icon entry of a drive root's autorun.inf, read by a small parser of its own: the system's
// profile reader obeys the registry's mapping of autorun.inf, which is one of the things the
// check after Apply must see past. Pure, so that it is tested natively.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace zelvo {

// The most of autorun.inf that is read and parsed; the rest is ignored.
inline constexpr std::size_t kAutorunInfMaxBytes = 64 * 1024;

// The icon entry that Windows reads first, outer quotes removed: "icon" in the section
// "autorun.<architecture>" (e.g. autorun.amd64), else in "autorun". Sections and keys compare
// without regard to ASCII letter case; the first entry of a key counts; lines starting with ';'
// are comments. The file is ANSI text, or UTF-16 (either byte order) when it starts with a
// byte-order mark, whose characters beyond ASCII stand as '?'. None when no such entry holds any
// text.
std::optional<std::string> FindAutorunIcon(std::string_view file, std::string_view architecture);

} // namespace zelvo
