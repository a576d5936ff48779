#include "win_system_ops.h"

#include "layout.h"
#include "logon_task.h"
#include "pending_renames.h"
#include "registry.h"
#include "sysfolders.h"
#include "system_text.h"

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

} // namespace

std::wstring WinSystemOps::AppFolder() {
    return GetAppFolder();
}

std::string WinSystemOps::Wow64SystemFolder() {
    return GetWow64SystemFolder();
}

long WinSystemOps::CopyNew(const std::wstring& from, const std::string& to) {
    if (CopyFileW(from.c_str(), WidenAnsi(to).c_str(), TRUE))
        return ERROR_SUCCESS;
    const DWORD error = GetLastError();
    // Copied meanwhile by another program: the target is there, as wanted.
    return error == ERROR_FILE_EXISTS ? ERROR_SUCCESS : static_cast<long>(error);
}

bool WinSystemOps::Remove(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

std::string WinSystemOps::MoveAside(const std::string& path) {
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
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

bool WinSystemOps::GoesAtRestart(const std::string& path) {
    return GoneAfterRestart(
        ReadRegMultiString(kLocalMachineRoot, kPendingRenamesSubkey, kPendingRenamesValueName),
        WidenAnsi(path));
}

long WinSystemOps::CopyNewAtRestart(const std::wstring& from, const std::string& to) {
    DWORD error = ERROR_FILE_EXISTS;
    for (unsigned attempt = 0; attempt < kSiblingAttempts && NameTaken(error); ++attempt) {
        const std::string copy = SiblingName(to, attempt, ".new");
        if (!CopyFileW(from.c_str(), WidenAnsi(copy).c_str(), TRUE)) {
            error = GetLastError();
            continue;
        }
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
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = GetTickCount() - start;
        const DWORD left = elapsed < milliseconds ? milliseconds - elapsed : 0;
        // Messages already waiting count too, not only those that come during the wait.
        const DWORD wait =
            MsgWaitForMultipleObjectsEx(1, &lock, left, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
        if (wait != WAIT_OBJECT_0 + 1)
            return wait;
        // A quit met here stays for the program's loop, and would wake this wait at once again.
        if (!PumpWaitingMessages())
            return WaitForSingleObject(lock, left);
    }
}

bool WinSystemOps::DeleteRegValue(RootKey root, const std::string& subkey,
                                  const std::string& valueName, RegistryView view) {
    return zelvo::DeleteRegValue(root, subkey, valueName, view);
}

bool WinSystemOps::DeleteRegTree(RootKey root, const std::string& subkey) {
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

bool PumpWaitingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the program's own message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    return true;
}

} // namespace zelvo
