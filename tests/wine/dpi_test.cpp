// The icon changer on a display at another resolution than 96 dpi (ZELVO_LOGPIXELS, given to the
// prefix before its server starts): its window, controls and pictures take their twips at that
// resolution, no caption is cut, and a move to a monitor at 96 dpi lays it out again.
// Wine reads another process's fonts and bitmaps as no object at all, so the pictures and
// captions are checked as the screen shows them.
#include "changer_driver.h"
#include "resource.h"
#include "unique_handle.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

using namespace zelvo;
using namespace zelvo::testing;

namespace {

constexpr int kTwipsPerInch = 1440;
constexpr UINT kDefaultDpi = 96;
constexpr UINT kDpiChangedMessage = 0x02E0; // WM_DPICHANGED, not declared for older Windows
constexpr int kClientWidthTwips = 4905;
constexpr int kClientHeightTwips = 3075;

struct TwipPlace {
    int id;
    int left, top, width, height;
};

// The visible controls at their designed places; Label1 may be wider, about the same centre.
constexpr TwipPlace kPlaces[] = {
    {IDC_LABEL2, 0, 0, 5775, 865},           {IDC_IMAGE1, 240, 40, 720, 720},
    {IDC_IMAGE3, 1080, 75, 3000, 750},       {IDC_PICTURE2, 4080, 120, 720, 720},
    {IDC_IMAGE2, 4327, 1080, 360, 360},      {IDC_LABEL1, 600, 1200, 3195, 195},
    {IDC_TXTICONPATH, 240, 1560, 3960, 285}, {IDC_CMDBROWSE, 4320, 1560, 375, 285},
    {IDC_CMDRESTORE, 105, 2640, 1455, 350},  {IDC_CMDCHANGE, 1725, 2640, 1455, 350},
    {IDC_CMDCLOSE, 3345, 2640, 1455, 350},
};
constexpr TwipPlace kDrives = {IDC_CBODRIVES, 240, 2040, 855, 315}; // its height follows its font
constexpr TwipPlace kPreviewLabel = {IDC_LBLPREVIEW, 0, 540, 720, 195}; // inside Picture2

// A part of the screen, pixel by pixel (0x00RRGGBB), row after row.
struct Capture {
    int width = 0, height = 0;
    std::vector<DWORD> pixels;
};

Capture CaptureScreen(const RECT& r) {
    Capture capture;
    capture.width = r.right - r.left;
    capture.height = r.bottom - r.top;
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = capture.width;
    info.bmiHeader.biHeight = -capture.height; // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const WindowDc screen(nullptr);
    const UniqueHdc copy(CreateCompatibleDC(screen.get()));
    void* bits = nullptr;
    const UniqueHbitmap bitmap(
        CreateDIBSection(copy.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!bitmap)
        return capture;
    {
        const SelectedObject selected(copy.get(), bitmap.get());
        BitBlt(copy.get(), 0, 0, capture.width, capture.height, screen.get(), r.left, r.top,
               SRCCOPY);
        GdiFlush();
    }
    const auto* first = static_cast<const DWORD*>(bits);
    capture.pixels.assign(first, first + capture.width * capture.height);
    for (DWORD& pixel : capture.pixels)
        pixel &= 0xFFFFFF;
    return capture;
}

// The smallest rectangle holding every pixel of another colour than the background.
SIZE InkSize(const Capture& capture, DWORD background) {
    RECT ink = {capture.width, capture.height, 0, 0};
    for (int y = 0; y < capture.height; ++y) {
        for (int x = 0; x < capture.width; ++x) {
            if (capture.pixels[y * capture.width + x] == background)
                continue;
            ink = {std::min<LONG>(ink.left, x), std::min<LONG>(ink.top, y),
                   std::max<LONG>(ink.right, x + 1), std::max<LONG>(ink.bottom, y + 1)};
        }
    }
    return {std::max<LONG>(0, ink.right - ink.left), std::max<LONG>(0, ink.bottom - ink.top)};
}

constexpr DWORD kWhite = 0xFFFFFF;

class DpiTest : public ::testing::Test {
  protected:
    void SetUp() override {
        char text[16] = {};
        GetEnvironmentVariableA("ZELVO_LOGPIXELS", text, sizeof text);
        dpi = static_cast<UINT>(std::atoi(text));
        if (dpi == 0)
            GTEST_SKIP() << "run with ZELVO_LOGPIXELS set to the display's resolution";
        const WindowDc screen(nullptr);
        ASSERT_EQ(GetDeviceCaps(screen.get(), LOGPIXELSY), static_cast<int>(dpi))
            << "the display has the resolution asked for";
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

    static int Pixels(int twips, UINT at) {
        return MulDiv(twips, static_cast<int>(at), kTwipsPerInch);
    }

    // Every visible control within a pixel of its twips place at the resolution.
    void ExpectTwipPlaces(UINT at) {
        RECT client;
        GetClientRect(changer.window(), &client);
        EXPECT_EQ(client.right, Pixels(kClientWidthTwips, at)) << at << " dpi";
        EXPECT_EQ(client.bottom, Pixels(kClientHeightTwips, at)) << at << " dpi";
        for (const TwipPlace& place : kPlaces)
            ExpectPlace(changer.Item(place.id), place, at);
        const RECT drives = ChildRect(changer.Item(IDC_CBODRIVES));
        EXPECT_NEAR(drives.left, Pixels(kDrives.left, at), 1);
        EXPECT_NEAR(drives.top, Pixels(kDrives.top, at), 1);
        EXPECT_NEAR(drives.right, Pixels(kDrives.left + kDrives.width, at), 1);
        ExpectPlace(PreviewLabel(), kPreviewLabel, at);
    }
    static void ExpectPlace(HWND control, const TwipPlace& place, UINT at) {
        ASSERT_NE(control, nullptr) << place.id;
        const RECT r = ChildRect(control);
        const int left = Pixels(place.left, at);
        const int right = Pixels(place.left + place.width, at);
        EXPECT_NEAR(r.top, Pixels(place.top, at), 1) << place.id << " at " << at << " dpi";
        EXPECT_NEAR(r.bottom, Pixels(place.top + place.height, at), 1) << place.id;
        if (place.id == IDC_LABEL1) {
            EXPECT_NEAR(r.left + r.right, left + right, 1) << "the prompt keeps its centre";
            EXPECT_LE(r.left, left + 1);
            EXPECT_GE(r.right, right - 1);
        } else {
            EXPECT_NEAR(r.left, left, 1) << place.id << " at " << at << " dpi";
            EXPECT_NEAR(r.right, right, 1) << place.id << " at " << at << " dpi";
        }
    }

    HWND PreviewLabel() const { return GetDlgItem(changer.Item(IDC_PICTURE2), IDC_LBLPREVIEW); }

    Capture Shown(int id) {
        RedrawWindow(changer.window(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
        Settle();
        RECT r;
        GetWindowRect(changer.Item(id), &r);
        return CaptureScreen(r);
    }
    // The size of what a picture control shows, against its corner's colour.
    SIZE PictureInk(int id) {
        const Capture capture = Shown(id);
        return capture.pixels.empty() ? SIZE{} : InkSize(capture, capture.pixels.front());
    }
    // The size of the icon the preview box shows above its label, at resolution at.
    SIZE PreviewIconInk(UINT at) {
        Capture capture = Shown(IDC_PICTURE2);
        capture.height = std::min(capture.height, Pixels(kPreviewLabel.top, at));
        capture.pixels.resize(static_cast<std::size_t>(capture.width * capture.height));
        return InkSize(capture, kWhite);
    }

    // Tells the window what Windows tells it when it moves to a monitor at another resolution,
    // with the place Windows suggests: the outer size for a client area of its twips there. The
    // rectangle goes into the changer's own memory, as Wine passes this message's pointer on
    // unchanged.
    void MoveToMonitorAt(UINT to) {
        RECT outer, client;
        GetWindowRect(changer.window(), &outer);
        GetClientRect(changer.window(), &client);
        const RECT suggested = {outer.left, outer.top,
                                outer.left + (outer.right - outer.left - client.right) +
                                    Pixels(kClientWidthTwips, to),
                                outer.top + (outer.bottom - outer.top - client.bottom) +
                                    Pixels(kClientHeightTwips, to)};
        const UniqueHandle process(
            OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_WRITE, FALSE, changer.processId()));
        ASSERT_TRUE(process);
        void* remote = VirtualAllocEx(process.get(), nullptr, sizeof suggested,
                                      MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
        ASSERT_NE(remote, nullptr);
        ASSERT_TRUE(
            WriteProcessMemory(process.get(), remote, &suggested, sizeof suggested, nullptr));
        SendMessageA(changer.window(), kDpiChangedMessage, MAKEWPARAM(to, to),
                     reinterpret_cast<LPARAM>(remote));
        VirtualFreeEx(process.get(), remote, 0, MEM_RELEASE);
        Settle();
    }

    // The ratio of two sizes of the same picture should be the ratio of the resolutions.
    void ExpectScaled(SIZE at, SIZE at96, const char* what) {
        const double scale = static_cast<double>(dpi) / kDefaultDpi;
        ASSERT_GT(at96.cx, 0) << what << " shows at 96 dpi";
        EXPECT_NEAR(at.cx, at96.cx * scale, at96.cx * scale / 10 + 2) << what;
        EXPECT_NEAR(at.cy, at96.cy * scale, at96.cy * scale / 10 + 2) << what;
    }

    UINT dpi = 0;
    ChangerDriver changer;
};

// The width a caption takes in the system's message font at the display's resolution, as a
// control draws it (an access-key ampersand shows as an underline).
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

int ClientWidth(HWND control) {
    RECT r;
    GetClientRect(control, &r);
    return r.right;
}

} // namespace

TEST_F(DpiTest, TheWindowAndEveryControlTakeTheirTwipsAtTheDisplaysResolution) {
    ExpectTwipPlaces(dpi);
}

TEST_F(DpiTest, NoCaptionIsCut) {
    const HWND prompt = changer.Item(IDC_LABEL1);
    EXPECT_LE(CaptionWidth(prompt), ClientWidth(prompt)) << WindowText(prompt);
    EXPECT_LE(CaptionWidth(PreviewLabel()), ClientWidth(PreviewLabel()));
    const int buttonEdges = 2 * GetSystemMetrics(SM_CXEDGE);
    for (const int id : {IDC_CMDRESTORE, IDC_CMDCHANGE, IDC_CMDCLOSE, IDC_CMDBROWSE}) {
        const HWND button = changer.Item(id);
        EXPECT_LE(CaptionWidth(button), ClientWidth(button) - buttonEdges) << WindowText(button);
    }
    // On the screen, the prompt stands whole on its one line.
    EXPECT_GE(PictureInk(IDC_LABEL1).cx, CaptionWidth(prompt) - 3);
}

TEST_F(DpiTest, PicturesAreDrawnAtTheDisplaysScale) {
    const SIZE product = PictureInk(IDC_IMAGE1);
    const SIZE banner = PictureInk(IDC_IMAGE3);
    const SIZE placeholder = PictureInk(IDC_PICTURE2);
    const SIZE help = PictureInk(IDC_IMAGE2);
    MoveToMonitorAt(kDefaultDpi);
    ExpectScaled(product, PictureInk(IDC_IMAGE1), "the product picture");
    ExpectScaled(banner, PictureInk(IDC_IMAGE3), "the banner");
    ExpectScaled(placeholder, PictureInk(IDC_PICTURE2), "the placeholder");
    ExpectScaled(help, PictureInk(IDC_IMAGE2), "the help icon");
}

TEST_F(DpiTest, AMoveToAMonitorAt96DpiLaysTheWindowOutAgainAndKeepsThePreview) {
    changer.Click(IDC_CMDBROWSE);
    const HWND picker = WaitForWindow(changer.processId(), "Change Icon", 5000);
    ASSERT_NE(picker, nullptr);
    PostMessageA(GetDlgItem(picker, IDOK), BM_CLICK, 0, 0); // the preselected icon 0
    for (int i = 0; i < 100 && IsWindow(picker); ++i)
        Settle(20);
    ASSERT_FALSE(IsWindow(picker));
    ASSERT_TRUE(IsWindowVisible(PreviewLabel()));
    const SIZE icon = PreviewIconInk(dpi);

    MoveToMonitorAt(kDefaultDpi);
    ExpectTwipPlaces(kDefaultDpi);
    EXPECT_TRUE(IsWindowVisible(PreviewLabel()));
    ExpectScaled(icon, PreviewIconInk(kDefaultDpi), "the previewed icon");
}
