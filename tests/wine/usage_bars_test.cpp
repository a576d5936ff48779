// The usage bars as the icon changer switches them on and off, with the real updater.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "changer_driver.h"
#include "layout.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

class UsageBarsTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProductState(); }
    void TearDown() override {
        changer.Close();
        ResetProductState();
    }

    // Starts the changer and waits until the updaters it started have ended.
    void StartAndSettle() {
        ASSERT_TRUE(changer.Start()) << "no window titled Zelvo Drives";
        ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
    }
    static bool PointsIntoUsageLibrary(char letter) {
        const auto location = DriveOverride(letter);
        const std::string prefix = SysFile(kUsageLibraryFile) + ",";
        return location && location->compare(0, prefix.size(), prefix) == 0;
    }

    ChangerDriver changer;
};

// How many tasks the Task Scheduler keeps under the logon task's name (one file each).
int TaskFiles() {
    WIN32_FIND_DATAA found;
    const std::string pattern = SysDir() + "\\tasks\\" + kLogonTaskName + "*";
    const UniqueFind find(FindFirstFileA(pattern.c_str(), &found));
    if (!find)
        return 0;
    int count = 0;
    do
        ++count;
    while (FindNextFileA(find.get(), &found));
    return count;
}

// Files made read-only for a scope, as on a CD or from an archive tool that keeps the attribute.
class ReadOnlyFor {
  public:
    explicit ReadOnlyFor(std::vector<std::string> paths) : paths_(std::move(paths)) {
        for (const std::string& path : paths_)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY);
    }
    ~ReadOnlyFor() {
        for (const std::string& path : paths_)
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    }
    ReadOnlyFor(const ReadOnlyFor&) = delete;
    ReadOnlyFor& operator=(const ReadOnlyFor&) = delete;

  private:
    std::vector<std::string> paths_;
};

bool IsReadOnly(const std::string& path) {
    const DWORD attributes = GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY);
}

} // namespace

TEST_F(UsageBarsTest, AStartInstallsTheUpdaterAndPointsTheFixedDrivesAtTheirBars) {
    StartAndSettle();
    EXPECT_EQ(ReadFile(SysFile(kUsageLibraryFile)), ReadFile(AppFile(kUsageLibrarySource)));
    EXPECT_EQ(ReadFile(SysFile(kUpdaterFile)), ReadFile(AppFile(kUpdaterSource)));
    EXPECT_EQ(LogonEntry(), SysFile(kUpdaterFile)) << "the system folder's copy, never ZDrvs.dll";
    EXPECT_TRUE(PointsIntoUsageLibrary('C')) << DriveOverride('C').value_or("<none>");
    EXPECT_TRUE(PointsIntoUsageLibrary('E')) << DriveOverride('E').value_or("<none>");
    EXPECT_FALSE(DriveOverride('A'));
    EXPECT_FALSE(DriveOverride('D'));
    EXPECT_FALSE(DriveOverride('Z'));
}

TEST_F(UsageBarsTest, InstalledFilesAreNeverReplaced) {
    WriteFile(SysFile(kUsageLibraryFile), "older library");
    CopyFileA("C:\\tests\\witness.exe", SysFile(kUpdaterFile).c_str(), FALSE);
    StartAndSettle();
    EXPECT_EQ(ReadFile(SysFile(kUsageLibraryFile)), "older library");
    EXPECT_EQ(ReadFile(SysFile(kUpdaterFile)), ReadFile("C:\\tests\\witness.exe"));
    EXPECT_EQ(WitnessStarts(), 2);
}

// A logon entry or task would start nothing at every logon; one left by an earlier start goes.
TEST_F(UsageBarsTest, WithoutTheShippedUpdaterNoLogonEntryNorTaskIsLeft) {
    WriteRegString(HKEY_LOCAL_MACHINE, kRunSubkey, kLogonValueName, SysFile(kUpdaterFile));
    MovedAway updater(AppFile(kUpdaterSource));
    StartAndSettle();
    EXPECT_FALSE(LogonEntry());
    EXPECT_FALSE(LogonTaskExists());
    EXPECT_FALSE(FileIsThere(SysFile(kUpdaterFile)));
    EXPECT_EQ(WaitForWindow(changer.processId(), "ZelvoDrv", 300), nullptr) << "nothing is shown";
}

