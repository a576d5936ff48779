// The yardstick for the updater's start-up benchmark: the floor of the updater's work done
// bare. It lists the drives and, for each fixed one, queries its space, looks for the usage-bar
// library, reads its override and writes the icon location into it; when one now reads otherwise it
// tells Explorer once, then ends. Built twice: by default it writes an index that the updater never
// writes, so that each run of either program changes every fixed drive; the steady one
// (ZELVO_BENCH_STEADY) writes what the updater writes, so that once settled neither changes
// anything.
#include "layout.h"

#ifdef ZELVO_BENCH_STEADY
#include "usage.h"
#endif

#include <windows.h>
#include <shlobj.h>

#include <string>

namespace {

constexpr int kNeverWrittenIndex = 49;

// The icon index the yardstick writes for a drive.
int IconIndex(const ULARGE_INTEGER& total, const ULARGE_INTEGER& free) {
#ifdef ZELVO_BENCH_STEADY
    return zelvo::UsageIconIndex(zelvo::UsagePercent(total.QuadPart, free.QuadPart));
#else
    static_cast<void>(total);
    static_cast<void>(free);
    return kNeverWrittenIndex;
#endif
}

// The default value's text of an override key, or nothing.
std::string ReadOverride(const std::string& subkey, bool& found) {
    found = false;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, subkey.c_str(), 0, KEY_QUERY_VALUE, &key) !=
        ERROR_SUCCESS)
        return {};
    char data[1024];
    DWORD type = REG_NONE, size = sizeof data;
    found = RegQueryValueExA(key, nullptr, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) ==
                ERROR_SUCCESS &&
            type == REG_SZ;
    RegCloseKey(key);
    return found ? std::string(data, size > 0 && data[size - 1] == '\0' ? size - 1 : size)
                 : std::string();
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    char system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    if (systemLength == 0 || systemLength >= MAX_PATH)
        return 1;
    bool changed = false;
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(drives & (1UL << (letter - 'A'))))
            continue;
        const char root[] = {letter, ':', '\\', '\0'};
        ULARGE_INTEGER available, total, free;
        if (GetDriveTypeA(root) != DRIVE_FIXED ||
            !GetDiskFreeSpaceExA(root, &available, &total, &free) || total.QuadPart == 0)
            continue;
        const std::string library = system + std::string(zelvo::kUsageLibraryFile);
        if (GetFileAttributesA(library.c_str()) == INVALID_FILE_ATTRIBUTES)
            break;
        const std::string location = zelvo::IconLocation(library, IconIndex(total, free));
        const std::string subkey =
            std::string(zelvo::kDriveIconsSubkey) + "\\" + letter + zelvo::kDefaultIconSuffix;
        bool found = false;
        const std::string before = ReadOverride(subkey, found);
        HKEY key;
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, subkey.c_str(), &key) != ERROR_SUCCESS)
            continue;
        if (RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location.c_str()),
                           static_cast<DWORD>(location.size() + 1)) == ERROR_SUCCESS)
            changed |= !found || before != location;
        RegCloseKey(key);
    }
    if (changed) {
        using ChangeNotifyFn = void(WINAPI*)(LONG, UINT, LPCVOID, LPCVOID);
        if (const HMODULE shell = LoadLibraryA("shell32.dll"))
            if (const auto notify = reinterpret_cast<ChangeNotifyFn>(
                    reinterpret_cast<void (*)()>(GetProcAddress(shell, "SHChangeNotify"))))
                notify(SHCNE_ASSOCCHANGED, SHCNF_IDLIST, nullptr, nullptr);
    }
    return 0;
}
