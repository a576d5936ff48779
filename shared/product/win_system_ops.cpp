#include "win_system_ops.h"

#include "logon_task.h"
#include "registry.h"
#include "sysfolders.h"
#include "system_text.h"

namespace zelvo {

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

bool WinSystemOps::RemoveAtRestart(const std::string& path) {
    return MoveFileExA(path.c_str(), nullptr, MOVEFILE_DELAY_UNTIL_REBOOT) != FALSE;
}

void WinSystemOps::PumpMessages() {
    PumpWaitingMessages();
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

void PumpWaitingMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // Leave the quit for the program's own message loop.
            PostQuitMessage(static_cast<int>(msg.wParam));
            return;
        }
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}

} // namespace zelvo
