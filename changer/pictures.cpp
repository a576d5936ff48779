#include "pictures.h"

#include "picture_scale.h"
#include "system_function.h"

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
