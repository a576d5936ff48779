#include "formats.hpp"

namespace zelvo {

namespace {

void put16(Bytes& out, unsigned v) {
    out.push_back(static_cast<std::uint8_t>(v & 0xff));
    out.push_back(static_cast<std::uint8_t>((v >> 8) & 0xff));
}

void put32(Bytes& out, std::uint32_t v) {
    put16(out, v & 0xffff);
    put16(out, v >> 16);
}

// Rows of 1bpp masks and of 24-bit pixels are padded to whole 32-bit words.
std::uint32_t maskStride(int width) {
    return static_cast<std::uint32_t>((width + 31) / 32 * 4);
}

void putInfoHeader(Bytes& out, int width, int height, unsigned bitCount, std::uint32_t imageSize,
                   unsigned paletteSize) {
    put32(out, 40);
    put32(out, static_cast<std::uint32_t>(width));
    put32(out, static_cast<std::uint32_t>(height));
    put16(out, 1);
    put16(out, bitCount);
    put32(out, 0); // BI_RGB
    put32(out, imageSize);
    put32(out, 0);
    put32(out, 0);
    put32(out, paletteSize);
    put32(out, 0);
}

// Icon resources store the colour image and then the AND mask, both bottom-up, and declare the
// height of the two together.
Bytes iconImage(const Canvas& c) {
    const std::uint32_t stride = maskStride(c.width());
    const auto xorSize = static_cast<std::uint32_t>(c.width() * c.height() * 4);
    const std::uint32_t andSize = stride * static_cast<std::uint32_t>(c.height());
    Bytes out;
    putInfoHeader(out, c.width(), c.height() * 2, 32, xorSize + andSize, 0);
    for (int y = c.height() - 1; y >= 0; --y) {
        for (int x = 0; x < c.width(); ++x) {
            const Rgba8 p = c.pixel(x, y);
            out.insert(out.end(), {p.b, p.g, p.r, p.a});
        }
    }
    for (int y = c.height() - 1; y >= 0; --y) {
        Bytes row(stride, 0);
        for (int x = 0; x < c.width(); ++x) {
            if (c.pixel(x, y).a == 0) {
                row[static_cast<std::size_t>(x / 8)] |= static_cast<std::uint8_t>(0x80 >> (x % 8));
            }
        }
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

} // namespace

Bytes writeIco(const std::vector<Canvas>& images) {
    Bytes out;
    put16(out, 0);
    put16(out, 1); // icon
    put16(out, static_cast<unsigned>(images.size()));
    std::vector<Bytes> bodies;
    auto offset = static_cast<std::uint32_t>(6 + 16 * images.size());
    for (const Canvas& c : images) {
        bodies.push_back(iconImage(c));
        // A dimension of 256 is written as 0.
        out.push_back(static_cast<std::uint8_t>(c.width() & 0xff));
        out.push_back(static_cast<std::uint8_t>(c.height() & 0xff));
        out.push_back(0); // no palette
        out.push_back(0);
        put16(out, 1);  // planes
        put16(out, 32); // bits per pixel
        put32(out, static_cast<std::uint32_t>(bodies.back().size()));
        put32(out, offset);
        offset += static_cast<std::uint32_t>(bodies.back().size());
    }
    for (const Bytes& body : bodies) {
        out.insert(out.end(), body.begin(), body.end());
    }
    return out;
}

Bytes writeBmp(const Canvas& image) {
    const auto rowSize = static_cast<std::uint32_t>((image.width() * 3 + 3) / 4 * 4);
    const std::uint32_t pixelSize = rowSize * static_cast<std::uint32_t>(image.height());
    Bytes out;
    out.push_back('B');
    out.push_back('M');
    put32(out, 14 + 40 + pixelSize);
    put32(out, 0);
    put32(out, 14 + 40);
    putInfoHeader(out, image.width(), image.height(), 24, pixelSize, 0);
    for (int y = image.height() - 1; y >= 0; --y) {
        const std::size_t start = out.size();
        for (int x = 0; x < image.width(); ++x) {
            const Rgba8 p = image.pixel(x, y);
            out.insert(out.end(), {p.b, p.g, p.r});
        }
        out.resize(start + rowSize, 0);
    }
    return out;
}

Bytes writeCur(const MonoCursor& cursor) {
    const int n = cursor.size;
    const std::uint32_t stride = maskStride(n);
    const std::uint32_t maskSize = stride * static_cast<std::uint32_t>(n);
    // Black shows where both masks are 0, white where XOR is 1, the screen where AND is 1.
    Bytes xorMask, andMask;
    for (int y = n - 1; y >= 0; --y) {
        Bytes xorRow(stride, 0), andRow(stride, 0);
        for (int x = 0; x < n; ++x) {
            const Ink ink = cursor.pixels[static_cast<std::size_t>(y * n + x)];
            const auto bit = static_cast<std::uint8_t>(0x80 >> (x % 8));
            if (ink == Ink::White) {
                xorRow[static_cast<std::size_t>(x / 8)] |= bit;
            } else if (ink == Ink::Clear) {
                andRow[static_cast<std::size_t>(x / 8)] |= bit;
            }
        }
        xorMask.insert(xorMask.end(), xorRow.begin(), xorRow.end());
        andMask.insert(andMask.end(), andRow.begin(), andRow.end());
    }
    Bytes image;
    putInfoHeader(image, n, n * 2, 1, 2 * maskSize, 2);
    put32(image, 0x00000000); // palette: black, white
    put32(image, 0x00ffffff);
    image.insert(image.end(), xorMask.begin(), xorMask.end());
    image.insert(image.end(), andMask.begin(), andMask.end());

    Bytes out;
    put16(out, 0);
    put16(out, 2); // cursor
    put16(out, 1);
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(static_cast<std::uint8_t>(n));
    out.push_back(2); // colours
    out.push_back(0);
    put16(out, static_cast<unsigned>(cursor.hotspotX));
    put16(out, static_cast<unsigned>(cursor.hotspotY));
    put32(out, static_cast<std::uint32_t>(image.size()));
    put32(out, 6 + 16);
    out.insert(out.end(), image.begin(), image.end());
    return out;
}

} // namespace zelvo
