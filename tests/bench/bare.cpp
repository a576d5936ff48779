// The yardstick for the updater's start-up benchmark: the floor of the updater's work done
// bare. It lists the drives and, for each fixed one, queries its space and writes one icon
// location into the drive's override key, then ends.
#include "layout.h"

#include <windows.h>

#include <string>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    char system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    if (systemLength == 0 || systemLength >= MAX_PATH)
        return 1;
    const std::string location =
        zelvo::IconLocation(system + std::string(zelvo::kUsageLibraryFile), 0);
    const DWORD drives = GetLogicalDrives();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        if (!(drives & (1UL << (letter - 'A'))))
            continue;
        const char root[] = {letter, ':', '\\', '\0'};
        ULARGE_INTEGER available, total, free;
        if (GetDriveTypeA(root) != DRIVE_FIXED ||
            !GetDiskFreeSpaceExA(root, &available, &total, &free))
            continue;
        const std::string subkey =
            std::string(zelvo::kDriveIconsSubkey) + "\\" + letter + zelvo::kDefaultIconSuffix;
        HKEY key;
        if (RegCreateKeyA(HKEY_LOCAL_MACHINE, subkey.c_str(), &key) != ERROR_SUCCESS)
            continue;
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(location.c_str()),
                       static_cast<DWORD>(location.size() + 1));
        RegCloseKey(key);
    }
    return 0;
}
