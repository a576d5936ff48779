// The yardstick for the icon changer's start-up benchmark: a bare program that does the work the
// changer's start must do before its window shows, in its order, and shows a window with the same
// kinds of controls (pictures, edit boxes, a drop-down list, buttons). The work: it looks for the
// installed files, writes the logon entry and starts the installed updater through the shell;
// reads the drive letters (the mask afresh for each letter) and the fixed drives' roots; looks for
// the default library and starts the updater once more.
#include "layout.h"

#include <windows.h>
#include <shellapi.h>

#include <string>

namespace {

LRESULT CALLBACK WndProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_DESTROY) {
        PostQuitMessage(0);
        return 0;
    }
    return DefWindowProcA(hwnd, msg, wParam, lParam);
}

struct Control {
    const char* className;
    const char* text;
    DWORD style;
    RECT at; // left, top, width, height
};

constexpr Control kControls[] = {
    {"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, {16, 220, 20, 19}},
    {"COMBOBOX", "", WS_TABSTOP | WS_VSCROLL | CBS_DROPDOWNLIST, {16, 136, 57, 200}},
    {"BUTTON", "&Apply Icon", WS_TABSTOP, {115, 176, 97, 23}},
    {"BUTTON", "&Restore Defaults", WS_TABSTOP, {7, 176, 97, 23}},
    {"BUTTON", "&Close", WS_TABSTOP, {223, 176, 97, 23}},
    {"EDIT", "", WS_TABSTOP | ES_AUTOHSCROLL, {16, 104, 264, 19}},
    {"BUTTON", "....", WS_TABSTOP, {288, 104, 25, 19}},
    {"STATIC", "", SS_BITMAP, {272, 8, 48, 48}},
    {"STATIC", "", SS_BITMAP, {16, 3, 48, 48}},
    {"STATIC", "", SS_BITMAP, {72, 5, 200, 50}},
    {"STATIC", "Select a Drive and Browse for a new icon", SS_CENTER, {40, 80, 213, 13}},
};

// Whether a file is there, as the changer looks: a directory lookup.
bool LookFor(const std::string& path) {
    WIN32_FIND_DATAA found;
    const HANDLE find = FindFirstFileA(path.c_str(), &found);
    if (find == INVALID_HANDLE_VALUE)
        return false;
    FindClose(find);
    return true;
}

// The drive letters, the mask read afresh for each, and the fixed drives' roots.
int ReadDrives() {
    int found = 0;
    for (int i = 0; i < 26; ++i)
        found += (GetLogicalDrives() >> i) & 1;
    char roots[255];
    const DWORD length = GetLogicalDriveStringsA(sizeof roots, roots);
    for (DWORD at = 0; length < sizeof roots && at < length; at += 4)
        found += GetDriveTypeA(roots + at) == DRIVE_FIXED;
    return found;
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    WNDCLASSEXA wc = {};
    wc.cbSize = sizeof wc;
    wc.lpfnWndProc = WndProc;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = "ZelvoBenchChangerBare";
    if (!RegisterClassExA(&wc))
        return 1;
    const HWND window =
        CreateWindowExA(0, wc.lpszClassName, "Zelvo Drives",
                        WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, CW_USEDEFAULT,
                        CW_USEDEFAULT, 333, 235, nullptr, nullptr, instance, nullptr);
    if (!window)
        return 1;
    const HDC screen = GetDC(nullptr);
    const HBITMAP picture = CreateCompatibleBitmap(screen, 48, 48);
    ReleaseDC(nullptr, screen);
    const HFONT font = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    for (const Control& c : kControls) {
        const HWND child =
            CreateWindowExA(0, c.className, c.text, WS_CHILD | WS_VISIBLE | c.style, c.at.left,
                            c.at.top, c.at.right, c.at.bottom, window, nullptr, instance, nullptr);
        SendMessageA(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
        if (c.style & SS_BITMAP)
            SendMessageA(child, STM_SETIMAGE, IMAGE_BITMAP, reinterpret_cast<LPARAM>(picture));
    }

    char system[MAX_PATH];
    const UINT systemLength = GetSystemDirectoryA(system, MAX_PATH);
    if (systemLength > 0 && systemLength < MAX_PATH) {
        const std::string updater = system + std::string(zelvo::kUpdaterFile);
        for (const char* file : {zelvo::kUsageLibraryFile, zelvo::kUpdaterFile})
            LookFor(system + std::string(file));
        HKEY run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, zelvo::kRunSubkey, 0, KEY_WRITE, &run) == 0) {
            RegSetValueExA(run, zelvo::kLogonValueName, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(updater.c_str()),
                           static_cast<DWORD>(updater.size() + 1));
            RegCloseKey(run);
        }
        ShellExecuteA(window, "open", updater.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
        ReadDrives();
        LookFor(system + std::string(zelvo::kDefaultLibraryFile));
        ShellExecuteA(window, "open", updater.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
    }

    ShowWindow(window, SW_SHOWNORMAL);
    UpdateWindow(window);
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
    DeleteObject(picture);
    return static_cast<int>(msg.wParam);
}
