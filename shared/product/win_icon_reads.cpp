// What the icon changer reads after Apply, to tell why an icon may not show: the desktop's user,
// other programs' keys, the policies, and a drive's files, never through a link or onto a
// network where the caller says not, and never with Windows' "no disk" box.
#include "win_system_ops.h"

#include "desktop_user.h"
#include "icon_file.h"
#include "registry.h"

namespace zelvo {

namespace {

// Keeps Windows' boxes for a missing disk or an unreadable file away while it lives.
class QuietErrors {
  public:
    QuietErrors() : previous_(SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX)) {
        SetErrorMode(previous_ | SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);
    }
    ~QuietErrors() { SetErrorMode(previous_); }
    QuietErrors(const QuietErrors&) = delete;
    QuietErrors& operator=(const QuietErrors&) = delete;

  private:
    UINT previous_;
};

bool NotThere(DWORD error) {
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND;
}

// A removable drive that is a floppy drive: Windows names its device so; A and B are floppy
// letters whatever their device.
bool IsFloppy(char letter) {
    if (letter == 'A' || letter == 'B')
        return true;
    const char drive[] = {letter, ':', '\0'};
    char device[MAX_PATH] = {};
    return QueryDosDeviceA(drive, device, MAX_PATH) &&
           std::string(device).find("\\Floppy") != std::string::npos;
}

// What a name's attributes say of the file it is looked for as.
FileLook FromAttributes(DWORD attributes) {
    if (attributes == INVALID_FILE_ATTRIBUTES)
        return NotThere(GetLastError()) ? FileLook::Missing : FileLook::Unknown;
    return attributes & FILE_ATTRIBUTE_DIRECTORY ? FileLook::Missing : FileLook::Present;
}

} // namespace

DesktopUser WinSystemOps::FindDesktopUser() {
    DesktopUser user;
    if (const std::optional<AccountToken> desktop = OpenDesktopUser()) {
        user.known = true;
        user.sid = desktop->sid;
        user.sameAccount = desktop->sameAccount;
        user.account = desktop->account;
    } else if (const std::optional<AccountToken> own = OpenOwnAccount()) {
        user.account = own->account;
    }
    return user;
}

std::optional<std::string> WinSystemOps::ExpandForDesktopUser(const std::string& text) {
    const std::optional<AccountToken> desktop = OpenDesktopUser();
    return ExpandForUser(desktop ? desktop->token.get() : nullptr, text);
}

long WinSystemOps::ReadRegText(const std::string& keyPath, const std::string& valueName,
                               std::string& text) {
    return OnKey(keyPath, [&](RootKey root, const std::string& subkey) {
        return zelvo::ReadRegString(root, subkey, valueName, text, true);
    });
}

long WinSystemOps::ReadRegDword(const std::string& keyPath, const std::string& valueName,
                                std::uint32_t& value) {
    return OnKey(keyPath, [&](RootKey root, const std::string& subkey) {
        return zelvo::ReadRegDword(root, subkey, valueName, value);
    });
}

long WinSystemOps::InspectRegKey(const std::string& keyPath, KeyContents& contents) {
    return OnKey(keyPath, [&](RootKey root, const std::string& subkey) {
        return CountRegKeyContents(root, subkey, contents.values, contents.subkeys);
    });
}

long WinSystemOps::DeleteRegKey(const std::string& keyPath) {
    return OnKey(keyPath, [](RootKey root, const std::string& subkey) {
        // Never a root itself.
        return subkey.empty() ? ERROR_BAD_PATHNAME : zelvo::DeleteRegKey(root, subkey);
    });
}

DriveState WinSystemOps::Drive(char letter) {
    DriveState drive;
    if (letter < 'A' || letter > 'Z' || !(GetLogicalDrives() & (DWORD{1} << (letter - 'A'))))
        return drive;
    const std::string root = {letter, ':', '\\'};
    drive.exists = true;
    drive.type = GetDriveTypeA(root.c_str());
    drive.floppy = drive.type == DRIVE_REMOVABLE && IsFloppy(letter);
    drive.hasMedia = true;
    if (!drive.floppy && (drive.type == DRIVE_REMOVABLE || drive.type == DRIVE_CDROM)) {
        const QuietErrors quiet;
        drive.hasMedia = GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, nullptr,
                                               nullptr, 0) != FALSE;
    }
    return drive;
}

FileLook WinSystemOps::LookForFile(const std::string& path, bool followLinks) {
    const QuietErrors quiet;
    if (followLinks)
        return FromAttributes(GetFileAttributesA(path.c_str()));
    // Each name on the way from the root, which a name's attributes show without following it:
    // a link is never followed.
    for (std::string::size_type end = path.find('\\', 3);; end = path.find('\\', end + 1)) {
        const std::string name = path.substr(0, end);
        const DWORD attributes = GetFileAttributesA(name.c_str());
        if (attributes == INVALID_FILE_ATTRIBUTES)
            return FromAttributes(attributes);
        if (attributes & FILE_ATTRIBUTE_REPARSE_POINT)
            return FileLook::NotChecked;
        if (end == std::string::npos)
            return FromAttributes(attributes);
    }
}

long WinSystemOps::ReadFileStart(const std::string& path, std::size_t maxBytes,
                                 std::string& bytes) {
    const QuietErrors quiet;
    const UniqueFile file(CreateFileA(
        path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
        OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT, nullptr));
    if (!file)
        return static_cast<long>(GetLastError());
    BY_HANDLE_FILE_INFORMATION info;
    if (!GetFileInformationByHandle(file.get(), &info))
        return static_cast<long>(GetLastError());
    if (info.dwFileAttributes & (FILE_ATTRIBUTE_REPARSE_POINT | FILE_ATTRIBUTE_DIRECTORY))
        return ERROR_NOT_SUPPORTED; // a link is not followed
    bytes.assign(maxBytes, '\0');
    std::size_t total = 0;
    DWORD read = 0;
    while (total < maxBytes &&
           ReadFile(file.get(), bytes.data() + total, static_cast<DWORD>(maxBytes - total), &read,
                    nullptr) &&
           read > 0)
        total += read;
    bytes.resize(total);
    return ERROR_SUCCESS;
}

IconLook WinSystemOps::LookForIcon(const std::string& path, std::int32_t index) {
    const QuietErrors quiet;
    switch (IconAtIndex(path, index)) {
    case IconAt::Present:
        return IconLook::Present;
    case IconAt::NoIcon:
        return IconLook::NoIcon;
    default:
        return IconLook::Unknown;
    }
}

std::string WinSystemOps::AutorunArchitecture() {
    SYSTEM_INFO info = {};
    GetNativeSystemInfo(&info);
    switch (info.wProcessorArchitecture) {
    case PROCESSOR_ARCHITECTURE_AMD64:
        return "amd64";
    case PROCESSOR_ARCHITECTURE_IA64:
        return "ia64";
    case 12: // PROCESSOR_ARCHITECTURE_ARM64, which older headers lack
        return "arm64";
    default:
        return "x86";
    }
}

} // namespace zelvo
