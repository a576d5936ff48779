// Text compared as Windows compares names it gives no locale: ASCII letters in either case,
// every other character as it is.
#pragma once

#include <string_view>

namespace zelvo {

template <typename Char> constexpr Char FoldAscii(Char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<Char>(c - 'A' + 'a') : c;
}

template <typename Char>
constexpr bool SameIgnoringAsciiCase(std::basic_string_view<Char> a,
                                     std::basic_string_view<Char> b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i]))
            return false;
    }
    return true;
}

} // namespace zelvo
