// The updater's effects in a file of their own: a program that links only these never loads
// shlwapi, or shell32 unless it has a change to tell, or wtsapi32 unless it runs as the SYSTEM
// task and has a change to tell the users' sessions.
#include "win_system_ops.h"

#include "keypath.h"
#include "layout.h"
#include "registry.h"
#include "sessions.h"
#include "system_function.h"
#include "sysfolders.h"

#include <sddl.h>
#include <shlobj.h>

namespace zelvo {

namespace {

// Only SYSTEM and the Administrators group may reach the lock and its namespace, with every right.
constexpr char kUpdaterLockSecurity[] = "D:(A;;GA;;;SY)(A;;GA;;;BA)";
// What waiting for and releasing the lock needs, where the Global mutex exists already.
constexpr DWORD kUpdaterLockAccess = SYNCHRONIZE | MUTEX_MODIFY_STATE;

} // namespace

bool UpdaterLock::Open() {
    if (mutex_)
        return true;
    PSECURITY_DESCRIPTOR descriptor = nullptr;
    if (!ConvertStringSecurityDescriptorToSecurityDescriptorA(kUpdaterLockSecurity, SDDL_REVISION_1,
                                                              &descriptor, nullptr))
        return false;
    const UniqueLocalMemory security(descriptor);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, descriptor, FALSE};
    bool offered = false;
    namespace_ = OpenAdministratorsNamespace(kUpdaterLockNamespace, &attributes, offered);
    if (namespace_) {
        mutex_.reset(CreateMutexW(&attributes, FALSE, kUpdaterLockName));
    } else if (!offered) {
        mutex_.reset(CreateMutexA(&attributes, FALSE, kUpdaterMutexName));
        if (!mutex_ && GetLastError() == ERROR_ACCESS_DENIED)
            mutex_.reset(OpenMutexA(kUpdaterLockAccess, FALSE, kUpdaterMutexName));
    }
    return static_cast<bool>(mutex_);
}

void WinPassOps::ShowIncorrectFormat(const std::string& keyPath) const {
    MessageBoxA(GetActiveWindow(), IncorrectFormatMessage(keyPath).c_str(), title_, MB_OK);
}

std::string WinPassOps::SystemFolder() {
    return GetSystemFolder();
}

FileTest WinPassOps::FileExists(const std::string& path) {
    return zelvo::FileExists(path);
}

bool WinPassOps::DriveSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) {
    ULARGE_INTEGER available, totalBytes, freeBytes;
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &totalBytes, &freeBytes))
        return false;
    total = totalBytes.QuadPart;
    free = freeBytes.QuadPart;
    return true;
}

long WinPassOps::CreateRegKey(const std::string& keyPath) {
    return OnKey(keyPath, [](RootKey root, const std::string& subkey) {
        return zelvo::CreateRegKey(root, subkey);
    });
}

long WinPassOps::SetRegString(const std::string& keyPath, const std::string& valueName,
                              const std::string& text) {
    return OnKey(keyPath, [&](RootKey root, const std::string& subkey) {
        return zelvo::SetRegString(root, subkey, valueName, text);
    });
}

long WinPassOps::ReadRegString(const std::string& keyPath, const std::string& valueName,
                               std::string& text) {
    return OnKey(keyPath, [&](RootKey root, const std::string& subkey) {
        return zelvo::ReadRegString(root, subkey, valueName, text);
    });
}

bool WinPassOps::HoldUpdaters(unsigned long waitMs) {
    if (!updaterLock_.Open())
        return false; // an updater then writes nothing: Windows would refuse its writes anyway
    const DWORD wait = WaitForLock(updaterLock_.get(), waitMs);
    // An updater that ended inside its pass leaves the lock abandoned: it is free.
    held_ = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    return held_;
}

DWORD WinPassOps::WaitForLock(HANDLE lock, DWORD milliseconds) {
    return WaitForSingleObject(lock, milliseconds);
}

void WinPassOps::ReleaseUpdaters() {
    if (held_)
        ReleaseMutex(updaterLock_.get());
    held_ = false;
}

void WinPassOps::NotifyIconsChanged() {
    using ChangeNotifyFn = void(WINAPI*)(LONG, UINT, LPCVOID, LPCVOID);
    if (const auto notify = SystemFunction<ChangeNotifyFn>("shell32.dll", "SHChangeNotify"))
        notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
}

bool WinPassOps::InServicesSession() {
    return RunsInServicesSession();
}

bool WinPassOps::ListSessions(std::vector<UserSession>& sessions) {
    return EnumerateSessions(sessions);
}

// The notifier is this very program file: the task's updater runs from the System folder,
// which a user cannot change, so the user's notifier runs what the administrator installed.
bool WinPassOps::StartNotifier(std::uint32_t session) {
    const UniqueHandle token = SessionUserToken(session);
    const std::wstring program = GetProgramFile();
    return token && !program.empty() && StartAsUser(token.get(), program, kNotifyOnlyArgument);
}

} // namespace zelvo
