// The Win32 effects of the install, removal and update sequences, behind narrow interfaces: the
// programs pass the real ones, tests pass one that records calls and injects failures.
#pragma once

#include "filetest.h"
#include "keypath.h"
#include "user_session.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace zelvo {

// The user of the desktop: the owner of the shell's window, whose settings decide what Explorer
// shows. The icon changer runs elevated, as that user or as an administrator who typed a password.
struct DesktopUser {
    bool known = false;       // false: no shell window, or its owner could not be asked
    std::string sid;          // e.g. "S-1-5-21-...-1001", when known
    bool sameAccount = false; // the account this program runs as
    std::string account;      // "DOMAIN\name": the desktop user's when known, else this program's
};

// A drive as the check after Apply sees it, without reading its disk.
struct DriveState {
    bool exists = false;
    unsigned type = 0;     // GetDriveTypeA's: 2 removable, 3 fixed, 4 network, 5 optical, 6 RAM
    bool floppy = false;   // a removable drive that is a floppy drive
    bool hasMedia = false; // a removable or optical drive holds its disk; true for other drives
};

// What a look at a file gave.
enum class FileLook {
    Unknown,    // it could not be looked at
    NotChecked, // not looked at on purpose: it lies on a network, or behind a link
    Missing,
    Present,
};

// Whether a file holds an icon at an index (a negative index: of a resource id).
enum class IconLook { Unknown, Missing, NoIcon, Present };

// How many values and subkeys a registry key holds.
struct KeyContents {
    std::uint32_t values = 0;
    std::uint32_t subkeys = 0;
};

// What the updater's pass does; the other programs' sequences use it too.
class PassOps {
  public:
    virtual ~PassOps() = default;

    // Empty text when Windows cannot say.
    virtual std::string SystemFolder() = 0;
    virtual FileTest FileExists(const std::string& path) = 0;
    // A drive's total and free bytes; false when it cannot be measured.
    virtual bool DriveSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) = 0;
    // Registry writes by full key path; each gives the Win32 error code, 0 on success.
    virtual long CreateRegKey(const std::string& keyPath) = 0;
    virtual long SetRegString(const std::string& keyPath, const std::string& valueName,
                              const std::string& text) = 0;
    // A REG_SZ value's text: 0, or the error code (the text is then left as it was). Another
    // type, or text beyond a bound, gives an error, so that it never reads as equal.
    virtual long ReadRegString(const std::string& keyPath, const std::string& valueName,
                               std::string& text) = 0;
    // Waits for an updater's pass to end, at most `waitMs` milliseconds, then keeps other passes
    // waiting until ReleaseUpdaters. False when the wait ran out or the lock could not be had (a
    // program run by a standard user). A program with a window keeps it responsive meanwhile.
    virtual bool HoldUpdaters(unsigned long waitMs) = 0;
    virtual void ReleaseUpdaters() = 0;
    // Tells Explorer that icons changed, so that it drops its icon cache. Costly: once an action.
    // It reaches only the Explorer of this program's own session.
    virtual void NotifyIconsChanged() = 0;
    // True when this program runs in the services' session (session 0 of Windows Vista and
    // later, where the SYSTEM task runs it): no user's Explorer lives there.
    virtual bool InServicesSession() = 0;
    // The sessions of the machine; false when they cannot be listed.
    virtual bool ListSessions(std::vector<UserSession>& sessions) = 0;
    // Starts the notifier (the updater told only to tell Explorer) in a session, as its user;
    // false when that user's token or the start was refused.
    virtual bool StartNotifier(std::uint32_t session) = 0;
};

