#include "harness.h"

#include "layout.h"
#include "logon_task.h"
#include "task_scheduler.h"

#include <shlwapi.h>
#include <tlhelp32.h>

#include <fstream>
#include <sstream>

namespace zelvo::testing {

namespace {

constexpr char kWitnessLog[] = "C:\\tests\\updater-starts.log";

// Polls a condition until it holds or the time is up.
template <typename Condition> bool WaitFor(Condition condition, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (condition())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
}

} // namespace

std::string AppDir() {
    char buffer[MAX_PATH];
    const DWORD n = GetEnvironmentVariableA("ZELVO_APP_DIR", buffer, sizeof buffer);
    return n > 0 && n < sizeof buffer ? buffer : "C:\\Program Files\\Zelvo Drives";
}

std::string SysDir() {
    char buffer[MAX_PATH];
    GetSystemDirectoryA(buffer, sizeof buffer);
    return buffer;
}

std::string AppFile(const char* name) {
    return AppDir() + name;
}
std::string SysFile(const char* name) {
    return SysDir() + name;
}

std::optional<std::string> ReadRegString(HKEY root, const std::string& subkey,
                                         const std::string& valueName) {
    char data[1024];
    DWORD size = sizeof data;
    DWORD type = 0;
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG result = RegQueryValueExA(key, valueName.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ || size == 0)
        return std::nullopt;
    return std::string(data, size - 1);
}

bool RegKeyExists(HKEY root, const std::string& subkey) {
    HKEY key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

void WriteRegString(HKEY root, const std::string& subkey, const std::string& valueName,
                    const std::string& text) {
    HKEY key;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return;
    RegSetValueExA(key, valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

std::optional<std::string> DriveOverride(char letter) {
    return ReadRegString(HKEY_LOCAL_MACHINE,
                         std::string(kDriveIconsSubkey) + "\\" + letter + kDefaultIconSuffix, "");
}

std::optional<std::string> LogonEntry() {
    return ReadRegString(HKEY_LOCAL_MACHINE, kRunSubkey, kLogonValueName);
}

bool FileIsThere(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

void ResetProductState() {
    WaitUntilNoProcess("ZDrvs.exe");
    for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile}) {
        SetFileAttributesA(SysFile(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SysFile(name).c_str());
    }
    HKEY run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_SET_VALUE, &run) == ERROR_SUCCESS) {
        RegDeleteValueA(run, kLogonValueName);
        RegCloseKey(run);
    }
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
    DeleteLogonTask(); // false when there is none
    DeleteFileA(kWitnessLog);
}

bool TaskExists(const std::string& name) {
    const ComApartment com;
    const ComPtr<ITaskFolder> folder = RootTaskFolder();
    const UniqueBstr bstr = AnsiToBstr(name);
    ComPtr<IRegisteredTask> task;
    return com.usable() && folder && bstr && SUCCEEDED(folder->GetTask(bstr.get(), task.put()));
}

bool LogonTaskExists() {
    return TaskExists(kLogonTaskName);
}

void InstallWitnessUpdater() {
    CopyFileA("C:\\tests\\witness.exe", SysFile(kUpdaterFile).c_str(), FALSE);
}

int WitnessStarts() {
    const std::string log = ReadFile(kWitnessLog);
    int starts = 0;
    for (char c : log)
        starts += c == '\n';
    return starts;
}

Process::Process(const std::string& exePath) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    if (!CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        info_ = {};
}

Process::Process(const std::wstring& exePath) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        nullptr, &startup, &info_))
        info_ = {};
}

Process::~Process() {
    if (!started())
        return;
    if (WaitForSingleObject(info_.hProcess, 0) == WAIT_TIMEOUT)
        TerminateProcess(info_.hProcess, 1);
    CloseHandle(info_.hThread);
    CloseHandle(info_.hProcess);
}

bool Process::WaitForExit(DWORD milliseconds) {
    return started() && WaitForSingleObject(info_.hProcess, milliseconds) == WAIT_OBJECT_0;
}

bool RunToEnd(const std::string& exePath, DWORD milliseconds) {
    Process process(exePath);
    return process.WaitForExit(milliseconds);
}

bool WaitUntilNoProcess(const char* exeName, DWORD milliseconds) {
    return WaitFor(
        [exeName] {
            const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof entry;
            bool running = false;
            for (BOOL more = Process32First(snapshot, &entry); more && !running;
                 more = Process32Next(snapshot, &entry))
                running = lstrcmpiA(entry.szExeFile, exeName) == 0;
            CloseHandle(snapshot);
            return !running;
        },
        milliseconds);
}

namespace {

struct WindowSearch {
    DWORD processId;
    const char* title;
    bool visibleOnly;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND hwnd, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    DWORD owner = 0;
    GetWindowThreadProcessId(hwnd, &owner);
    if (owner != search->processId)
        return TRUE;
    if (search->visibleOnly && !IsWindowVisible(hwnd))
        return TRUE;
    if (search->title && WindowText(hwnd) != search->title)
        return TRUE;
    search->found = hwnd;
    return FALSE;
}

} // namespace

HWND WaitForWindow(DWORD processId, const char* title, DWORD milliseconds) {
    WindowSearch search = {processId, title, true, nullptr};
    WaitFor(
        [&] {
            EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        milliseconds);
    return search.found;
}

bool HasVisibleWindow(DWORD processId) {
    WindowSearch search = {processId, nullptr, true, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found != nullptr;
}

std::string WindowText(HWND hwnd) {
    char buffer[1024] = {};
    SendMessageTimeoutA(hwnd, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

std::string MessageBoxText(HWND box) {
    return WindowText(GetDlgItem(box, 0xFFFF));
}

void PressOk(HWND box) {
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

void Settle(DWORD milliseconds) {
    Sleep(milliseconds);
}

bool WaitUntil(const std::function<bool()>& outcome, DWORD milliseconds) {
    return WaitFor(outcome, milliseconds);
}

bool Runs32BitPrograms() {
    char value[8] = {};
    return !(GetEnvironmentVariableA("ZELVO_NO_WIN32", value, sizeof value) && value[0] == '1');
}

} // namespace zelvo::testing
