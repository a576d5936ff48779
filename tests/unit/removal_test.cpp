#include "removal.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

#include <set>

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

const std::string kWaitForUpdater = "wait for the end of " + kUpdater + ", a minute at most";

const Calls kFullRemoval = {
    "hold updaters",
    kWaitForUpdater,
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
    // A missing value, task and key.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.failing = {kDeleteRun, "delete task", kDeleteIcons};
    RunRemoval(ops);
    EXPECT_EQ(ops.calls, kFullRemoval);
}

TEST(RunRemoval, WhenTheWaitForUpdatersRunsOutEveryOverrideGoesAgainAfterALongerWait) {
    // A pass held up by a disk waking from standby writes on after the first deletion.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.lockWaitRunsOut = true;
    RunRemoval(ops);
    Calls expected = kFullRemoval;
    // An updater in its pass is not waited for once more: it holds the lock.
    expected.erase(expected.begin() + 1);
    expected.insert(expected.begin() + 11,
                    {"hold updaters, a minute at most", kDeleteIcons, "release updaters"});
    EXPECT_EQ(ops.calls, expected);
}

TEST(RunRemoval, ABusyFileIsMovedAsideBeforeItIsMarkedForDeletionAtTheNextRestart) {
    // A running updater, or a library that a virus scanner reads: a copy installed before the
    // restart keeps the real name. Where even the move fails, the real name is marked.
    const struct {
        std::set<std::string> failing;
        Calls added;
    } cases[] = {
        {{"delete " + kUpdater},
         {"move aside " + kUpdater, "delete at restart " + kUpdater + ".aside"}},
        {{"delete " + kUpdater, "move aside " + kUpdater},
         {"move aside " + kUpdater, "delete at restart " + kUpdater}},
    };
    for (const auto& c : cases) {
        FakeSystemOps ops;
        InstallAll(ops);
        ops.failing = c.failing;
        RunRemoval(ops);
        Calls expected = kFullRemoval;
        expected.insert(expected.begin() + 6, c.added.begin(), c.added.end());
        EXPECT_EQ(ops.calls, expected);
    }
}

TEST(RunRemoval, AReplacementListedForTheRestartLosesItsCopyAndIsUndoneAfterIt) {
    // Setup's or an icon changer's copy would put the updater back at the restart: the copy goes
    // now (only this product's, by its name), and the updater is deleted once more after it.
    FakeSystemOps ops;
    InstallAll(ops);
    ops.replacements[kUpdater] = {kUpdater + ".new", kUpdater + ".420-0.new",
                                  "C:\\other\\ZDrvs.exe.new"};
    RunRemoval(ops);
    Calls expected = kFullRemoval;
    expected.insert(expected.begin() + 4,
                    {"delete at restart " + kUpdater, "delete " + kUpdater + ".new",
                     "delete " + kUpdater + ".420-0.new"});
    EXPECT_EQ(ops.calls, expected);
}

TEST(RunRemoval, A64BitRemoverAlsoTakesWhatA32BitChangerLeftInTheOtherView) {
    FakeSystemOps ops;
    ops.wow64SystemFolder = "C:\\WINDOWS\\SysWOW64";
    ops.files[ops.wow64SystemFolder + "\\ZDrvs.exe"] = FileTest::Present;
    RunRemoval(ops);
    const Calls expected = {
        "hold updaters",
        kWaitForUpdater,
        "wait for the end of C:\\WINDOWS\\SysWOW64\\ZDrvs.exe, a minute at most",
        "exists " + kLibrary,
        "exists " + kUpdater,
        "exists " + kDefaults,
        "exists C:\\WINDOWS\\SysWOW64\\ZelvoPrg.icl",
        "exists C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
        "delete C:\\WINDOWS\\SysWOW64\\ZDrvs.exe",
        "exists C:\\WINDOWS\\SysWOW64\\ZelvoDrives.icl",
        kDeleteRun + " (32-bit view)",
        "pump",
        kDeleteRun,
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
              (Calls{"hold updaters", kWaitForUpdater, "exists " + kLibrary, "exists " + kUpdater,
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
