// The remover as a user meets it: run from the application folder, it takes the product's
// files, logon entry and drive icon overrides off the machine, unseen, and ends by itself.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "changer_driver.h"
#include "harness.h"
#include "layout.h"
#include "win_system_ops.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

using Listing = std::vector<std::string>;

constexpr const char* kSystemFiles[] = {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile};

// Every entry of a folder as "name size", sorted.
Listing FolderListing(const std::string& folder) {
    Listing entries;
    WIN32_FIND_DATAA found;
    const UniqueFind find(FindFirstFileA((folder + "\\*").c_str(), &found));
    if (!find)
        return entries;
    do {
        entries.push_back(std::string(found.cFileName) + " " + std::to_string(found.nFileSizeLow));
    } while (FindNextFileA(find.get(), &found));
    std::sort(entries.begin(), entries.end());
    return entries;
}

// The system folder's listing without the product's three files.
Listing ForeignSystemFiles() {
    Listing entries = FolderListing(SysDir());
    entries.erase(std::remove_if(entries.begin(), entries.end(),
                                 [](const std::string& entry) {
                                     for (const char* name : kSystemFiles) {
                                         const std::string prefix = std::string(name + 1) + " ";
                                         if (lstrcmpiA(entry.substr(0, prefix.size()).c_str(),
                                                       prefix.c_str()) == 0)
                                             return true;
                                     }
                                     return false;
                                 }),
                  entries.end());
    return entries;
}

std::string Lower(std::string text) {
    CharLowerBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}

// The files Windows deletes at its next restart (PendingFileRenameOperations), lower case.
std::string PendingDeletions() {
    char data[8192] = {};
    DWORD size = sizeof data - 2;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SYSTEM\\CurrentControlSet\\Control\\Session Manager", 0,
                      KEY_READ, key.put()) != ERROR_SUCCESS)
        return {};
    if (RegQueryValueExA(key.get(), "PendingFileRenameOperations", nullptr, nullptr,
                         reinterpret_cast<BYTE*>(data), &size) != ERROR_SUCCESS)
        return {};
    std::string text(data, size);
    std::replace(text.begin(), text.end(), '\0', '|');
    return Lower(text);
}

// The values of the Run key as "name=data", sorted.
Listing RunValues() {
    Listing values;
    UniqueHkey key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_READ, key.put()) != ERROR_SUCCESS)
        return values;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD size = sizeof name;
        if (RegEnumValueA(key.get(), i, name, &size, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        values.push_back(std::string(name) + "=" +
                         ReadRegString(HKEY_LOCAL_MACHINE, kRunSubkey, name).value_or("?"));
    }
    std::sort(values.begin(), values.end());
    return values;
}

bool DriveIconsKeyExists() {
    return RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
}

class RemoverTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProductState(); }
    void TearDown() override { ResetProductState(); }

    // Runs Purgo from the application folder; it must end by itself within a few seconds and
    // never show a window.
    void RunPurgo() {
        Process purgo(AppFile("\\Purgo.exe"));
        ASSERT_TRUE(purgo.started());
        bool seen = false;
        const DWORD start = GetTickCount();
        while (!purgo.WaitForExit(5) && GetTickCount() - start < 5000)
            seen = seen || HasVisibleWindow(purgo.id());
        EXPECT_TRUE(purgo.WaitForExit(0)) << "Purgo did not end by itself";
        EXPECT_FALSE(seen) << "Purgo showed a window";
    }

    static void ExpectRemoved() {
        for (const char* name : kSystemFiles)
            EXPECT_FALSE(FileIsThere(SysFile(name))) << name;
        EXPECT_FALSE(LogonEntry());
        EXPECT_FALSE(DriveIconsKeyExists());
    }

    // Runs Purgo once more and expects nothing to change.
    void ExpectSecondRunChangesNothing() {
        const Listing system = FolderListing(SysDir());
        const Listing run = RunValues();
        RunPurgo();
        EXPECT_EQ(FolderListing(SysDir()), system);
        EXPECT_EQ(RunValues(), run);
        ExpectRemoved();
    }
};

} // namespace

TEST_F(RemoverTest, FromNotInstalledRemovesOverridesOthersSet) {
    SetOverride('C', "C:\\other\\disk.ico,0");
    SetOverride('E', "C:\\other\\disk.ico,2");
    RunPurgo();
    ExpectRemoved();
    ExpectSecondRunChangesNothing();
}

