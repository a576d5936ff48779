// Writers of the Windows picture files the product ships: icons, cursors and bitmaps.
#pragma once

#include "canvas.hpp"

#include <cstdint>
#include <vector>

namespace zelvo {

using Bytes = std::vector<std::uint8_t>;

// One .ico file holding every canvas as a 32-bit BGRA image with its AND mask, in the given order.
Bytes writeIco(const std::vector<Canvas>& images);

// A 24-bit bottom-up .bmp of an opaque canvas.
Bytes writeBmp(const Canvas& image);

enum class Ink : std::uint8_t { Clear, Black, White };

// A monochrome cursor: rows top to bottom, `size` x `size` pixels.
struct MonoCursor {
    int size = 32;
    int hotspotX = 0;
    int hotspotY = 0;
    std::vector<Ink> pixels;
};

Bytes writeCur(const MonoCursor& cursor);

} // namespace zelvo
