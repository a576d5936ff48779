#include "usage_option.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

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

const std::string kTask = "register task " + kSys + "\\ZDrvs.exe";

const Calls kFullSwitchOn = {
    "exists " + kSys + "\\ZelvoPrg.icl",
    "copy " + kApp + "\\ZelvoPrg.dll -> " + kSys + "\\ZelvoPrg.icl",
    "exists " + kSys + "\\ZDrvs.exe",
    "copy " + kApp + "\\ZDrvs.dll -> " + kSys + "\\ZDrvs.exe",
    "pump",
    "set " + kRun,
    "open " + kSys + "\\ZDrvs.exe",
};

} // namespace

TEST(SwitchUsageBarsOn, CopiesMissingFilesThenWritesTheLogonEntryAndStartsTheUpdater) {
    FakeSystemOps ops;
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, kFullSwitchOn);
}

TEST(SwitchUsageBarsOn, NeverReplacesInstalledFiles) {
    FakeSystemOps ops;
    ops.files[kSys + "\\ZelvoPrg.icl"] = FileTest::Present;
    ops.files[kSys + "\\ZDrvs.exe"] = FileTest::Present;
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls,
              (Calls{"exists " + kSys + "\\ZelvoPrg.icl", "exists " + kSys + "\\ZDrvs.exe", "pump",
                     "set " + kRun, "open " + kSys + "\\ZDrvs.exe"}));
}

TEST(SwitchUsageBarsOn, EveryStepRunsAfterAnyEarlierStepFails) {
    // A failed file test lets the copy run; refused copies change nothing that follows.
    FakeSystemOps ops;
    ops.files[kSys + "\\ZelvoPrg.icl"] = FileTest::Failed;
    ops.failing = {kFullSwitchOn[1], kFullSwitchOn[3], kFullSwitchOn[5], kFullSwitchOn[6]};
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, kFullSwitchOn);
}

TEST(SwitchUsageBarsOn, WithoutASystemFolderDoesNothing) {
    // The bare names would copy into, register and start from the current drive's root.
    FakeSystemOps ops;
    ops.systemFolder = "";
    SwitchUsageBarsOn(ops);
    RenewLogonEntry(ops);
    RegisterUpdaterTask(ops);
    EXPECT_EQ(ops.calls, Calls{});
}

// Registered apart, once the window shows: the start does not wait for the Task Scheduler.
TEST(RegisterUpdaterTask, RegistersTheSystemFoldersUpdater) {
    FakeSystemOps ops;
    RegisterUpdaterTask(ops);
    EXPECT_EQ(ops.calls, Calls{kTask});
}

TEST(SwitchUsageBarsOn, WithoutTheApplicationFolderCopiesNothingButStillSwitchesOn) {
    FakeSystemOps ops;
    ops.appFolder = L"";
    SwitchUsageBarsOn(ops);
    EXPECT_EQ(ops.calls, (Calls{"pump", "set " + kRun, "open " + kSys + "\\ZDrvs.exe"}));
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

TEST(SwitchUsageBarsOff, MissingFilesAreNotTouchedAndNoDrivesMeansNoWrites) {
    FakeSystemOps ops;
    SwitchUsageBarsOff(ops, {});
    EXPECT_EQ(ops.calls, (Calls{"exists " + kSys + "\\ZelvoPrg.icl",
                                "exists " + kSys + "\\ZDrvs.exe", kDeleteRun, "delete task"}));
}

TEST(RenewLogonEntry, WritesTheSystemFolderCopyOfTheUpdater) {
    FakeSystemOps ops;
    RenewLogonEntry(ops);
    EXPECT_EQ(ops.calls, Calls{"set " + kRun});
}

TEST(UsageOption, AssigningADifferentValueRunsTheHandlerAndTheSameValueDoesNot) {
    int clicks = 0;
    UsageOption option([&] { ++clicks; });
    EXPECT_TRUE(option.isOn()); // created checked
    option.assign(UsageOption::kOn);
    EXPECT_EQ(clicks, 0);
    option.assign(UsageOption::kOff);
    EXPECT_EQ(clicks, 1);
    option.assign(UsageOption::kOff);
    EXPECT_EQ(clicks, 1);
}

TEST(UsageOption, GreyedValueTwoCountsAsOff) {
    int clicks = 0;
    UsageOption option([&] { ++clicks; });
    option.assign(2);
    EXPECT_EQ(clicks, 1);
    EXPECT_FALSE(option.isOn());
}

TEST(SwitchUsageBarsOff, WithoutASystemFolderDeletesNoFileInTheDriveRoot) {
    FakeSystemOps ops;
    ops.systemFolder = "";
    ops.files["\\ZDrvs.exe"] = FileTest::Present;
    SwitchUsageBarsOff(ops, {"C:\\"});
    EXPECT_EQ(ops.calls, (Calls{kDeleteRun, "delete task",
                                "set " + kIcons + "C\\DefaultIcon [] = \\ZelvoDrives.icl,0"}));
}
