// Restore Defaults and the remover while an updater is in its pass, held there longer than they
// wait for it (as a disk waking from standby holds it): they go on, and wait again for it, and no
// override comes back pointing at the library they delete.
// Run with 26 fixed drives, A to Z, so that a pass lasts long enough to be caught in.
#include "changer_driver.h"
#include "layout.h"
#include "resource.h"
#include "win_system_ops.h"

#include <gtest/gtest.h>
#include <shlwapi.h>

#include <memory>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

const std::string kFirstDrive = std::string(kDriveIconsSubkey) + "\\A";

bool DriveIconsKeyExists() {
    return RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
}

// The real updater, stopped inside its pass as a slow disk would stop it: its thread is
// suspended once the first drive's override is written, while it holds the updaters' lock.
class UpdaterInItsPass {
  public:
    UpdaterInItsPass() {
        for (int attempt = 0; attempt < 5 && !caught_; ++attempt)
            caught_ = TryToCatch();
    }
    ~UpdaterInItsPass() { Resume(); }

    bool caught() const { return caught_; }
    void Resume() {
        if (process_)
            ResumeThread(process_->thread());
    }
    bool WaitForExit() { return process_ && process_->WaitForExit(10000); }

  private:
    bool TryToCatch() {
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
        process_ = std::make_unique<Process>(SysFile(kUpdaterFile));
        while (!RegKeyExists(HKEY_LOCAL_MACHINE, kFirstDrive) && !process_->WaitForExit(0)) {
        }
        SuspendThread(process_->thread());
        if (process_->WaitForExit(0))
            return false;
        // Caught in the pass only if the updaters' lock is held.
        UpdaterLock lock;
        const DWORD wait = lock.Open() ? WaitForSingleObject(lock.get(), 0) : WAIT_FAILED;
        if (wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED)
            ReleaseMutex(lock.get());
        if (wait == WAIT_TIMEOUT)
            return true;
        Resume();
        process_->WaitForExit(10000);
        return false;
    }

    std::unique_ptr<Process> process_;
    bool caught_ = false;
};

// Longer than Restore Defaults and the remover first wait for a pass.
constexpr DWORD kPastTheWaitMs = 8000;

class WhileAnUpdaterWorksTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProductState();
        CopyFileA(AppFile(kUpdaterSource).c_str(), SysFile(kUpdaterFile).c_str(), FALSE);
        CopyFileA(AppFile(kUsageLibrarySource).c_str(), SysFile(kUsageLibraryFile).c_str(), FALSE);
    }
    void TearDown() override { ResetProductState(); }

    // True when the window handles a message within a second, as a responsive window does.
    static bool Answers(HWND window) {
        return SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 1000, nullptr) != 0;
    }

    // Once the wait ran out, the deletions are made while the updater is still held.
    static void ExpectDeletedWhileItIsHeld() {
        EXPECT_TRUE(WaitUntil(
            [] { return !FileIsThere(SysFile(kUsageLibraryFile)) && !DriveIconsKeyExists(); },
            kPastTheWaitMs))
            << "no deletion once the wait ran out";
    }
};

} // namespace

TEST_F(WhileAnUpdaterWorksTest, RestoreGoesOnAfterTheWaitAndNoOverrideComesBack) {
    ChangerDriver changer;
    ASSERT_TRUE(changer.Start());
    ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe")); // the updaters of the changer's start-up
    UpdaterInItsPass updater;
    ASSERT_TRUE(updater.caught()) << "no updater held the lock in its pass";

    changer.PostClick(IDC_CMDRESTORE);
    Settle(1000);
    EXPECT_TRUE(FileIsThere(SysFile(kUsageLibraryFile))) << "Restore did not wait";
    EXPECT_TRUE(Answers(changer.window())) << "the window does not answer while Restore waits";
    ExpectDeletedWhileItIsHeld();
    EXPECT_TRUE(Answers(changer.window())) << "no answer while Restore waits again";
    updater.Resume();
    ASSERT_TRUE(updater.WaitForExit());
    EXPECT_TRUE(WaitUntil([] { return !DriveIconsKeyExists(); }));
    Settle(500);
    EXPECT_FALSE(DriveIconsKeyExists()) << "an override came back after Restore";
    EXPECT_TRUE(changer.Close());
}

// While Restore waits, the window says so and stays usable: the waiting line shows, Apply,
// Browse and Restore are greyed out, Tab moves the focus and F1 opens the help; after the wait the
// line goes and the buttons come back.
TEST_F(WhileAnUpdaterWorksTest, RestoreSaysThatItWaitsAndTheKeyboardStillWorks) {
    ChangerDriver changer;
    ASSERT_TRUE(changer.Start());
    ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
    const HWND line = changer.Item(IDC_WAITING);
    ASSERT_NE(line, nullptr);
    EXPECT_FALSE(IsWindowVisible(line)) << "shown without a wait";
    UpdaterInItsPass updater;
    ASSERT_TRUE(updater.caught()) << "no updater held the lock in its pass";

    changer.PostClick(IDC_CMDRESTORE);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(line); })) << "no waiting line";
    // Its second wait, once the first ran out and the deletions are made, lasts up to a minute.
    ExpectDeletedWhileItIsHeld();
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(line); })) << "no line in the second wait";
    for (const int id : {IDC_CMDCHANGE, IDC_CMDBROWSE, IDC_CMDRESTORE})
        EXPECT_FALSE(IsWindowEnabled(changer.Item(id))) << "not greyed out: " << id;
    ASSERT_TRUE(WaitUntil([&] { // keys go to the window in front
        return SetForegroundWindow(changer.window()) && GetForegroundWindow() == changer.window();
    }));
    const HWND next = GetNextDlgTabItem(changer.window(), changer.Focus(), FALSE);
    keybd_event(VK_TAB, 0, 0, 0);
    keybd_event(VK_TAB, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_TRUE(WaitUntil([&] { return changer.Focus() == next; })) << "Tab moved nothing";
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(HelpViewerTitle(), "Zelvo Drives Help") << "F1 opened no help viewer";

    updater.Resume();
    ASSERT_TRUE(updater.WaitForExit());
    EXPECT_TRUE(WaitUntil([&] {
        return !IsWindowVisible(line) && IsWindowEnabled(changer.Item(IDC_CMDRESTORE)) &&
               !RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
    })) << "still waiting after the updater ended";
    EXPECT_TRUE(IsWindowEnabled(changer.Item(IDC_CMDCHANGE)));
    EXPECT_TRUE(changer.Close());
}

TEST_F(WhileAnUpdaterWorksTest, TheRemoverGoesOnAfterTheWaitAndNoOverrideComesBack) {
    UpdaterInItsPass updater;
    ASSERT_TRUE(updater.caught()) << "no updater held the lock in its pass";

    Process purgo(AppFile("\\Purgo.exe"));
    EXPECT_FALSE(purgo.WaitForExit(1000)) << "the remover did not wait for the updater";
    ExpectDeletedWhileItIsHeld();
    EXPECT_FALSE(purgo.WaitForExit(0)) << "the remover did not wait again for the updater";
    updater.Resume();
    ASSERT_TRUE(updater.WaitForExit());
    EXPECT_TRUE(purgo.WaitForExit(10000));
    EXPECT_FALSE(DriveIconsKeyExists()) << "an override came back after the removal";
    EXPECT_FALSE(FileIsThere(SysFile(kUsageLibraryFile)));
}
