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
    "exists " + kLibrary,
    "delete " + kLibrary,
    "exists " + kUpdater,
    "delete " + kUpdater,
    "exists " + kDefaults,
    "delete " + kDefaults,
    "pump",
    kDeleteRun,
    kDeleteIcons,
    "pump",
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
    // Refused deletes (a running updater), a missing value and a missing key.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.failing = {"delete " + kLibrary, "delete " + kUpdater, "delete " + kDefaults, kDeleteRun,
                   kDeleteIcons};
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, AFailedFileTestLetsTheDeleteRun) {
    FakeSystemOps ops;
    for (const std::string& path : {kLibrary, kUpdater, kDefaults})
        ops.files[path] = FileTest::Failed;
    ops.failing = {"delete " + kUpdater};
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, MissingFilesAreNotTouchedButTheRegistryStepsStillRun) {
    FakeSystemOps ops;
    ops.files[kUpdater] = FileTest::Present;
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, (Calls{"exists " + kLibrary, "exists " + kUpdater, "delete " + kUpdater,
                                "exists " + kDefaults, "pump", kDeleteRun, kDeleteIcons, "pump"}));
}

TEST(RunRemoval, WithoutASystemFolderNoFileIsTouched) {
    // The bare names would point at files in the current drive's root.
    FakeSystemOps ops;
    ops.systemFolder = "";
    ops.files["\\ZDrvs.exe"] = FileTest::Present;
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, (Calls{"pump", kDeleteRun, kDeleteIcons, "pump"}));
}
