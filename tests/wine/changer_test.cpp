// The icon changer as a user meets it: its window, start-up, applying, restoring and closing.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "changer_driver.h"
#include "layout.h"
#include "resource.h"

#include <commctrl.h>
#include <shlwapi.h>
#include <gtest/gtest.h>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

// A machine where the product is not installed, with the stand-in updater in the system
// folder, so that no real update pass rewrites the fixed drives meanwhile.
class ChangerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProductState();
        InstallWitnessUpdater();
    }
    void TearDown() override {
        changer.Close();
        ResetProductState();
    }
    void Start() { ASSERT_TRUE(changer.Start()) << "no window titled Zelvo Drives"; }

    ChangerDriver changer;
};

struct ExpectedControl {
    int id;
    const char* caption;
    RECT pixels; // left, top, right, bottom at 96 dpi
};

const std::string kDriveIcons = kDriveIconsSubkey;

} // namespace

TEST_F(ChangerTest, WindowHasItsTitleClientSizeAndControls) {
    Start();
    RECT client;
    GetClientRect(changer.window(), &client);
    EXPECT_EQ(client.right, 327);
    EXPECT_EQ(client.bottom, 205);
    const LONG style = GetWindowLongA(changer.window(), GWL_STYLE);
    EXPECT_TRUE(style & WS_MINIMIZEBOX);
    EXPECT_FALSE(style & WS_MAXIMIZEBOX);
    EXPECT_FALSE(style & WS_THICKFRAME);

    const ExpectedControl controls[] = {
        {IDC_LABEL1, "Select a Drive and Browse for a new icon", {40, 80, 253, 93}},
        {IDC_TXTICONPATH, "", {16, 104, 280, 123}},
        {IDC_CMDBROWSE, "....", {288, 104, 313, 123}},
        {IDC_CMDRESTORE, "&Restore Defaults", {7, 176, 104, 199}},
        {IDC_CMDCHANGE, "&Apply Icon", {115, 176, 212, 199}},
        {IDC_CMDCLOSE, "&Close", {223, 176, 320, 199}},
        {IDC_PICTURE2, "", {272, 8, 320, 56}},
        {IDC_IMAGE1, "", {16, 3, 64, 51}},
        {IDC_IMAGE3, "", {72, 5, 272, 55}},
        {IDC_IMAGE2, "", {288, 72, 312, 96}},
    };
    for (const ExpectedControl& expected : controls) {
        const HWND control = changer.Item(expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        EXPECT_TRUE(IsWindowVisible(control)) << expected.id;
        EXPECT_EQ(ControlText(control), expected.caption) << expected.id;
        const RECT r = ChildRect(control);
        EXPECT_EQ(r.left, expected.pixels.left) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.top, expected.pixels.top) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.right, expected.pixels.right) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.bottom, expected.pixels.bottom) << expected.caption << " " << expected.id;
    }
    const RECT combo = ChildRect(changer.Item(IDC_CBODRIVES));
    EXPECT_EQ(combo.left, 16);
    EXPECT_EQ(combo.top, 136);
    EXPECT_EQ(combo.right, 73);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(changer.Item(IDC_PICTURE2), IDC_LBLPREVIEW)));
    EXPECT_EQ(changer.Focus(), changer.Item(IDC_TXTDUMMY)) << "the hidden text box holds the focus";
}

TEST_F(ChangerTest, OffersEveryDriveLetterWithTheLowestSelected) {
    Start();
    const HWND combo = changer.Item(IDC_CBODRIVES);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(changer.ComboEntry(0), "A");
    EXPECT_EQ(changer.ComboEntry(1), "C");
    EXPECT_EQ(changer.ComboEntry(2), "D");
    EXPECT_EQ(changer.ComboEntry(3), "E");
    EXPECT_EQ(changer.ComboEntry(4), "Z");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(ControlText(combo), "A");
}

