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
        return Find(files, path, FileTest::Missing);
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
        return Find(replacements, path, std::vector<std::string>());
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
        return Find(expansions, text, text);
    }
    long ReadRegText(const std::string& keyPath, const std::string& valueName,
                     std::string& text) override {
        return ReadRegString(keyPath, valueName, text);
    }
    long ReadRegDword(const std::string& keyPath, const std::string& valueName,
                      std::uint32_t& value) override {
        return Copy(dwords, keyPath + " [" + valueName + "]", value);
    }
    long InspectRegKey(const std::string& keyPath, KeyContents& contents) override {
        return Copy(keys, keyPath, contents);
    }
    long DeleteRegKey(const std::string& keyPath) override {
        if (!Record("delete key " + keyPath))
            return failure;
        keys.erase(keyPath);
        values.erase(keyPath + " []");
        return 0;
    }
    DriveState Drive(char letter) override { return Find(driveStates, letter, DriveState{}); }
    FileLook LookForFile(const std::string& path, bool followLinks) override {
        Record("look for " + path + (followLinks ? "" : " (no links)"));
        return Find(looks, path, FileLook::Missing);
    }
    long ReadFileStart(const std::string& path, std::size_t maxBytes, std::string& bytes) override {
        Record("read " + path);
        const long read = Copy(fileStarts, path, bytes);
        bytes = bytes.substr(0, maxBytes);
        return read;
    }
    IconLook LookForIcon(const std::string& path, std::int32_t index) override {
        const std::string location = path + "," + std::to_string(index);
        Record("look for icon " + location);
        return Find(icons, location, IconLook::Present);
    }
    std::string AutorunArchitecture() override { return "amd64"; }

  private:
    // A map's entry for the key, or the fallback.
    template <typename Map, typename Key, typename Value>
    static Value Find(const Map& map, const Key& key, Value fallback) {
        const auto it = map.find(key);
        return it == map.end() ? fallback : it->second;
    }
    // Copies a map's entry for the key: 0, or ERROR_FILE_NOT_FOUND (2) without one.
    template <typename Map, typename Key, typename Value>
    static long Copy(const Map& map, const Key& key, Value& value) {
        const auto it = map.find(key);
        if (it == map.end())
            return 2;
        value = it->second;
        return 0;
    }
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
