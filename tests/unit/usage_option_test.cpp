#include "usage_option.h"

#include "fake_system_ops.h"
#include "start_up.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kApp = "C:\\Program Files\\Zelvo Drives";
const std::string kRun =
    "HKEY_LOCAL_MACHINE\\Software\\Microsoft\\Windows\\CurrentVersion\\Run [ZDrives] = " + kSys +
    "\\ZDrvs.exe";
const std::string kDeleteRun =
    "delete value HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run [ZDrives]";
const std::string kIcons =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";

const std::string kLibrary = kSys + "\\ZelvoPrg.icl";
const std::string kUpdater = kSys + "\\ZDrvs.exe";
const std::string kCopyLibrary = "copy " + kApp + "\\ZelvoPrg.dll -> " + kLibrary;
const std::string kCopyUpdater = "copy " + kApp + "\\ZDrvs.dll -> " + kUpdater;
// The logon entry is written only with both files in place.
const Calls kEntryWritten = {"exists " + kUpdater, "exists " + kLibrary, "set " + kRun,
                             "open " + kUpdater};

const Calls kFullSwitchOn = {
    "exists " + kLibrary, kCopyLibrary,         "exists " + kUpdater, kCopyUpdater,       "pump",
    "exists " + kUpdater, "exists " + kLibrary, "set " + kRun,        "open " + kUpdater,
};

Calls Joined(Calls first, const Calls& second) {
    first.insert(first.end(), second.begin(), second.end());
    return first;
}

void InstallBoth(FakeSystemOps& ops) {
    ops.files[kLibrary] = FileTest::Present;
    ops.files[kUpdater] = FileTest::Present;
}

} // namespace

TEST(SwitchUsageBarsOn, CopiesMissingFilesThenWritesTheLogonEntryAndStartsTheUpdater) {
    FakeSystemOps ops;
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, kFullSwitchOn);
}

TEST(SwitchUsageBarsOn, NeverReplacesInstalledFiles) {
    FakeSystemOps ops;
    InstallBoth(ops);
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls,
              Joined({"exists " + kLibrary, "exists " + kUpdater, "pump"}, kEntryWritten));
}

TEST(SwitchUsageBarsOn, EveryStepRunsAfterAnyEarlierStepFails) {
    // A failed file test lets the copy run; a refused entry changes nothing that follows.
    FakeSystemOps ops;
    ops.files[kLibrary] = FileTest::Failed;
    ops.failing = {"set " + kRun};
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, kFullSwitchOn);
}

TEST(SwitchUsageBarsOn, AFailedCopyWritesNoLogonEntryNorTaskAndTakesAnEarlierOneAway) {
    // A read-only system folder, or a file missing from the application folder.
    for (const std::string& copy : {kCopyLibrary, kCopyUpdater}) {
        FakeSystemOps ops;
        ops.failing = {copy};
        SwitchUsageBarsOn(ops);
        EXPECT_EQ(Calls(ops.calls.end() - 3, ops.calls.end()),
                  (Calls{kDeleteRun, "delete task", "open " + kUpdater}))
            << copy;
    }
}

TEST(SwitchUsageBarsOn, WithoutASystemFolderDoesNothing) {
    // The bare names would copy into and start from the current drive's root.
    FakeSystemOps ops;
    ops.systemFolder = "";
    SwitchUsageBarsOn(ops);
    RenewLogonEntry(ops);
    EXPECT_EQ(ops.calls, Calls{});
}

TEST(SwitchUsageBarsOn, WithoutTheApplicationFolderCopiesNothing) {
    FakeSystemOps ops;
    ops.appFolder = L"";
    InstallBoth(ops);
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, Joined({"pump"}, kEntryWritten));
}

TEST(SwitchUsageBarsOff, DeletesFilesAndLogonEntryThenRewritesEachFixedDrive) {
    FakeSystemOps ops;
    ops.files[kSys + "\\ZelvoPrg.icl"] = FileTest::Present;
    ops.files[kSys + "\\ZDrvs.exe"] = FileTest::Present;
    SwitchUsageBarsOff(ops, {"C:\\", "E:\\"});
    EXPECT_EQ(ops.calls,
              (Calls{"exists " + kSys + "\\ZelvoPrg.icl", "delete " + kSys + "\\ZelvoPrg.icl",
                     "exists " + kSys + "\\ZDrvs.exe", "delete " + kSys + "\\ZDrvs.exe", kDeleteRun,
                     "delete task",
                     "set " + kIcons + "C\\DefaultIcon [] = " + kSys + "\\ZelvoDrives.icl,0",
                     "set " + kIcons + "E\\DefaultIcon [] = " + kSys + "\\ZelvoDrives.icl,0"}));
}

