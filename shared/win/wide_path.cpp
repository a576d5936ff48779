#include "wide_path.h"

#include <windows.h>

namespace zelvo {

namespace {

// The conversion without best-fit look-alikes (an L with stroke never becomes a plain L); `lossy`
// tells whether some character had no ANSI equivalent.
std::string NarrowToAnsi(const std::wstring& text, bool& lossy) {
    lossy = false;
    if (text.empty())
        return {};
    const int length = static_cast<int>(text.size());
    DWORD flags = WC_NO_BEST_FIT_CHARS;
    BOOL usedDefault = FALSE;
    BOOL* usedDefaultOut = &usedDefault;
    int size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr,
                                   usedDefaultOut);
    if (size == 0 &&
        (GetLastError() == ERROR_INVALID_PARAMETER || GetLastError() == ERROR_INVALID_FLAGS)) {
        // A UTF-8 code page refuses both questions, and can hold every character anyway.
        flags = 0;
        usedDefaultOut = nullptr;
        size =
            WideCharToMultiByte(CP_ACP, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    }
    if (size <= 0)
        return {};
    std::string narrow(static_cast<std::size_t>(size), '\0');
    size = WideCharToMultiByte(CP_ACP, flags, text.data(), length, narrow.data(), size, nullptr,
                               usedDefaultOut);
    narrow.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    lossy = usedDefault != FALSE;
    return narrow;
}

// The short form of an existing path, or empty text when the volume gives none.
std::wstring ShortPath(const std::wstring& path) {
    const DWORD size = GetShortPathNameW(path.c_str(), nullptr, 0);
    if (size == 0)
        return {};
    std::wstring shortPath(size, L'\0');
    const DWORD length = GetShortPathNameW(path.c_str(), shortPath.data(), size);
    if (length == 0 || length >= size)
        return {};
    shortPath.resize(length);
    return shortPath;
}

} // namespace

std::optional<std::string> AnsiExactly(const std::wstring& text) {
    bool lossy = false;
    std::string narrow = NarrowToAnsi(text, lossy);
    if (lossy || narrow.empty() != text.empty())
        return std::nullopt;
    return narrow;
}

std::string AnsiPathFromWide(const std::wstring& path) {
    bool lossy = false;
    std::string plain = NarrowToAnsi(path, lossy);
    if (!lossy)
        return plain;
    const std::wstring shortPath = ShortPath(path);
    if (shortPath.empty())
        return plain;
    std::string shortAnsi = NarrowToAnsi(shortPath, lossy);
    return lossy ? plain : shortAnsi;
}

} // namespace zelvo
