// The icon changer on a display at another resolution than 96 dpi (ZELVO_LOGPIXELS, given to the
// prefix before its server starts), and moved to a monitor at 96 dpi. Wine cannot read another
// process's fonts and bitmaps, so pictures and captions are checked as the screen shows them.
#include "changer_driver.h"
#include "resource.h"
#include "unique_handle.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <optional>
#include <vector>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr UINT kDefaultDpi = 96;
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, declared for newer Windows only

struct TwipPlace {
    int id;
    int left, top, width, height; // no height: it follows the font
};

// Every visible control at its designed place; the prompt may be wider, about the same centre.
constexpr TwipPlace kPlaces[] = {
    {IDC_LABEL2, 0, 0, 5775, 865},           {IDC_IMAGE1, 240, 40, 720, 720},
    {IDC_IMAGE3, 1080, 75, 3000, 750},       {IDC_PICTURE2, 4080, 120, 720, 720},
    {IDC_IMAGE2, 4327, 1080, 360, 360},      {IDC_LABEL1, 600, 1200, 3195, 195},
    {IDC_TXTICONPATH, 240, 1560, 3960, 285}, {IDC_CMDBROWSE, 4320, 1560, 375, 285},
    {IDC_CMDRESTORE, 105, 2640, 1455, 350},  {IDC_CMDCHANGE, 1725, 2640, 1455, 350},
    {IDC_CMDCLOSE, 3345, 2640, 1455, 350},   {IDC_CBODRIVES, 240, 2040, 855, 0},
    {IDC_LBLPREVIEW, 0, 540, 720, 195}, // inside Picture2
};

int Pixels(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), 1440);
}

// The size of what the screen shows in a window's top rows (all: 0) in other colours than
// background (by default the colour of its top-left pixel).
SIZE InkOnScreen(HWND window, int rows = 0, DWORD background = CLR_INVALID) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    Settle();
    RECT r;
    GetWindowRect(window, &r);
    const int width = r.right - r.left;
    const int height = rows > 0 ? std::min<int>(rows, r.bottom - r.top) : r.bottom - r.top;
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    const WindowDc screen(nullptr);
    const UniqueHdc copy(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    const UniqueHbitmap bitmap(
        CreateDIBSection(copy.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return {};
    const SelectedObject selected(copy.get(), bitmap.get());
    BitBlt(copy.get(), 0, 0, width, height, screen.get(), r.left, r.top, SRCCOPY);
    GdiFlush();
    const auto* pixels = static_cast<const DWORD*>(bits);
    const DWORD paper = background == CLR_INVALID ? pixels[0] & 0xFFFFFF : background;
    RECT ink = {width, height, 0, 0};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            if ((pixels[y * width + x] & 0xFFFFFF) != paper)
                ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                       std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
        }
    }
    return {std::max<LONG>(0, ink.right - ink.left), std::max<LONG>(0, ink.bottom - ink.top)};
}

// Sends a message whose lParam points at a rectangle, which Wine passes on unchanged: the
// rectangle is put into the window's own process, and given back as the message left it; none
// when it could not be put there.
std::optional<RECT> SendWithRect(HWND window, UINT msg, WPARAM wParam, RECT rect) {
    DWORD processId = 0;
    GetWindowThreadProcessId(window, &processId);
    const UniqueHandle process(
        OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, processId));
    void* remote = VirtualAllocEx(process.get(), nullptr, sizeof rect, MEM_COMMIT | MEM_RESERVE,
                                  PAGE_READWRITE);
    if (!remote)
        return std::nullopt;
    bool passed = WriteProcessMemory(process.get(), remote, &rect, sizeof rect, nullptr);
    if (passed) {
        SendMessageA(window, msg, wParam, reinterpret_cast<LPARAM>(remote));
        passed = ReadProcessMemory(process.get(), remote, &rect, sizeof rect, nullptr);
    }
    VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
    return passed ? std::optional<RECT>(rect) : std::nullopt;
}

