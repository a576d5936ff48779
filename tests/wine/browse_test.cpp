// Choosing an icon with "....": the "Change Icon" dialog that stands in for the shell's picker
// (a stub under Wine), the location it leaves in the text box and the preview.
// Run with drives A (floppy), C (fixed), D (CD), E (fixed) and Z (network) mapped.
#include "changer_driver.h"
#include "layout.h"
#include "resource.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr char kPickerTitle[] = "Change Icon";
constexpr int kBoxSize = 48;

using Pixels = std::vector<DWORD>;

class BrowseTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ResetProductState();
        InstallWitnessUpdater();
        ASSERT_TRUE(changer.Start()) << "no window titled Zelvo Drives";
        // Above and away from other windows on the display, so that the screen shows the box.
        SetWindowPos(changer.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        SetForegroundWindow(changer.window());
        Settle();
    }
    void TearDown() override {
        if (picker)
            PostMessageA(picker, WM_COMMAND, IDCANCEL, 0);
        changer.Close();
        ResetProductState();
    }

    // Clicks "...." and waits for the dialog.
    void OpenPicker() {
        changer.PostClick(IDC_CMDBROWSE);
        picker = WaitForWindow(changer.processId(), kPickerTitle, 5000);
        ASSERT_NE(picker, nullptr) << "no dialog titled " << kPickerTitle;
    }
    void ClickInPicker(int id) { ClickAndWait(GetDlgItem(picker, id)); }
    // Presses a dialog button that closes the dialog, and waits until it is gone and the
    // changer has taken the result.
    void Press(int id) {
        ClickInPicker(id);
        WaitUntil([&] { return !IsWindow(picker); });
        EXPECT_FALSE(IsWindow(picker));
        picker = nullptr;
        Sync(changer.window());
    }
    // Types a path into the dialog and presses OK, which loads a path not yet shown.
    void ShowInPicker(const std::string& file) {
        const HWND path = GetDlgItem(picker, IDC_PICK_FILE);
        SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
        ClickInPicker(IDOK);
        ASSERT_TRUE(IsWindow(picker)) << "OK loads a path not yet shown, it does not confirm";
    }
    void ExpectNoIconsShown() const {
        EXPECT_EQ(SendMessageA(Icons(), LVM_GETITEMCOUNT, 0, 0), 0);
        EXPECT_TRUE(IsWindowVisible(GetDlgItem(picker, IDC_PICK_NOICONS)));
        EXPECT_EQ(ControlText(GetDlgItem(picker, IDC_PICK_NOICONS)),
                  "This file contains no icons.");
        EXPECT_FALSE(IsWindowEnabled(GetDlgItem(picker, IDOK)));
    }
    HWND Icons() const { return GetDlgItem(picker, IDC_PICK_ICONS); }
    int SelectedIcon() const {
        return static_cast<int>(
            SendMessageA(Icons(), LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_SELECTED));
    }
    // Presses keys as a user would (posted, through the dialog's keyboard handling).
    void PressKey(HWND control, WPARAM key, int times = 1) {
        for (int i = 0; i < times; ++i) {
            PostMessageA(control, WM_KEYDOWN, key, 1);
            PostMessageA(control, WM_KEYUP, key, 0xC0000001);
        }
    }
    // Moves the selection to the right with the keyboard and waits until it got there.
    void MoveSelection(int times) {
        const int target = SelectedIcon() + times;
        PressKey(Icons(), VK_RIGHT, times);
        WaitUntil([&] { return SelectedIcon() == target; });
    }
    void ChooseIcon(int index) {
        OpenPicker();
        MoveSelection(index);
        ASSERT_EQ(SelectedIcon(), index);
        Press(IDOK);
    }
    std::string Location() const { return ControlText(changer.Item(IDC_TXTICONPATH)); }
    bool LabelShown() const {
        return IsWindowVisible(GetDlgItem(changer.Item(IDC_PICTURE2), IDC_LBLPREVIEW));
    }
    // The preview box as the screen shows it (another process's window DC cannot be read).
    Pixels Preview() const {
        const HWND box = changer.Item(IDC_PICTURE2);
        RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle();
        RECT r;
        GetWindowRect(box, &r);
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = kBoxSize;
        info.bmiHeader.biHeight = -kBoxSize; // top-down rows
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        info.bmiHeader.biCompression = BI_RGB;
        const HDC screen = GetDC(nullptr);
        const UniqueHdc copy(CreateCompatibleDC(screen));
        void* bits = nullptr;
        const UniqueHbitmap bitmap(
            CreateDIBSection(copy.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
        const HGDIOBJ old = SelectObject(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, kBoxSize, kBoxSize, screen, r.left, r.top, SRCCOPY);
        ReleaseDC(nullptr, screen);
        GdiFlush();
        Pixels pixels(static_cast<const DWORD*>(bits),
                      static_cast<const DWORD*>(bits) + kBoxSize * kBoxSize);
        for (DWORD& pixel : pixels)
            pixel &= 0xFFFFFF;
        SelectObject(copy.get(), old); // the bitmap goes before the DC, and only once deselected
        return pixels;
    }
    static bool AllWhite(const Pixels& pixels) {
        return std::all_of(pixels.begin(), pixels.end(), [](DWORD c) { return c == 0xFFFFFF; });
    }

    ChangerDriver changer;
    HWND picker = nullptr;
    const std::string library = SysFile(kDefaultLibraryFile);
};

} // namespace

