// Pictures under high contrast. Microsoft asks that a picture of many colours then be drawn in
// the user's text colour on the background colour; ours are drawn dark on white paper, so the
// paper becomes the window colour and the drawing the text colour. Pure, over the pixels.
#pragma once

#include <cstdint>
#include <vector>

namespace zelvo {

// Pixels and colours as 0x00RRGGBB (the byte order of a 32-bit bitmap's pixels in memory).
using Pixel = std::uint32_t;

// Redraws pixels in two colours: each takes `ink` in the measure of its darkness, fully from
// 60 % luminance down, and `paper` for the rest. White becomes paper; letters and shapes become
// ink and keep their smooth edges. Whole-number arithmetic, so every build gives the same pixels.
void ToTextColours(std::vector<Pixel>& pixels, Pixel ink, Pixel paper);

} // namespace zelvo