// The effects of the icon changer's and the remover's sequences.
class SystemOps : public virtual PassOps {
  public:
    // The folder of the running program's own file, exact (wide); empty when it cannot be had.
    virtual std::wstring AppFolder() = 0;
    // A file of that folder by its name literal (ASCII, with its leading backslash); empty when
    // the folder cannot be had.
    std::wstring AppFile(const char* name) {
        std::wstring path = AppFolder();
        if (path.empty())
            return path;
        for (; *name; ++name)
            path.push_back(static_cast<wchar_t>(static_cast<unsigned char>(*name)));
        return path;
    }
    // The 32-bit System folder of 64-bit Windows, seen from a 64-bit program; empty elsewhere.
    virtual std::string Wow64SystemFolder() = 0;
    // Copies a whole file from the application folder; never replaces an existing target.
    // Gives the Win32 error code, 0 when copied.
    virtual long CopyNew(const std::wstring& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Renames a file (a running program's too) to a name of its own in the same folder; gives
    // that name, or empty text when the file cannot be renamed.
    virtual std::string MoveAside(const std::string& path) = 0;
    // Marks a file that cannot be deleted now (a running program) for deletion at the next
    // restart of Windows.
    virtual bool RemoveAtRestart(const std::string& path) = 0;
    // True when Windows is to delete the file at its next restart and put none in its place.
    virtual bool GoesAtRestart(const std::string& path) = 0;
    // The files that Windows is to move into the file's place at its next restart, in the order
    // it moves them; names that ANSI text cannot hold exactly are left out.
    virtual std::vector<std::string> PendingReplacements(const std::string& path) = 0;
    // Copies a whole file from the application folder beside the target, under a temporary name
    // that Windows moves into the target's place at its next restart, after the operations
    // listed before. Gives the Win32 error code, 0 when done.
    virtual long CopyNewAtRestart(const std::wstring& from, const std::string& to) = 0;
    // Lets the window messages waiting in the thread's queue run once.
    virtual void PumpMessages() = 0;
    // Waits until no process runs the program file at `path` (one still starting included), at
    // most `waitMs` milliseconds; false when one still runs.
    virtual bool WaitForProgramToEnd(const std::string& path, unsigned long waitMs) = 0;
    // True only when a value was deleted.
    virtual bool DeleteRegValue(RootKey root, const std::string& subkey,
                                const std::string& valueName,
                                RegistryView view = RegistryView::Own) = 0;
    // Deletes a key with all its subkeys and values: 0, or the error code.
    virtual long DeleteRegTree(RootKey root, const std::string& subkey) = 0;
    virtual void ShellOpen(const std::string& path) = 0;
    // The logon task that starts the updater as SYSTEM; created or replaced, and deleted.
    virtual bool RegisterLogonTask(const std::string& updaterPath) = 0;
    virtual bool DeleteLogonTask() = 0;

    // What the icon changer reads after Apply, to tell why an icon may not show. None of these
    // reads follows a link or reaches a network unless it says so, and none asks for a disk.
    virtual DesktopUser FindDesktopUser() = 0;
    // The text with its %VARIABLES% expanded in the desktop user's environment (this program's
    // when none is known); none when they cannot be expanded.
    virtual std::optional<std::string> ExpandForDesktopUser(const std::string& text) = 0;
    // A REG_SZ or REG_EXPAND_SZ value's text (unexpanded) by full key path, as ReadRegString.
    virtual long ReadRegText(const std::string& keyPath, const std::string& valueName,
                             std::string& text) = 0;
    // A REG_DWORD value by full key path: 0, or the error code (the value is then left as it was).
    virtual long ReadRegDword(const std::string& keyPath, const std::string& valueName,
                              std::uint32_t& value) = 0;
    virtual long InspectRegKey(const std::string& keyPath, KeyContents& contents) = 0;
    // Deletes a key that has no subkeys, by full key path; 0 or the error code.
    virtual long DeleteRegKey(const std::string& keyPath) = 0;
    virtual DriveState Drive(char letter) = 0;
    // Looks for a file by a drive-letter path: Present, Missing, or (without followLinks)
    // NotChecked when a link lies on the way, which is then not followed.
    virtual FileLook LookForFile(const std::string& path, bool followLinks) = 0;
    // The start of a file, at most maxBytes, never through a link: 0, or the error code.
    virtual long ReadFileStart(const std::string& path, std::size_t maxBytes,
                               std::string& bytes) = 0;
    // Whether an existing file holds an icon at the index (a negative one: of that resource id).
    virtual IconLook LookForIcon(const std::string& path, std::int32_t index) = 0;
    // The name of the machine's own architecture in autorun.inf's sections ("amd64", "x86").
    virtual std::string AutorunArchitecture() = 0;
};

// How long a program waits for an updater's pass, which normally lasts well under a second.
inline constexpr unsigned long kUpdaterPassWaitMs = 5000;
// How long, after that wait ran out, it waits for a pass held up by a slow disk (one waking from
// standby): the logon task's own time limit.
inline constexpr unsigned long kSlowUpdaterPassWaitMs = 60000;

// Holds the updaters' lock for a scope; held() is false when the wait ran out.
class UpdatersHeld {
  public:
    explicit UpdatersHeld(PassOps& ops, unsigned long waitMs = kUpdaterPassWaitMs)
        : ops_(ops), held_(ops.HoldUpdaters(waitMs)) {}
    ~UpdatersHeld() { ops_.ReleaseUpdaters(); }
    UpdatersHeld(const UpdatersHeld&) = delete;
    UpdatersHeld& operator=(const UpdatersHeld&) = delete;
    bool held() const { return held_; }

  private:
    PassOps& ops_;
    bool held_;
};

// Copies unless the target is known to be there; nothing is copied from an unknown source
// (empty: the application folder could not be had). A file that Windows is to delete at its next
// restart (a removal found it busy and could not move it aside) is there only until then: a copy
// takes its place after the deletion. Gives the error of the copy now, 0 when none was needed.
inline long CopyWhenMissing(SystemOps& ops, const std::wstring& from, const std::string& to) {
    if (from.empty())
        return 0;
    const long error = MayCopyTo(ops.FileExists(to)) ? ops.CopyNew(from, to) : 0;
    if (ops.GoesAtRestart(to))
        ops.CopyNewAtRestart(from, to); // until the restart the file is in place
    return error;
}

// Deletes unless the file is known to be missing; true when it is known to be gone. A refused
// delete (e.g. of a running program) is the caller's to handle or ignore.
inline bool DeleteWhenPresent(SystemOps& ops, const std::string& path) {
    if (!MayDelete(ops.FileExists(path)))
        return true;
    return ops.Remove(path);
}

} // namespace zelvo
