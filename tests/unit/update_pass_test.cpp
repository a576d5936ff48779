#include "update_pass.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

using namespace zelvo;
using zelvo::testing::FakeSystemOps;
using Calls = std::vector<std::string>;

namespace {

const std::string kSys = "C:\\WINDOWS\\system32";
const std::string kLibrary = kSys + "\\ZelvoPrg.icl";
const std::string kIcons =
    "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\DriveIcons\\";

struct Pass {
    FakeSystemOps ops;
    DrivesFields fields;
    std::vector<std::vector<std::string>> printed;

    Pass() {
        ops.files[kLibrary] = FileTest::Present;
        fields.lstDrives = {"C:\\", "E:\\"};
        ops.drives["C:\\"] = {1000, 250}; // 75 % used: index 36
        ops.drives["E:\\"] = {1000, 0};   // full: index 50
    }
    PassResult Run() {
        return UpdateDriveIcons(ops, fields, [this](std::vector<std::string> lines) {
            printed.push_back(std::move(lines));
        });
    }
};

} // namespace

TEST(UpdateDriveIcons, PointsEachFixedDriveAtItsUsageIconWithUpdatersHeldThenTellsExplorerOnce) {
    Pass pass;
    EXPECT_EQ(pass.Run().written, 2);
    const Calls expected = {"hold updaters",
                            "measure C:\\",
                            "exists " + kLibrary,
                            "read " + kIcons + "C\\DefaultIcon []",
                            "create " + kIcons + "C\\DefaultIcon",
                            "set " + kIcons + "C\\DefaultIcon [] = " + kLibrary + ",36",
                            "measure E:\\",
                            "exists " + kLibrary,
                            "read " + kIcons + "E\\DefaultIcon []",
                            "create " + kIcons + "E\\DefaultIcon",
                            "set " + kIcons + "E\\DefaultIcon [] = " + kLibrary + ",50",
                            "release updaters",
                            "notify"};
    EXPECT_EQ(pass.ops.calls, expected);
    // The working fields keep the last drive's values, and each drive's figures were printed.
    EXPECT_EQ(pass.fields.txtPercentUsed, "100");
    EXPECT_EQ(pass.fields.txtPath, kLibrary + ",50");
    ASSERT_EQ(pass.printed.size(), 2U);
    EXPECT_EQ(pass.printed[0][3], " Total Space Used :750");
}

TEST(UpdateDriveIcons, WritesNothingWithoutTheUsageLibraryOrTheUpdatersLock) {
    // An override into a missing library would show a broken icon.
    for (const FileTest library : {FileTest::Missing, FileTest::Failed}) {
        Pass pass;
        pass.ops.files[kLibrary] = library;
        EXPECT_EQ(pass.Run().written, 0);
        EXPECT_EQ(pass.ops.calls, (Calls{"hold updaters", "measure C:\\", "exists " + kLibrary,
                                         "release updaters"}));
    }
    // A removal still at work, or a program without the rights to the lock.
    Pass held;
    held.ops.lockWaitRunsOut = true;
    const PassResult result = held.Run();
    EXPECT_EQ(result.written, 0);
    EXPECT_TRUE(result.withoutLock) << "the updater's exit code says so";
    EXPECT_EQ(held.ops.calls, (Calls{"hold updaters", "release updaters"}));
}

// A removal that waited for the pass in vain deletes the library while a slow disk is measured.
struct LibraryDeletedWhileMeasuringE : FakeSystemOps {
    bool DriveSpace(const std::string& root, std::uint64_t& total, std::uint64_t& free) override {
        if (root == "E:\\")
            files.erase(kLibrary);
        return FakeSystemOps::DriveSpace(root, total, free);
    }
};

