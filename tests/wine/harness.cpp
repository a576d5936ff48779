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
constexpr char kMovedAwaySuffix[] = ".away";

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
    UniqueHkey key;
    if (RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return std::nullopt;
    const LONG result = RegQueryValueExA(key.get(), valueName.c_str(), nullptr, &type,
                                         reinterpret_cast<BYTE*>(data), &size);
    if (result != ERROR_SUCCESS || type != REG_SZ || size == 0)
        return std::nullopt;
    return std::string(data, size - 1);
}

bool RegKeyExists(HKEY root, const std::string& subkey) {
    UniqueHkey key;
    return RegOpenKeyExA(root, subkey.c_str(), 0, KEY_READ, key.put()) == ERROR_SUCCESS;
}

void WriteRegString(HKEY root, const std::string& subkey, const std::string& valueName,
                    const std::string& text) {
    UniqueHkey key;
    if (RegCreateKeyExA(root, subkey.c_str(), 0, nullptr, 0, KEY_WRITE, nullptr, key.put(),
                        nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(key.get(), valueName.c_str(), 0, REG_SZ,
                   reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
}

namespace {
std::string OverrideKey(char letter) {
    return std::string(kDriveIconsSubkey) + "\\" + letter + kDefaultIconSuffix;
}
} // namespace

std::optional<std::string> DriveOverride(char letter) {
    return ReadRegString(HKEY_LOCAL_MACHINE, OverrideKey(letter), "");
}

void SetOverride(char letter, const std::string& location) {
    WriteRegString(HKEY_LOCAL_MACHINE, OverrideKey(letter), "", location);
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

MovedAway::MovedAway(std::string path)
    : path_(std::move(path)),
      moved_(MoveFileA(path_.c_str(), (path_ + kMovedAwaySuffix).c_str()) != FALSE) {}

MovedAway::~MovedAway() {
    if (moved_)
        MoveFileA((path_ + kMovedAwaySuffix).c_str(), path_.c_str());
}

void ResetProductState() {
    WaitUntilNoProcess("ZDrvs.exe");
    for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile}) {
        SetFileAttributesA(SysFile(name).c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileA(SysFile(name).c_str());
    }
    UniqueHkey run;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_SET_VALUE, run.put()) == ERROR_SUCCESS)
        RegDeleteValueA(run.get(), kLogonValueName);
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

Process::Process(const std::string& exePath, DWORD creationFlags) {
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    std::string commandLine = "\"" + exePath + "\"";
    PROCESS_INFORMATION info = {};
    if (CreateProcessA(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, creationFlags,
                       nullptr, nullptr, &startup, &info))
        Adopt(info);
}

Process::Process(const std::wstring& exePath) {
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    std::wstring commandLine = L"\"" + exePath + L"\"";
    PROCESS_INFORMATION info = {};
    if (CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                       nullptr, &startup, &info))
        Adopt(info);
}

void Process::Adopt(const PROCESS_INFORMATION& info) {
    process_.reset(info.hProcess);
    thread_.reset(info.hThread);
    id_ = info.dwProcessId;
}

Process::~Process() {
    if (started() && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT)
        TerminateProcess(process_.get(), 1);
}

bool Process::WaitForExit(DWORD milliseconds) {
    return started() && WaitForSingleObject(process_.get(), milliseconds) == WAIT_OBJECT_0;
}

DWORD Process::ExitCode() const {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(process_.get(), &code);
    return code;
}

bool RunToEnd(const std::string& exePath, DWORD milliseconds) {
    Process process(exePath);
    return process.WaitForExit(milliseconds);
}

bool WaitUntilNoProcess(const char* exeName, DWORD milliseconds) {
    return WaitUntil(
        [exeName] {
            const UniqueFile snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
            PROCESSENTRY32 entry = {};
            entry.dwSize = sizeof entry;
            bool running = false;
            for (BOOL more = Process32First(snapshot.get(), &entry); more && !running;
                 more = Process32Next(snapshot.get(), &entry))
                running = lstrcmpiA(entry.szExeFile, exeName) == 0;
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
    WaitUntil(
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

std::string ControlText(HWND control) {
    char buffer[1024] = {};
    SendMessageTimeoutA(control, WM_GETTEXT, sizeof buffer, reinterpret_cast<LPARAM>(buffer),
                        SMTO_ABORTIFHUNG, 2000, nullptr);
    return buffer;
}

RECT ChildRect(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(HWND_DESKTOP, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

COLORREF ScreenColour(HWND window, POINT client) {
    ClientToScreen(window, &client);
    const WindowDc screen(nullptr);
    return GetPixel(screen.get(), client.x, client.y);
}

std::string HelpViewerTitle() {
    HWND viewer = nullptr;
    if (!WaitUntil([&] { return (viewer = FindWindowA("HH Parent", nullptr)) != nullptr; }, 10000))
        return {};
    std::string title;
    WaitUntil([&] { return !(title = WindowText(viewer)).empty(); }, 4000);
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    return title;
}

std::string MessageBoxText(HWND box) {
    return ControlText(GetDlgItem(box, 0xFFFF));
}

void PressOk(HWND box) {
    PostMessageA(GetDlgItem(box, IDOK), BM_CLICK, 0, 0);
}

bool ClickAndWait(HWND button, DWORD milliseconds) {
    return SendMessageTimeoutA(button, BM_CLICK, 0, 0, SMTO_NORMAL, milliseconds, nullptr) != 0;
}

bool Sync(HWND window) {
    return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 5000, nullptr) != 0;
}

void Settle(DWORD milliseconds) {
    Sleep(milliseconds);
}

bool WaitUntil(const std::function<bool()>& outcome, DWORD milliseconds) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (outcome())
            return true;
        if (GetTickCount() - start > milliseconds)
            return false;
        Sleep(20);
    }
}

bool Runs32BitPrograms() {
    char value[8] = {};
    return !(GetEnvironmentVariableA("ZELVO_NO_WIN32", value, sizeof value) && value[0] == '1');
}

} // namespace zelvo::testing
