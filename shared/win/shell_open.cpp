// ShellOpen in a file of its own: a program that starts nothing does not load shell32.
#include "sysfolders.h"

#include <shellapi.h>

namespace zelvo {

void ShellOpen(HWND owner, const std::string& path) {
    ShellExecuteA(owner, "open", path.c_str(), "", nullptr, SW_SHOWNORMAL);
}

} // namespace zelvo