TEST(UpdateDriveIcons, ALibraryDeletedDuringThePassStopsTheWrites) {
    LibraryDeletedWhileMeasuringE ops;
    ops.files[kLibrary] = FileTest::Present;
    DrivesFields fields;
    fields.lstDrives = {"C:\\", "E:\\", "F:\\"};
    for (const std::string& root : fields.lstDrives)
        ops.drives[root] = {1000, 250};
    EXPECT_EQ(UpdateDriveIcons(ops, fields, [](std::vector<std::string>) {}).written, 1);
    EXPECT_EQ(Calls(ops.calls.begin() + 6, ops.calls.end()),
              (Calls{"measure E:\\", "exists " + kLibrary, "release updaters", "notify"}));
}

TEST(UpdateDriveIcons, ADriveThatCannotBeMeasuredOrWrittenIsSkippedAndTheRestGoOn) {
    Pass pass;
    pass.ops.failing = {"measure C:\\",
                        "set " + kIcons + "E\\DefaultIcon [] = " + kLibrary + ",50"};
    EXPECT_EQ(pass.Run().written, 0);
    EXPECT_EQ(pass.ops.calls.back(), "release updaters") << "nothing written, nothing to tell";

    Pass empty;
    empty.ops.drives["C:\\"] = {0, 0};
    empty.fields.lstDrives = {"C:\\"};
    EXPECT_EQ(empty.Run().written, 0);
    EXPECT_TRUE(empty.printed.empty()) << "a zero total cannot be divided";
}

TEST(UpdateDriveIcons, RewritesEveryDriveButTellsTheUsersExplorerOnlyOfAChange) {
    const std::string kKeyC = kIcons + "C\\DefaultIcon []";
    const std::string kSetC = "set " + kKeyC + " = " + kLibrary + ",36";
    const std::string kStart1 = "start notifier in session 1";
    const Calls kNotifiers = {"list sessions", kStart1, "start notifier in session 3"};
    const struct {
        const char* name;
        const char* storedC; // E holds its text already; null: C has no value
        bool servicesSession;
        std::set<std::string> failing;
        Calls told;
    } kCases[] = {
        {"nothing changed", ",36", false, {}, {}},
        {"another icon", ",3", false, {}, {"notify"}},
        {"no override", nullptr, false, {}, {"notify"}},
        {"an unreadable one counts as changed", ",36", false, {"read " + kKeyC}, {"notify"}},
        {"a refused write changed nothing", ",3", false, {kSetC}, {}},
        {"SYSTEM's pass changed nothing", ",36", true, {}, {}},
        {"SYSTEM's pass: each active session", ",3", true, {}, kNotifiers},
        {"a refused token skips its session", ",3", true, {kStart1}, kNotifiers},
        {"sessions that cannot be listed", ",3", true, {"list sessions"}, {"list sessions"}},
    };
    for (const auto& c : kCases) {
        Pass pass;
        if (c.storedC)
            pass.ops.values[kKeyC] = kLibrary + c.storedC;
        pass.ops.values[kIcons + "E\\DefaultIcon []"] = kLibrary + ",50";
        pass.ops.servicesSession = c.servicesSession;
        pass.ops.sessions = {{1, true}, {2, false}, {3, true}};
        pass.ops.failing = c.failing;
        pass.Run();
        const auto released = std::find(pass.ops.calls.begin(), pass.ops.calls.end(),
                                        std::string("release updaters"));
        EXPECT_EQ(std::count(pass.ops.calls.begin(), released, kSetC), 1) << c.name;
        EXPECT_EQ(Calls(released + 1, pass.ops.calls.end()), c.told) << c.name;
    }
}

TEST(IsNotifyOnly, OnlyTheNotifyArgumentAloneAsksForTheNotifier) {
    for (const char* yes : {"/notify", "  /NOTIFY\t"})
        EXPECT_TRUE(IsNotifyOnly(yes)) << yes;
    for (const char* no : {"", "   ", "/notif", "notify", "/notify x", "/notifyx"})
        EXPECT_FALSE(IsNotifyOnly(no)) << no;
}