TEST_F(ChangerTest, ToolTipsNameTheSelectedDrive) {
    Start();
    changer.ChooseDrive("D");
    SetForegroundWindow(changer.window());
    const auto tipOver = [&](int id) -> std::string {
        RECT r;
        GetWindowRect(changer.Item(id), &r);
        SetCursorPos(r.left + 5, r.top + 5);
        Settle(100);
        SetCursorPos(r.left + 8, r.top + 6);
        std::string text;
        WaitUntil(
            [&] {
                const HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
                if (tip && IsWindowVisible(tip))
                    text = ControlText(tip);
                return !text.empty();
            },
            2500);
        SetCursorPos(0, 0);
        WaitUntil([] {
            const HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
            return !tip || !IsWindowVisible(tip);
        });
        return text;
    };
    EXPECT_EQ(tipOver(IDC_CMDCHANGE), "Apply new icon for Drive D");
    EXPECT_EQ(tipOver(IDC_CMDBROWSE), "Select a new icon for Drive D");
    EXPECT_EQ(tipOver(IDC_CMDRESTORE), "Restore all default drive icons");
}

TEST_F(ChangerTest, CopiesTheDefaultLibraryWhenMissing) {
    Start();
    EXPECT_EQ(ReadFile(SysFile(kDefaultLibraryFile)), ReadFile(AppFile(kDefaultLibrarySource)));
}

TEST_F(ChangerTest, AnInstalledDefaultLibraryIsNeverReplaced) {
    WriteFile(SysFile(kDefaultLibraryFile), "older copy");
    Start();
    EXPECT_EQ(ReadFile(SysFile(kDefaultLibraryFile)), "older copy");
}

TEST_F(ChangerTest, StartsTheInstalledUpdaterOnceMoreAfterSwitchingOn) {
    Start();
    ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
    WaitUntil([] { return WitnessStarts() >= 2; });
    ASSERT_TRUE(WaitUntilNoProcess("ZDrvs.exe"));
    // One start from switching the usage bars on, one from the last start-up step.
    EXPECT_EQ(WitnessStarts(), 2);
}

TEST_F(ChangerTest, CloseEndsTheProgram) {
    Start();
    changer.Click(IDC_CMDCLOSE);
    EXPECT_TRUE(changer.process().WaitForExit(5000));
}

TEST_F(ChangerTest, AFailedLibraryCopyIsReportedAndEndsTheProgram) {
    const std::string source = AppFile(kDefaultLibrarySource);
    const MovedAway library(source);
    ASSERT_TRUE(library.moved());
    Process process(AppFile("\\ZelvoDrv.exe"));
    const HWND box = WaitForWindow(process.id(), "ZelvoDrv");
    ASSERT_NE(box, nullptr);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(text.find(SysFile(kDefaultLibraryFile)), std::string::npos) << text;
    EXPECT_NE(text.find("could not be installed"), std::string::npos) << text;
    PressOk(box);
    EXPECT_TRUE(process.WaitForExit(5000));
    EXPECT_FALSE(HasVisibleWindow(process.id()));
}

TEST_F(ChangerTest, ApplyWithoutALocationAsksForAnIconAndWritesNothing) {
    Start();
    changer.PostClick(IDC_CMDCHANGE);
    const HWND box = WaitForWindow(changer.processId(), "Nothing Selected");
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(MessageBoxText(box), "Please select an icon     ");
    EXPECT_NE(GetDlgItem(box, 1088), nullptr) << "the information icon";
    PressOk(box);
    WaitUntil([&] { return !IsWindow(box); });
    WaitUntil([&] { return changer.Focus() == changer.Item(IDC_CMDBROWSE); });
    EXPECT_EQ(changer.Focus(), changer.Item(IDC_CMDBROWSE));
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIcons));
}

TEST_F(ChangerTest, ApplyStoresTheLocationAsTheChosenDrivesOverride) {
    Start();
    changer.ChooseDrive("E");
    changer.TypeLocation("C:\\Icons\\set.icl,3");
    changer.Apply(); // a fixed drive: its usage bar will take the place
    EXPECT_EQ(DriveOverride('E'), "C:\\Icons\\set.icl,3");
    EXPECT_FALSE(DriveOverride('A'));

    // A second apply replaces the first; a location naming no file is stored as typed.
    changer.TypeLocation("no such file, at all");
    changer.Apply();
    EXPECT_EQ(DriveOverride('E'), "no such file, at all");
}