// The width of a caption in the system's message font (an access key's ampersand never shows).
int CaptionWidth(HWND control) {
    std::string caption = WindowText(control);
    caption.erase(std::remove(caption.begin(), caption.end(), '&'), caption.end());
    NONCLIENTMETRICSA metrics = {};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    const UniqueHfont font(CreateFontIndirectA(&metrics.lfMessageFont));
    const WindowDc screen(nullptr);
    const SelectedObject selected(screen.get(), font.get());
    SIZE extent = {};
    GetTextExtentPoint32A(screen.get(), caption.c_str(), static_cast<int>(caption.size()), &extent);
    return extent.cx;
}

class DpiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char text[16] = {};
        GetEnvironmentVariableA("ZELVO_LOGPIXELS", text, sizeof text);
        dpi = static_cast<UINT>(std::atoi(text));
        if (dpi == 0)
            GTEST_SKIP() << "run with ZELVO_LOGPIXELS set to the display's resolution";
        ASSERT_EQ(GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY), static_cast<int>(dpi));
        ResetProductState();
        InstallWitnessUpdater();
        ASSERT_TRUE(changer.Start()) << "no window titled Zelvo Drives";
        // Above other windows, so that the screen shows it.
        SetWindowPos(changer.window(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
        SetForegroundWindow(changer.window());
        Settle();
    }
    void TearDown() override {
        changer.Close();
        ResetProductState();
    }

    HWND Control(int id) const {
        return id == IDC_LBLPREVIEW ? GetDlgItem(changer.Item(IDC_PICTURE2), id) : changer.Item(id);
    }

    // The client area and every visible control within a pixel of their twips at resolution at.
    void ExpectTwipPlaces(UINT at) {
        RECT client;
        GetClientRect(changer.window(), &client);
        EXPECT_EQ(client.right, Pixels(4905, at)) << at << " dpi";
        EXPECT_EQ(client.bottom, Pixels(3075, at)) << at << " dpi";
        for (const TwipPlace& place : kPlaces) {
            const RECT r = ChildRect(Control(place.id));
            const int left = Pixels(place.left, at);
            const int right = Pixels(place.left + place.width, at);
            EXPECT_NEAR(r.top, Pixels(place.top, at), 1) << place.id << " at " << at << " dpi";
            if (place.height) {
                EXPECT_NEAR(r.bottom, Pixels(place.top + place.height, at), 1) << place.id;
            }
            if (place.id == IDC_LABEL1) {
                EXPECT_NEAR(r.left + r.right, left + right, 1) << "the prompt keeps its centre";
                EXPECT_LE(r.left, left + 1);
            } else {
                EXPECT_NEAR(r.left, left, 1) << place.id << " at " << at << " dpi";
                EXPECT_NEAR(r.right, right, 1) << place.id << " at " << at << " dpi";
            }
        }
    }

    // What Windows sends when the window moves to a monitor at resolution to, with the place it
    // suggests, written into the changer's own memory.
    void MoveToMonitorAt(UINT to) {
        RECT outer, client;
        GetWindowRect(changer.window(), &outer);
        GetClientRect(changer.window(), &client);
        const RECT suggested = {outer.left, outer.top,
                                outer.right - client.right + Pixels(4905, to),
                                outer.bottom - client.bottom + Pixels(3075, to)};
        ASSERT_TRUE(
            SendWithRect(changer.window(), kDpiChangedMessage, MAKEWPARAM(to, to), suggested));
    }

    // A picture drawn at this resolution and at 96 dpi: its sizes in their ratio.
    void ExpectScaled(SIZE drawn, SIZE at96, int id) const {
        const double scale = static_cast<double>(dpi) / kDefaultDpi;
        ASSERT_GT(at96.cx, 0) << id;
        EXPECT_NEAR(drawn.cx, at96.cx * scale, at96.cx * scale / 10 + 2) << id;
        EXPECT_NEAR(drawn.cy, at96.cy * scale, at96.cy * scale / 10 + 2) << id;
    }

    UINT dpi = 0;
    ChangerDriver changer;
};

} // namespace

