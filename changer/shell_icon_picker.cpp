#include "shell_icon_picker.h"

#include "system_function.h"
#include "wide_path.h"

#include <algorithm>
#include <climits>

namespace zelvo {

namespace {

constexpr char kShellLibrary[] = "shell32.dll";
constexpr WORD kPickIconDlgOrdinal = 62;

static_assert(sizeof(OSVERSIONINFOA) == 148, "GetVersionExA is given the record's own size");
static_assert(sizeof(int) == sizeof(std::int32_t), "the picker's index is 32 bits");

// The picker under the type of the character width asked for; null when shell32 lacks it.
template <typename Function> Function PickIconDlg() {
    return SystemFunction<Function>(kShellLibrary, MAKEINTRESOURCEA(kPickIconDlgOrdinal));
}

// The capacity that the call may use: no more than the buffer holds and UINT can count.
UINT UsableCapacity(std::size_t capacity, std::size_t bufferSize) {
    return static_cast<UINT>(std::min({capacity, bufferSize, std::size_t{UINT_MAX}}));
}

} // namespace

unsigned long WindowsPlatformId() {
    OSVERSIONINFOA version = {};
    version.dwOSVersionInfoSize = sizeof version;
    GetVersionExA(&version); // on failure the record stays zeroed: identifier 0
    return version.dwPlatformId;
}

int PickThroughWide(WidePickIconDlg pick, HWND owner, std::string& buffer, std::size_t capacity,
                    std::int32_t& index) {
    std::wstring wide = WidenAnsi(buffer.substr(0, std::min(capacity, buffer.size())));
    wide.resize(std::max(wide.size(), capacity), L'\0');
    const UINT usable = UsableCapacity(capacity, wide.size());
    std::int32_t chosenIndex = index;
    const int result = pick(owner, wide.data(), usable, &chosenIndex);
    if (result != kPickConfirmed)
        return result;
    // A path longer than the buffer leaves no NUL in it; cut, it would name another file.
    const std::size_t end = wide.find(L'\0');
    if (end >= usable)
        return kPickCancelled;
    const std::string path = AnsiPathFromWide(wide.substr(0, end));
    if (!FitsPickerBuffer(path, capacity))
        return kPickCancelled;
    WritePickerPath(buffer, capacity, path);
    index = chosenIndex;
    return result;
}

int ShellIconPicker::Pick(std::string& buffer, std::size_t capacity, std::int32_t& index,
                          bool wide) {
    if (wide) {
        const auto pick = PickIconDlg<WidePickIconDlg>();
        return pick ? PickThroughWide(pick, owner_, buffer, capacity, index) : kNoPicker;
    }
    const auto pick = PickIconDlg<AnsiPickIconDlg>();
    if (!pick)
        return kNoPicker;
    if (buffer.size() < capacity)
        buffer.resize(capacity, '\0');
    return pick(owner_, buffer.data(), UsableCapacity(capacity, buffer.size()), &index);
}

} // namespace zelvo
