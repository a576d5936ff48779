// The one crossing between the product's ANSI text and the wide-character icon picker of NT.
#pragma once

#include "system_text.h"

#include <optional>
#include <string>

namespace zelvo {

// A wide path as ANSI text that names the same file: the plain conversion, or the path's short
// form (plain ASCII) when some character has no ANSI equivalent of its own (a look-alike, such as
// a plain L for an L with stroke, names another file) and the volume has short names.
std::string AnsiPathFromWide(const std::wstring& path);

// The ANSI text of exactly these characters; none when some character has no ANSI equivalent.
std::optional<std::string> AnsiExactly(const std::wstring& text);

} // namespace zelvo