TEST(SwitchUsageBarsOff, EveryStepRunsAfterAnyEarlierStepFails) {
    // A running updater refuses its deletion; the file test of the library fails outright.
    FakeSystemOps ops;
    ops.files[kSys + "\\ZelvoPrg.icl"] = FileTest::Failed;
    ops.files[kSys + "\\ZDrvs.exe"] = FileTest::Present;
    ops.failing = {"delete " + kSys + "\\ZelvoPrg.icl", "delete " + kSys + "\\ZDrvs.exe",
                   kDeleteRun, "delete task"};
    SwitchUsageBarsOff(ops, {"C:\\"});
    EXPECT_EQ(ops.calls.size(), 7U);
    EXPECT_EQ(ops.calls[1], "delete " + kSys + "\\ZelvoPrg.icl");
    EXPECT_EQ(ops.calls.back(),
              "set " + kIcons + "C\\DefaultIcon [] = " + kSys + "\\ZelvoDrives.icl,0");
}

TEST(SwitchUsageBarsOff, A64BitChangerAlsoTakesWhatA32BitChangerLeft) {
    FakeSystemOps ops;
    ops.wow64SystemFolder = "C:\\WINDOWS\\SysWOW64";
    ops.files[ops.wow64SystemFolder + "\\ZDrvs.exe"] = FileTest::Present;
    SwitchUsageBarsOff(ops, {});
    EXPECT_EQ(ops.calls, (Calls{"exists " + kLibrary, "exists " + kUpdater,
                                "exists C:\\WINDOWS\\SysWOW64\\ZelvoPrg.icl",
                                "exists C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
                                "delete C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
                                "exists C:\\WINDOWS\\SysWOW64\\ZelvoDrives.icl",
                                kDeleteRun + " (32-bit view)", kDeleteRun, "delete task"}));
}

TEST(SwitchUsageBarsOff, MissingFilesAreNotTouchedAndNoDrivesMeansNoWrites) {
    FakeSystemOps ops;
    SwitchUsageBarsOff(ops, {});
    EXPECT_EQ(ops.calls, (Calls{"exists " + kSys + "\\ZelvoPrg.icl",
                                "exists " + kSys + "\\ZDrvs.exe", kDeleteRun, "delete task"}));
}

TEST(RenewLogonEntry, WritesTheSystemFolderCopyOfTheUpdaterOnlyWhileItIsThere) {
    // Missing after Purgo, or Restore Defaults in another window.
    for (const FileTest updater : {FileTest::Present, FileTest::Missing, FileTest::Failed}) {
        FakeSystemOps ops;
        ops.files = {{kUpdater, updater}, {kLibrary, FileTest::Present}};
        RenewLogonEntry(ops);
        EXPECT_EQ(ops.calls.back() == "set " + kRun, updater == FileTest::Present);
    }
}

TEST(UsageOption, AssigningADifferentValueRunsTheHandlerAndTheSameValueDoesNot) {
    // Each run of the handler, a switch-off here, ends by deleting the logon task.
    FakeSystemOps ops;
    const std::vector<std::string> noDrives;
    UsageOption option(ops, noDrives);
    const auto clicks = [&] {
        return std::count(ops.calls.begin(), ops.calls.end(), "delete task");
    };
    EXPECT_TRUE(option.isOn()); // created checked
    option.assign(UsageOption::kOn);
    EXPECT_EQ(ops.calls, Calls{});
    option.assign(UsageOption::kOff);
    EXPECT_EQ(clicks(), 1);
    option.assign(UsageOption::kOff);
    EXPECT_EQ(clicks(), 1);
}

TEST(UsageOption, GreyedValueTwoCountsAsOff) {
    FakeSystemOps ops;
    const std::vector<std::string> fixed = {"C:\\"};
    UsageOption option(ops, fixed);
    option.assign(2);
    EXPECT_FALSE(option.isOn());
    EXPECT_EQ(ops.calls.back(),
              "set " + kIcons + "C\\DefaultIcon [] = " + kSys + "\\ZelvoDrives.icl,0");
}

TEST(UsageOption, ItsHandlerRunDirectlySwitchesOnWhileOn) {
    FakeSystemOps ops;
    const std::vector<std::string> noDrives;
    UsageOption option(ops, noDrives);
    option.Click();
    EXPECT_EQ(ops.calls, kFullSwitchOn);
}

TEST(SwitchUsageBarsOff, WithoutASystemFolderDeletesNoFileInTheDriveRoot) {
    FakeSystemOps ops;
    ops.systemFolder = "";
    ops.files["\\ZDrvs.exe"] = FileTest::Present;
    SwitchUsageBarsOff(ops, {"C:\\"});
    EXPECT_EQ(ops.calls, (Calls{kDeleteRun, "delete task",
                                "set " + kIcons + "C\\DefaultIcon [] = \\ZelvoDrives.icl,0"}));
}
