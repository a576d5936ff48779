// What Apply says when something may keep Windows from showing the icon, as a user meets it.
// Wine's shell honours none of these sources, so the tests check the changer's decision, not
// Explorer. Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped, and
// the usage bars on.
#include "changer_driver.h"
#include "icon_findings.h"
#include "layout.h"
#include "texts.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

const std::string kLeftOverKeyD =
    "Software\\Classes\\Applications\\Explorer.exe\\Drives\\D\\DefaultIcon";
const std::string kLeftOverKeyQ =
    "Software\\Classes\\Applications\\Explorer.exe\\Drives\\Q\\DefaultIcon";
constexpr char kGoneIcon[] = "C:\\gone\\drive.ico";

class FindingsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProductState();
        InstallWitnessUpdater();
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Applications\\Explorer.exe\\Drives");
    }
    void TearDown() override {
        changer.Close();
        SHDeleteKeyA(HKEY_CURRENT_USER, "Software\\Classes\\Applications\\Explorer.exe\\Drives");
        DeleteFileA("D:\\autorun.inf");
        ResetProductState();
    }
    // Applies the default library's first icon to a drive; what Apply then said.
    ChangerDriver::Said ApplyTo(const char* letter, int answer = IDOK) {
        EXPECT_TRUE(changer.Start());
        changer.ChooseDrive(letter);
        changer.TypeLocation(SysFile(kDefaultLibraryFile) + ",0");
        return changer.Apply(answer);
    }
    static bool Says(const ChangerDriver::Said& said, const char* text, char letter) {
        return said.text.find(ForDrive(text, letter)) != std::string::npos;
    }

    ChangerDriver changer;
};

} // namespace

TEST_F(FindingsTest, ANonFixedDriveWithNothingInTheWayShowsNothing) {
    EXPECT_EQ(ApplyTo("D").text, "");
    EXPECT_EQ(DriveOverride('D'), SysFile(kDefaultLibraryFile) + ",0");
}

TEST_F(FindingsTest, AFixedDriveSaysThatItsUsageBarTakesThePlace) {
    const ChangerDriver::Said said = ApplyTo("E");
    EXPECT_TRUE(Says(said, kUsageBarsFinding, 'E')) << said.text;
    EXPECT_FALSE(said.askedYesNo);
}

TEST_F(FindingsTest, AnAutorunInfWithAnIconOnTheRootIsNamed) {
    WriteFile("D:\\autorun.inf", "[AutoRun]\r\nicon=disc.ico,2\r\n");
    const ChangerDriver::Said said = ApplyTo("D");
    EXPECT_TRUE(Says(said, kAutorunFinding, 'D')) << said.text;
    EXPECT_NE(said.text.find("\"disc.ico,2\""), std::string::npos) << said.text;
}

TEST_F(FindingsTest, AnotherProgramsLeftOverIsOfferedToTheDesktopsUserAndYesRemovesOnlyIt) {
    WriteRegString(HKEY_CURRENT_USER, kLeftOverKeyD, "", kGoneIcon);
    WriteRegString(HKEY_CURRENT_USER, kLeftOverKeyQ, "", kGoneIcon);
    Process shell("C:\\tests\\shell_owner.exe");
    ASSERT_TRUE(WaitUntil([] { return GetShellWindow() != nullptr; })) << "no shell window";

    const ChangerDriver::Said said = ApplyTo("D", IDYES);
    EXPECT_TRUE(said.askedYesNo) << said.text;
    EXPECT_TRUE(Says(said, kOtherProgramGoneFinding, 'D')) << said.text;
    EXPECT_NE(said.text.find(kGoneIcon), std::string::npos) << "the value that would go";
    EXPECT_TRUE(WaitUntil([] { return !ReadRegString(HKEY_CURRENT_USER, kLeftOverKeyD, ""); }));
    EXPECT_FALSE(
        RegKeyExists(HKEY_CURRENT_USER, kLeftOverKeyD.substr(0, kLeftOverKeyD.rfind('\\'))))
        << "the letter's key, empty, went too";
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kLeftOverKeyQ, ""), kGoneIcon);
}

TEST_F(FindingsTest, WithoutADesktopUserTheLeftOverIsNamedButNotOfferedForRemoval) {
    ASSERT_EQ(GetShellWindow(), nullptr);
    WriteRegString(HKEY_CURRENT_USER, kLeftOverKeyD, "", kGoneIcon);
    const ChangerDriver::Said said = ApplyTo("D");
    EXPECT_FALSE(said.askedYesNo) << said.text;
    EXPECT_TRUE(Says(said, kOtherProgramGoneFinding, 'D')) << said.text;
    EXPECT_TRUE(Says(said, kNoDesktopUserFinding, 'D')) << said.text;
    EXPECT_EQ(ReadRegString(HKEY_CURRENT_USER, kLeftOverKeyD, ""), kGoneIcon);
}
