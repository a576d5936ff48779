#include "pending_renames.h"

#include <vector>

namespace zelvo {

namespace {

// The name as the session manager's list gives it, with its "\??\" prefix.
constexpr std::wstring_view kNtPrefix = L"\\??\\";
// Before a target: the target is replaced when it exists.
constexpr wchar_t kReplaceMark = L'!';

std::wstring_view WithoutPrefix(std::wstring_view name) {
    if (name.substr(0, kNtPrefix.size()) == kNtPrefix)
        name.remove_prefix(kNtPrefix.size());
    return name;
}

wchar_t FoldAscii(wchar_t c) {
    return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

bool SameName(std::wstring_view listed, std::wstring_view path) {
    listed = WithoutPrefix(listed);
    if (listed.empty() || listed.size() != path.size())
        return false;
    for (std::size_t i = 0; i < path.size(); ++i) {
        if (FoldAscii(listed[i]) != FoldAscii(path[i]))
            return false;
    }
    return true;
}

// Every string of the list, the empty ones (deletions) included; the text after the last NUL
// (a list cut short) is dropped.
std::vector<std::wstring_view> SplitStrings(std::wstring_view list) {
    std::vector<std::wstring_view> strings;
    for (std::size_t end; (end = list.find(L'\0')) != std::wstring_view::npos;) {
        strings.push_back(list.substr(0, end));
        list.remove_prefix(end + 1);
    }
    return strings;
}

} // namespace

bool GoneAfterRestart(std::wstring_view operations, std::wstring_view path) {
    path = WithoutPrefix(path);
    const std::vector<std::wstring_view> strings = SplitStrings(operations);
    bool gone = false;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        std::wstring_view target = strings[i + 1];
        if (!target.empty() && target.front() == kReplaceMark)
            target.remove_prefix(1);
        if (SameName(strings[i], path))
            gone = true; // deleted, or moved to the target
        if (SameName(target, path))
            gone = false; // another file takes the name
    }
    return gone;
}

} // namespace zelvo