TEST_F(DpiTest, EveryControlTakesItsTwipsAtTheDisplaysResolutionAndNoCaptionIsCut) {
    ExpectTwipPlaces(dpi);
    for (const int id : {IDC_LABEL1, IDC_LBLPREVIEW, IDC_CMDRESTORE, IDC_CMDCHANGE, IDC_CMDCLOSE}) {
        RECT client;
        GetClientRect(Control(id), &client);
        EXPECT_LE(CaptionWidth(Control(id)), client.right) << WindowText(Control(id));
    }
    // On the screen, the prompt stands whole on its one line.
    EXPECT_GE(InkOnScreen(Control(IDC_LABEL1)).cx, CaptionWidth(Control(IDC_LABEL1)) - 3);
}

TEST_F(DpiTest, PicturesAreDrawnAtTheDisplaysScale) {
    const int pictures[] = {IDC_IMAGE1, IDC_IMAGE3, IDC_PICTURE2, IDC_IMAGE2};
    std::vector<SIZE> drawn;
    for (const int id : pictures)
        drawn.push_back(InkOnScreen(Control(id)));
    MoveToMonitorAt(kDefaultDpi);
    for (std::size_t i = 0; i < drawn.size(); ++i)
        ExpectScaled(drawn[i], InkOnScreen(Control(pictures[i])), pictures[i]);
}

TEST_F(DpiTest, AMoveToAMonitorAt96DpiLaysTheWindowOutAgainAndKeepsThePreview) {
    changer.Click(IDC_CMDBROWSE);
    const HWND picker = WaitForWindow(changer.processId(), "Change Icon", 5000);
    ASSERT_NE(picker, nullptr);
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0); // the preselected icon 0
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(Control(IDC_LBLPREVIEW)) != FALSE; }))
        << "the preview is drawn";
    // The icon above the label, on the box's white.
    const auto icon = [&](UINT at) {
        return InkOnScreen(Control(IDC_PICTURE2), Pixels(540, at), RGB(255, 255, 255));
    };
    const SIZE previewed = icon(dpi);

    MoveToMonitorAt(kDefaultDpi);
    ExpectTwipPlaces(kDefaultDpi);
    EXPECT_TRUE(IsWindowVisible(Control(IDC_LBLPREVIEW)));
    ExpectScaled(previewed, icon(kDefaultDpi), IDC_PICTURE2);
}

// Change Icon lists each icon at the size the preview shows it: the large icon's at the
// display's resolution (32 pixels at 96 dpi).
TEST_F(DpiTest, ChangeIconListsTheIconsAtTheLargeIconSizeOfTheDisplay) {
    changer.Click(IDC_CMDBROWSE);
    const HWND picker = WaitForWindow(changer.processId(), "Change Icon", 5000);
    ASSERT_NE(picker, nullptr);
    const HWND list = GetDlgItem(picker, IDC_PICK_ICONS);
    ASSERT_TRUE(WaitUntil([&] { return SendMessageA(list, LVM_GETITEMCOUNT, 0, 0) > 0; }));
    const std::optional<RECT> shown = SendWithRect(list, LVM_GETITEMRECT, 0, {LVIR_ICON, 0, 0, 0});
    ASSERT_TRUE(shown);
    const int large = MulDiv(32, static_cast<int>(dpi), kDefaultDpi);
    EXPECT_EQ(shown->right - shown->left, large) << dpi << " dpi";
    EXPECT_EQ(shown->bottom - shown->top, large) << dpi << " dpi";
    PostMessageA(GetDlgItem(picker, IDCANCEL), BM_CLICK, 0, 0);
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(picker); })) << "Change Icon closed";
}
