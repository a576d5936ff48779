#include "win_system_ops.h"

#include "registry.h"
#include "sysfolders.h"

namespace zelvo {

std::string WinSystemOps::SystemFolder() {
    return GetSystemFolder();
}

std::string WinSystemOps::AppFolder() {
    return GetAppFolder();
}

FileTest WinSystemOps::FileExists(const std::string& path) {
    return zelvo::FileExists(path);
}

bool WinSystemOps::CopyNew(const std::string& from, const std::string& to) {
    return CopyFileA(from.c_str(), to.c_str(), TRUE) != FALSE;
}

bool WinSystemOps::Remove(const std::string& path) {
    return DeleteFileA(path.c_str()) != FALSE;
}

void WinSystemOps::PumpMessages() {
    PumpWaitingMessages();
}

void WinSystemOps::SetRegString(const std::string& keyPath, const std::string& valueName,
                                const std::string& text) {
    zelvo::SetRegString(keyPath, valueName, text);
}

bool WinSystemOps::DeleteRegValue(RootKey root, const std::string& subkey,
                                  const std::string& valueName) {
    return zelvo::DeleteRegValue(root, subkey, valueName);
}

bool WinSystemOps::DeleteRegTree(RootKey root, const std::string& subkey) {
    return zelvo::DeleteRegTree(root, subkey);
}

void WinSystemOps::ShellOpen(const std::string& path) {
    zelvo::ShellOpen(owner_, path);
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
