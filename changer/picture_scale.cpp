#include "picture_scale.h"

#include "resolution.h"

#include <cstdlib>

namespace zelvo {

std::optional<PictureVariant> NearestVariant(const std::vector<PictureVariant>& present,
                                             unsigned dpi) {
    std::optional<PictureVariant> best;
    // Distances compared in units of 1/96 percent, so that no rounding decides a tie.
    const long wanted = static_cast<long>(dpi) * 100;
    long bestDistance = 0;
    for (const PictureVariant& variant : present) {
        const long distance = std::labs(variant.percent * static_cast<long>(kDefaultDpi) - wanted);
        if (!best || distance < bestDistance ||
            (distance == bestDistance && variant.percent > best->percent)) {
            best = variant;
            bestDistance = distance;
        }
    }
    return best;
}

} // namespace zelvo
