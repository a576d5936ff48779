// The real effects: the shared Win32 modules. WinPassOps alone is what the updater links; the
// icon changer and the remover use WinSystemOps, with their window as owner of whatever the
// shell starts.
#pragma once

#include "keypath.h"
#include "private_namespace.h"
#include "system_ops.h"
#include "unique_handle.h"

#include <windows.h>

#include <functional>

namespace zelvo {

// The updaters' lock (layout.h), created or opened for the life of the object.
class UpdaterLock {
  public:
    // False when the lock cannot be had: by a program without administrator rights. Once open,
    // it stays open.
    bool Open();
    HANDLE get() const { return mutex_.get(); }

  private:
    UniqueNamespace namespace_; // open while the mutex named in it is
    UniqueHandle mutex_;
};

class WinPassOps : public virtual PassOps {
  public:
    // title: the program's title, which the "Incorrect Format:" message of a malformed key path
    // carries.
    explicit WinPassOps(const char* title) : title_(title) {}

    std::string SystemFolder() override;
    FileTest FileExists(const std::string& path) override;
    bool DriveSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) override;
    long CreateRegKey(const std::string& keyPath) override;
    long SetRegString(const std::string& keyPath, const std::string& valueName,
                      const std::string& text) override;
    long ReadRegString(const std::string& keyPath, const std::string& valueName,
                       std::string& text) override;
    bool HoldUpdaters(unsigned long waitMs) override;
    void ReleaseUpdaters() override;
    void NotifyIconsChanged() override;
    bool InServicesSession() override;
    bool ListSessions(std::vector<UserSession>& sessions) override;
    bool StartNotifier(std::uint32_t session) override;

  protected:
    // Waits for the lock; a program with a window keeps its messages running meanwhile.
    virtual DWORD WaitForLock(HANDLE lock, DWORD milliseconds);
    // A call of the registry layer on the root and subkey of a full key path; ERROR_BAD_PATHNAME
    // for a path that names no root. A malformed path shows the "Incorrect Format:" message with
    // the program's title.
    template <typename Call> long OnKey(const std::string& keyPath, Call call) const {
        const SplitPath split = ParseKeyPath(keyPath);
        if (split.malformed)
            ShowIncorrectFormat(keyPath);
        return split.root ? call(split.root, split.subkey) : ERROR_BAD_PATHNAME;
    }
    void ShowIncorrectFormat(const std::string& keyPath) const;

  private:
    const char* title_;
    UpdaterLock updaterLock_;
    bool held_ = false;
};

class WinSystemOps final : public SystemOps, public WinPassOps {
  public:
    WinSystemOps(HWND owner, const char* title) : WinPassOps(title), owner_(owner) {}
    // For a window that holds its effects from before it exists: itself, once it does.
    void SetOwner(HWND owner) { owner_ = owner; }
    // Called with true when a wait for the updaters' lock finds it held, and with false when
    // that wait ends: so that a window can show that it waits. A lock that is free at once
    // calls nothing.
    void SetWaitNotice(std::function<void(bool waiting)> notice) {
        waitNotice_ = std::move(notice);
    }

    std::wstring AppFolder() override;
    std::string Wow64SystemFolder() override;
    long CopyNew(const std::wstring& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    std::string MoveAside(const std::string& path) override;
    bool RemoveAtRestart(const std::string& path) override;
    bool GoesAtRestart(const std::string& path) override;
    std::vector<std::string> PendingReplacements(const std::string& path) override;
    long CopyNewAtRestart(const std::wstring& from, const std::string& to) override;
    void PumpMessages() override;
    bool WaitForProgramToEnd(const std::string& path, unsigned long waitMs) override;
    bool DeleteRegValue(RootKey root, const std::string& subkey, const std::string& valueName,
                        RegistryView view) override;
    long DeleteRegTree(RootKey root, const std::string& subkey) override;
    void ShellOpen(const std::string& path) override;
    bool RegisterLogonTask(const std::string& updaterPath) override;
    bool DeleteLogonTask() override;
    DesktopUser FindDesktopUser() override;
    std::optional<std::string> ExpandForDesktopUser(const std::string& text) override;
    long ReadRegText(const std::string& keyPath, const std::string& valueName,
                     std::string& text) override;
    long ReadRegDword(const std::string& keyPath, const std::string& valueName,
                      std::uint32_t& value) override;
    long InspectRegKey(const std::string& keyPath, KeyContents& contents) override;
    long DeleteRegKey(const std::string& keyPath) override;
    DriveState Drive(char letter) override;
    FileLook LookForFile(const std::string& path, bool followLinks) override;
    long ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) override;
    IconLook LookForIcon(const std::string& path, std::int32_t index) override;
    std::string AutorunArchitecture() override;

  protected:
    DWORD WaitForLock(HANDLE lock, DWORD milliseconds) override;

  private:
    HWND owner_;
    std::function<void(bool)> waitNotice_;
};

} // namespace zelvo
