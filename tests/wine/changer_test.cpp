// The icon changer as a user meets it: its window, start-up and closing.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "harness.h"
#include "layout.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <memory>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr char kTitle[] = "Zelvo Drives";

// Starts ZelvoDrv from the application folder on a machine where the product is not installed,
// with the stand-in updater in the system folder unless a test says otherwise.
class ChangerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProductState();
        InstallWitnessUpdater();
    }
    void TearDown() override {
        if (changer && window)
            PostMessageA(window, WM_CLOSE, 0, 0);
        if (changer)
            changer->WaitForExit(5000);
        ResetProductState();
    }

    void Start() {
        changer = std::make_unique<Process>(AppFile("\\ZelvoDrv.exe"));
        ASSERT_TRUE(changer->started());
        window = WaitForWindow(changer->id(), kTitle);
        ASSERT_NE(window, nullptr) << "no window titled " << kTitle;
    }
    HWND Item(int id) const { return GetDlgItem(window, id); }
    std::string ComboEntry(int index) const {
        char text[16] = {};
        SendMessageA(Item(IDC_CBODRIVES), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text));
        return text;
    }
    void ChooseDrive(int index) {
        SendMessageA(Item(IDC_CBODRIVES), CB_SETCURSEL, index, 0);
        SendMessageA(window, WM_COMMAND, MAKEWPARAM(IDC_CBODRIVES, CBN_SELCHANGE),
                     reinterpret_cast<LPARAM>(Item(IDC_CBODRIVES)));
    }

    std::unique_ptr<Process> changer;
    HWND window = nullptr;
};

struct ExpectedControl {
    int id;
    const char* caption;
    RECT pixels; // left, top, right, bottom at 96 dpi
};

} // namespace

TEST_F(ChangerTest, WindowHasItsTitleClientSizeAndControls) {
    Start();
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 327);
    EXPECT_EQ(client.bottom, 205);
    const LONG style = GetWindowLongA(window, GWL_STYLE);
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
        const HWND control = Item(expected.id);
        ASSERT_NE(control, nullptr) << expected.id;
        EXPECT_TRUE(IsWindowVisible(control)) << expected.id;
        EXPECT_EQ(WindowText(control), expected.caption) << expected.id;
        const RECT r = ChildRect(control);
        EXPECT_EQ(r.left, expected.pixels.left) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.top, expected.pixels.top) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.right, expected.pixels.right) << expected.caption << " " << expected.id;
        EXPECT_EQ(r.bottom, expected.pixels.bottom) << expected.caption << " " << expected.id;
    }
    const RECT combo = ChildRect(Item(IDC_CBODRIVES));
    EXPECT_EQ(combo.left, 16);
    EXPECT_EQ(combo.top, 136);
    EXPECT_EQ(combo.right, 73);
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(Item(IDC_PICTURE2), IDC_LBLPREVIEW)));
    GUITHREADINFO gui = {};
    gui.cbSize = sizeof gui;
    GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &gui);
    EXPECT_EQ(gui.hwndFocus, Item(IDC_TXTDUMMY)) << "the hidden text box holds the focus";
}

TEST_F(ChangerTest, OffersEveryDriveLetterWithTheLowestSelected) {
    Start();
    const HWND combo = Item(IDC_CBODRIVES);
    ASSERT_EQ(SendMessageA(combo, CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(ComboEntry(0), "A");
    EXPECT_EQ(ComboEntry(1), "C");
    EXPECT_EQ(ComboEntry(2), "D");
    EXPECT_EQ(ComboEntry(3), "E");
    EXPECT_EQ(ComboEntry(4), "Z");
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(WindowText(combo), "A");
}

TEST_F(ChangerTest, ThePickedDriveIsTheOneApplyWritesTo) {
    Start();
    ChooseDrive(2);
    SetWindowTextA(Item(IDC_TXTICONPATH), "C:\\icons\\disc.ico,3");
    SendMessageA(Item(IDC_CMDCHANGE), BM_CLICK, 0, 0);
    EXPECT_EQ(DriveOverride('D'), "C:\\icons\\disc.ico,3");
    EXPECT_FALSE(DriveOverride('A'));
}

TEST_F(ChangerTest, ToolTipsNameTheSelectedDrive) {
    Start();
    ChooseDrive(2);
    SetForegroundWindow(window);
    const auto tipOver = [&](int id) -> std::string {
        RECT r;
        GetWindowRect(Item(id), &r);
        SetCursorPos(r.left + 5, r.top + 5);
        Settle(100);
        SetCursorPos(r.left + 8, r.top + 6);
        std::string text;
        for (int i = 0; i < 50 && text.empty(); ++i) {
            Settle(50);
            const HWND tip = FindWindowA(TOOLTIPS_CLASSA, nullptr);
            if (tip && IsWindowVisible(tip))
                text = WindowText(tip);
        }
        SetCursorPos(0, 0);
        Settle(300);
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
    Settle(300);
    // One start from switching the usage bars on, one from the last start-up step.
    EXPECT_EQ(WitnessStarts(), 2);
}

TEST_F(ChangerTest, CloseEndsTheProgram) {
    Start();
    PostMessageA(Item(IDC_CMDCLOSE), BM_CLICK, 0, 0);
    EXPECT_TRUE(changer->WaitForExit(5000));
}

TEST_F(ChangerTest, AFailedLibraryCopyIsReportedAndEndsTheProgram) {
    const std::string source = AppFile(kDefaultLibrarySource);
    ASSERT_TRUE(MoveFileA(source.c_str(), (source + ".away").c_str()));
    changer = std::make_unique<Process>(AppFile("\\ZelvoDrv.exe"));
    const HWND box = WaitForWindow(changer->id(), "ZelvoDrv");
    ASSERT_NE(box, nullptr);
    const std::string text = MessageBoxText(box);
    EXPECT_NE(text.find(SysFile(kDefaultLibraryFile)), std::string::npos) << text;
    EXPECT_NE(text.find("administrator"), std::string::npos) << text;
    PressOk(box);
    EXPECT_TRUE(changer->WaitForExit(5000));
    EXPECT_FALSE(HasVisibleWindow(changer->id()));
    MoveFileA((source + ".away").c_str(), source.c_str());
}
