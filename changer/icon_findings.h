// After Apply: what else may decide the icon that Windows shows for the drive, decided from a
// snapshot of what was read (icon_check.h reads it). Windows reads a drive root's autorun.inf
// first, then the DriveIcons override, then Applications\Explorer.exe\Drives\<letter>\DefaultIcon
// (a user's classes before the machine's), then the icon of the drive's type. Pure, so that
// every decision is tested natively; the texts are the changer's (texts.h).
#pragma once

#include "system_ops.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// Why Windows probably ignores a drive's autorun.inf.
enum class AutorunOff {
    No,
    ForItsType,   // NoDriveTypeAutoRun has the drive type's bit
    ForItsLetter, // NoDriveAutoRun has the letter's bit
    Mapped,       // IniFileMapping sends autorun.inf elsewhere (e.g. "@SYS:DoesNotExist")
};

// Where another program's Applications\Explorer.exe\Drives key lies.
enum class KeyOwner { DesktopUser, Machine };

struct OtherProgramIcon {
    KeyOwner owner = KeyOwner::Machine;
    std::string keyPath; // full key path of its DefaultIcon key
    std::string value;   // its default value: the icon location it sets
    FileLook file = FileLook::Unknown;
    bool fileOnLocalDrive = false; // the file's drive is a fixed drive or a RAM disk
    bool onlyDefaultValue = false; // the key holds its default value alone, and no subkey
};

// Whose settings were looked at: those of the user of the desktop (the owner of the shell's
// window), which may be another account than the changer's (an administrator's, typed in).
enum class SettingsOf { DesktopUser, OtherDesktopUser, OwnAccount };

struct IconSnapshot {
    char letter = 'C';
    std::string written;                 // the location Apply wrote
    std::optional<std::string> readBack; // the override read back; none when it could not be
    bool driveExists = true;
    bool usageBarsOverIt = false; // a fixed drive, with the usage bars on
    std::string locationFile;     // the location's file, expanded, quotes removed
    std::int32_t locationIndex = 0;
    IconLook location = IconLook::Unknown;
    std::optional<std::string> autorunIcon; // the icon entry of the root's autorun.inf
    AutorunOff autorunOff = AutorunOff::No;
    std::optional<OtherProgramIcon> otherProgram;
    SettingsOf settingsOf = SettingsOf::DesktopUser;
    std::string account; // the account whose settings were looked at, for the message
};

// The causes, in the order a message lists them.
enum class FindingKind {
    UsageBars,
    NotReadBack,
    LocationMissing,
    NoIconAtIndex,
    Autorun,
    OtherProgram,
    NoDrive,
    WhoseSettings,
};

struct Finding {
    FindingKind kind;
    std::string text; // one or two plain sentences
};

// The most findings one message lists.
inline constexpr std::size_t kMaxFindings = 3;

// What may keep Windows from showing the applied icon, most certain first, at most kMaxFindings;
// empty when nothing stands in the way. Whose settings were looked at is said only beside
// another finding.
std::vector<Finding> DecideFindings(const IconSnapshot& snapshot);

// Offered for removal: another program's key in the desktop user's own classes, known to be
// theirs, whose file is missing on a local drive and which holds nothing but that value.
std::optional<OtherProgramIcon> LeftOverIcon(const IconSnapshot& snapshot);

// The message: what was found, and the question of the removal when one is offered.
std::string FindingsMessage(const IconSnapshot& snapshot, const std::vector<Finding>& findings,
                            const std::optional<OtherProgramIcon>& offer);

// A text with every "%D" as the drive ("E:").
std::string ForDrive(const std::string& text, char letter);

// Whether the policies or the mapping switch Autorun off for a drive: the machine's policy value
// where it has one, else the user's; a mapping of autorun.inf that names anything.
AutorunOff AutorunSwitchedOff(char letter, unsigned driveType,
                              std::optional<std::uint32_t> noDriveTypeAutoRun,
                              std::optional<std::uint32_t> noDriveAutoRun,
                              const std::optional<std::string>& mapping);

} // namespace zelvo
