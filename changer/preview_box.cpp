#include "preview_box.h"

#include "geometry.h"
#include "resource.h"
#include "window.h"

namespace zelvo {

namespace {

constexpr char kClassName[] = "ZelvoPreviewBox";
constexpr char kPreviewCaption[] = "Preview";
constexpr COLORREF kPreviewTextColour = RGB(0, 0, 255);
// lblPreview's place inside the box, in twips: just below a 32-pixel icon, as wide as the box
// so that the whole caption shows.
constexpr TwipRect kLabelTwips = {0, 540, 720, 195};

// A memory DC with a bitmap selected into it for the lifetime of this object.
class SelectedDc {
  public:
    SelectedDc(HBITMAP bitmap) : dc_(CreateCompatibleDC(nullptr)) {
        old_ = SelectObject(dc_.get(), bitmap);
    }
    ~SelectedDc() { SelectObject(dc_.get(), old_); }
    HDC get() const { return dc_.get(); }

  private:
    UniqueHdc dc_;
    HGDIOBJ old_;
};

} // namespace

bool PreviewBox::Register(HINSTANCE instance) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = RoutedWindowProc<PreviewBox>;
    wc.hInstance = instance;
    wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
    wc.hbrBackground = static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH));
    wc.lpszClassName = kClassName;
    return RegisterClassA(&wc) != 0;
}

HWND PreviewBox::Create(HWND parent, int id, const RECT& pixels, HBITMAP placeholder, HFONT font) {
    const HINSTANCE instance =
        reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(parent, GWLP_HINSTANCE));
    size_ = {pixels.right - pixels.left, pixels.bottom - pixels.top};
    hwnd_ = CreateWindowExA(0, kClassName, "",
                            WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                            pixels.left, pixels.top, size_.cx, size_.cy, parent,
                            reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), instance, this);
    if (!hwnd_)
        return nullptr;

    const HDC screen = GetDC(hwnd_);
    image_.reset(CreateCompatibleBitmap(screen, size_.cx, size_.cy));
    ReleaseDC(hwnd_, screen);
    {
        SelectedDc image(image_.get());
        FillWhite(image.get());
        SelectedDc picture(placeholder);
        BitBlt(image.get(), 0, 0, size_.cx, size_.cy, picture.get(), 0, 0, SRCCOPY);
    }

    const RECT label = ToPixels(kLabelTwips);
    label_ = CreateChildControl(hwnd_, IDC_LBLPREVIEW, "STATIC", kPreviewCaption, SS_LEFT, 0, label,
                                font);
    return hwnd_;
}

void PreviewBox::FillWhite(HDC dc) const {
    const RECT all = {0, 0, size_.cx, size_.cy};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
}

void PreviewBox::Reset() {
    SelectedDc image(image_.get());
    FillWhite(image.get());
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewBox::DrawIcon(HICON icon) {
    SelectedDc image(image_.get());
    DrawIconEx(image.get(), 0, 0, icon, 0, 0, 0, nullptr, DI_NORMAL);
    InvalidateRect(hwnd_, nullptr, FALSE);
}

void PreviewBox::ShowLabel() {
    ShowWindow(label_, SW_SHOWNA);
}

void PreviewBox::Paint() {
    PAINTSTRUCT ps;
    const HDC dc = BeginPaint(hwnd_, &ps);
    SelectedDc image(image_.get());
    BitBlt(dc, 0, 0, size_.cx, size_.cy, image.get(), 0, 0, SRCCOPY);
    EndPaint(hwnd_, &ps);
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
        const HDC dc = reinterpret_cast<HDC>(wParam);
        SetTextColor(dc, kPreviewTextColour);
        SetBkColor(dc, RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(GetStockObject(WHITE_BRUSH));
    }
    }
    return DefWindowProcA(hwnd_, msg, wParam, lParam);
}

} // namespace zelvo