TEST_F(UsageBarsTest, CopiesOfReadOnlyShippedFilesAreWritableAndRestoreRemovesThem) {
    std::vector<std::string> shipped, installed;
    for (const InstalledFile& file : kInstalledFiles) {
        shipped.push_back(AppFile(file.shipped));
        installed.push_back(SysFile(file.installed));
    }
    const ReadOnlyFor readOnly(shipped);
    ASSERT_TRUE(IsReadOnly(shipped[0]));
    StartAndSettle();
    for (const std::string& copy : installed) {
        EXPECT_TRUE(FileIsThere(copy)) << copy;
        EXPECT_FALSE(IsReadOnly(copy)) << copy;
    }
    changer.Click(IDC_CMDRESTORE);
    EXPECT_TRUE(WaitUntil([] { return !RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey); }));
    EXPECT_FALSE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_FALSE(FileIsThere(SysFile(kUpdaterFile)));
}

TEST_F(UsageBarsTest, RestoreLeavesTheDefaultsRestoredAndClosingKeepsThemSo) {
    StartAndSettle();
    changer.Click(IDC_CMDRESTORE);
    // The key goes last, then Explorer is told.
    EXPECT_TRUE(WaitUntil([] { return !RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey); }));
    EXPECT_TRUE(FileIsThere(SysFile(kDefaultLibraryFile)));
    EXPECT_FALSE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_FALSE(FileIsThere(SysFile(kUpdaterFile)));
    EXPECT_FALSE(LogonEntry());
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey));

    ASSERT_TRUE(changer.Close());
    EXPECT_FALSE(LogonEntry()) << "closing after a restore writes no logon entry";

    // The next start switches the usage bars on again.
    StartAndSettle();
    EXPECT_EQ(LogonEntry(), SysFile(kUpdaterFile));
    EXPECT_TRUE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_TRUE(PointsIntoUsageLibrary('C'));
}

TEST_F(UsageBarsTest, ClosingRenewsTheLogonEntryOnlyWhileTheUpdaterIsInstalled) {
    StartAndSettle();
    WriteRegString(HKEY_LOCAL_MACHINE, kRunSubkey, kLogonValueName, "");
    ASSERT_TRUE(changer.Close());
    EXPECT_EQ(LogonEntry(), SysFile(kUpdaterFile));

    // Purgo, run by hand while the window is open, takes the updater away.
    StartAndSettle();
    ResetProductState();
    ASSERT_TRUE(changer.Close());
    EXPECT_FALSE(LogonEntry());
}

// A user's day: the bars come on, an icon goes on the floppy drive, and the next logon's
// updater refreshes the fixed drives and leaves the floppy alone.
TEST_F(UsageBarsTest, TypicalDay) {
    StartAndSettle();
    ASSERT_TRUE(PointsIntoUsageLibrary('C'));
    changer.ChooseDrive("A");
    const std::string chosen = SysFile(kDefaultLibraryFile) + ",3";
    changer.TypeLocation(chosen);
    EXPECT_EQ(changer.Apply().text, "") << "nothing in the way on the floppy drive";
    EXPECT_EQ(DriveOverride('A'), chosen);

    // An icon applied to a fixed drive lasts until the updater's next run, as Apply says.
    changer.ChooseDrive("E");
    EXPECT_NE(changer.Apply().text, "");
    EXPECT_EQ(DriveOverride('E'), chosen);

    ASSERT_TRUE(changer.Close());
    ASSERT_EQ(LogonEntry(), SysFile(kUpdaterFile));

    ASSERT_TRUE(RunToEnd(*LogonEntry())); // what Windows starts at the next logon
    EXPECT_TRUE(PointsIntoUsageLibrary('C'));
    EXPECT_TRUE(PointsIntoUsageLibrary('E'));
    EXPECT_EQ(DriveOverride('A'), chosen);
}

// The logon task that starts the updater as SYSTEM lives and goes with the logon entry. A start
// registers it once its window shows.
TEST_F(UsageBarsTest, TheLogonTaskComesWithEachStartAndGoesWithRestoreAndRemoval) {
    StartAndSettle();
    EXPECT_TRUE(WaitUntil(LogonTaskExists)) << "a start registers the logon task";
    changer.Click(IDC_CMDRESTORE);
    EXPECT_TRUE(WaitUntil([] { return !LogonTaskExists(); })) << "Restore deletes it";
    ASSERT_TRUE(changer.Close());

    // Two starts, two switch-ons: one task.
    StartAndSettle();
    ASSERT_TRUE(changer.Close());
    StartAndSettle();
    EXPECT_TRUE(WaitUntil(LogonTaskExists));
    EXPECT_EQ(TaskFiles(), 1) << "two switch-ons leave one task";
    ASSERT_TRUE(changer.Close());

    ASSERT_TRUE(RunToEnd(AppFile("\\Purgo.exe")));
    EXPECT_FALSE(LogonTaskExists()) << "the remover deletes it";
}
