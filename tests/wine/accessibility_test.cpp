// The icon changer for screen readers, the keyboard alone and high contrast, run with a palette
// of high contrast in the registry (ZELVO_COLOURS) before Wine starts. Wine's oleacc keeps no
// Dynamic Annotation (E_NOTIMPL), so the names given that way are tested natively.
#include "accessible_names.h"
#include "changer_driver.h"

#include <oleacc.h>
#include <gtest/gtest.h>

#include <algorithm>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

// Each control with a caption, but those its window's table names, is read in words.
template <typename Table> void ExpectCaptionsReadAsWords(HWND window, const Table& table) {
    for (HWND c = GetWindow(window, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        const int id = GetDlgCtrlID(c);
        const auto named = [id](const AccessibleName& row) { return row.controlId == id; };
        if (ControlText(c).empty() || std::any_of(std::begin(table), std::end(table), named))
            continue;
        IAccessible* object = nullptr;
        BSTR name = nullptr;
        VARIANT self = {}; // CHILDID_SELF: the control itself
        self.vt = VT_I4;
        if (SUCCEEDED(AccessibleObjectFromWindow(c, static_cast<DWORD>(OBJID_CLIENT),
                                                 IID_PPV_ARGS(&object)))) {
            object->get_accName(self, &name);
            object->Release();
        }
        EXPECT_TRUE(name && std::any_of(name, name + SysStringLen(name), iswalnum)) << id;
        SysFreeString(name);
    }
}

class AccessibilityTest : public ::testing::Test {
  protected:
    void SetUp() override {
        CoInitialize(nullptr);
        ResetProductState();
        InstallWitnessUpdater();
        ASSERT_TRUE(changer.Start());
        changer.PostClick(IDC_CMDBROWSE); // Wine's shell has no picker: Change Icon opens
        ASSERT_NE(picker = WaitForWindow(changer.processId(), "Change Icon", 5000), nullptr);
    }
    void TearDown() override {
        changer.Close();
        ResetProductState();
        CoUninitialize();
    }
    ChangerDriver changer;
    HWND picker = nullptr;
};

} // namespace

TEST_F(AccessibilityTest, EveryControlWithACaptionIsReadByItInWords) {
    ExpectCaptionsReadAsWords(picker, kChangeIconNames);
    ExpectCaptionsReadAsWords(changer.window(), kMainWindowNames);
}

TEST_F(AccessibilityTest, F1OpensTheHelpAsTheHelpPictureDoes) {
    PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
    ASSERT_TRUE(WaitUntil([&] { // the key goes to the window in front
        return !IsWindow(picker) && SetForegroundWindow(changer.window()) &&
               GetForegroundWindow() == changer.window();
    }));
    keybd_event(VK_F1, 0, 0, 0);
    keybd_event(VK_F1, 0, KEYEVENTF_KEYUP, 0);
    EXPECT_EQ(HelpViewerTitle(), "Zelvo Drives Help") << "F1 opened no help viewer";
}

// Wine keeps system colours per process, so only those the changer starts with are seen.
TEST_F(AccessibilityTest, TheBandPreviewAndEtchedLineTakeThePalettesColours) {
    ASSERT_EQ(GetSysColor(COLOR_WINDOW), RGB(0, 0, 0)) << "the palette is in place";
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0); // a preview, in a box of its own
    WaitUntil([&] { return !IsWindow(picker); });
    SetWindowPos(changer.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    RedrawWindow(changer.window(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    Settle(500);
    const struct {
        int systemColour;
        POINT at; // the band; the preview beside its icon and under its label; the etched line
    } kPlaces[] = {{COLOR_WINDOW, {4, 4}},
                   {COLOR_WINDOW, {316, 12}},
                   {COLOR_WINDOW, {292, 52}},
                   {COLOR_3DSHADOW, {100, 58}},
                   {COLOR_3DHILIGHT, {100, 59}}};
    for (const auto& place : kPlaces)
        EXPECT_EQ(ScreenColour(changer.window(), place.at), GetSysColor(place.systemColour))
            << place.at.x << "," << place.at.y;
}
