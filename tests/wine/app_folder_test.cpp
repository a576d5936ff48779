// The icon changer started from folders whose names the ANSI code page cannot hold: it installs
// its own files, whatever a look-alike folder holds, and opens its own help.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "changer_driver.h"
#include "layout.h"
#include "resource.h"

#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

// Best-fit look-alikes: an ANSI program would read the first as the second.
const std::wstring kGenuine = L"C:\\\u0141\u00f3d\u017a Tools";
const std::wstring kLookAlike = L"C:\\L\u00f3dz Tools";
// Letters with no ANSI form at all.
const std::wstring kCyrillic =
    L"C:\\\u0418\u043d\u0441\u0442\u0440\u0443\u043c\u0435\u043d\u0442\u044b";
const std::wstring kAppName = L"\\Zelvo Drives";

std::wstring Wide(const std::string& ascii) {
    return std::wstring(ascii.begin(), ascii.end());
}

// A copy of the application folder below `top`, removed again with it.
class FolderCopy {
  public:
    explicit FolderCopy(std::wstring top) : top_(std::move(top)) {
        CreateDirectoryW(top_.c_str(), nullptr);
        CreateDirectoryW(folder().c_str(), nullptr);
        for (const char* name : kShipped)
            CopyFileW(Wide(AppFile(name)).c_str(), (folder() + Wide(name)).c_str(), FALSE);
    }
    ~FolderCopy() {
        for (const char* name : kShipped)
            DeleteFileW((folder() + Wide(name)).c_str());
        RemoveDirectoryW(folder().c_str());
        RemoveDirectoryW(top_.c_str());
    }
    std::wstring folder() const { return top_ + kAppName; }

    static constexpr const char* kShipped[] = {
        "\\ZelvoDrv.exe", kUpdaterSource, kUsageLibrarySource, kDefaultLibrarySource, kHelpFile};

  private:
    std::wstring top_;
};

class ChangerAppFolderTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProductState(); }
    void TearDown() override { ResetProductState(); }

    // Starts the changer from a folder and waits until its window is up and its updaters ended.
    HWND Start(Process& changer) {
        const HWND window = WaitForWindow(changer.id(), "Zelvo Drives");
        WaitUntilNoProcess("ZDrvs.exe");
        return window;
    }
};

} // namespace

TEST_F(ChangerAppFolderTest, InstallsFromItsOwnFolderNotFromABestFitLookAlike) {
    const FolderCopy genuine(kGenuine);
    const FolderCopy lookAlike(kLookAlike);
    // Another user's folder of the look-alike name, with a program of theirs as the updater.
    ASSERT_TRUE(
        CopyFileW(L"C:\\tests\\witness.exe", (lookAlike.folder() + L"\\ZDrvs.dll").c_str(), FALSE));
    Process changer(genuine.folder() + L"\\ZelvoDrv.exe");
    const HWND window = Start(changer);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(ReadFile(SysFile(kUpdaterFile)), ReadFile(AppFile(kUpdaterSource)));
    EXPECT_EQ(WitnessStarts(), 0) << "the look-alike folder's program was started";
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(changer.WaitForExit(5000));
}

TEST_F(ChangerAppFolderTest, FromAFolderOutsideTheCodePageInstallsStartsAndOpensItsHelp) {
    const FolderCopy copy(kCyrillic);
    Process changer(copy.folder() + L"\\ZelvoDrv.exe");
    const HWND window = Start(changer);
    ASSERT_NE(window, nullptr) << "no window: " << WindowText(WaitForWindow(changer.id(), nullptr));
    EXPECT_EQ(ReadFile(SysFile(kUsageLibraryFile)), ReadFile(AppFile(kUsageLibrarySource)));
    EXPECT_EQ(ReadFile(SysFile(kDefaultLibraryFile)), ReadFile(AppFile(kDefaultLibrarySource)));
    EXPECT_EQ(LogonEntry(), SysFile(kUpdaterFile));
    // The updater ran: the fixed drive C points at its usage bar.
    EXPECT_EQ(DriveOverride('C').value_or("").rfind(SysFile(kUsageLibraryFile) + ",", 0), 0U);

    SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_IMAGE2, STN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(window, IDC_IMAGE2)));
    HWND viewer = nullptr;
    for (int i = 0; i < 250 && !viewer; ++i) {
        Settle(40);
        viewer = FindWindowA("HH Parent", nullptr);
    }
    ASSERT_NE(viewer, nullptr) << "the help viewer did not open";
    PostMessageA(viewer, WM_CLOSE, 0, 0);
    PostMessageA(window, WM_CLOSE, 0, 0);
    EXPECT_TRUE(changer.WaitForExit(5000));
}
