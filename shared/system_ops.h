// The Win32 effects that the install and removal sequences use, behind one narrow interface:
// the programs pass the real one, tests pass one that records calls and injects failures.
#pragma once

#include "filetest.h"
#include "keypath.h"

#include <string>

namespace zelvo {

class SystemOps {
  public:
    virtual ~SystemOps() = default;

    virtual std::string SystemFolder() = 0;
    virtual std::string AppFolder() = 0;
    virtual FileTest FileExists(const std::string& path) = 0;
    // Copies a whole file; never replaces an existing target.
    virtual bool CopyNew(const std::string& from, const std::string& to) = 0;
    virtual bool Remove(const std::string& path) = 0;
    // Lets the window messages waiting in the thread's queue run once.
    virtual void PumpMessages() = 0;
    virtual void SetRegString(const std::string& keyPath, const std::string& valueName,
                              const std::string& text) = 0;
    virtual bool DeleteRegValue(RootKey root, const std::string& subkey,
                                const std::string& valueName) = 0;
    virtual bool DeleteRegTree(RootKey root, const std::string& subkey) = 0;
    virtual void ShellOpen(const std::string& path) = 0;
};

// Copies unless the target is known to be there; a failed copy is skipped silently.
inline void CopyWhenMissing(SystemOps& ops, const std::string& from, const std::string& to) {
    if (MayCopyTo(ops.FileExists(to)))
        ops.CopyNew(from, to);
}

// Deletes unless the file is known to be missing; a refused delete (e.g. of a running
// program) is skipped silently.
inline void DeleteWhenPresent(SystemOps& ops, const std::string& path) {
    if (MayDelete(ops.FileExists(path)))
        ops.Remove(path);
}

} // namespace zelvo
