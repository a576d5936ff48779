// The usage-bar updater ZDrvs as Windows runs it, and the usage-bar library it points at.
#include "drives_window.h"
#include "harness.h"
#include "layout.h"
#include "sessions.h"
#include "system_text.h"
#include "usage.h"

#include <gtest/gtest.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <map>
#include <vector>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr char kKeptOverride[] = "C:\\keep\\mine.ico,3";

// The override ZDrvs gives a drive, from the drive's own figures as this test reads them.
std::optional<std::string> ExpectedOverride(char letter) {
    const std::string root = std::string(1, letter) + ":\\";
    ULARGE_INTEGER available, total, free;
    if (!GetDiskFreeSpaceExA(root.c_str(), &available, &total, &free) || total.QuadPart == 0)
        return std::nullopt;
    return UsageIconLocation(SysDir(), UsageIconIndex(UsagePercent(total.QuadPart, free.QuadPart)));
}

bool DriveKeyExists(char letter) {
    return RegKeyExists(HKEY_LOCAL_MACHINE, std::string(kDriveIconsSubkey) + "\\" + letter);
}

struct RunResult {
    bool started = false;
    bool ended = false;
    bool sawVisibleWindow = false;
    DWORD milliseconds = 0;
};

// Installs the updater and its library as the icon changer does and runs it to its end,
// watching its windows.
RunResult RunUpdater(DWORD limit = 10000) {
    CopyFileA(AppFile(kUpdaterSource).c_str(), SysFile(kUpdaterFile).c_str(), FALSE);
    CopyFileA(AppFile(kUsageLibrarySource).c_str(), SysFile(kUsageLibraryFile).c_str(), FALSE);
    RunResult result;
    const DWORD start = GetTickCount();
    Process updater(SysFile(kUpdaterFile));
    result.started = updater.started();
    if (!result.started)
        return result;
    while (!(result.ended = updater.WaitForExit(2))) {
        result.sawVisibleWindow |= HasVisibleWindow(updater.id());
        if (GetTickCount() - start > limit)
            break;
    }
    result.milliseconds = GetTickCount() - start;
    return result;
}

class UpdaterTest : public ::testing::Test {
  protected:
    void SetUp() override { ResetProductState(); }
    void TearDown() override { ResetProductState(); }

    // Runs the updater and checks that each fixed drive points at its usage-bar icon; the
    // figures are read before and after, as the disk may change a little meanwhile.
    void RunAndExpectUsageIcons() {
        const auto before = std::map<char, std::optional<std::string>>{
            {'C', ExpectedOverride('C')}, {'E', ExpectedOverride('E')}};
        const RunResult run = RunUpdater();
        ASSERT_TRUE(run.started);
        EXPECT_TRUE(run.ended) << "ZDrvs did not end by itself";
        EXPECT_LT(run.milliseconds, 5000u);
        EXPECT_FALSE(run.sawVisibleWindow) << "ZDrvs showed a window";
        for (char letter : {'C', 'E'}) {
            ASSERT_TRUE(before.at(letter)) << letter << ": no figures";
            const std::optional<std::string> written = DriveOverride(letter);
            ASSERT_TRUE(written) << letter << ": no override written";
            if (*written != *before.at(letter)) {
                EXPECT_EQ(*written, ExpectedOverride(letter).value_or("")) << letter;
            }
        }
    }
};

} // namespace

// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
TEST_F(UpdaterTest, PointsEachFixedDriveAtItsUsageIconHiddenAndEnds) {
    SetOverride('C', "C:\\old\\drive.ico,5"); // a fixed drive's old override is replaced
    RunAndExpectUsageIcons();
    const std::string prefix = SysDir() + "\\ZelvoPrg.icl,";
    EXPECT_EQ(DriveOverride('C')->rfind(prefix, 0), 0u) << *DriveOverride('C');
}

TEST_F(UpdaterTest, LeavesFloppyCdAndNetworkDrivesAlone) {
    SetOverride('A', kKeptOverride);
    SetOverride('Z', kKeptOverride);
    RunAndExpectUsageIcons();
    EXPECT_EQ(DriveOverride('A').value_or("(none)"), kKeptOverride);
    EXPECT_EQ(DriveOverride('Z').value_or("(none)"), kKeptOverride);
    EXPECT_FALSE(DriveKeyExists('D'));
}

TEST_F(UpdaterTest, WithoutTheUsageLibraryWritesNothing) {
    // A partial install: every fixed drive would show a broken icon.
    SetOverride('C', kKeptOverride);
    CopyFileA(AppFile(kUpdaterSource).c_str(), SysFile(kUpdaterFile).c_str(), FALSE);
    ASSERT_TRUE(RunToEnd(SysFile(kUpdaterFile)));
    EXPECT_EQ(DriveOverride('C').value_or("(none)"), kKeptOverride);
    EXPECT_FALSE(DriveKeyExists('E'));
}