TEST_F(RemoverTest, FromUsageBarsOnAfterTheChangerRan) {
    {
        Process changer(AppFile("\\ZelvoDrv.exe"));
        ASSERT_TRUE(changer.started());
        const HWND window = WaitForWindow(changer.id(), "Zelvo Drives");
        ASSERT_NE(window, nullptr);
        PostMessageA(window, WM_CLOSE, 0, 0);
        ASSERT_TRUE(changer.WaitForExit(5000));
    }
    ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
    ASSERT_TRUE(LogonEntry());
    ASSERT_TRUE(FileIsThere(SysFile(kDefaultLibraryFile)));
    // The changer copies the updater only where the application folder ships it.
    ASSERT_EQ(FileIsThere(SysFile(kUsageLibraryFile)), FileIsThere(AppFile(kUsageLibrarySource)));
    ASSERT_EQ(FileIsThere(SysFile(kUpdaterFile)), FileIsThere(AppFile(kUpdaterSource)));

    RunPurgo();
    ExpectRemoved();
    ExpectSecondRunChangesNothing();
}

TEST_F(RemoverTest, FromDefaultsRestored) {
    WriteFile(SysFile(kDefaultLibraryFile), "default icons");
    RunPurgo();
    ExpectRemoved();
    ExpectSecondRunChangesNothing();
}

TEST_F(RemoverTest, FromRemoved) {
    ASSERT_FALSE(DriveIconsKeyExists());
    ExpectSecondRunChangesNothing();
}

TEST_F(RemoverTest, OtherProgramsLogonEntriesStay) {
    WriteRegString(HKEY_LOCAL_MACHINE, kRunSubkey, "OtherTool", "C:\\other\\tool.exe");
    WriteRegString(HKEY_LOCAL_MACHINE, kRunSubkey, kLogonValueName, SysFile(kUpdaterFile));
    Listing expected = RunValues();
    expected.erase(std::remove(expected.begin(), expected.end(),
                               std::string(kLogonValueName) + "=" + SysFile(kUpdaterFile)),
                   expected.end());
    RunPurgo();
    EXPECT_EQ(RunValues(), expected);
    EXPECT_EQ(ReadRegString(HKEY_LOCAL_MACHINE, kRunSubkey, "OtherTool"), "C:\\other\\tool.exe");
}

TEST_F(RemoverTest, EveryOverrideGoesAlsoForAbsentDrivesAndForeignValues) {
    SetOverride('C', SysFile(kDefaultLibraryFile) + ",0");
    SetOverride('Q', "C:\\other\\q.ico,0");
    const std::string drive = std::string(kDriveIconsSubkey) + "\\D";
    WriteRegString(HKEY_LOCAL_MACHINE, drive, "Label", "Discs");
    WriteRegString(HKEY_LOCAL_MACHINE, drive + "\\DefaultLabel\\Deeper", "", "x");
    WriteRegString(HKEY_LOCAL_MACHINE, kDriveIconsSubkey, "Foreign", "value");
    RunPurgo();
    EXPECT_FALSE(DriveIconsKeyExists());
}

TEST_F(RemoverTest, LeavesTheApplicationFolderAndTheRestOfTheSystemFolder) {
    const Listing app = FolderListing(AppDir());
    ASSERT_FALSE(app.empty());
    const Listing foreign = ForeignSystemFiles();
    for (const char* name : kSystemFiles)
        WriteFile(SysFile(name), "installed");
    RunPurgo();
    ExpectRemoved();
    EXPECT_EQ(FolderListing(AppDir()), app);
    EXPECT_EQ(ForeignSystemFiles(), foreign);
}

