#include "start_up.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kDefaults = kSys + "\\ZelvoDrives.icl";
const std::string kCopyDefaults =
    "copy C:\\Program Files\\Zelvo Drives\\ZelvoDrives.icl -> " + kDefaults;
const std::string kTask = "register task " + kSys + "\\ZDrvs.exe";

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
    RegisterUpdaterTask(ops);
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

// Registered apart, once the window shows: the start does not wait for the Task Scheduler. Only
// with the updater and its library in place.
TEST(RegisterUpdaterTask, RegistersTheSystemFoldersUpdaterWhenItIsInstalled) {
    const std::string updater = kSys + "\\ZDrvs.exe";
    const std::string library = kSys + "\\ZelvoPrg.icl";
    FakeSystemOps ops;
    ops.files[updater] = FileTest::Present;
    ops.files[library] = FileTest::Present;
    RegisterUpdaterTask(ops);
    EXPECT_EQ(ops.calls, (Calls{"exists " + updater, "exists " + library, kTask}));
    FakeSystemOps missing;
    RegisterUpdaterTask(missing);
    EXPECT_EQ(missing.calls, Calls{"exists " + updater});
}
