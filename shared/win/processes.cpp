#include "processes.h"

#include "system_function.h"

#include <tlhelp32.h>

#include <optional>

namespace zelvo {

namespace {

// A file's identity on its volume, the same by whatever path it is reached.
struct FileIdentity {
    DWORD volume;
    DWORD indexHigh;
    DWORD indexLow;
    bool operator==(const FileIdentity& other) const {
        return volume == other.volume && indexHigh == other.indexHigh && indexLow == other.indexLow;
    }
};

std::optional<FileIdentity> IdentityOf(const std::wstring& path) {
    const UniqueFile file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, 0, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (!file || !GetFileInformationByHandle(file.get(), &info))
        return std::nullopt;
    return FileIdentity{info.dwVolumeSerialNumber, info.nFileIndexHigh, info.nFileIndexLow};
}

std::wstring FileName(const std::wstring& path) {
    const std::wstring::size_type slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

using QueryImageNameFn = BOOL(WINAPI*)(HANDLE, DWORD, LPWSTR, PDWORD);
// Windows Vista's: XP neither has it nor grants PROCESS_QUERY_LIMITED_INFORMATION.
constexpr DWORD kQueryLimitedInformation = 0x1000;

// The full path of a process's program file; none when Windows cannot say.
std::optional<std::wstring> ImagePath(HANDLE process, QueryImageNameFn query) {
    wchar_t path[MAX_PATH * 4];
    DWORD size = ARRAYSIZE(path);
    if (!query || !query(process, 0, path, &size))
        return std::nullopt;
    return std::wstring(path, size);
}

} // namespace

std::vector<UniqueHandle> ProcessesRunning(const std::wstring& path) {
    std::vector<UniqueHandle> running;
    const std::optional<FileIdentity> program = IdentityOf(path);
    if (!program)
        return running;
    const auto query =
        SystemFunction<QueryImageNameFn>("kernel32.dll", "QueryFullProcessImageNameW");
    const std::wstring name = FileName(path);
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE)
        return running;
    PROCESSENTRY32W entry = {};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more;
         more = Process32NextW(snapshot.get(), &entry)) {
        // A program file of another name is not this one: only those are looked at closely.
        if (lstrcmpiW(entry.szExeFile, name.c_str()) != 0)
            continue;
        UniqueHandle process(OpenProcess(SYNCHRONIZE | (query ? kQueryLimitedInformation : 0),
                                         FALSE, entry.th32ProcessID));
        if (!process)
            continue;
        if (query) {
            const std::optional<std::wstring> image = ImagePath(process.get(), query);
            if (!image || !(IdentityOf(*image) == program))
                continue;
        }
        running.push_back(std::move(process));
    }
    return running;
}

} // namespace zelvo
