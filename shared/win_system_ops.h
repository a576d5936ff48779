// The real SystemOps: the shared Win32 modules, with the program's main window as owner of
// whatever the shell starts.
#pragma once

#include "system_ops.h"

#include <windows.h>

namespace zelvo {

class WinSystemOps final : public SystemOps {
  public:
    explicit WinSystemOps(HWND owner) : owner_(owner) {}

    std::string SystemFolder() override;
    std::string AppFolder() override;
    FileTest FileExists(const std::string& path) override;
    bool CopyNew(const std::string& from, const std::string& to) override;
    bool Remove(const std::string& path) override;
    void PumpMessages() override;
    void SetRegString(const std::string& keyPath, const std::string& valueName,
                      const std::string& text) override;
    bool DeleteRegValue(RootKey root, const std::string& subkey,
                        const std::string& valueName) override;
    bool DeleteRegTree(RootKey root, const std::string& subkey) override;
    void ShellOpen(const std::string& path) override;

  private:
    HWND owner_;
};

// Runs every window message waiting in this thread's queue, then returns.
void PumpWaitingMessages();

} // namespace zelvo
