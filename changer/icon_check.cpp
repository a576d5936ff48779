#include "icon_check.h"

#include "autorun_inf.h"
#include "icon_location.h"
#include "layout.h"

namespace zelvo {

namespace {

// GetDriveTypeA's types.
constexpr unsigned kDriveRemovable = 2;
constexpr unsigned kDriveFixed = 3;
constexpr unsigned kDriveNetwork = 4;
constexpr unsigned kDriveOptical = 5;
constexpr unsigned kDriveRam = 6;

// The names that open a device, not a file, in any folder and with any extension.
bool IsDeviceName(std::string name) {
    name = name.substr(0, name.find('.'));
    for (char& c : name)
        c = static_cast<char>(c >= 'a' && c <= 'z' ? c - 'a' + 'A' : c);
    if (name == "CON" || name == "PRN" || name == "AUX" || name == "NUL" || name == "CONIN$" ||
        name == "CONOUT$")
        return true;
    return name.size() == 4 && (name.compare(0, 3, "COM") == 0 || name.compare(0, 3, "LPT") == 0) &&
           name[3] >= '1' && name[3] <= '9';
}

// The drive letter of a plain local path ("X:\..." naming a file: no device, no stream, no
// "\\?\" form), upper case; none for any other path, a network one among them.
std::optional<char> PlainDriveLetter(const std::string& path) {
    if (path.size() < 4 || path[1] != ':' || path[2] != '\\' ||
        path.find(':', 2) != std::string::npos ||
        path.find_first_of("*?\"<>|") != std::string::npos)
        return std::nullopt;
    const char letter =
        static_cast<char>(path[0] >= 'a' && path[0] <= 'z' ? path[0] - 'a' + 'A' : path[0]);
    if (letter < 'A' || letter > 'Z')
        return std::nullopt;
    for (std::string::size_type at = 3; at < path.size();) {
        const std::string::size_type slash = path.find('\\', at);
        const std::string name = path.substr(at, slash == std::string::npos ? slash : slash - at);
        if (IsDeviceName(name))
            return std::nullopt;
        at = slash == std::string::npos ? path.size() : slash + 1;
    }
    return letter;
}

// Whether a drive may be read without reaching a network or asking for a disk.
bool MayRead(const DriveState& drive) {
    if (!drive.exists || drive.floppy)
        return false;
    switch (drive.type) {
    case kDriveFixed:
    case kDriveRam:
        return true;
    case kDriveRemovable:
    case kDriveOptical:
        return drive.hasMedia;
    default: // unknown, no root, network
        return false;
    }
}

std::string WithoutQuotes(const std::string& text) {
    if (text.size() >= 2 && text.front() == '"' && text.back() == '"')
        return text.substr(1, text.size() - 2);
    return text;
}

// The file and index that a location text names: "<path>,<index>", or a path alone (index 0),
// quotes removed and %VARIABLES% expanded as the desktop user's Explorer would.
std::optional<IconLocationParts> LocationFile(SystemOps& ops, const std::string& location) {
    IconLocationParts parts = ParseIconLocation(location).value_or(IconLocationParts{location, 0});
    parts.path = WithoutQuotes(parts.path);
    if (parts.path.find('%') != std::string::npos) {
        const std::optional<std::string> expanded = ops.ExpandForDesktopUser(parts.path);
        if (!expanded)
            return std::nullopt;
        parts.path = *expanded;
    }
    return parts;
}

// Where a file named by another source may be looked at: the drive, when it may be read.
struct Whereabouts {
    FileLook verdict = FileLook::Unknown; // what to report without looking
    std::optional<DriveState> drive;      // set when the file may be looked at
};

Whereabouts WhereIs(SystemOps& ops, const std::string& path) {
    const std::optional<char> letter = PlainDriveLetter(path);
    if (!letter)
        return {FileLook::NotChecked, std::nullopt};
    const DriveState drive = ops.Drive(*letter);
    if (drive.type == kDriveNetwork)
        return {FileLook::NotChecked, std::nullopt};
    if (!MayRead(drive))
        return {FileLook::Unknown, std::nullopt};
    return {FileLook::Unknown, drive};
}

IconLook LookAtLocation(SystemOps& ops, const std::string& written, IconSnapshot& s) {
    const std::optional<IconLocationParts> parts = LocationFile(ops, written);
    if (!parts)
        return IconLook::Unknown;
    s.locationFile = parts->path;
    s.locationIndex = parts->index;
    // The user's own location is looked at as typed: through links, but never on a network or
    // on a drive that would ask for its disk.
    if (!WhereIs(ops, parts->path).drive)
        return IconLook::Unknown;
    switch (ops.LookForFile(parts->path, true)) {
    case FileLook::Missing:
        return IconLook::Missing;
    case FileLook::Present:
        return ops.LookForIcon(parts->path, parts->index);
    default:
        return IconLook::Unknown;
    }
}

// The machine's policy value where it has one, else the user's.
std::optional<std::uint32_t> PolicyValue(SystemOps& ops, const std::string& userHive,
                                         const char* name) {
    std::uint32_t value = 0;
    const std::string subkey = std::string("\\") + kExplorerPoliciesSubkey;
    if (ops.ReadRegDword(kLocalMachineRootName + subkey, name, value) == 0 ||
        ops.ReadRegDword(userHive + subkey, name, value) == 0)
        return value;
    return std::nullopt;
}

void LookAtAutorun(SystemOps& ops, const DriveState& drive, const std::string& userHive,
                   IconSnapshot& s) {
    std::string file;
    const std::string path = std::string(1, s.letter) + ":\\" + kAutorunInfFile;
    if (ops.ReadFileStart(path, kAutorunInfMaxBytes, file) != 0)
        return;
    s.autorunIcon = FindAutorunIcon(file, ops.AutorunArchitecture());
    if (!s.autorunIcon)
        return;
    std::string mapping;
    const bool mapped = ops.ReadRegText(kAutorunMappingKeyPath, "", mapping) == 0;
    s.autorunOff = AutorunSwitchedOff(s.letter, drive.type,
                                      PolicyValue(ops, userHive, kNoDriveTypeAutoRunValueName),
                                      PolicyValue(ops, userHive, kNoDriveAutoRunValueName),
                                      mapped ? std::optional<std::string>(mapping) : std::nullopt);
}

// Another program's icon for the letter: the user's classes hide the machine's.
std::optional<OtherProgramIcon> LookAtOtherPrograms(SystemOps& ops, const std::string& userClasses,
                                                    char letter) {
    const std::string suffix =
        std::string("\\") + kApplicationDriveIconsSubkey + "\\" + letter + kDefaultIconSuffix;
    OtherProgramIcon other;
    for (const auto& [owner, classes] :
         {std::pair{KeyOwner::DesktopUser, userClasses},
          std::pair{KeyOwner::Machine,
                    std::string(kLocalMachineRootName) + "\\" + kClassesSubkey}}) {
        other.owner = owner;
        other.keyPath = classes + suffix;
        if (ops.ReadRegText(other.keyPath, "", other.value) == 0 && !other.value.empty())
            break;
        other.value.clear();
    }
    if (other.value.empty())
        return std::nullopt;
    // Only looked for, never opened as an icon: it is another program's file.
    const std::optional<IconLocationParts> parts = LocationFile(ops, other.value);
    const Whereabouts where =
        parts ? WhereIs(ops, parts->path) : Whereabouts{FileLook::Unknown, std::nullopt};
    other.file = where.verdict;
    if (where.drive) {
        other.file = ops.LookForFile(parts->path, false);
        other.fileOnLocalDrive = where.drive->type == kDriveFixed || where.drive->type == kDriveRam;
    }
    KeyContents contents;
    other.onlyDefaultValue = other.owner == KeyOwner::DesktopUser &&
                             ops.InspectRegKey(other.keyPath, contents) == 0 &&
                             contents.values == 1 && contents.subkeys == 0;
    return other;
}

// The key path above a key's last name.
std::string ParentKey(const std::string& keyPath) {
    return keyPath.substr(0, keyPath.rfind('\\'));
}

} // namespace

IconSnapshot LookAtAppliedIcon(SystemOps& ops, char letter, const std::string& written,
                               bool usageBarsOverIt) {
    IconSnapshot s;
    s.letter = letter;
    s.written = written;
    s.usageBarsOverIt = usageBarsOverIt;
    std::string readBack;
    if (ops.ReadRegString(DriveIconKeyPath(letter), "", readBack) == 0)
        s.readBack = readBack;

    const DesktopUser user = ops.FindDesktopUser();
    s.settingsOf = !user.known        ? SettingsOf::OwnAccount
                   : user.sameAccount ? SettingsOf::DesktopUser
                                      : SettingsOf::OtherDesktopUser;
    s.account = user.account;
    // A known desktop user's hive by their SID; else this program's own.
    const std::string userHive = user.known ? std::string(kUsersRootName) + "\\" + user.sid
                                            : std::string(kCurrentUserRootName);

    const DriveState drive = ops.Drive(letter);
    s.driveExists = drive.exists;
    s.location = LookAtLocation(ops, written, s);
    if (MayRead(drive))
        LookAtAutorun(ops, drive, userHive, s);
    s.otherProgram = LookAtOtherPrograms(ops, userHive + "\\" + kClassesSubkey, letter);
    return s;
}

LeftOverRemoval RemoveLeftOverIcon(SystemOps& ops, const OtherProgramIcon& offer, long& error) {
    error = 0;
    std::string value;
    KeyContents contents;
    if (ops.ReadRegText(offer.keyPath, "", value) != 0 || value != offer.value ||
        ops.InspectRegKey(offer.keyPath, contents) != 0 || contents.values != 1 ||
        contents.subkeys != 0)
        return LeftOverRemoval::Changed;
    error = ops.DeleteRegKey(offer.keyPath);
    if (error != 0)
        return LeftOverRemoval::Failed;
    const std::string letterKey = ParentKey(offer.keyPath);
    if (ops.InspectRegKey(letterKey, contents) == 0 && contents.values == 0 &&
        contents.subkeys == 0)
        ops.DeleteRegKey(letterKey); // an empty key left behind is harmless
    ops.NotifyIconsChanged();
    return LeftOverRemoval::Removed;
}

} // namespace zelvo
