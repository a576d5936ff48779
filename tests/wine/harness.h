// What the tests under Wine share: the product's folders, the registry and files as a user or
// Windows would observe them, and driving the real programs' windows.
#pragma once

#include "unique_handle.h"
#include "window.h"

#include <windows.h>

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace zelvo::testing {

// Polls until the outcome a test waits for holds; false when the time ran out.
bool WaitUntil(const std::function<bool()>& outcome, DWORD milliseconds = 10000);

// The application folder the test run installed, and the Windows System folder.
std::string AppDir();
std::string SysDir();
std::string AppFile(const char* nameWithBackslash);
std::string SysFile(const char* nameWithBackslash);

// Registry, read through the API as Explorer would.
std::optional<std::string> ReadRegString(HKEY root, const std::string& subkey,
                                         const std::string& valueName);
bool RegKeyExists(HKEY root, const std::string& subkey);
void WriteRegString(HKEY root, const std::string& subkey, const std::string& valueName,
                    const std::string& text);
// The default value of a drive's override key, if there is one; setting it as others would.
std::optional<std::string> DriveOverride(char letter);
void SetOverride(char letter, const std::string& location);
std::optional<std::string> LogonEntry();
// True when the Task Scheduler's root folder holds a task of this name (ITaskFolder::GetTask).
bool TaskExists(const std::string& name);
bool LogonTaskExists();

bool FileIsThere(const std::string& path);
void WriteFile(const std::string& path, const std::string& content);
std::string ReadFile(const std::string& path);

// Moves a file away (to "<path>.away") for the length of a scope and back at its end, even when
// an assertion ends the test early.
class MovedAway {
  public:
    explicit MovedAway(std::string path);
    ~MovedAway();
    MovedAway(const MovedAway&) = delete;
    MovedAway& operator=(const MovedAway&) = delete;

    bool moved() const { return moved_; }

  private:
    std::string path_;
    bool moved_;
};

// Puts the machine back to "not installed": no files in the system folder, no logon entry or
// logon task, no DriveIcons key, no recorded updater starts.
void ResetProductState();

// A stand-in updater that records each of its starts; installed as the system folder's
// ZDrvs.exe, where the icon changer never replaces it.
void InstallWitnessUpdater();
int WitnessStarts();

// A started program, ended (if still running) when the object goes.
class Process {
  public:
    explicit Process(const std::string& exePath, DWORD creationFlags = 0);
    explicit Process(const std::wstring& exePath);
    ~Process();
    Process(const Process&) = delete;
    Process& operator=(const Process&) = delete;

    DWORD id() const { return id_; }
    HANDLE thread() const { return thread_.get(); }
    bool started() const { return static_cast<bool>(process_); }
    // True when the program ended within the time.
    bool WaitForExit(DWORD milliseconds = 10000);
    // The program's exit code once it ended.
    DWORD ExitCode() const;

  private:
    void Adopt(const PROCESS_INFORMATION& info);

    UniqueHandle process_;
    UniqueHandle thread_;
    DWORD id_ = 0;
};

// Runs a program and waits for its end; true when it ended in time.
bool RunToEnd(const std::string& exePath, DWORD milliseconds = 10000);

// Waits until no process of this file name runs (e.g. updaters started through the shell).
bool WaitUntilNoProcess(const char* exeName, DWORD milliseconds = 10000);

// The top-level window of a process with this title (any title when null), waiting for it.
HWND WaitForWindow(DWORD processId, const char* title, DWORD milliseconds = 10000);
// True when a visible top-level window of the process exists.
bool HasVisibleWindow(DWORD processId);
// The text of another process's control, asked of the control itself (its window text as
// Windows keeps it is not the text of an edit box or a tool tip).
std::string ControlText(HWND control);
// The client rectangle of a child, relative to its parent's client area.
RECT ChildRect(HWND child);

// The colour the screen shows at a point of a window's client area.
COLORREF ScreenColour(HWND window, POINT client);

// The title of the help viewer that opened (waiting for it), which is then closed; empty when
// none opened.
std::string HelpViewerTitle();

// A message box of the process: its text (the static with id 0xFFFF), and OK pressed.
std::string MessageBoxText(HWND box);
void PressOk(HWND box);

// Clicks a button and returns once its window has handled the click; false when that took
// longer than the time, as a click that opens a modal box does (post BM_CLICK for those).
bool ClickAndWait(HWND button, DWORD milliseconds = 5000);
// Returns once the window's thread has handled the messages sent to it before, and so has
// finished what it was doing unless it waits in a modal box.
bool Sync(HWND window);

// False on a machine whose Wine runs no 32-bit program (ZELVO_NO_WIN32=1 from the test scripts).
bool Runs32BitPrograms();

// Lets the screen and the pointer catch up where there is no outcome to wait for.
void Settle(DWORD milliseconds = 200);

} // namespace zelvo::testing
