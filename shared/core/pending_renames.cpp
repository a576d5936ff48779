#include "pending_renames.h"

#include "ascii_case.h"

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

bool SameName(std::wstring_view listed, std::wstring_view path) {
    listed = WithoutPrefix(listed);
    return !listed.empty() && SameIgnoringAsciiCase(listed, path);
}

// The target of an operation, without the mark of a replacement.
std::wstring_view Target(std::wstring_view target) {
    if (!target.empty() && target.front() == kReplaceMark)
        target.remove_prefix(1);
    return target;
}

// True when `text` is one or more decimal digits.
bool Digits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
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
        if (SameName(strings[i], path))
            gone = true; // deleted, or moved to the target
        if (SameName(Target(strings[i + 1]), path))
            gone = false; // another file takes the name
    }
    return gone;
}

std::vector<std::wstring> ReplacementSources(std::wstring_view operations, std::wstring_view path) {
    path = WithoutPrefix(path);
    const std::vector<std::wstring_view> strings = SplitStrings(operations);
    std::vector<std::wstring> sources;
    for (std::size_t i = 0; i + 1 < strings.size(); i += 2) {
        if (SameName(Target(strings[i + 1]), path))
            sources.emplace_back(WithoutPrefix(strings[i]));
    }
    return sources;
}

bool IsReplacementCopy(std::string_view source, std::string_view target) {
    constexpr std::string_view kEnding = ".new";
    if (target.empty() || source.size() <= target.size() + kEnding.size() - 1 ||
        !SameIgnoringAsciiCase(source.substr(0, target.size()), target) ||
        !SameIgnoringAsciiCase(source.substr(source.size() - kEnding.size()), kEnding))
        return false;
    // Between the target's name and ".new": nothing, or ".<process>-<n>".
    std::string_view between =
        source.substr(target.size(), source.size() - target.size() - kEnding.size());
    if (between.empty())
        return true;
    if (between.front() != '.')
        return false;
    between.remove_prefix(1);
    const std::string_view::size_type dash = between.find('-');
    return dash != std::string_view::npos && Digits(between.substr(0, dash)) &&
           Digits(between.substr(dash + 1));
}

} // namespace zelvo
