#include "art.hpp"
#include "drawings.hpp"
#include "font.hpp"

#include <algorithm>
#include <cmath>

namespace zelvo {

namespace {

constexpr double kPi = 3.14159265358979323846;

// A four-pointed sparkle.
Shape sparkle(double cx, double cy, double r) {
    std::vector<Point> points;
    for (int i = 0; i < 8; ++i) {
        const double angle = i * kPi / 4;
        const double reach = i % 2 == 0 ? r : r * 0.28;
        points.push_back({cx + reach * std::cos(angle), cy + reach * std::sin(angle)});
    }
    return polygon(points);
}

// The icon changer's picture: a drive being repainted.
void drawChanger(Canvas& c) {
    const int size = c.width();
    const double k = size / 48.0;
    const DriveBox box = scaled({3, 45, 9, 39, 19, 32, 44, 3}, size);
    if (detailed(size)) {
        drawShadow(c, size / 2.0, box.bottom, (box.right - box.left) / 2 + 1, size * 0.07, 0.45);
    }
    drawDrive(c, box, blueFinish(), Details::LedAndVents);
    // A fresh dab of paint on the top face.
    c.fill(ellipse(21 * k, box.top + (box.face - box.top) * 0.55, 8 * k, 3.2 * k),
           rgb(0xf4b400, 0.95));

    const double w = std::max(2.0, 5.4 * k);
    const Point handleEnd{46.5 * k, 1.5 * k}, ferrule{33 * k, 15 * k}, neck{29.5 * k, 18.5 * k},
        tip{23 * k, 25 * k};
    const Colour edge = rgb(0x3b2a1c);
    c.fill(segment(handleEnd, ferrule, w + 1.5), edge);
    c.fill(segment(handleEnd, ferrule, w - 0.5),
           linear({40 * k, 4 * k}, rgb(0xf0a45c), {44 * k, 9 * k}, rgb(0xa85a20)));
    c.fill(segment(ferrule, neck, w + 1.5), rgb(0x3d4852));
    c.fill(segment(ferrule, neck, w),
           linear({28 * k, 14 * k}, rgb(0xffffff), {33 * k, 20 * k}, rgb(0x8a96a3)));
    c.fill(segment(neck, tip, w + 2), rgb(0x8a5a00));
    c.fill(segment(neck, tip, w + 0.5),
           linear({24 * k, 19 * k}, rgb(0xffd45a), {30 * k, 25 * k}, rgb(0xe09a00)));

    if (detailed(size)) {
        c.fill(sparkle(9 * k, 8 * k, 7 * k), rgb(0xffc21a));
        c.fill(sparkle(9 * k, 8 * k, 4.5 * k), rgb(0xfff4c2));
        c.fill(sparkle(18 * k, 3.5 * k, 3.5 * k), rgb(0xffc21a));
    } else {
        c.fill(sparkle(4, 4, 3.6), rgb(0xf2a900));
    }
}

void drawHelp(Canvas& c) {
    const double size = c.width();
    const double cx = size / 2, r = size / 2 - 0.5;
    c.fill(ellipse(cx, cx, r, r), rgb(0x164f9c));
    c.fill(ellipse(cx, cx, r - 1, r - 1),
           radial({cx * 0.7, cx * 0.55}, 1.5 * r, rgb(0x6fb0f5), rgb(0x1c5fb8)));
    const TextStyle style{size * 0.062, size < 20 ? 2.4 : 2.1};
    c.fill(textShape("?", {cx - textWidth("?", style) / 2, size * 0.19}, style), rgb(0xffffff));
}

} // namespace

Canvas changerIcon(int size) {
    Canvas c(size, size);
    drawChanger(c);
    return c;
}

Canvas updaterIcon(int size) {
    return usageIcon(33, size);
}

Canvas removerIcon(int size) {
    Canvas c(size, size);
    const double k = size / 48.0;
    const DriveBox box = scaled({1, 43, 7, 37, 6, 21, 34, 3}, size);
    if (detailed(size)) {
        drawShadow(c, box.left + (box.right - box.left) / 2, box.bottom,
                   (box.right - box.left) / 2 + 1, size * 0.08, 0.45);
    }
    drawDrive(c, box, silverFinish(), Details::LedAndVents);
    // The badge stays big enough at 16 pixels for its cross to read.
    const double r = std::max(5.0, 12.5 * k), cx = size - r - 0.5, cy = cx;
    c.fill(ellipse(cx, cy, r, r), rgb(0xffffff));
    c.fill(ellipse(cx, cy, r - std::max(1.0, k), r - std::max(1.0, k)),
           radial({cx - r / 3, cy - r / 3}, 1.4 * r, rgb(0xff7a6e), rgb(0xb71c12)));
    const double a = r * 0.42, w = std::max(1.5, 3.4 * k);
    c.fill(unite(segment({cx - a, cy - a}, {cx + a, cy + a}, w),
                 segment({cx - a, cy + a}, {cx + a, cy - a}, w)),
           rgb(0xffffff));
    return c;
}

Canvas helpIcon(int size) {
    Canvas c(size, size);
    drawHelp(c);
    return c;
}

Canvas productPicture(int size) {
    Canvas c = changerIcon(size);
    c.flatten(rgb(0xffffff));
    return c;
}

Canvas bannerPicture(int scalePercent) {
    const double k = scalePercent / 100.0;
    const int width = 200 * scalePercent / 100, height = 50 * scalePercent / 100;
    Canvas c(width, height);
    c.fill(rect(0, 0, width, height), rgb(0xffffff));
    const TextStyle style{2.1 * k, 1.8};
    const double total = textWidth("Zelvo Drives", style);
    const double x = std::round((width - total) / 2), top = std::round(9 * k);
    const double split = textWidth("Zelvo ", style);
    c.fill(textShape("Zelvo", {x, top}, style), rgb(0x24313f));
    c.fill(textShape("Drives", {x + split, top}, style), rgb(0x2a6fc8));
    // A usage bar under the name, two thirds full.
    const double y0 = top + 10 * style.unit + std::round(5 * k), y1 = y0 + std::round(5 * k);
    c.fill(roundRect(x, y0, x + total, y1, 2.5 * k), rgb(0xe3e8ee));
    c.fill(roundRect(x, y0, x + total * 0.68, y1, 2.5 * k),
           linear({x, 0}, rgb(0x6db3f2), {x + total * 0.68, 0}, rgb(0x2a6fc8)));
    return c;
}

Canvas placeholderPicture(int size) {
    const double k = size / 48.0;
    Canvas c(size, size);
    c.fill(rect(0, 0, size, size), rgb(0xffffff));
    const DriveBox b{4.5 * k, 43.5 * k, 10.5 * k, 37.5 * k, 12.5 * k, 26.5 * k, 39.5 * k, 3 * k};
    const Colour grey = rgb(0xc5cad0);
    const Shape dashes{{0, 0, 48 * k, 48 * k},
                       [k](double x, double y) { return std::fmod((x + y) / k, 5.0) < 2.8; }};
    const std::vector<Point> body{{b.backLeft, b.top}, {b.backRight, b.top}, {b.right, b.face},
                                  {b.right, b.bottom}, {b.left, b.bottom},   {b.left, b.face}};
    const double line = 1.2 * k;
    c.fill(intersect(unite(outline(body, line), segment({b.left, b.face}, {b.right, b.face}, line)),
                     dashes),
           grey);
    const TextStyle style{1.15 * k, 2};
    c.fill(textShape("?", {size / 2.0 - textWidth("?", style) / 2, 14 * k}, style), grey);
    return c;
}

MonoCursor handCursor() {
    // A pointing hand: index finger up with its tip on the hot spot, the other fingers folded.
    const Shape index = roundRect(5, 0, 9, 15, 2);
    const std::vector<Shape> knuckles{roundRect(8, 8, 12, 15, 2), roundRect(11, 9, 15, 15, 2),
                                      roundRect(14, 10, 18, 16, 2)};
    const Shape palm = polygon({{5, 13}, {18, 13}, {18, 20}, {15.5, 25}, {8, 25}, {5, 20.5}});
    const Shape thumb = segment({2.6, 15}, {6.5, 20.5}, 4.6);
    Shape hand = unite(unite(index, palm), thumb);
    for (const Shape& k : knuckles) {
        hand = unite(std::move(hand), k);
    }
    const auto in = [](const Shape& s, int x, int y) { return s.inside(x + 0.5, y + 0.5); };

    MonoCursor cursor;
    cursor.hotspotX = 6;
    cursor.hotspotY = 0;
    cursor.pixels.assign(static_cast<std::size_t>(cursor.size * cursor.size), Ink::Clear);
    for (int y = 0; y < cursor.size; ++y) {
        for (int x = 0; x < cursor.size; ++x) {
            if (!in(hand, x, y)) {
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1; ++dy) {
                for (int dx = -1; dx <= 1; ++dx) {
                    edge = edge || !in(hand, x + dx, y + dy);
                }
            }
            // The left side of each folded finger, down to the palm, separates the fingers.
            for (const Shape& k : knuckles) {
                edge = edge || (y < 13 && in(k, x, y) && !in(k, x - 1, y));
            }
            cursor.pixels[static_cast<std::size_t>(y * cursor.size + x)] =
                edge ? Ink::Black : Ink::White;
        }
    }
    return cursor;
}

} // namespace zelvo