TEST_F(UpdaterTest, ASecondRunWritesTheSameValues) {
    RunAndExpectUsageIcons();
    const auto firstC = DriveOverride('C');
    const auto firstE = DriveOverride('E');
    RunAndExpectUsageIcons();
    EXPECT_EQ(DriveOverride('C'), firstC);
    EXPECT_EQ(DriveOverride('E'), firstE);
}

// The notifier, started as the SYSTEM task's updater starts it in a user's session (as that
// user), only tells Explorer: it writes nothing, also with the library in place.
TEST_F(UpdaterTest, TheNotifierStartedAsTheSessionsUserWritesNothingAndEnds) {
    CopyFileA(AppFile(kUpdaterSource).c_str(), SysFile(kUpdaterFile).c_str(), FALSE);
    CopyFileA(AppFile(kUsageLibrarySource).c_str(), SysFile(kUsageLibraryFile).c_str(), FALSE);
    SetOverride('C', kKeptOverride);
    DWORD session = 0;
    ProcessIdToSessionId(GetCurrentProcessId(), &session);
    const UniqueHandle token = SessionUserToken(session);
    ASSERT_TRUE(token && StartAsUser(token.get(), WidenAnsi(SysFile(kUpdaterFile)), "/notify"));
    EXPECT_TRUE(WaitUntilNoProcess("ZDrvs.exe", 5000)) << "the notifier ends by itself";
    EXPECT_EQ(DriveOverride('C').value_or("(none)"), kKeptOverride);
    EXPECT_FALSE(DriveKeyExists('E'));
}

TEST_F(UpdaterTest, RunsFromTheApplicationFolderUnderItsShippingName) {
    // CreateProcess runs an EXE whatever its extension: the shipped ZDrvs.dll is the program.
    CopyFileA(AppFile(kUsageLibrarySource).c_str(), SysFile(kUsageLibraryFile).c_str(), FALSE);
    Process updater(AppFile(kUpdaterSource));
    ASSERT_TRUE(updater.started());
    EXPECT_TRUE(updater.WaitForExit(10000));
    EXPECT_TRUE(DriveOverride('C'));
    EXPECT_TRUE(DriveOverride('E'));
}

TEST(UpdaterFile, HasItsIconAtEverySizeFrom16To256PixelsAndItsVersion) {
    const UniqueHmodule file(
        LoadLibraryExA(AppFile(kUpdaterSource).c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE));
    ASSERT_TRUE(file);
    const HRSRC group =
        FindResourceA(file.get(), MAKEINTRESOURCEA(1), MAKEINTRESOURCEA(14)); // RT_GROUP_ICON
    ASSERT_NE(group, nullptr);
    const auto* dir = static_cast<const BYTE*>(LockResource(LoadResource(file.get(), group)));
    ASSERT_NE(dir, nullptr);
    const WORD count = *reinterpret_cast<const WORD*>(dir + 4);
    std::vector<int> widths;
    for (WORD i = 0; i < count; ++i)
        widths.push_back(dir[6 + 14 * i]); // GRPICONDIRENTRY: bWidth first, 14 bytes each
    std::sort(widths.begin(), widths.end());
    EXPECT_EQ(widths, (std::vector<int>{0, 16, 20, 24, 32, 40, 48, 64})); // 0 stands for 256

    const std::string path = AppFile(kUpdaterSource);
    std::vector<char> version(GetFileVersionInfoSizeA(path.c_str(), nullptr));
    ASSERT_FALSE(version.empty());
    ASSERT_TRUE(
        GetFileVersionInfoA(path.c_str(), 0, static_cast<DWORD>(version.size()), version.data()));
    char* text = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\InternalName",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "ZDrvs");
    ASSERT_TRUE(VerQueryValueA(version.data(), "\\StringFileInfo\\040904b0\\FileDescription",
                               reinterpret_cast<void**>(&text), &length));
    EXPECT_STREQ(text, "Zelvo Drives usage-bar updater");
}

// The library the updater points at, as the build renders and packs it.
TEST(UsageLibrary, HasFiftyOneIconsAndEachExtracts) {
    const std::string library = AppFile(kUsageLibrarySource);
    ASSERT_TRUE(FileIsThere(library)) << library;
    EXPECT_EQ(ExtractIconExA(library.c_str(), -1, nullptr, nullptr, 0),
              static_cast<UINT>(kUsageIconCount));
    for (int i = 0; i < kUsageIconCount; ++i) {
        UniqueHicon large;
        EXPECT_EQ(ExtractIconExA(library.c_str(), i, large.put(), nullptr, 1), 1u) << i;
        EXPECT_TRUE(large) << i;
    }
}

