#include "text_colours.h"

#include <algorithm>

namespace zelvo {

namespace {

// Luminance in thousandths of a channel step (Rec. 601 weights): white is 255000.
constexpr std::int32_t kWhite = 255000;
// Darkness from which a pixel is all ink: the 40 % of the range below white.
constexpr std::int32_t kFullInk = kWhite * 2 / 5;

std::int32_t Channel(Pixel colour, int shift) {
    return static_cast<std::int32_t>((colour >> shift) & 0xFF);
}

} // namespace

void ToTextColours(std::vector<Pixel>& pixels, Pixel ink, Pixel paper) {
    for (Pixel& pixel : pixels) {
        const std::int32_t luminance =
            299 * Channel(pixel, 16) + 587 * Channel(pixel, 8) + 114 * Channel(pixel, 0);
        const std::int32_t share = std::min(kWhite - luminance, kFullInk); // of kFullInk
        Pixel mixed = 0;
        for (const int shift : {16, 8, 0}) {
            const std::int32_t channel = (Channel(paper, shift) * (kFullInk - share) +
                                          Channel(ink, shift) * share + kFullInk / 2) /
                                         kFullInk;
            mixed |= static_cast<Pixel>(channel) << shift;
        }
        pixel = mixed;
    }
}

} // namespace zelvo
