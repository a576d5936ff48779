#include "autorun_inf.h"
#include "icon_check.h"

#include "fake_system_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>

using namespace zelvo;
using namespace std::string_literals;
using zelvo::testing::FakeSystemOps;
using Kinds = std::vector<FindingKind>;

namespace {

const std::string kUserKeyE =
    "HKEY_USERS\\S-1-5-21-7\\Software\\Classes\\Applications\\Explorer.exe\\Drives\\E\\DefaultIcon";
const std::string kMachineKeyE = "HKEY_LOCAL_MACHINE\\Software\\Classes\\Applications\\Explorer.exe"
                                 "\\Drives\\E\\DefaultIcon";
const std::string kOverrideE = "HKEY_LOCAL_MACHINE\\SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\"
                               "Explorer\\DriveIcons\\E\\DefaultIcon";
const std::string kApplied = "C:\\Icons\\set.icl,3";

Kinds KindsOf(const std::vector<Finding>& findings) {
    Kinds kinds;
    for (const Finding& finding : findings)
        kinds.push_back(finding.kind);
    return kinds;
}

// A machine where nothing stands in the way of the icon applied to E, a fixed drive.
struct Machine : FakeSystemOps {
    Machine() {
        values[kOverrideE + " []"] = kApplied;
        looks["C:\\Icons\\set.icl"] = FileLook::Present;
        driveStates = {{'A', {true, 2, true, true}},
                       {'C', {true, 3, false, true}},
                       {'E', {true, 3, false, true}},
                       {'F', {true, 2, false, true}},
                       {'Z', {true, 4, false, true}}};
    }
    IconSnapshot Look() { return LookAtAppliedIcon(*this, 'E', written, usageBars); }
    std::string written = kApplied;
    bool usageBars = false;
};

} // namespace

TEST(LookAtAppliedIcon, FindsEachCauseAndListsThemMostCertainFirst) {
    const struct {
        const char* cause;
        std::function<void(Machine&)> arrange;
        Kinds kinds;
    } cases[] = {
        {"nothing in the way", [](Machine&) {}, {}},
        {"the usage bars", [](Machine& m) { m.usageBars = true; }, {FindingKind::UsageBars}},
        {"another value read back",
         [](Machine& m) { m.values[kOverrideE + " []"] = "x,0"; },
         {FindingKind::NotReadBack}},
        {"a missing file", [](Machine& m) { m.looks.clear(); }, {FindingKind::LocationMissing}},
        {"no icon there",
         [](Machine& m) { m.icons[kApplied] = IconLook::NoIcon; },
         {FindingKind::NoIconAtIndex}},
        {"a resource id of an expanded, quoted path",
         [](Machine& m) {
             m.written = m.values[kOverrideE + " []"] = "\"%SystemRoot%\\x.dll\",-101";
             m.expansions["%SystemRoot%\\x.dll"] = "C:\\WINDOWS\\x.dll";
             m.looks["C:\\WINDOWS\\x.dll"] = FileLook::Present;
             m.icons["C:\\WINDOWS\\x.dll,-101"] = IconLook::NoIcon;
         },
         {FindingKind::NoIconAtIndex}},
        {"autorun.inf",
         [](Machine& m) { m.fileStarts["E:\\autorun.inf"] = "[AutoRun]\nicon=e.ico"; },
         {FindingKind::Autorun}},
        {"a machine-wide key",
         [](Machine& m) { m.values[kMachineKeyE + " []"] = "C:\\gone.ico"; },
         {FindingKind::OtherProgram}},
        {"no drive", [](Machine& m) { m.driveStates.erase('E'); }, {FindingKind::NoDrive}},
        {"another desktop user, alone", [](Machine& m) { m.desktopUser.sameAccount = false; }, {}},
        {"whose settings beside a cause",
         [](Machine& m) {
             m.desktopUser.sameAccount = false;
             m.driveStates.erase('E');
         },
         {FindingKind::NoDrive, FindingKind::WhoseSettings}},
        {"four at once, the first three",
         [](Machine& m) {
             m.values[kOverrideE + " []"] = "x,0";
             m.values[kUserKeyE + " []"] = "C:\\gone.ico";
             m.looks.clear();
             m.desktopUser.sameAccount = false;
         },
         {FindingKind::NotReadBack, FindingKind::LocationMissing, FindingKind::OtherProgram}},
    };
    for (const auto& c : cases) {
        Machine machine;
        c.arrange(machine);
        EXPECT_EQ(KindsOf(DecideFindings(machine.Look())), c.kinds) << c.cause;
    }
}

TEST(LookAtAppliedIcon, NeverTouchesANetworkPathALinkOrADriveThatWouldAskForItsDisk) {
    const struct {
        const char* target;
        FileLook file;
        std::vector<std::string> looks; // the calls that name the file: never following a link
    } cases[] = {
        {"\\\\server\\share\\drive.ico", FileLook::NotChecked, {}},
        {"Z:\\icons\\drive.ico", FileLook::NotChecked, {}}, // a network drive
        {"A:\\drive.ico", FileLook::Unknown, {}},           // a floppy drive
        {"C:\\dir\\CON.ico", FileLook::NotChecked, {}},     // a device
        {"C:\\link\\drive.ico", FileLook::NotChecked, {"look for C:\\link\\drive.ico (no links)"}},
    };
    for (const auto& c : cases) {
        Machine machine;
        machine.looks["C:\\link\\drive.ico"] = FileLook::NotChecked; // a link lies on the way
        machine.values[kUserKeyE + " []"] = std::string(c.target) + ",0";
        const IconSnapshot s = machine.Look();
        ASSERT_TRUE(s.otherProgram) << c.target;
        EXPECT_EQ(s.otherProgram->file, c.file) << c.target;
        EXPECT_FALSE(LeftOverIcon(s)) << c.target;
        std::vector<std::string> looks;
        std::copy_if(machine.calls.begin(), machine.calls.end(), std::back_inserter(looks),
                     [&c](const std::string& call) { return call.find(c.target) != call.npos; });
        EXPECT_EQ(looks, c.looks) << c.target;
    }
}