TEST_F(ChangerTest, AnApplyThatCannotBeStoredSaysSoAndStoresNothing) {
    // Below a volatile key no lasting key can be created.
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kDriveIconsSubkey);
    UniqueHkey icons;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, kDriveIconsSubkey, 0, nullptr,
                              REG_OPTION_VOLATILE, KEY_ALL_ACCESS, nullptr, icons.put(), nullptr),
              ERROR_SUCCESS);
    icons.reset();
    Start();
    changer.ChooseDrive("E");
    changer.TypeLocation("C:\\Icons\\set.icl,3");
    changer.PostClick(IDC_CMDCHANGE);
    const HWND box = WaitForWindow(changer.processId(), "ZelvoDrv");
    ASSERT_NE(box, nullptr) << "a failed write was reported as success";
    const std::string text = MessageBoxText(box);
    EXPECT_NE(text.find("drive E"), std::string::npos) << text;
    EXPECT_GT(text.size(), text.find("\n\n") + 2) << "the system's reason follows: " << text;
    PressOk(box);
    EXPECT_FALSE(DriveOverride('E'));
}

TEST_F(ChangerTest, RestoreRemovesEveryOverride) {
    SetOverride('Q', "C:\\q.ico,0");
    SetOverride('D', "other software");
    WriteRegString(HKEY_LOCAL_MACHINE, kDriveIcons + "\\D", "Label", "kept by nobody");
    Start();
    changer.ChooseDrive("Z");
    changer.TypeLocation("C:\\Icons\\net.ico,0");
    EXPECT_NE(changer.Apply().text, "") << "the icon file is missing";
    ASSERT_TRUE(DriveOverride('Z'));

    changer.Click(IDC_CMDRESTORE);
    EXPECT_TRUE(WaitUntil([] { return !RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIcons); }));
    EXPECT_EQ(WaitForWindow(changer.processId(), "ZelvoDrv", 300), nullptr);
}

TEST_F(ChangerTest, RestoreWithoutOverridesShowsNothingAndLeavesNoKey) {
    Start();
    changer.Click(IDC_CMDRESTORE);
    changer.Click(IDC_CMDRESTORE);
    EXPECT_FALSE(RegKeyExists(HKEY_LOCAL_MACHINE, kDriveIcons));
    EXPECT_EQ(WaitForWindow(changer.processId(), "ZelvoDrv", 300), nullptr);
    EXPECT_EQ(WaitForWindow(changer.processId(), "Nothing Selected", 100), nullptr);
}

TEST_F(ChangerTest, TheHelpImageShowsAHandAndOpensTheHelpFile) {
    Start();
    SetForegroundWindow(changer.window());
    const auto cursorOver = [&](int id) {
        RECT r;
        GetWindowRect(changer.Item(id), &r);
        SetCursorPos(r.left + 4, r.top + 4);
        Settle(100);
        SetCursorPos(r.left + 6, r.top + 6);
        Settle(200);
        CURSORINFO info = {};
        info.cbSize = sizeof info;
        GetCursorInfo(&info);
        return info.hCursor;
    };
    const HCURSOR overPrompt = cursorOver(IDC_LABEL1);
    EXPECT_NE(cursorOver(IDC_IMAGE2), overPrompt) << "the pointing hand over the help image";
    SetCursorPos(0, 0);

    SendMessageA(changer.window(), WM_COMMAND, MAKEWPARAM(IDC_IMAGE2, STN_CLICKED),
                 reinterpret_cast<LPARAM>(changer.Item(IDC_IMAGE2)));
    EXPECT_EQ(HelpViewerTitle(), "Zelvo Drives Help") << "the help viewer did not open";
}
