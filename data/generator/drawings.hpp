// The product's pictures: drive icons, usage-bar icons, program icons, bitmaps and the cursor.
#pragma once

#include "canvas.hpp"
#include "formats.hpp"

namespace zelvo {

// Icons of the default drive-icon library, index 0 being a plain hard drive.
constexpr int kDriveIconCount = 10;
Canvas driveIcon(int index, int size);

// Usage-bar icons, level 0 (empty) to kUsageLevels - 1 (full).
constexpr int kUsageLevels = 51;
Canvas usageIcon(int level, int size);

// The part of a usage icon that fills up: a rectangle of whole pixels inside the bar's frame.
// It is filled column by column from the left, each column from the bottom, so the number of
// filled pixels is exactly usageFilledPixels().
struct PixelRect {
    int x = 0, y = 0, width = 0, height = 0;
};
PixelRect usageFillRegion(int size);
int usageFilledPixels(int level, int size);
// The colour of the unfilled part of the bar.
Colour usageTrackColour();

Canvas changerIcon(int size);
Canvas updaterIcon(int size);
Canvas removerIcon(int size);
Canvas helpIcon(int size);

// Opaque pictures for the white band at the top of the main window, at 100, 150 and 200 %.
Canvas productPicture(int size);
Canvas bannerPicture(int scalePercent);
Canvas placeholderPicture(int size);

MonoCursor handCursor();

} // namespace zelvo