TEST_F(BrowseTest, ChoosingIcon2OfTheDefaultLibraryFillsTheLocationAndDrawsItsPreview) {
    const Pixels placeholder = Preview();
    EXPECT_FALSE(AllWhite(placeholder)) << "the placeholder picture shows before a choice";
    OpenPicker();
    EXPECT_EQ(ControlText(GetDlgItem(picker, IDC_PICK_FILE)), library);
    EXPECT_GE(SendMessageA(Icons(), LVM_GETITEMCOUNT, 0, 0), 8);
    EXPECT_EQ(SelectedIcon(), 0);
    EXPECT_TRUE(IsWindowEnabled(GetDlgItem(picker, IDOK)));
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(picker, IDC_PICK_NOICONS)));
    MoveSelection(2);
    ASSERT_EQ(SelectedIcon(), 2);
    Press(IDOK);

    EXPECT_EQ(Location(), library + ",2");
    const Pixels preview = Preview();
    EXPECT_FALSE(AllWhite(preview)) << "an icon is drawn";
    EXPECT_NE(preview, placeholder) << "the placeholder is gone";
    EXPECT_TRUE(LabelShown());
}

TEST_F(BrowseTest, ConfirmingThePreselectedIconGivesIcon0) {
    ChooseIcon(0);
    EXPECT_EQ(Location(), library + ",0");
    EXPECT_TRUE(LabelShown());
}

TEST_F(BrowseTest, DifferentIconsGiveDifferentPreviews) {
    ChooseIcon(2);
    const Pixels second = Preview();
    ChooseIcon(3);
    EXPECT_EQ(Location(), library + ",3");
    EXPECT_NE(Preview(), second) << "nothing of the earlier preview remains";
}

TEST_F(BrowseTest, CancellingAfterAChoiceKeepsTheLocationAndThePreview) {
    ChooseIcon(2);
    const Pixels chosen = Preview();
    OpenPicker();
    EXPECT_EQ(ControlText(GetDlgItem(picker, IDC_PICK_FILE)), library)
        << "the dialog opens on the default library whatever the text box holds";
    EXPECT_EQ(SelectedIcon(), 0);
    MoveSelection(3);
    Press(IDCANCEL);
    EXPECT_EQ(Location(), library + ",2");
    EXPECT_EQ(Preview(), chosen);
}

TEST_F(BrowseTest, AHandTypedLocationIsNotPreviewedButApplyStoresIt) {
    ChooseIcon(2);
    const Pixels chosen = Preview();
    const std::string typed = library + ",6";
    changer.TypeLocation(typed);
    Sync(changer.window());
    EXPECT_EQ(Preview(), chosen);
    changer.ChooseDrive("E");
    changer.Apply();
    EXPECT_EQ(DriveOverride('E'), typed);
}

