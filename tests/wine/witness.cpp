// Stands in for the updater: records each start as one line, so tests can count them.
#include "unique_handle.h"

#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const zelvo::UniqueFile log(CreateFileA("C:\\tests\\updater-starts.log", FILE_APPEND_DATA,
                                            FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                            OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    WriteFile(log.get(), "start\n", 6, &written, nullptr);
    return 0;
}
