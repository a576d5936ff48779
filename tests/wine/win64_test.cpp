// 64-bit Windows (a 64-bit prefix, this test built for x86-64): the x86-64 programs install and
// point the drives where a 64-bit Explorer looks; the 32-bit ones are redirected away from it.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped, the x86-64
// application folder in "Program Files" and the 32-bit one in "Program Files (x86)".
#include "changer_driver.h"
#include "layout.h"

#include <shellapi.h>

#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

const std::string kRedirectedSystem = "C:\\windows\\syswow64";

class SixtyFourBitTest : public ::testing::Test {
  protected:
    void SetUp() override { Clean(); }
    void TearDown() override { Clean(); }

    static void Clean() {
        ResetProductState();
        for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile})
            DeleteFileA((kRedirectedSystem + name).c_str());
        HKEY run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_SET_VALUE | KEY_WOW64_32KEY,
                          &run) == ERROR_SUCCESS) {
            RegDeleteValueA(run, kLogonValueName);
            RegCloseKey(run);
        }
    }

    // Starts an icon changer, lets its updaters finish and closes it.
    static void RunChanger(const std::string& exe) {
        Process changer(exe);
        ASSERT_NE(WaitForWindow(changer.id(), "Zelvo Drives"), nullptr) << exe;
        ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
        PostMessageA(WaitForWindow(changer.id(), "Zelvo Drives"), WM_CLOSE, 0, 0);
        ASSERT_TRUE(changer.WaitForExit(5000));
    }

    // The file and index of a drive's override, split at the last comma.
    static std::pair<std::string, int> OverrideOf(char letter) {
        const std::string location = DriveOverride(letter).value_or("");
        const std::string::size_type comma = location.rfind(',');
        if (comma == std::string::npos)
            return {location, -1};
        return {location.substr(0, comma), std::atoi(location.c_str() + comma + 1)};
    }

    // The logon entry in the 32-bit registry view, where a 32-bit changer writes it.
    static std::optional<std::string> Wow64LogonEntry() {
        HKEY run;
        if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_READ | KEY_WOW64_32KEY, &run) !=
            ERROR_SUCCESS)
            return std::nullopt;
        char data[MAX_PATH] = {};
        DWORD size = sizeof data - 1;
        const bool found = RegQueryValueExA(run, kLogonValueName, nullptr, nullptr,
                                            reinterpret_cast<BYTE*>(data), &size) == ERROR_SUCCESS;
        RegCloseKey(run);
        return found ? std::optional<std::string>(data) : std::nullopt;
    }

    static bool CanExtractIcon(const std::pair<std::string, int>& location) {
        HICON icon = nullptr;
        if (ExtractIconExA(location.first.c_str(), location.second, &icon, nullptr, 1) != 1 ||
            !icon)
            return false;
        DestroyIcon(icon);
        return true;
    }
};

} // namespace

TEST_F(SixtyFourBitTest, TheX64BuildInstallsIntoTheRealSystemFolderAndTheNativeRunKey) {
    RunChanger(AppFile("\\ZelvoDrv.exe"));
    EXPECT_EQ(SysDir(), "C:\\windows\\system32");
    EXPECT_TRUE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_TRUE(FileIsThere(SysFile(kUpdaterFile)));
    EXPECT_FALSE(FileIsThere(kRedirectedSystem + kUsageLibraryFile));
    EXPECT_EQ(LogonEntry(), SysFile(kUpdaterFile));
    for (const char letter : {'C', 'E'}) {
        const auto location = OverrideOf(letter);
        EXPECT_EQ(location.first, SysFile(kUsageLibraryFile)) << letter;
        EXPECT_TRUE(CanExtractIcon(location))
            << letter << ": " << location.first << "," << location.second;
    }
}

// The 32-bit changer would install where a 64-bit Explorer and logon never look, while its
// locations still name System32: it refuses before any step of start-up.
TEST_F(SixtyFourBitTest, The32BitChangerSaysItIsTheWrongBuildAndChangesNothing) {
    if (!Runs32BitPrograms())
        GTEST_SKIP() << "this machine runs no 32-bit program under Wine";
    Process changer("C:\\Program Files (x86)\\Zelvo Drives\\ZelvoDrv.exe");
    const HWND box = WaitForWindow(changer.id(), "ZelvoDrv");
    ASSERT_NE(box, nullptr);
    EXPECT_NE(MessageBoxText(box).find("64-bit programs"), std::string::npos)
        << MessageBoxText(box);
    PressOk(box);
    EXPECT_TRUE(changer.WaitForExit(5000));
    EXPECT_FALSE(HasVisibleWindow(changer.id()));
    for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile})
        EXPECT_FALSE(FileIsThere(kRedirectedSystem + name)) << name;
    EXPECT_FALSE(LogonEntry());
    EXPECT_FALSE(Wow64LogonEntry());
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kDriveIconsSubkey) + "\\C"));
}

// Where a 32-bit changer ran before it refused to: its files in SysWOW64 and its logon entry
// in the 32-bit view would start a 32-bit updater at every logon, pointing at nothing.
TEST_F(SixtyFourBitTest, The64BitRemoverAlsoTakesWhatA32BitChangerLeft) {
    for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile})
        WriteFile(kRedirectedSystem + name, "left by a 32-bit changer");
    HKEY run;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, nullptr, 0,
                              KEY_SET_VALUE | KEY_WOW64_32KEY, nullptr, &run, nullptr),
              ERROR_SUCCESS);
    const std::string updater = SysFile(kUpdaterFile);
    RegSetValueExA(run, kLogonValueName, 0, REG_SZ, reinterpret_cast<const BYTE*>(updater.c_str()),
                   static_cast<DWORD>(updater.size() + 1));
    RegCloseKey(run);
    ASSERT_TRUE(Wow64LogonEntry());

    ASSERT_TRUE(RunToEnd(AppFile("\\Purgo.exe")));
    for (const char* name : {kUsageLibraryFile, kUpdaterFile, kDefaultLibraryFile})
        EXPECT_FALSE(FileIsThere(kRedirectedSystem + name)) << name;
    EXPECT_FALSE(Wow64LogonEntry());
}
