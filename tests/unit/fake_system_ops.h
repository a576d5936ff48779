// A SystemOps that records every call as one line of text and fails the calls it is told to.
#pragma once

#include "system_ops.h"

#include <map>
#include <set>
#include <string>
#include <vector>

namespace zelvo::testing {

class FakeSystemOps : public SystemOps {
  public:
    std::string systemFolder = "C:\\WINDOWS\\system32";
    std::string appFolder = "C:\\Program Files\\Zelvo Drives";
    std::map<std::string, FileTest> files; // paths not listed are missing
    std::set<std::string> failing;         // calls to fail, by their recorded line
    std::vector<std::string> calls;

    std::string SystemFolder() override { return systemFolder; }
    std::string AppFolder() override { return appFolder; }
    FileTest FileExists(const std::string& path) override {
        Record("exists " + path);
        const auto it = files.find(path);
        return it == files.end() ? FileTest::Missing : it->second;
    }
    bool CopyNew(const std::string& from, const std::string& to) override {
        return Record("copy " + from + " -> " + to);
    }
    bool Remove(const std::string& path) override { return Record("delete " + path); }
    void PumpMessages() override { Record("pump"); }
    void SetRegString(const std::string& keyPath, const std::string& valueName,
                      const std::string& text) override {
        Record("set " + keyPath + " [" + valueName + "] = " + text);
    }
    bool DeleteRegValue(RootKey root, const std::string& subkey,
                        const std::string& valueName) override {
        return Record("delete value " + RootName(root) + "\\" + subkey + " [" + valueName + "]");
    }
    bool DeleteRegTree(RootKey root, const std::string& subkey) override {
        return Record("delete tree " + RootName(root) + "\\" + subkey);
    }
    void ShellOpen(const std::string& path) override { Record("open " + path); }

  private:
    bool Record(const std::string& call) {
        calls.push_back(call);
        return failing.count(call) == 0;
    }
    static std::string RootName(RootKey root) {
        return root == 0x80000002U ? "HKLM" : "root " + std::to_string(root);
    }
};

} // namespace zelvo::testing
