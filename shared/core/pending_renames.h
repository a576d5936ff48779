// The file operations that Windows makes at its next restart, as the session manager keeps them
// (PendingFileRenameOperations): pure logic, so that it is tested without Windows.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace zelvo {

// True when, after the restart's operations, nothing is left at `path`: the last operation that
// names it deletes it or moves it away, and none puts another file in its place after that.
// `operations` is the value's data, a list of NUL-terminated wide strings in pairs (a source, then
// its target: empty to delete the source, "!" before it to replace an existing file), made in
// list order. Names compare without their "\??\" prefix and with ASCII letters in either case.
bool GoneAfterRestart(std::wstring_view operations, std::wstring_view path);

// The sources of the operations that move another file into `path`'s place, in list order, each
// without its "\??\" prefix.
std::vector<std::wstring> ReplacementSources(std::wstring_view operations, std::wstring_view path);

// True when `source` is a copy made to replace `target` at the restart (by setup, or by an icon
// changer that found the target going then): in the target's folder, named as the target followed
// by ".new" or by ".<process>-<n>.new". ASCII letters compare in either case.
bool IsReplacementCopy(std::string_view source, std::string_view target);

} // namespace zelvo
