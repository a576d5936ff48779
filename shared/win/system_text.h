// Text between the product's ANSI strings and Windows: wide conversion and error messages.
#pragma once

#include <string>

namespace zelvo {

// ANSI text (NULs included) as wide characters, through the ANSI code page; empty when it
// cannot be converted.
std::wstring WidenAnsi(const std::string& text);

// The system's own text for a Win32 error code, without a trailing line break; the code in
// decimal when the system has no text for it.
std::string SystemErrorText(unsigned long error);

} // namespace zelvo