namespace {

// The 32-pixel image of a library icon, drawn over magenta, as 0x00RRGGBB pixels.
std::vector<std::uint32_t> IconPixels(const std::string& library, int index) {
    constexpr int kSize = 32;
    UniqueHicon icon;
    ExtractIconExA(library.c_str(), index, icon.put(), nullptr, 1);
    if (!icon)
        return {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = kSize;
    info.bmiHeader.biHeight = -kSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    const UniqueHdc dc(CreateCompatibleDC(nullptr));
    const UniqueHbitmap dib(CreateDIBSection(dc.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const HGDIOBJ old = SelectObject(dc.get(), dib.get());
    auto* pixels = static_cast<std::uint32_t*>(bits);
    for (int i = 0; i < kSize * kSize; ++i)
        pixels[i] = 0x00FF00FF;
    DrawIconEx(dc.get(), 0, 0, icon.get(), kSize, kSize, 0, nullptr, DI_NORMAL);
    GdiFlush();
    std::vector<std::uint32_t> result(pixels, pixels + kSize * kSize);
    for (std::uint32_t& p : result)
        p &= 0x00FFFFFF;
    SelectObject(dc.get(), old); // the bitmap goes before the DC, and only once deselected
    return result;
}

// The bar's unfilled part is the track colour of data/art/usage.svg, #E6EBF0.
bool IsTrack(std::uint32_t p) {
    const int r = (p >> 16) & 0xFF, g = (p >> 8) & 0xFF, b = p & 0xFF;
    return std::abs(r - 0xE6) <= 2 && std::abs(g - 0xEB) <= 2 && std::abs(b - 0xF0) <= 2;
}

} // namespace

TEST(UsageLibrary, TheFilledShareOfTheBarGrowsWithTheIndex) {
    const std::string library = AppFile(kUsageLibrarySource);
    // The bar is where the empty icon shows the track and the full one does not (the drive
    // above it has a few pixels of that light grey too); a level fills a share of it.
    const std::vector<std::uint32_t> empty = IconPixels(library, 0);
    const std::vector<std::uint32_t> full = IconPixels(library, kUsageIconCount - 1);
    ASSERT_FALSE(empty.empty());
    ASSERT_EQ(full.size(), empty.size());
    std::vector<std::size_t> bar;
    for (std::size_t i = 0; i < empty.size(); ++i)
        if (IsTrack(empty[i]) && !IsTrack(full[i]))
            bar.push_back(i);
    ASSERT_GE(bar.size(), 50u) << "the empty bar has room for 50 steps";
    double previous = -1;
    for (int level = 0; level < kUsageIconCount; ++level) {
        const std::vector<std::uint32_t> pixels = IconPixels(library, level);
        ASSERT_EQ(pixels.size(), empty.size()) << level;
        std::size_t filled = 0;
        for (std::size_t i : bar)
            filled += !IsTrack(pixels[i]);
        const double share = static_cast<double>(filled) / bar.size();
        EXPECT_GT(share, previous) << "level " << level;
        EXPECT_NEAR(share, level / 50.0, 0.02) << "level " << level;
        previous = share;
    }
}

// Run with no fixed drive: C is a network drive, D a CD drive.
TEST(UpdaterWithoutFixedDrives, WritesNothingAndEnds) {
    ResetProductState();
    const RunResult run = RunUpdater();
    ASSERT_TRUE(run.started);
    EXPECT_TRUE(run.ended);
    EXPECT_FALSE(run.sawVisibleWindow);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIconsSubkey));
    ResetProductState();
}

// The updater's window, created in this process as ZDrvs creates it (before its Load).
TEST(UpdaterWindow, IsCreatedHiddenWithItsTitleStylesAndSize) {
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    ASSERT_TRUE(DrivesWindow::Register(instance));
    DrivesWindow window;
    ASSERT_TRUE(window.Create(instance));
    const HWND hwnd = window.hwnd();
    EXPECT_FALSE(IsWindowVisible(hwnd));
    EXPECT_EQ(WindowText(hwnd), "Zelvo /drives");
    char className[64] = {};
    GetClassNameA(hwnd, className, sizeof className);
    EXPECT_STREQ(className, "ZelvoDrivesUpdater");
    const LONG style = GetWindowLongA(hwnd, GWL_STYLE);
    EXPECT_TRUE(style & WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & WS_THICKFRAME);
    EXPECT_FALSE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_TRUE(GetWindowLongA(hwnd, GWL_EXSTYLE) & WS_EX_TOOLWINDOW);
    RECT client;
    GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, 74); // 1110 x 600 twips at 96 dpi
    EXPECT_EQ(client.bottom, 40);
    RECT outer;
    GetWindowRect(hwnd, &outer);
    RECT work;
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    EXPECT_LE(std::abs((outer.left + outer.right) - (work.left + work.right)), 1);
    EXPECT_LE(std::abs((outer.top + outer.bottom) - (work.top + work.bottom)), 1);
    DestroyWindow(hwnd);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE))
        << "closing ends the program";
}
