#include "icon_location.h"

#include <limits>

namespace zelvo {

namespace {

std::optional<std::int32_t> ParseDecimal(const std::string& text) {
    std::string::size_type at = 0;
    const bool negative = !text.empty() && text[0] == '-';
    if (!text.empty() && (text[0] == '-' || text[0] == '+'))
        at = 1;
    if (at == text.size())
        return std::nullopt;
    // Accumulated as a magnitude, so that the most negative number parses as well.
    const std::int64_t limit = negative ? -std::int64_t{std::numeric_limits<std::int32_t>::min()}
                                        : std::int64_t{std::numeric_limits<std::int32_t>::max()};
    std::int64_t magnitude = 0;
    for (; at < text.size(); ++at) {
        const char c = text[at];
        if (c < '0' || c > '9')
            return std::nullopt;
        magnitude = magnitude * 10 + (c - '0');
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

} // namespace

std::string StripTerminator(const std::string& text) {
    return text.substr(0, text.find('\0'));
}

std::optional<IconLocationParts> ParseIconLocation(const std::string& location) {
    const std::string::size_type comma = location.rfind(',');
    if (comma == std::string::npos)
        return std::nullopt;
    const std::optional<std::int32_t> index = ParseDecimal(location.substr(comma + 1));
    if (!index)
        return std::nullopt;
    return IconLocationParts{location.substr(0, comma), *index};
}

} // namespace zelvo
