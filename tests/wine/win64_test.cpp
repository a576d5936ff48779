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

// Why the x86-64 build exists: the 32-bit programs' files and logon entry land where a 64-bit
// Explorer and logon do not look, while the locations they write still name System32.
TEST_F(SixtyFourBitTest, The32BitBuildIsRedirectedAwayFromA64BitExplorer) {
    RunChanger("C:\\Program Files (x86)\\Zelvo Drives\\ZelvoDrv.exe");
    EXPECT_TRUE(FileIsThere(kRedirectedSystem + kUsageLibraryFile));
    EXPECT_FALSE(FileIsThere(SysFile(kUsageLibraryFile)));
    EXPECT_FALSE(LogonEntry()) << "not in the native Run key";
    HKEY run;
    ASSERT_EQ(RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunSubkey, 0, KEY_READ | KEY_WOW64_32KEY, &run),
              ERROR_SUCCESS);
    EXPECT_EQ(RegQueryValueExA(run, kLogonValueName, nullptr, nullptr, nullptr, nullptr),
              ERROR_SUCCESS);
    RegCloseKey(run);
    const auto location = OverrideOf('C');
    EXPECT_EQ(location.first, SysFile(kUsageLibraryFile));
    EXPECT_FALSE(CanExtractIcon(location));
}
