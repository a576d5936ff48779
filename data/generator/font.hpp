// A bold sans-serif stroke font: each glyph is a few round-capped strokes on a grid whose cap
// height is 10 units, so text scales cleanly to any pixel size.
#pragma once

#include "canvas.hpp"

#include <string>

namespace zelvo {

struct TextStyle {
    double unit = 1;   // pixels per font unit
    double weight = 2; // stroke width in font units
};

// Width of the text in pixels, from the first ink to the last.
double textWidth(const std::string& text, const TextStyle& style);

// The text as a shape whose cap tops sit on `origin.y` and whose left ink edge is `origin.x`.
// Characters the font lacks are drawn as spaces.
Shape textShape(const std::string& text, Point origin, const TextStyle& style);

} // namespace zelvo
