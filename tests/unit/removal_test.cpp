#include "removal.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kLibrary = kSys + "\\ZelvoPrg.icl";
const std::string kUpdater = kSys + "\\ZDrvs.exe";
const std::string kDefaults = kSys + "\\ZelvoDrives.icl";
const std::string kDeleteRun =
    "delete value HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run [ZDrives]";
const std::string kDeleteIcons =
    "delete tree HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";

const Calls kFullRemoval = {
    "hold updaters",
    "exists " + kLibrary,
    "delete " + kLibrary,
    "exists " + kUpdater,
    "delete " + kUpdater,
    "exists " + kDefaults,
    "delete " + kDefaults,
    "pump",
    kDeleteRun,
    "delete task",
    kDeleteIcons,
    "release updaters",
    "pump",
    "notify",
};

void InstallAll(FakeSystemOps& ops) {
    for (const std::string& path : {kLibrary, kUpdater, kDefaults})
        ops.files[path] = FileTest::Present;
}

} // namespace

TEST(RunRemoval, DeletesTheFilesThenTheLogonEntryThenEveryOverride) {
    FakeSystemOps ops;
    InstallAll(ops);
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, EveryStepRunsAfterAnyEarlierStepFails) {
    // A wait for updaters that ran out, a missing value, task and key.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.lockWaitRunsOut = true;
    ops.failing = {kDeleteRun, "delete task", kDeleteIcons};
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, AFileThatCannotBeDeletedGoesAtTheNextRestart) {
    // The updater runs: its program file is in use.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.failing = {"delete " + kUpdater};
    RunRemoval(ops);
    Calls expected = kFullRemoval;
    expected.insert(expected.begin() + 5, "delete at restart " + kUpdater);
    EXPECT_EQ(ops.calls, expected);
}

TEST(RunRemoval, A64BitRemoverAlsoTakesWhatA32BitChangerLeftInTheOtherView) {
    FakeSystemOps ops;
    ops.wow64SystemFolder = "C:\\WINDOWS\\SysWOW64";
    ops.files[ops.wow64SystemFolder + "\\ZDrvs.exe"] = FileTest::Present;
    RunRemoval(ops);
    const Calls expected = {"hold updaters",
                            "exists " + kLibrary,
                            "exists " + kUpdater,
                            "exists " + kDefaults,
                            "exists C:\\WINDOWS\\SysWOW64\\ZelvoPrg.icl",
                            "exists C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
                            "delete C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
                            "exists C:\\WINDOWS\\SysWOW64\\ZelvoDrives.icl",
                            "pump",
                            kDeleteRun,
                            kDeleteRun + " (32-bit view)",
                            "delete task",
                            kDeleteIcons,
                            "release updaters",
                            "pump",
                            "notify"};
    EXPECT_EQ(ops.calls, expected);
}

TEST(RunRemoval, AFailedFileTestLetsTheDeleteRun) {
    FakeSystemOps ops;
    for (const std::string& path : {kLibrary, kUpdater, kDefaults})
        ops.files[path] = FileTest::Failed;
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, MissingFilesAreNotTouchedButTheRegistryStepsStillRun) {
    FakeSystemOps ops;
    ops.files[kUpdater] = FileTest::Present;
    RunRemoval(ops);
    EXPECT_EQ(ops.calls,
              (Calls{"hold updaters", "exists " + kLibrary, "exists " + kUpdater,
                     "delete " + kUpdater, "exists " + kDefaults, "pump", kDeleteRun, "delete task",
                     kDeleteIcons, "release updaters", "pump", "notify"}));
}

TEST(RunRemoval, WithoutASystemFolderNoFileIsTouched) {
    // The bare names would point at files in the current drive's root.
    FakeSystemOps ops;
    ops.systemFolder = "";
    ops.files["\\ZDrvs.exe"] = FileTest::Present;
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, (Calls{"hold updaters", "pump", kDeleteRun, "delete task", kDeleteIcons,
                                "release updaters", "pump", "notify"}));
}
