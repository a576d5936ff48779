// The system and application folders, the file test and the shell open.
#pragma once

#include "filetest.h"

#include <windows.h>

#include <string>

namespace zelvo {

// The Windows System folder without a trailing backslash, or empty text when Windows fails.
std::string GetSystemFolder();

// The running program's own file, its full path (wide); empty when Windows cannot say.
std::wstring GetProgramFile();

// The folder of the running program's own file, without a trailing backslash: wide, so that it
// names that very folder whatever characters it holds; empty when Windows cannot say.
std::wstring GetAppFolder();

// The 32-bit System folder of 64-bit Windows (SysWOW64), for a 64-bit program; empty text for
// a 32-bit program and on 32-bit Windows.
std::string GetWow64SystemFolder();

// Whether a file (hidden and system files included, folders not) is at exactly this path.
FileTest FileExists(const std::string& path);

// Starts a program or opens a document through the shell; the result is the caller's to ignore.
void ShellOpen(HWND owner, const std::string& path);

} // namespace zelvo