TEST(LeftOverIcon, IsOfferedOnlyForTheDesktopUsersOwnKeyWithAMissingLocalFileAndNothingElse) {
    const struct {
        const char* cause;
        std::function<void(Machine&)> arrange;
        bool offered;
    } cases[] = {
        {"all holds", [](Machine&) {}, true},
        {"no known desktop user", [](Machine& m) { m.desktopUser.known = false; }, false},
        {"the file is there", [](Machine& m) { m.looks["C:\\gone.ico"] = FileLook::Present; },
         false},
        {"a subkey", [](Machine& m) { m.keys[kUserKeyE].subkeys = 1; }, false},
        {"another value", [](Machine& m) { m.keys[kUserKeyE].values = 2; }, false},
        {"on a removable drive", [](Machine& m) { m.values[kUserKeyE + " []"] = "F:\\gone.ico"; },
         false},
    };
    for (const auto& c : cases) {
        Machine machine;
        machine.values[kUserKeyE + " []"] = "C:\\gone.ico";
        machine.keys[kUserKeyE] = {1, 0};
        c.arrange(machine);
        EXPECT_EQ(LeftOverIcon(machine.Look()).has_value(), c.offered) << c.cause;
    }
}

TEST(RemoveLeftOverIcon, DeletesTheKeyOnlyWhileItHoldsTheOfferedValue) {
    const std::string letterKey = kUserKeyE.substr(0, kUserKeyE.rfind('\\'));
    for (const bool changed : {false, true}) {
        Machine machine;
        machine.values[kUserKeyE + " []"] = "C:\\gone.ico";
        machine.keys[kUserKeyE] = {1, 0};
        machine.keys[letterKey] = {0, 0};
        const std::optional<OtherProgramIcon> offer = LeftOverIcon(machine.Look());
        ASSERT_TRUE(offer);
        if (changed)
            machine.values[kUserKeyE + " []"] = "C:\\new.ico";
        machine.calls.clear();
        long error = 0;
        EXPECT_EQ(RemoveLeftOverIcon(machine, *offer, error),
                  changed ? LeftOverRemoval::Changed : LeftOverRemoval::Removed);
        const std::vector<std::string> removed = {"read " + kUserKeyE + " []",
                                                  "delete key " + kUserKeyE,
                                                  "delete key " + letterKey, "notify"};
        EXPECT_EQ(machine.calls, changed ? std::vector<std::string>{removed[0]} : removed);
    }
}

TEST(AutorunSwitchedOff, ByTheMappingThenTheMachinesPolicyOrTheUsers) {
    EXPECT_EQ(AutorunSwitchedOff('E', 3, std::nullopt, std::nullopt, std::nullopt), AutorunOff::No);
    EXPECT_EQ(AutorunSwitchedOff('E', 3, 0x91, 0, std::nullopt), AutorunOff::No);
    EXPECT_EQ(AutorunSwitchedOff('E', 3, 0x08, 0, std::nullopt), AutorunOff::ForItsType);
    EXPECT_EQ(AutorunSwitchedOff('E', 2, 0x08, 0x10, std::nullopt), AutorunOff::ForItsLetter);
    EXPECT_EQ(AutorunSwitchedOff('E', 2, 0, 0, "@SYS:DoesNotExist"s), AutorunOff::Mapped);
}

TEST(FindAutorunIcon, ReadsTheArchitecturesSectionFirstInAnyCaseAndEncoding) {
    const struct {
        std::string file;
        std::optional<std::string> icon;
    } cases[] = {
        {"[autorun]\r\nicon=a.ico\r\n[autorun.amd64]\r\nicon=b.ico", "b.ico"s},
        {"[AUTORUN]\nIcon = \"c d.ico,1\"\n", "c d.ico,1"s},
        {"[autorun.x86]\nicon=x.ico\n[autorun]\n;icon=no.ico\nicon=a.ico\nicon=second.ico",
         "a.ico"s},
        {"[other]\nicon=o.ico\n", std::nullopt},
        {"[autorun]\nicon=\n", std::nullopt},
        {"\xFE\xFF\0[\0a\0u\0t\0o\0r\0u\0n\0]\0\n\0i\0c\0o\0n\0=\0b\0e\0.\0i\0c\0o"s, "be.ico"s},
        {"\xFF\xFE[\0a\0u\0t\0o\0r\0u\0n\0]\0\n\0i\0c\0o\0n\0=\0\xE9\0.\0i\0c\0o\0"s, "?.ico"s},
        {std::string(kAutorunInfMaxBytes, '\n') + "[autorun]\nicon=late.ico", std::nullopt},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FindAutorunIcon(c.file, "amd64"), c.icon) << c.file;
    }
}
