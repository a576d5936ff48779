#include "drive_icons.h"

#include "fake_system_ops.h"
#include "usage_option.h"

#include <gtest/gtest.h>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kDefaults = kSys + "\\ZelvoDrives.icl";
const std::string kCopyDefaults =
    "copy C:\\Program Files\\Zelvo Drives\\ZelvoDrives.icl -> " + kDefaults;
const std::string kKeyE =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\E"
    "\\DefaultIcon";
const std::string kDeleteIcons =
    "delete tree HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";

} // namespace

TEST(InstallDefaultLibrary, CopiesOnlyAMissingLibraryAndGivesTheCopysError) {
    FakeSystemOps ops;
    EXPECT_EQ(InstallDefaultLibrary(ops), 0);
    EXPECT_EQ(ops.calls, (Calls{"exists " + kDefaults, kCopyDefaults}));

    FakeSystemOps installed;
    installed.files[kDefaults] = FileTest::Present;
    EXPECT_EQ(InstallDefaultLibrary(installed), 0);
    EXPECT_EQ(installed.calls, Calls{"exists " + kDefaults});

    FakeSystemOps refused;
    refused.failing = {kCopyDefaults};
    EXPECT_EQ(InstallDefaultLibrary(refused), refused.failure);

    // Left for deletion at the next restart by a removal that could not move it aside, and
    // there now or gone already: a copy takes its place after the restart's deletion.
    const std::string atRestart = "copy at restart " + kCopyDefaults.substr(5);
    for (const FileTest now : {FileTest::Present, FileTest::Missing}) {
        FakeSystemOps going;
        going.files[kDefaults] = now;
        going.goingAtRestart = {kDefaults};
        EXPECT_EQ(InstallDefaultLibrary(going), 0);
        EXPECT_EQ(going.calls, now == FileTest::Present
                                   ? (Calls{"exists " + kDefaults, atRestart})
                                   : (Calls{"exists " + kDefaults, kCopyDefaults, atRestart}));
    }
}

TEST(StartUp, WithoutASystemFolderCopiesAndStartsNothing) {
    FakeSystemOps ops;
    ops.systemFolder = "";
    ops.files["\\ZDrvs.exe"] = FileTest::Present;
    EXPECT_EQ(InstallDefaultLibrary(ops), 0);
    StartInstalledUpdater(ops);
    EXPECT_EQ(ops.calls, Calls{});
}

TEST(StartInstalledUpdater, StartsOnlyAnUpdaterKnownToBeThere) {
    FakeSystemOps ops;
    ops.files[kSys + "\\ZDrvs.exe"] = FileTest::Failed;
    StartInstalledUpdater(ops);
    ops.files[kSys + "\\ZDrvs.exe"] = FileTest::Present;
    StartInstalledUpdater(ops);
    EXPECT_EQ(ops.calls, (Calls{"exists " + kSys + "\\ZDrvs.exe", "exists " + kSys + "\\ZDrvs.exe",
                                "pump", "open " + kSys + "\\ZDrvs.exe"}));
}

TEST(ApplyDriveIcon, StoresTheLocationThenTellsExplorer) {
    FakeSystemOps ops;
    EXPECT_EQ(ApplyDriveIcon(ops, 'E', "C:\\Icons\\set.icl,3"), 0);
    EXPECT_EQ(ops.calls,
              (Calls{"create " + kKeyE, "set " + kKeyE + " [] = C:\\Icons\\set.icl,3", "notify"}));
}

TEST(ApplyDriveIcon, AFailedWriteIsReportedWithTheCauseAndExplorerIsNotTold) {
    // A key that cannot be created (e.g. under a volatile key) fails the write that follows.
    FakeSystemOps ops;
    ops.failing = {"create " + kKeyE, "set " + kKeyE + " [] = x,1"};
    ops.failure = 1021;
    EXPECT_EQ(ApplyDriveIcon(ops, 'E', "x,1"), 1021);
    EXPECT_EQ(ops.calls.back(), "set " + kKeyE + " [] = x,1");
    EXPECT_EQ(ApplyFailedMessage('E', "Access is denied."),
              "The icon for drive E could not be stored.\n\nAccess is denied.");
}

TEST(RestoreDefaults, SwitchesOffAndDeletesEveryOverrideWithUpdatersHeldThenTellsExplorer) {
    FakeSystemOps ops;
    RestoreDefaults(ops, [&] { SwitchUsageBarsOff(ops, {}); });
    const Calls expected = {"hold updaters",
                            "exists " + kSys + "\\ZelvoPrg.icl",
                            "exists " + kSys + "\\ZDrvs.exe",
                            "delete value HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run "
                            "[ZDrives]",
                            "delete task",
                            kDeleteIcons,
                            "release updaters",
                            "notify"};
    EXPECT_EQ(ops.calls, expected);
}

TEST(RestoreDefaults, WhenTheWaitForUpdatersRunsOutDeletesEveryOverrideAgainAfterALongerWait) {
    // A pass held up by a disk waking from standby writes on after the first deletion.
    FakeSystemOps ops;
    ops.lockWaitRunsOut = true;
    RestoreDefaults(ops, [] {});
    EXPECT_EQ(ops.calls, (Calls{"hold updaters", kDeleteIcons, "hold updaters, a minute at most",
                                kDeleteIcons, "release updaters", "release updaters", "notify"}));
}
