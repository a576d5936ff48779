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
    std::wstring appFolder = L"C:\\Program Files\\Zelvo Drives";
    std::string wow64SystemFolder;
    std::map<std::string, FileTest> files; // paths not listed are missing
    std::set<std::string> goingAtRestart;  // listed for deletion at the next restart
    std::map<std::string, std::vector<std::string>> replacements; // sources listed for the restart
    std::map<std::string, std::pair<std::uint64_t, std::uint64_t>> drives; // total, free
    std::set<std::string> failing; // calls to fail, by their recorded line
    long failure = 5;              // the error a failing call gives (ERROR_ACCESS_DENIED)
    bool lockWaitRunsOut = false;
    std::map<std::string, std::string> values; // REG_SZ values to read, by "key [name]"
    bool servicesSession = false;              // runs as the SYSTEM task does, in session 0
    std::vector<UserSession> sessions;
    // What the check after Apply reads.
    DesktopUser desktopUser{true, "S-1-5-21-7", true, "PC\\user"};
    std::map<std::string, std::string> expansions; // text -> expanded; others stay as they are
    std::map<std::string, std::uint32_t> dwords;   // by "key [name]"
    std::map<std::string, KeyContents> keys;       // by key path
    std::map<char, DriveState> driveStates;        // missing letters have no drive
    std::map<std::string, FileLook> looks;         // paths not listed are missing
    std::map<std::string, std::string> fileStarts; // files that can be read, by path
    std::map<std::string, IconLook> icons;         // by "path,index"; others hold the icon
    std::vector<std::string> calls;

    std::string SystemFolder() override { return systemFolder; }
    std::wstring AppFolder() override { return appFolder; }
    std::string Wow64SystemFolder() override { return wow64SystemFolder; }
    FileTest FileExists(const std::string& path) override {
        Record("exists " + path);
        const auto it = files.find(path);
        return it == files.end() ? FileTest::Missing : it->second;
    }
    bool DriveSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        const auto it = drives.find(root);
        if (!Record("measure " + root) || it == drives.end())
            return false;
        total = it->second.first;
        free = it->second.second;
        return true;
    }
    // A copy made is there for the file tests that follow.
    long CopyNew(const std::wstring& from, const std::string& to) override {
        const bool copied = Record("copy " + Narrow(from) + " -> " + to);
        if (copied)
            files[to] = FileTest::Present;
        return Error(copied);
    }
    bool Remove(const std::string& path) override { return Record("delete " + path); }
    std::string MoveAside(const std::string& path) override {
        return Record("move aside " + path) ? path + ".aside" : std::string();
    }
    bool RemoveAtRestart(const std::string& path) override {
        return Record("delete at restart " + path);
    }
    bool GoesAtRestart(const std::string& path) override { return goingAtRestart.count(path) > 0; }
    std::vector<std::string> PendingReplacements(const std::string& path) override {
        const auto it = replacements.find(path);
        return it == replacements.end() ? std::vector<std::string>() : it->second;
    }
    long CopyNewAtRestart(const std::wstring& from, const std::string& to) override {
        return Error(Record("copy at restart " + Narrow(from) + " -> " + to));
    }
    void PumpMessages() override { Record("pump"); }
    bool WaitForProgramToEnd(const std::string& path, unsigned long waitMs) override {
        return Record("wait for the end of " + path +
                      (waitMs == kSlowUpdaterPassWaitMs ? ", a minute at most" : ""));
    }
    long CreateRegKey(const std::string& keyPath) override {
        return Error(Record("create " + keyPath));
    }
    long SetRegString(const std::string& keyPath, const std::string& valueName,
                      const std::string& text) override {
        return Error(Record("set " + keyPath + " [" + valueName + "] = " + text));
    }
    long ReadRegString(const std::string& keyPath, const std::string& valueName,
                       std::string& text) override {
        const auto it = values.find(keyPath + " [" + valueName + "]");
        const bool read = Record("read " + keyPath + " [" + valueName + "]") && it != values.end();
        if (read)
            text = it->second;
        return Error(read);
    }
    bool DeleteRegValue(RootKey root, const std::string& subkey, const std::string& valueName,
                        RegistryView view) override {
        return Record("delete value " + RootName(root) + "\\" + subkey + " [" + valueName + "]" +
                      (view == RegistryView::Wow64Of32Bit ? " (32-bit view)" : ""));
    }
    long DeleteRegTree(RootKey root, const std::string& subkey) override {
        return Error(Record("delete tree " + RootName(root) + "\\" + subkey));
    }
    void ShellOpen(const std::string& path) override { Record("open " + path); }
    bool RegisterLogonTask(const std::string& updaterPath) override {
        return Record("register task " + updaterPath);
    }
    bool DeleteLogonTask() override { return Record("delete task"); }
    bool HoldUpdaters(unsigned long waitMs) override {
        return Record(waitMs > kUpdaterPassWaitMs ? "hold updaters, a minute at most"
                                                  : "hold updaters") &&
               !lockWaitRunsOut;
    }
    void ReleaseUpdaters() override { Record("release updaters"); }
    void NotifyIconsChanged() override { Record("notify"); }
    bool InServicesSession() override { return servicesSession; }
    bool ListSessions(std::vector<UserSession>& listed) override {
        listed = sessions;
        return Record("list sessions");
    }
    bool StartNotifier(std::uint32_t session) override {
        return Record("start notifier in session " + std::to_string(session));
    }
    DesktopUser FindDesktopUser() override { return desktopUser; }
    std::optional<std::string> ExpandForDesktopUser(const std::string& text) override {
        const auto it = expansions.find(text);
        return it == expansions.end() ? text : it->second;
    }
    long ReadRegText(const std::string& keyPath, const std::string& valueName,
                     std::string& text) override {
        return ReadRegString(keyPath, valueName, text);
    }
    long ReadRegDword(const std::string& keyPath, const std::string& valueName,
                      std::uint32_t& value) override {
        const auto it = dwords.find(keyPath + " [" + valueName + "]");
        if (it == dwords.end())
            return 2; // ERROR_FILE_NOT_FOUND
        value = it->second;
        return 0;
    }
    long InspectRegKey(const std::string& keyPath, KeyContents& contents) override {
        const auto it = keys.find(keyPath);
        if (it == keys.end())
            return 2;
        contents = it->second;
        return 0;
    }
    long DeleteRegKey(const std::string& keyPath) override {
        if (!Record("delete key " + keyPath))
            return failure;
        keys.erase(keyPath);
        values.erase(keyPath + " []");
        return 0;
    }
    DriveState Drive(char letter) override {
        const auto it = driveStates.find(letter);
        return it == driveStates.end() ? DriveState{} : it->second;
    }
    FileLook LookForFile(const std::string& path, bool followLinks) override {
        Record("look for " + path + (followLinks ? "" : " (no links)"));
        const auto it = looks.find(path);
        return it == looks.end() ? FileLook::Missing : it->second;
    }
    long ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        Record("read " + path);
        const auto it = fileStarts.find(path);
        if (it == fileStarts.end())
            return 2;
        bytes = it->second.substr(0, maxBytes);
        return 0;
    }
    IconLook LookForIcon(const std::string& path, std::int32_t index) override {
        const std::string location = path + "," + std::to_string(index);
        Record("look for icon " + location);
        const auto it = icons.find(location);
        return it == icons.end() ? IconLook::Present : it->second;
    }
    std::string AutorunArchitecture() override { return "amd64"; }

  private:
    bool Record(const std::string& call) {
        calls.push_back(call);
        return failing.count(call) == 0;
    }
    long Error(bool succeeded) const { return succeeded ? 0 : failure; }
    static std::string RootName(RootKey root) {
        return root == 0x80000002U ? "HKLM" : "root " + std::to_string(root);
    }
    // The tests' wide paths are plain ASCII.
    static std::string Narrow(const std::wstring& text) {
        return std::string(text.begin(), text.end());
    }
};

} // namespace zelvo::testing
