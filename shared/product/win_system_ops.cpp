#include "win_system_ops.h"

#include "layout.h"
#include "logon_task.h"
#include "pending_renames.h"
#include "processes.h"
#include "registry.h"
#include "sysfolders.h"
#include "system_text.h"
#include "wide_path.h"
#include "window.h"

namespace zelvo {

namespace {

// How many names beside a file are tried before giving up: another program may hold some.
constexpr unsigned kSiblingAttempts = 16;

// A name of its own beside `path` for this process's n-th try, e.g. "ZDrvs.exe.420-0.deleted".
std::string SiblingName(const std::string& path, unsigned attempt, const char* ending) {
    return path + "." + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(attempt) +
           ending;
}

bool NameTaken(DWORD error) {
    return error == ERROR_ALREADY_EXISTS || error == ERROR_FILE_EXISTS;
}

// The System folder's copies are the product's own files, whatever the attributes of what they
// were copied from (a CD, or an archive tool that keeps read-only): normal ones, so that a
// switch-off and a removal can delete them.
void GiveNormalAttributes(const std::wstring& path) {
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
}

// A read-only file is neither deleted nor, under Wine, removed at the restart: the attribute goes
// first. Only for the product's own files in the System folder, the only ones removed here.
void ClearReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY))
        SetFileAttributesA(path.c_str(), attributes & ~FILE_ATTRIBUTE_READONLY);
}

// The file operations that Windows makes at its next restart, as the session manager lists them.
std::wstring PendingRenames() {
    return ReadRegMultiString(kLocalMachineRoot, kPendingRenamesSubkey, kPendingRenamesValueName);
}

} // namespace

std::wstring WinSystemOps::AppFolder() {
    return GetAppFolder();
}

std::string WinSystemOps::Wow64SystemFolder() {
    return GetWow64SystemFolder();
}

long WinSystemOps::CopyNew(const std::wstring& from, const std::string& to) {
    const std::wstring target = WidenAnsi(to);
    if (CopyFileW(from.c_str(), target.c_str(), TRUE)) {
        GiveNormalAttributes(target);
        return ERROR_SUCCESS;
    }
    const DWORD error = GetLastError();
    // Copied meanwhile by another program: the target is there, as wanted.
    return error == ERROR_FILE_EXISTS ? ERROR_SUCCESS : static_cast<long>(error);
}

bool WinSystemOps::Remove(const std::string& path) {
    ClearReadOnly(path);
    return DeleteFileA(path.c_str()) != FALSE;
}

std::string WinSystemOps::MoveAside(const std::string& path) {
    ClearReadOnly(path);
    for (unsigned attempt = 0; attempt < kSiblingAttempts; ++attempt) {
        const std::string aside = SiblingName(path, attempt, ".deleted");
        if (MoveFileExA(path.c_str(), aside.c_str(), 0))
            return aside;
        if (!NameTaken(GetLastError()))
            break;
    }
    return {};
}

bool WinSystemOps::RemoveAtRestart(const std::string& path) {
    ClearReadOnly(path);
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool WinSystemOps::GoesAtRestart(const std::string& path) {
    return GoneAfterRestart(PendingRenames(), WidenAnsi(path));
}

std::vector<std::string> WinSystemOps::PendingReplacements(const std::string& path) {
    std::vector<std::string> sources;
    for (const std::wstring& source : ReplacementSources(PendingRenames(), WidenAnsi(path))) {
        if (std::optional<std::string> ansi = AnsiExactly(source))
            sources.push_back(std::move(*ansi));
    }
    return sources;
}

long WinSystemOps::CopyNewAtRestart(const std::wstring& from, const std::string& to) {
    DWORD error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < kSiblingAttempts && NameTaken(error); ++attempt) {
        const std::string copy = SiblingName(to, attempt, ".new");
        const std::wstring wideCopy = WidenAnsi(copy);
        if (!CopyFileW(from.c_str(), wideCopy.c_str(), TRUE)) {
            error = GetLastError();
            continue;
        }
        GiveNormalAttributes(wideCopy);
        // Listed after the target's deletion, so made after it.
        if (MoveFileExA(copy.c_str(), to.c_str(),
                        MOVEFILE_DELAY_UNTIL_REBOOT | MOVEFILE_REPLACE_EXISTING))
            return ERROR_SUCCESS;
        error = GetLastError();
        DeleteFileA(copy.c_str());
    }
    return static_cast<long>(error);
}

void WinSystemOps::PumpMessages() {
    PumpWaitingMessages();
}

DWORD WinSystemOps::WaitForLock(HANDLE lock, DWORD milliseconds) {
    const DWORD now = WaitForSingleObject(lock, 0);
    if (now != WAIT_TIMEOUT || milliseconds == 0 || !waitNotice_)
        return now == WAIT_TIMEOUT ? WaitPumpingMessages(lock, milliseconds, owner_) : now;
    waitNotice_(true);
    const DWORD wait = WaitPumpingMessages(lock, milliseconds, owner_);
    waitNotice_(false);
    return wait;
}

bool WinSystemOps::WaitForProgramToEnd(const std::string& path, unsigned long waitMs) {
    const DWORD start = GetTickCount();
    // Programs may start while others end: looked for again after each has ended.
    for (;;) {
        const std::vector<UniqueHandle> running = ProcessesRunning(WidenAnsi(path));
        if (running.empty())
            return true;
        for (const UniqueHandle& process : running) {
            const DWORD elapsed = GetTickCount() - start;
            if (elapsed >= waitMs ||
                WaitPumpingMessages(process.get(), waitMs - elapsed, owner_) == WAIT_TIMEOUT)
                return false;
        }
    }
}

bool WinSystemOps::DeleteRegValue(RootKey root, const std::string& subkey,
                                  const std::string& valueName, RegistryView view) {
    return zelvo::DeleteRegValue(root, subkey, valueName, view) == ERROR_SUCCESS;
}

long WinSystemOps::DeleteRegTree(RootKey root, const std::string& subkey) {
    return zelvo::DeleteRegTree(root, subkey);
}

void WinSystemOps::ShellOpen(const std::string& path) {
    zelvo::ShellOpen(owner_, path);
}

bool WinSystemOps::RegisterLogonTask(const std::string& updaterPath) {
    return zelvo::RegisterLogonTask(updaterPath);
}

bool WinSystemOps::DeleteLogonTask() {
    return zelvo::DeleteLogonTask();
}

} // namespace zelvo
