// The file operations that Windows makes at its next restart, as the session manager keeps them
// (PendingFileRenameOperations): pure logic, so that it is tested without Windows.
#pragma once

#include <string_view>

namespace zelvo {

// True when, after the restart's operations, nothing is left at `path`: the last operation that
// names it deletes it or moves it away, and none puts another file in its place after that.
// `operations` is the value's data, a list of NUL-terminated wide strings in pairs (a source, then
// its target: empty to delete the source, "!" before it to replace an existing file), made in
// list order. Names compare without their "\??\" prefix and with ASCII letters in either case.
bool GoneAfterRestart(std::wstring_view operations, std::wstring_view path);

} // namespace zelvo