TEST_F(BrowseTest, APathWithACommaAndBlankIsKeptWholeAndPreviewed) {
    const std::string folder = "C:\\tests\\A, B";
    const std::string file = folder + "\\icons.icl";
    CreateDirectoryA(folder.c_str(), nullptr);
    ASSERT_TRUE(CopyFileA(library.c_str(), file.c_str(), FALSE));
    ChooseIcon(1);
    const Pixels icon1 = Preview();
    ChooseIcon(2);

    OpenPicker();
    const HWND path = GetDlgItem(picker, IDC_PICK_FILE);
    SendMessageA(path, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(file.c_str()));
    SetFocus(path);
    PressKey(path, VK_RETURN);
    WaitUntil(
        [&] { return !IsWindow(picker) || SendMessageA(Icons(), LVM_GETITEMCOUNT, 0, 0) >= 8; });
    ASSERT_TRUE(IsWindow(picker)) << "Enter in the path box loads the file, it does not confirm";
    ASSERT_GE(SendMessageA(Icons(), LVM_GETITEMCOUNT, 0, 0), 8);
    EXPECT_EQ(SelectedIcon(), 0);
    MoveSelection(1);
    ASSERT_EQ(SelectedIcon(), 1);
    Press(IDOK);

    EXPECT_EQ(Location(), file + ",1");
    EXPECT_EQ(Preview(), icon1) << "the copy's icon 1 is the library's icon 1";
    changer.Apply();
    EXPECT_EQ(DriveOverride('A'), file + ",1");
    DeleteFileA(file.c_str());
    RemoveDirectoryA(folder.c_str());
}

TEST_F(BrowseTest, AFileWithoutIconsSaysSoAndCannotBeConfirmed) {
    const std::string file = "C:\\tests\\no-icons.txt";
    WriteFile(file, "no icons here");
    OpenPicker();
    ShowInPicker(file);
    ExpectNoIconsShown();
    Press(IDCANCEL);
    EXPECT_EQ(Location(), "");
    EXPECT_FALSE(LabelShown());
    DeleteFileA(file.c_str());
}

// The system's icon reader trusts an icon file's directory, and a 16-bit library's resource
// table, and reads beyond a damaged file's end.
TEST_F(BrowseTest, ADamagedIconFileOrLibrarySaysItHasNoIcons) {
    const std::pair<std::string, std::string> files[] = {
        {"C:\\tests\\damaged.ico", std::string("\0\0\1\0\xFF\xFF", 6)}, // claims 65535 images
        // A 16-bit library whose table claims 65535 group icons, and ends.
        {"C:\\tests\\damaged.icl", "MZ" + std::string(0x3A, '\0') + std::string("\x40\0\0\0", 4) +
                                       "NE" + std::string(0x22, '\0') + std::string("\x40\0", 2) +
                                       std::string(0x1A, '\0') +
                                       std::string("\4\0\x0E\x80\xFF\xFF", 6)},
    };
    OpenPicker();
    for (const auto& [file, bytes] : files) {
        WriteFile(file, bytes);
        ShowInPicker(file);
        ExpectNoIconsShown();
    }
    Press(IDCANCEL);
    EXPECT_FALSE(changer.process().WaitForExit(0)) << "the icon changer ended";
    EXPECT_EQ(Location(), "");
    for (const auto& file : files)
        DeleteFileA(file.first.c_str());
}

TEST_F(BrowseTest, BrowseInThePickerOpensTheSystemsFileDialog) {
    // The file dialog's library is loaded only now, when it is first needed.
    OpenPicker();
    PostMessageA(GetDlgItem(picker, IDC_PICK_BROWSE), BM_CLICK, 0, 0);
    const HWND open = WaitForWindow(changer.processId(), "Open", 10000);
    ASSERT_NE(open, nullptr) << "no file dialog";
    PostMessageA(open, WM_COMMAND, IDCANCEL, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(open); }));
    EXPECT_TRUE(IsWindow(picker)) << "cancelling the file dialog keeps the picker";
}
