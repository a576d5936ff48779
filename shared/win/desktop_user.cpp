#include "desktop_user.h"

#include "system_function.h"

#include <sddl.h>

#include <vector>

namespace zelvo {

namespace {

constexpr DWORD kQueryLimitedInformation = 0x1000; // PROCESS_QUERY_LIMITED_INFORMATION, Vista on
// The room for an account and a domain name.
constexpr DWORD kNameCapacity = 256;

// The token's user, as a SID buffer; empty when it cannot be read.
std::vector<BYTE> TokenUserOf(HANDLE token) {
    DWORD size = 0;
    GetTokenInformation(token, TokenUser, nullptr, 0, &size);
    std::vector<BYTE> buffer(size);
    if (size == 0 || !GetTokenInformation(token, TokenUser, buffer.data(), size, &size))
        buffer.clear();
    return buffer;
}

PSID SidOf(std::vector<BYTE>& tokenUser) {
    return reinterpret_cast<TOKEN_USER*>(tokenUser.data())->User.Sid;
}

std::string SidText(PSID sid) {
    LPSTR text = nullptr;
    if (!ConvertSidToStringSidA(sid, &text))
        return {};
    const UniqueLocalMemory owner(text);
    return text;
}

std::string AccountName(PSID sid) {
    char name[kNameCapacity], domain[kNameCapacity];
    DWORD nameSize = kNameCapacity, domainSize = kNameCapacity;
    SID_NAME_USE use;
    if (!LookupAccountSidA(nullptr, sid, name, &nameSize, domain, &domainSize, &use))
        return SidText(sid);
    return domainSize ? std::string(domain) + "\\" + name : std::string(name);
}

// The account of a token, compared with this program's own.
std::optional<AccountToken> Describe(UniqueHandle token) {
    std::vector<BYTE> user = TokenUserOf(token.get());
    if (user.empty())
        return std::nullopt;
    AccountToken account;
    account.sid = SidText(SidOf(user));
    if (account.sid.empty())
        return std::nullopt;
    account.account = AccountName(SidOf(user));
    UniqueHandle own;
    if (OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY, own.put())) {
        std::vector<BYTE> ownUser = TokenUserOf(own.get());
        account.sameAccount = !ownUser.empty() && EqualSid(SidOf(ownUser), SidOf(user));
    }
    account.token = std::move(token);
    return account;
}

} // namespace

std::optional<AccountToken> OpenDesktopUser() {
    const HWND shell = GetShellWindow();
    DWORD processId = 0;
    if (!shell || !GetWindowThreadProcessId(shell, &processId) || !processId)
        return std::nullopt;
    UniqueHandle process(OpenProcess(kQueryLimitedInformation, FALSE, processId));
    if (!process)
        process.reset(OpenProcess(PROCESS_QUERY_INFORMATION, FALSE, processId)); // XP
    UniqueHandle token;
    if (!process ||
        !OpenProcessToken(process.get(), TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE,
                          token.put()))
        return std::nullopt;
    return Describe(std::move(token));
}

std::optional<AccountToken> OpenOwnAccount() {
    UniqueHandle token;
    if (!OpenProcessToken(GetCurrentProcess(), TOKEN_QUERY | TOKEN_IMPERSONATE | TOKEN_DUPLICATE,
                          token.put()))
        return std::nullopt;
    return Describe(std::move(token));
}

std::optional<std::string> ExpandForUser(HANDLE token, const std::string& text) {
    using ExpandForUserFn = BOOL(WINAPI*)(HANDLE, LPCSTR, LPSTR, DWORD);
    // The expansion's own limit, in characters.
    constexpr DWORD kCapacity = 32 * 1024;
    std::string expanded(kCapacity, '\0');
    if (!token) {
        const DWORD length = ExpandEnvironmentStringsA(text.c_str(), expanded.data(), kCapacity);
        if (length == 0 || length > kCapacity)
            return std::nullopt;
    } else {
        const auto expand =
            SystemFunction<ExpandForUserFn>("userenv.dll", "ExpandEnvironmentStringsForUserA");
        if (!expand || !expand(token, text.c_str(), expanded.data(), kCapacity))
            return std::nullopt;
    }
    expanded.resize(expanded.find('\0'));
    return expanded;
}

} // namespace zelvo
