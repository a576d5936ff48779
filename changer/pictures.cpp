#include "pictures.h"

#include "picture_scale.h"
#include "system_function.h"
#include "text_colours.h"

#include <vector>

namespace zelvo {

namespace {

using LoadIconWithScaleDownFunction = HRESULT(WINAPI*)(HINSTANCE, PCWSTR, int, int, HICON*);

SIZE BitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    if (!GetObjectA(bitmap, sizeof info, &info))
        return {};
    return {info.bmWidth, info.bmHeight};
}

// A copy of source at size, resampled smoothly (halftone) rather than by dropping or repeating
// pixels.
UniqueHbitmap ScaledCopy(HBITMAP source, SIZE size) {
    const SIZE from = BitmapSize(source);
    const WindowDc screen(nullptr);
    UniqueHbitmap scaled(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    const UniqueHdc sourceDc(CreateCompatibleDC(screen.get()));
    const UniqueHdc scaledDc(CreateCompatibleDC(screen.get()));
    if (!scaled || !sourceDc || !scaledDc || from.cx <= 0 || from.cy <= 0)
        return {};
    const SelectedObject sourceSelected(sourceDc.get(), source);
    const SelectedObject scaledSelected(scaledDc.get(), scaled.get());
    SetStretchBltMode(scaledDc.get(), HALFTONE);
    SetBrushOrgEx(scaledDc.get(), 0, 0, nullptr); // as HALFTONE requires after the mode is set
    if (!StretchBlt(scaledDc.get(), 0, 0, size.cx, size.cy, sourceDc.get(), 0, 0, from.cx, from.cy,
                    SRCCOPY))
        return {};
    return scaled;
}

// 0x00BBGGRR as 0x00RRGGBB.
Pixel AsPixel(COLORREF colour) {
    return static_cast<Pixel>(GetRValue(colour)) << 16 |
           static_cast<Pixel>(GetGValue(colour)) << 8 | GetBValue(colour);
}

// A copy of picture in the text colour on the window colour; null when it cannot be made.
UniqueHbitmap InTextColours(HBITMAP picture) {
    const SIZE size = BitmapSize(picture);
    if (size.cx <= 0 || size.cy <= 0)
        return {};
    BITMAPINFO info = {};
    info.bmiHeader = {sizeof info.bmiHeader, size.cx, -size.cy, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<Pixel> pixels(static_cast<std::size_t>(size.cx) * size.cy);
    const WindowDc screen(nullptr);
    if (GetDIBits(screen.get(), picture, 0, size.cy, pixels.data(), &info, DIB_RGB_COLORS) !=
        size.cy)
        return {};
    ToTextColours(pixels, AsPixel(GetSysColor(COLOR_WINDOWTEXT)),
                  AsPixel(GetSysColor(COLOR_WINDOW)));
    UniqueHbitmap redrawn(CreateCompatibleBitmap(screen.get(), size.cx, size.cy));
    if (!redrawn || SetDIBits(screen.get(), redrawn.get(), 0, size.cy, pixels.data(), &info,
                              DIB_RGB_COLORS) != size.cy)
        return {};
    return redrawn;
}

} // namespace

UniqueHbitmap LoadPicture(HINSTANCE instance, const PictureResources& ids, UINT dpi, SIZE size) {
    std::vector<PictureVariant> present;
    for (const PictureVariant variant :
         {PictureVariant{ids.at100, 100}, PictureVariant{ids.at150, 150},
          PictureVariant{ids.at200, 200}}) {
        if (FindResourceA(instance, MAKEINTRESOURCEA(variant.resourceId), RT_BITMAP))
            present.push_back(variant);
    }
    const std::optional<PictureVariant> nearest = NearestVariant(present, dpi);
    if (!nearest)
        return {};
    UniqueHbitmap picture(static_cast<HBITMAP>(
        LoadImageA(instance, MAKEINTRESOURCEA(nearest->resourceId), IMAGE_BITMAP, 0, 0, 0)));
    if (!picture)
        return {};
    const SIZE drawn = BitmapSize(picture.get());
    if (drawn.cx == size.cx && drawn.cy == size.cy)
        return picture;
    return ScaledCopy(picture.get(), size);
}

bool HighContrastOn() {
    HIGHCONTRASTA setting = {};
    setting.cbSize = sizeof setting;
    return SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
           (setting.dwFlags & HCF_HIGHCONTRASTON);
}

UniqueHbitmap LoadBandPicture(HINSTANCE instance, const PictureResources& ids, UINT dpi,
                              SIZE size) {
    UniqueHbitmap picture = LoadPicture(instance, ids, dpi, size);
    if (!picture || !HighContrastOn())
        return picture;
    UniqueHbitmap redrawn = InTextColours(picture.get());
    return redrawn ? std::move(redrawn) : std::move(picture);
}

UniqueHicon LoadIconAtSize(HINSTANCE instance, int id, int size) {
    static const auto scaleDown =
        SystemFunction<LoadIconWithScaleDownFunction>("comctl32.dll", "LoadIconWithScaleDown");
    UniqueHicon icon;
    if (scaleDown && SUCCEEDED(scaleDown(instance, MAKEINTRESOURCEW(id), size, size, icon.put())))
        return icon;
    icon.reset(
        static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0)));
    return icon;
}

} // namespace zelvo
