#include "preview_box.h"

#include "dpi.h"
#include "geometry.h"
#include "icon_location.h"
#include "pictures.h"
#include "resource.h"
#include "window.h"

#include <shellapi.h>

#include <algorithm>
#include <array>
#include <optional>

namespace zelvo {

namespace {

constexpr char kClassName[] = "ZelvoPreviewBox";
constexpr char kPreviewCaption[] = "Preview";
constexpr COLORREF kPreviewTextColour = RGB(0, 0, 255);
// lblPreview's place inside the box, in twips: just below a 32-pixel icon, as wide as the box
// so that the whole caption shows.
constexpr TwipRect kLabelTwips = {0, 540, 720, 195};
constexpr PictureResources kPlaceholder = {IDB_PLACEHOLDER, IDB_PLACEHOLDER_150,
                                           IDB_PLACEHOLDER_200};

// ExtractAssociatedIconA's path buffer, in characters; the call may write into it.
constexpr std::size_t kExtractPathCapacity = MAX_PATH;

// The icon Explorer would show for a location; none for a path too long for the call's buffer.
UniqueHicon ExtractPreviewIcon(HINSTANCE instance, const IconLocationParts& location) {
    std::array<char, kExtractPathCapacity> path = {};
    if (location.path.size() >= path.size())
        return {};
    std::copy(location.path.begin(), location.path.end(), path.begin());
    WORD index = static_cast<WORD>(location.index); // the call takes the index as 16 bits
    return UniqueHicon(ExtractAssociatedIconA(instance, path.data(), &index));
}

// A memory DC with a bitmap selected into it for the lifetime of this object.
class BitmapDc {
  public:
    explicit BitmapDc(HBITMAP bitmap)
        : dc_(CreateCompatibleDC(nullptr)), selected_(dc_.get(), bitmap) {}
    HDC get() const { return dc_.get(); }

  private:
    UniqueHdc dc_;
    SelectedObject selected_;
};

} // namespace

bool PreviewBox::Register(HINSTANCE instance) {
    return RegisterWindowClass(instance, kClassName, Procedure, kNoIcon,
                               reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1));
}

HWND PreviewBox::Create(HWND parent, int id, const RECT& pixels, UINT dpi, HFONT font) {
    instance_ = reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    hwnd_ = CreateWindowExA(
        0, kClassName, "", WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
        pixels.left, pixels.top, pixels.right - pixels.left, pixels.bottom - pixels.top, parent,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance_, this);
    if (!hwnd_)
        return nullptr;
    label_ = CreateChildControl(hwnd_, IDC_LBLPREVIEW, "STATIC", kPreviewCaption, SS_LEFT, 0,
                                ToPixels(kLabelTwips, dpi), font);
    Prepare({pixels.right - pixels.left, pixels.bottom - pixels.top}, dpi);
    return hwnd_;
}

void PreviewBox::LayOut(const RECT& pixels, UINT dpi, HFONT font) {
    SetWindowPos(hwnd_, nullptr, pixels.left, pixels.top, pixels.right - pixels.left,
                 pixels.bottom - pixels.top, SWP_NOZORDER | SWP_NOACTIVATE);
    const RECT label = ToPixels(kLabelTwips, dpi);
    SendMessageA(label_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    SetWindowPos(label_, nullptr, label.left, label.top, label.right - label.left,
                 label.bottom - label.top, SWP_NOZORDER | SWP_NOACTIVATE);
    Prepare({pixels.right - pixels.left, pixels.bottom - pixels.top}, dpi);
}

void PreviewBox::Prepare(SIZE size, UINT dpi) {
    dpi_ = dpi;
    size_ = size;
    const WindowDc screen(hwnd_);
    image_.reset(CreateCompatibleBitmap(screen.get(), size_.cx, size_.cy));
    Draw();
}

void PreviewBox::Draw() {
    const BitmapDc image(image_.get());
    const RECT all = {0, 0, size_.cx, size_.cy};
    FillRect(image.get(), &all, GetSysColorBrush(COLOR_WINDOW));
    if (showsPlaceholder_) {
        if (const UniqueHbitmap placeholder =
                LoadBandPicture(instance_, kPlaceholder, dpi_, size_)) {
            const BitmapDc picture(placeholder.get());
            BitBlt(image.get(), 0, 0, size_.cx, size_.cy, picture.get(), 0, 0, SRCCOPY);
        }
    } else if (icon_) {
        const int large = SystemMetricForDpi(SM_CXICON, dpi_);
        DrawIconEx(image.get(), 0, 0, icon_.get(), large, large, 0, nullptr, DI_NORMAL);
    }
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewBox::ShowIconPreview(const std::string& location) {
    // Reset first: nothing of the placeholder or an earlier preview remains, drawn or not.
    showsPlaceholder_ = false;
    icon_.reset();
    if (const std::optional<IconLocationParts> parts = ParseIconLocation(location))
        icon_ = ExtractPreviewIcon(instance_, *parts);
    Draw();
    ShowWindow(label_, SW_SHOWNA);
}

void PreviewBox::Paint() {
    const PaintDc paint(hwnd_);
    const BitmapDc image(image_.get());
    BitBlt(paint.get(), 0, 0, size_.cx, size_.cy, image.get(), 0, 0, SRCCOPY);
}

LRESULT PreviewBox::HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam) {
    switch (msg) {
    case WM_PAINT:
        if (image_) {
            Paint();
            return 0;
        }
        break;
    case WM_CTLCOLORSTATIC: {
        // Under high contrast the label takes the user's text colour, as everything else does.
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, HighContrastOn() ? GetSysColor(COLOR_WINDOWTEXT) : kPreviewTextColour);
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    }
    case WM_SYSCOLORCHANGE: // passed on by the main window
        if (image_)
            Draw();
        return 0;
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace zelvo
