// Icon locations ("<path>,<index>") as Explorer reads them: the index follows the last comma,
// so a path may hold commas of its own.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace zelvo {

struct IconLocationParts {
    std::string path;
    std::int32_t index = 0;
};

// The text before the first NUL, or the whole text when it holds none: a path that the icon
// picker wrote into its buffer.
std::string StripTerminator(const std::string& text);

// Splits a location at its last comma. Nothing when there is no comma or the text after it is no
// decimal number: an optional sign and one or more digits, nothing else, within 32 bits. A number
// out of that range counts as none, since clamping it would name some other icon.
std::optional<IconLocationParts> ParseIconLocation(const std::string& location);

} // namespace zelvo
