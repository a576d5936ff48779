#include "drive_icons.h"

#include "fake_system_ops.h"
#include "usage_option.h"

#include <gtest/gtest.h>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kKeyE =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\E"
    "\\DefaultIcon";
const std::string kDeleteIcons =
    "delete tree HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons";

} // namespace

TEST(ApplyDriveIcon, StoresTheLocationWithUpdatersHeldThenTellsExplorerAndLooksAtIt) {
    FakeSystemOps ops;
    const std::vector<std::string> noDrives;
    const UsageOption chkProg(ops, noDrives);
    const ApplyOutcome outcome = ApplyDriveIcon(ops, 'E', "C:\\Icons\\set.icl,3", chkProg, {});
    EXPECT_EQ(outcome.error, 0);
    EXPECT_EQ(outcome.snapshot.written, "C:\\Icons\\set.icl,3");
    EXPECT_EQ(
        Calls(ops.calls.begin(), ops.calls.begin() + 5),
        (Calls{"hold updaters", "create " + kKeyE, "set " + kKeyE + " [] = C:\\Icons\\set.icl,3",
               "notify", "read " + kKeyE + " []"}));
    EXPECT_EQ(ops.calls.back(), "release updaters") << "the look is made with updaters held";
}

TEST(ApplyDriveIcon, AFailedWriteIsReportedWithTheCauseAndExplorerIsNotTold) {
    // A key that cannot be created (e.g. under a volatile key) fails the write that follows.
    FakeSystemOps ops;
    ops.failing = {"create " + kKeyE, "set " + kKeyE + " [] = x,1"};
    ops.failure = 1021;
    const std::vector<std::string> noDrives;
    const UsageOption chkProg(ops, noDrives);
    EXPECT_EQ(ApplyDriveIcon(ops, 'E', "x,1", chkProg, {}).error, 1021);
    EXPECT_EQ(ops.calls, (Calls{"hold updaters", "create " + kKeyE, "set " + kKeyE + " [] = x,1",
                                "release updaters"}));
    EXPECT_EQ(ApplyFailedMessage('E', "Access is denied."),
              "The icon for drive E could not be stored.\n\nAccess is denied.");
}

TEST(RestoreDefaults, SwitchesOffAndDeletesEveryOverrideWithUpdatersHeldThenTellsExplorer) {
    FakeSystemOps ops;
    const std::vector<std::string> noDrives;
    UsageOption chkProg(ops, noDrives);
    chkProg.assign(UsageOption::kOff);
    ops.calls.clear();
    RestoreDefaults(ops, chkProg);
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
    const std::vector<std::string> noDrives;
    UsageOption chkProg(ops, noDrives);
    RestoreDefaults(ops, chkProg);
    const Calls switchOff = {"exists " + kSys + "\\ZelvoPrg.icl", "exists " + kSys + "\\ZDrvs.exe",
                             "delete value HKLM\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Run "
                             "[ZDrives]",
                             "delete task"};
    Calls expected = {"hold updaters"};
    expected.insert(expected.end(), switchOff.begin(), switchOff.end());
    expected.insert(expected.end(), switchOff.begin(), switchOff.end());
    expected.insert(expected.end(), {kDeleteIcons, "hold updaters, a minute at most", kDeleteIcons,
                                     "release updaters", "release updaters", "notify"});
    EXPECT_EQ(ops.calls, expected);
    EXPECT_FALSE(chkProg.isOn());
}
