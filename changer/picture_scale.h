// Which of a picture's variants to draw at a resolution: each is drawn for a scale (100 % at
// 96 dpi, 150 %, 200 %), and the one nearest the window's scale is used.
#pragma once

#include <optional>
#include <vector>

namespace zelvo {

struct PictureVariant {
    int resourceId;
    int percent; // the scale it is drawn for
};

// The variant drawn for the scale nearest to dpi; of two equally near, the larger, as scaling
// down keeps more detail than scaling up. Nothing when there is no variant.
std::optional<PictureVariant> NearestVariant(const std::vector<PictureVariant>& present,
                                             unsigned dpi);

} // namespace zelvo
