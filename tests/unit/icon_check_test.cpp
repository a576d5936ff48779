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
        driveStates['C'] = {true, 3, false, true};
        driveStates['E'] = {true, 3, false, true};
        driveStates['Z'] = {true, 4, false, true};
    }
    IconSnapshot Look(bool usageBars = false) {
        return LookAtAppliedIcon(*this, 'E', kApplied, usageBars);
    }
};

} // namespace

TEST(LookAtAppliedIcon, FindsEachCauseAndListsThemMostCertainFirst) {
    const struct {
        const char* cause;
        std::function<void(Machine&)> arrange;
        Kinds kinds;
    } cases[] = {
        {"nothing in the way", [](Machine&) {}, {}},
        {"another value read back",
         [](Machine& m) { m.values[kOverrideE + " []"] = "x,0"; },
         {FindingKind::NotReadBack}},
        {"a missing file",
         [](Machine& m) { m.looks.erase("C:\\Icons\\set.icl"); },
         {FindingKind::LocationMissing}},
        {"no icon there",
         [](Machine& m) { m.icons[kApplied] = IconLook::NoIcon; },
         {FindingKind::NoIconAtIndex}},
        {"autorun.inf",
         [](Machine& m) { m.fileStarts["E:\\autorun.inf"] = "[AutoRun]\nicon=e.ico"; },
         {FindingKind::Autorun}},
        {"a machine-wide key",
         [](Machine& m) { m.values[kMachineKeyE + " []"] = "C:\\gone.ico"; },
         {FindingKind::OtherProgram}},
        {"no drive", [](Machine& m) { m.driveStates.erase('E'); }, {FindingKind::NoDrive}},
        {"another desktop user, alone", [](Machine& m) { m.desktopUser.sameAccount = false; }, {}},
        {"all at once, three of them",
         [](Machine& m) {
             m.values[kOverrideE + " []"] = "x,0";
             m.values[kUserKeyE + " []"] = "C:\\gone.ico";
             m.looks.erase("C:\\Icons\\set.icl");
             m.desktopUser.sameAccount = false;
         },
         {FindingKind::NotReadBack, FindingKind::LocationMissing, FindingKind::OtherProgram}},
        {"whose settings beside a cause",
         [](Machine& m) {
             m.desktopUser.sameAccount = false;
             m.driveStates.erase('E');
         },
         {FindingKind::NoDrive, FindingKind::WhoseSettings}},
    };
    for (const auto& c : cases) {
        Machine machine;
        c.arrange(machine);
        EXPECT_EQ(KindsOf(DecideFindings(machine.Look())), c.kinds) << c.cause;
    }
    Machine bars;
    EXPECT_EQ(KindsOf(DecideFindings(bars.Look(true))), Kinds{FindingKind::UsageBars});
}

TEST(LookAtAppliedIcon, ALocationIsExpandedUnquotedAndANegativeIndexIsAResourceId) {
    Machine machine;
    const std::string typed = "\"%SystemRoot%\\x.dll\",-101";
    machine.expansions["%SystemRoot%\\x.dll"] = "C:\\WINDOWS\\x.dll";
    machine.looks["C:\\WINDOWS\\x.dll"] = FileLook::Present;
    machine.icons["C:\\WINDOWS\\x.dll,-101"] = IconLook::NoIcon;
    const IconSnapshot s = LookAtAppliedIcon(machine, 'E', typed, false);
    EXPECT_EQ(s.location, IconLook::NoIcon);
    EXPECT_NE(DecideFindings(s)[1].text.find("resource id 101"), std::string::npos);
}

TEST(LookAtAppliedIcon, NeverTouchesANetworkPathALinkOrADriveThatWouldAskForItsDisk) {
    const struct {
        const char* target;
        FileLook file;
        const char* call; // the one look at the file, never following a link; none when null
    } cases[] = {
        {"\\\\server\\share\\drive.ico", FileLook::NotChecked, nullptr},
        {"Z:\\icons\\drive.ico", FileLook::NotChecked, nullptr}, // a network drive
        {"A:\\drive.ico", FileLook::Unknown, nullptr},           // a floppy drive
        {"C:\\dir\\CON.ico", FileLook::NotChecked, nullptr},     // a device
        {"C:\\link\\drive.ico", FileLook::NotChecked, "look for C:\\link\\drive.ico (no links)"},
    };
    for (const auto& c : cases) {
        Machine machine;
        machine.driveStates['A'] = {true, 2, true, true};
        machine.looks["C:\\link\\drive.ico"] = FileLook::NotChecked; // a link lies on the way
        machine.values[kUserKeyE + " []"] = std::string(c.target) + ",0";
        const IconSnapshot s = machine.Look();
        ASSERT_TRUE(s.otherProgram) << c.target;
        EXPECT_EQ(s.otherProgram->file, c.file) << c.target;
        EXPECT_FALSE(LeftOverIcon(s)) << c.target;
        const auto looks = std::count_if(
            machine.calls.begin(), machine.calls.end(),
            [&c](const std::string& call) { return call.find(c.target) != std::string::npos; });
        EXPECT_EQ(looks, c.call ? 1 : 0) << c.target;
        if (c.call) {
            EXPECT_NE(std::find(machine.calls.begin(), machine.calls.end(), c.call),
                      machine.calls.end());
        }
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
        {"on a removable drive",
         [](Machine& m) {
             m.values[kUserKeyE + " []"] = "F:\\gone.ico";
             m.driveStates['F'] = {true, 2, false, true};
         },
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
