// The main window's pictures at the window's resolution: drawn for 100, 150 and 200 %, and
// brought to the exact size the window's twips give; under high contrast, in the user's colours.
#pragma once

#include "unique_handle.h"

#include <windows.h>

namespace zelvo {

// A picture's bitmap resources, drawn for 100, 150 and 200 %; the larger ones may be missing.
struct PictureResources {
    int at100, at150, at200;
};

// The picture at exactly size pixels: the variant drawn for the scale nearest to dpi, scaled
// smoothly when its size differs. Null when no variant loads.
UniqueHbitmap LoadPicture(HINSTANCE instance, const PictureResources& ids, UINT dpi, SIZE size);

// True while the user has high contrast switched on.
bool HighContrastOn();

// A picture for the white band, as LoadPicture gives it; under high contrast redrawn in the
// text colour on the window colour (see text_colours.h), as LoadPicture's when that fails.
UniqueHbitmap LoadBandPicture(HINSTANCE instance, const PictureResources& ids, UINT dpi, SIZE size);

// An icon resource at exactly size x size pixels: its image of that size, else the nearest one
// scaled (down from a larger one where Windows can).
UniqueHicon LoadIconAtSize(HINSTANCE instance, int id, int size);

} // namespace zelvo
