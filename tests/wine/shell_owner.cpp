// Stands in for Explorer as the desktop's shell: makes a window of its own the shell's window
// (SetShellWindow), so that GetShellWindow names this process and its user, and stays until ended.
#include <windows.h>

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    using SetShellWindowFn = BOOL(WINAPI*)(HWND);
    const auto setShellWindow = reinterpret_cast<SetShellWindowFn>(reinterpret_cast<void (*)()>(
        GetProcAddress(GetModuleHandleA("user32.dll"), "SetShellWindow")));
    const HWND window = CreateWindowExA(0, "STATIC", "shell", WS_POPUP, 0, 0, 1, 1, nullptr,
                                        nullptr, instance, nullptr);
    if (!setShellWindow || !window || !setShellWindow(window))
        return 1;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0)
        DispatchMessageA(&msg);
    return 0;
}
