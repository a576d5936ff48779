// The shell's own icon picker, PickIconDlg (shell32 export ordinal 62), and the platform
// identifier that decides its character width.
#pragma once

#include "icon_browse.h"

#include <windows.h>

namespace zelvo {

// PickIconDlg as NT exports it (wide) and as Windows 9x does (8-bit).
using WidePickIconDlg = int(WINAPI*)(HWND owner, LPWSTR path, UINT capacity, int* index);
using AnsiPickIconDlg = int(WINAPI*)(HWND owner, LPSTR path, UINT capacity, int* index);

// The platform identifier that GetVersionExA reports; 0 when the call fails.
unsigned long WindowsPlatformId();

// Runs a wide picker over an 8-bit picker buffer: the buffer goes in converted to wide characters,
// and only a confirmed choice comes back, as an ANSI path naming the chosen file. A chosen path
// that does not fit the buffer counts as cancelled: buffer and index stay as they were.
int PickThroughWide(WidePickIconDlg pick, HWND owner, std::string& buffer, std::size_t capacity,
                    std::int32_t& index);

class ShellIconPicker final : public IconPicker {
  public:
    explicit ShellIconPicker(HWND owner) : owner_(owner) {}
    // kNoPicker when shell32 does not export the picker.
    int Pick(std::string& buffer, std::size_t capacity, std::int32_t& index, bool wide) override;

  private:
    HWND owner_;
};

} // namespace zelvo
