// Every registry key, value and file name that the three programs share, in one place, with the
// names the installer shares with them. The programs meet only through these names, so nothing
// else spells them; the installer takes its names from here too (scripts/package.sh reads the
// one-line constants and the table of installed files, so keep them in that form).
#pragma once

// By its path: the benchmarks' yardsticks see this folder alone.
#include "keypath.h"

#include <string>

namespace zelvo {

// Drive icon overrides: one subkey per drive letter, each with a DefaultIcon key whose default
// value is an icon location ("<path>,<index>").
inline constexpr char kDriveIconsSubkey[] =
    "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";
inline constexpr char kDriveIconsKeyPrefix[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";
inline constexpr char kDefaultIconSuffix[] = "\\DefaultIcon";

// The logon entry. Writers name the key by a full key path, removers by root and subkey; the
// registry ignores letter case, so both name the same key.
inline constexpr char kRunKeyPath[] =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kRunSubkey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run";
inline constexpr char kLogonValueName[] = "ZDrives";

// The logon task beside the logon entry: the installed updater, run as the local SYSTEM account
// at every user's logon, so that it can write the overrides for standard users too. It lives in
// the Task Scheduler's root folder.
inline constexpr char kLogonTaskName[] = "Zelvo Drives usage bars";

// Held by an updater for its whole pass, and taken by whatever deletes the overrides and the
// updater's files, so that no pass writes overrides back behind a removal. A mutex in a private
// namespace whose boundary is the Administrators group, shared by all sessions: only SYSTEM (the
// task's run) and administrators can create, open or hold it. The installer names it too.
inline constexpr wchar_t kUpdaterLockNamespace[] = L"ZelvoDrives";
inline constexpr wchar_t kUpdaterLockName[] = L"ZelvoDrives\\ZelvoDrivesUpdater";
// Where Windows offers no private namespaces (XP; Wine), the lock is this Global mutex, which only
// SYSTEM and administrators may use.
inline constexpr char kUpdaterMutexName[] = "Global\\ZelvoDrivesUpdater";

// The one argument the updater reads: started with it, it only tells the Explorer of its own
// session that icons changed, and ends. The SYSTEM task's updater starts it so in each user's
// session, as that session's user.
inline constexpr char kNotifyOnlyArgument[] = "/notify";

// The file operations that Windows makes at its next restart, a REG_MULTI_SZ value that the
// icon changer reads: a file listed there for deletion is not counted as installed.
inline constexpr char kPendingRenamesSubkey[] =
    "SYSTEM\\CurrentControlSet\\Control\\Session Manager";
inline constexpr char kPendingRenamesValueName[] = "PendingFileRenameOperations";

// Read by the icon changer after Apply, to tell why an icon may not show; written only by the
// removal of another program's leftover that the user agrees to.
// Another program's icon for a drive letter: the default value of the key DefaultIcon under
// <hive>\Software\Classes\Applications\Explorer.exe\Drives\<letter>, in a user's classes (which
// hide the machine's) and the machine's. A user's hive is HKEY_USERS\<SID>, or this program's own
// HKEY_CURRENT_USER.
inline constexpr char kLocalMachineRootName[] = "HKEY_LOCAL_MACHINE";
inline constexpr char kCurrentUserRootName[] = "HKEY_CURRENT_USER";
inline constexpr char kUsersRootName[] = "HKEY_USERS";
inline constexpr char kClassesSubkey[] = "Software\\Classes";
inline constexpr char kApplicationDriveIconsSubkey[] = "Applications\\Explorer.exe\\Drives";
// The policies that switch Autorun off, by drive type (a bit for each GetDriveTypeA result) and
// by drive letter (bit 0 for A), in the machine's hive, which wins, and in the user's.
inline constexpr char kExplorerPoliciesSubkey[] =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Policies\\Explorer";
inline constexpr char kNoDriveTypeAutoRunValueName[] = "NoDriveTypeAutoRun";
inline constexpr char kNoDriveAutoRunValueName[] = "NoDriveAutoRun";
// A default value here sends autorun.inf elsewhere ("@SYS:DoesNotExist": nowhere), for every drive.
inline constexpr char kAutorunMappingKeyPath[] =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\IniFileMapping\\"
    "Autorun.inf";
inline constexpr char kAutorunInfFile[] = "autorun.inf";

// The window classes of the icon changer's main window and of the updater's hidden one, by which
// the installer finds them running.
inline constexpr char kChangerWindowClass[] = "ZelvoDrivesMain";
inline constexpr char kUpdaterWindowClass[] = "ZelvoDrivesUpdater";

// The predefined root that every key of the product lies under (HKEY_LOCAL_MACHINE).
inline constexpr RootKey kLocalMachineRoot = 0x80000002U;

// File name literals, each with its leading backslash, appended to a folder path.
// Installed into the system folder:
inline constexpr char kUsageLibraryFile[] = "\\ZelvoPrg.icl";
inline constexpr char kUpdaterFile[] = "\\ZDrvs.exe";
inline constexpr char kDefaultLibraryFile[] = "\\ZelvoDrives.icl";
// Shipped in the application folder:
inline constexpr char kUsageLibrarySource[] = "\\ZelvoPrg.dll";
inline constexpr char kUpdaterSource[] = "\\ZDrvs.dll";
inline constexpr char kDefaultLibrarySource[] = "\\ZelvoDrives.icl";
inline constexpr char kHelpFile[] = "\\Help.chm";

// The usage-bar library (ZelvoPrg) holds one icon for each fill level: icon index n shows a drive
// n / (kUsageIconCount - 1) full. The build makes that many icons: it reads the number here
// (scripts/layout.sh), so keep it on one line.
inline constexpr int kUsageIconCount = 51;

// What is installed into the system folder, each file from the one shipped in the application
// folder, in the order the remover deletes them.
struct InstalledFile {
    const char* shipped;
    const char* installed;
};
inline constexpr InstalledFile kInstalledFiles[] = {
    {kUsageLibrarySource, kUsageLibraryFile},
    {kUpdaterSource, kUpdaterFile},
    {kDefaultLibrarySource, kDefaultLibraryFile},
};

// Full key path of a drive's override key, e.g. "...\DriveIcons\E\DefaultIcon".
inline std::string DriveIconKeyPath(char driveLetter) {
    return std::string(kDriveIconsKeyPrefix) + driveLetter + kDefaultIconSuffix;
}

// An icon location: a file's full path, a comma and the icon index in decimal, no blank.
inline std::string IconLocation(const std::string& path, long index) {
    return path + "," + std::to_string(index);
}

} // namespace zelvo