// An updater held up in its pass (by a slow disk) holds the updaters' lock past the remover's wait.
TEST_F(RemoverTest, AnUpdaterInItsPassDoesNotStopTheLaterSteps) {
    for (const char* name : kSystemFiles)
        WriteFile(SysFile(name), "installed");
    ASSERT_TRUE(CopyFileA("C:\\tests\\busy.exe", SysFile(kUpdaterFile).c_str(), FALSE));
    WriteRegString(HKEY_LOCAL_MACHINE, kRunSubkey, kLogonValueName, SysFile(kUpdaterFile));
    SetOverride('E', "C:\\other\\disk.ico,0");
    {
        Process updater(SysFile(kUpdaterFile));
        ASSERT_TRUE(updater.started());
        ASSERT_FALSE(DeleteFileA(SysFile(kUpdaterFile).c_str())) << "the file is not locked";
        UpdaterLock inItsPass;
        ASSERT_TRUE(inItsPass.Open());
        ASSERT_EQ(WaitForSingleObject(inItsPass.get(), 0), WAIT_OBJECT_0);
        Process purgo(AppFile("\\Purgo.exe"));
        EXPECT_TRUE(WaitUntil([] { return !FileIsThere(SysFile(kUpdaterFile)); }, 30000));
        ReleaseMutex(inItsPass.get()); // the pass ends; the remover goes on
        ASSERT_TRUE(purgo.WaitForExit(30000));
        // Moved aside, and gone at the next restart of Windows under that name: a copy that an
        // icon changer installs before then keeps the real name.
        EXPECT_FALSE(FileIsThere(SysFile(kUpdaterFile))) << "not moved aside";
        const std::string pending = PendingDeletions();
        const std::string name = Lower(SysFile(kUpdaterFile));
        EXPECT_NE(pending.find(name + "."), std::string::npos) << pending;
        EXPECT_EQ(pending.find(name + "|"), std::string::npos) << pending;
    }
    EXPECT_FALSE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_FALSE(FileIsThere(SysFile(kDefaultLibraryFile)));
    EXPECT_FALSE(LogonEntry());
    EXPECT_FALSE(DriveIconsKeyExists());
}

// An updater that the icon changer started a moment before has neither its window nor the
// updaters' lock yet, but its file is busy. The remover waits for its end (holding the lock, so
// that the updater writes nothing and ends) and then deletes the file, leaving nothing for the
// next restart.
TEST_F(RemoverTest, AnUpdaterStillStartingIsWaitedForAndItsFileGoesNow) {
    ASSERT_TRUE(CopyFileA(AppFile(kUpdaterSource).c_str(), SysFile(kUpdaterFile).c_str(), FALSE));
    ASSERT_TRUE(
        CopyFileA(AppFile(kUsageLibrarySource).c_str(), SysFile(kUsageLibraryFile).c_str(), FALSE));
    const std::string pending = PendingDeletions();
    Process updater(SysFile(kUpdaterFile), CREATE_SUSPENDED);
    ASSERT_TRUE(updater.started());
    Process purgo(AppFile("\\Purgo.exe"));
    EXPECT_FALSE(purgo.WaitForExit(2000)) << "the remover did not wait for the starting updater";
    ResumeThread(updater.thread());
    ASSERT_TRUE(updater.WaitForExit(30000));
    EXPECT_EQ(updater.ExitCode(), 2U)
        << "the exit code of a pass that wrote nothing for want of the lock";
    ASSERT_TRUE(purgo.WaitForExit(30000));
    EXPECT_FALSE(FileIsThere(SysFile(kUpdaterFile)));
    EXPECT_EQ(PendingDeletions(), pending) << "left for the restart";
    EXPECT_FALSE(DriveOverride('C')) << "the updater wrote while the remover held the lock";
}

// A library held open without the right to delete or move it (as a virus scanner may hold it)
// is marked for deletion at the restart under its own name; the next icon changer then lists a
// copy of its own to take the name after the deletion.
TEST_F(RemoverTest, ALibraryThatCannotEvenBeMovedGetsACopyForTheRestartFromTheNextChanger) {
    const std::string library = SysFile(kUsageLibraryFile);
    ASSERT_TRUE(CopyFileA(AppFile(kUsageLibrarySource).c_str(), library.c_str(), FALSE));
    {
        const UniqueFile held(CreateFileA(library.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                          OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(held);
        RunPurgo();
        ASSERT_TRUE(FileIsThere(library)) << "deleted or moved while held";
        ChangerDriver changer;
        ASSERT_TRUE(changer.Start());
        ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
        EXPECT_TRUE(changer.Close());
    }
    const std::string pending = PendingDeletions();
    const std::string::size_type deletion = pending.find("\\??\\" + Lower(library) + "||");
    ASSERT_NE(deletion, std::string::npos) << pending;
    EXPECT_NE(pending.find("|!\\??\\" + Lower(library) + "|", deletion), std::string::npos)
        << "no copy after it: " << pending;
}
