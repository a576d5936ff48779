#include "sessions.h"

#include "system_function.h"
#include "system_text.h"

#include <wtsapi32.h>

#include <memory>

namespace zelvo {

namespace {

constexpr char kWtsDll[] = "wtsapi32.dll";
// The desktop on which a user's programs and Explorer run.
constexpr wchar_t kUserDesktop[] = L"winsta0\\default";

using EnumerateSessionsFn = BOOL(WINAPI*)(HANDLE, DWORD, DWORD, PWTS_SESSION_INFOA*, DWORD*);
using FreeMemoryFn = void(WINAPI*)(PVOID);
using QueryUserTokenFn = BOOL(WINAPI*)(ULONG, PHANDLE);

// Memory that wtsapi32 allocated, given back to it.
struct WtsMemoryFree {
    FreeMemoryFn free;
    void operator()(void* memory) const { free(memory); }
};

} // namespace

bool RunsInServicesSession() {
    DWORD own = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &own))
        return false;
    return own == 0 && WTSGetActiveConsoleSessionId() != 0;
}

bool EnumerateSessions(std::vector<UserSession>& sessions) {
    const auto enumerate = SystemFunction<EnumerateSessionsFn>(kWtsDll, "WTSEnumerateSessionsA");
    const auto free = SystemFunction<FreeMemoryFn>(kWtsDll, "WTSFreeMemory");
    if (!enumerate || !free)
        return false;
    PWTS_SESSION_INFOA list = nullptr;
    DWORD count = 0;
    if (!enumerate(WTS_CURRENT_SERVER_HANDLE, 0, 1, &list, &count))
        return false;
    const std::unique_ptr<WTS_SESSION_INFOA, WtsMemoryFree> owned(list, WtsMemoryFree{free});
    sessions.clear();
    for (DWORD i = 0; i < count; ++i)
        sessions.push_back({list[i].SessionId, list[i].State == WTSActive});
    return true;
}

UniqueHandle SessionUserToken(DWORD session) {
    const auto query = SystemFunction<QueryUserTokenFn>(kWtsDll, "WTSQueryUserToken");
    HANDLE token = nullptr;
    if (!query || !query(session, &token))
        return {};
    return UniqueHandle(token);
}

bool StartAsUser(HANDLE token, const std::wstring& program, const std::string& argument) {
    std::wstring commandLine = L"\"" + program + L"\" " + WidenAnsi(argument);
    std::wstring desktop = kUserDesktop;
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    startup.lpDesktop = desktop.data();
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    PROCESS_INFORMATION started = {};
    if (!CreateProcessAsUserW(token, program.c_str(), commandLine.data(), nullptr, nullptr, FALSE,
                              0, nullptr, nullptr, &startup, &started))
        return false;
    // Not waited for: its handles go at once.
    const UniqueHandle process(started.hProcess), thread(started.hThread);
    return true;
}

} // namespace zelvo
