#include "art.hpp"
#include "drawings.hpp"

#include <algorithm>
#include <cmath>

namespace zelvo {

namespace {

const DriveBox kStandingDrive{3, 45, 9, 39, 12, 27, 40, 3};

void hardDrive(Canvas& c, const Finish& finish) {
    const int size = c.width();
    const DriveBox box = scaled(kStandingDrive, size);
    if (detailed(size)) {
        drawShadow(c, size / 2.0, box.bottom, (box.right - box.left) / 2 + 1, size * 0.09, 0.45);
    }
    drawDrive(c, box, finish, Details::LedAndVents);
}

// A USB stick lying flat: a plastic body and a metal plug to the right.
void usbStick(Canvas& c) {
    const int size = c.width();
    const double k = size / 48.0;
    const auto s = [k](double v) { return std::round(v * k); };
    const Colour edge = rgb(0x173a63);
    if (detailed(size)) {
        drawShadow(c, size / 2.0, s(36), size * 0.46, size * 0.08, 0.4);
    }
    const double x0 = s(2), x1 = s(33), y0 = s(13), y1 = s(35);
    const double px1 = s(47), py0 = s(17), py1 = s(31);
    // Plug: a metal sleeve with two contact windows.
    c.fill(rect(x1 - 1, py0, px1, py1), rgb(0x4a545e));
    c.fill(rect(x1, py0 + 1, px1 - 1, py1 - 1),
           linear({0, py0}, rgb(0xfbfcfd), {0, py1}, rgb(0x9aa4ae)));
    const double hole = std::max(1.0, s(3));
    for (double hy : {s(21), s(28) - hole}) {
        c.fill(rect(s(39), hy, s(39) + hole, hy + hole), rgb(0x4a545e));
    }
    // Body with a gloss on its upper half.
    c.fill(roundRect(x0, y0, x1, y1, 3 * k + 0.5), edge);
    c.fill(roundRect(x0 + 1, y0 + 1, x1 - 1, y1 - 1, 3 * k - 0.5),
           linear({0, y0}, rgb(0x5aa3ec), {0, y1}, rgb(0x1d5aa5)));
    if (detailed(size)) {
        c.fill(roundRect(x0 + 2, y0 + 2, x1 - 2, (y0 + y1) / 2, 2 * k), rgb(0xffffff, 0.28));
        // Lanyard eye and activity light.
        c.fill(ellipse(x0 + 5 * k, (y0 + y1) / 2, 2.2 * k, 2.2 * k), edge);
        c.fill(ellipse(x1 - 5 * k, y1 - 5 * k, 1.4 * k, 1.4 * k), rgb(0xffc83a));
    } else {
        c.fill(rect(x1 - 3, y1 - 3, x1 - 2, y1 - 2), rgb(0xffc83a));
    }
}

// A disc rising out of an optical drive's tray slot.
void opticalDrive(Canvas& c) {
    const int size = c.width();
    const double k = size / 48.0;
    const auto s = [k](double v) { return std::round(v * k); };
    const double cx = size / 2.0, cy = s(20), r = 17 * k;
    if (detailed(size)) {
        drawShadow(c, cx, s(42), size * 0.46, size * 0.08, 0.45);
    }
    const Shape disc = subtract(ellipse(cx, cy, r, r), ellipse(cx, cy, 2.4 * k, 2.4 * k));
    c.fill(disc, rgb(0x5e6974));
    c.fill(subtract(ellipse(cx, cy, r - 1, r - 1), ellipse(cx, cy, 2.4 * k + 1, 2.4 * k + 1)),
           radial({cx - r * 0.3, cy - r * 0.4}, 1.6 * r, rgb(0xfdfdff), rgb(0xaab4c0)));
    // The rainbow sheen of the data side, as two tinted wedges across the disc.
    const Shape inner = ellipse(cx, cy, r - 1.5, r - 1.5);
    c.fill(intersect(polygon({{cx, cy}, {cx + r, cy - r * 0.9}, {cx + r, cy - r * 0.1}}), inner),
           linear({cx, cy}, rgb(0xff7ad1, 0.0), {cx + r, cy - r / 2}, rgb(0xff7ad1, 0.45)));
    c.fill(intersect(polygon({{cx, cy}, {cx - r, cy + r * 0.1}, {cx - r, cy + r * 0.9}}), inner),
           linear({cx, cy}, rgb(0x55d7ff, 0.0), {cx - r, cy + r / 2}, rgb(0x55d7ff, 0.5)));
    c.fill(subtract(ellipse(cx, cy, 6 * k, 6 * k), ellipse(cx, cy, 2.4 * k, 2.4 * k)),
           rgb(0xe9edf1, 0.9));
    c.fill(arc({cx, cy}, 6 * k, 0, 360, std::max(0.8, k)), rgb(0x8c97a2, 0.8));
    // The drive's front, with its tray slot and eject button.
    const double y0 = s(31), y1 = s(42);
    c.fill(roundRect(s(3), y0, s(45), y1, 2.5 * k + 0.5), rgb(0x3d4852));
    c.fill(roundRect(s(3) + 1, y0 + 1, s(45) - 1, y1 - 1, 2.5 * k - 0.5),
           linear({0, y0}, rgb(0xe4e9ee), {0, y1}, rgb(0x8792a0)));
    if (detailed(size)) {
        c.fill(rect(s(7), y0 + 3 * k, s(41), y0 + 4.6 * k), rgb(0x2f3943));
        c.fill(roundRect(s(35), y1 - 5 * k, s(41), y1 - 2.6 * k, k), rgb(0x56616c));
    } else {
        c.fill(rect(s(7), y0 + 2, s(41), y0 + 3), rgb(0x2f3943));
    }
}

// A drive hanging off a network line.
void networkDrive(Canvas& c) {
    const int size = c.width();
    const double k = size / 48.0;
    const auto s = [k](double v) { return std::round(v * k); };
    const DriveBox box = scaled({5, 43, 11, 37, 3, 16, 28, 3}, size);
    const double cx = size / 2.0;
    const double wire = std::max(2.0, s(4));
    const double lineTop = s(38), lineBottom = s(45);
    // Cable from the drive down to the line, drawn first so the drive sits over its end.
    c.fill(rect(cx - wire / 2, box.bottom - 1, cx + wire / 2, lineTop), rgb(0x1e5b2a));
    if (detailed(size)) {
        c.fill(rect(cx - wire / 2 + 1, box.bottom - 1, cx - wire / 2 + 2, lineTop), rgb(0x63c36f));
    }
    c.fill(roundRect(s(1), lineTop, s(47), lineBottom, 1.5 * k + 0.5), rgb(0x1e5b2a));
    c.fill(roundRect(s(1) + 1, lineTop + 1, s(47) - 1, lineBottom - 1, 1.5 * k - 0.5),
           linear({0, lineTop}, rgb(0x8fdc8a), {0, lineBottom}, rgb(0x2c8a3c)));
    if (detailed(size)) {
        c.fill(roundRect(cx - wire, lineTop - 2 * k, cx + wire, lineTop + 1, k), rgb(0x1e5b2a));
    }
    drawDrive(c, box, silverFinish(), Details::LedAndVents);
}

// A 3.5-inch diskette: shell with a clipped corner, metal shutter and paper label.
void floppy(Canvas& c) {
    const int size = c.width();
    const double k = size / 48.0;
    const auto s = [k](double v) { return std::round(v * k); };
    const double x0 = s(5), y0 = s(4), x1 = s(43), y1 = s(42), cut = std::max(2.0, s(5));
    if (detailed(size)) {
        drawShadow(c, size / 2.0, y1, size * 0.44, size * 0.07, 0.45);
    }
    const std::vector<Point> shell{{x0, y0}, {x1 - cut, y0}, {x1, y0 + cut}, {x1, y1}, {x0, y1}};
    c.fill(polygon(shell), rgb(0x14294a));
    c.fill(polygon(inset(shell, 1)), linear({x0, y0}, rgb(0x4a78c2), {x1, y1}, rgb(0x1d3b72)));
    // Shutter with its window.
    const double sx0 = s(14), sx1 = s(33), sy1 = s(19);
    c.fill(rect(sx0, y0, sx1, sy1), rgb(0x4f5964));
    c.fill(rect(sx0 + 1, y0 + 1, sx1 - 1, sy1 - 1),
           linear({sx0, 0}, rgb(0xf3f6f9), {sx1, 0}, rgb(0xa3adb8)));
    c.fill(rect(s(26), y0 + std::max(1.0, s(3)), s(30), sy1 - std::max(1.0, s(3))), rgb(0x26303a));
    // Label reaching the bottom edge.
    const double lx0 = s(10), lx1 = s(38), ly0 = s(25);
    c.fill(rect(lx0, ly0, lx1, y1 - 1), rgb(0xfbfbf7));
    if (detailed(size)) {
        c.fill(rect(lx0, ly0, lx1, ly0 + 3 * k), rgb(0xe0534a));
        for (double y = ly0 + 7 * k; y < y1 - 3 * k; y += 4 * k) {
            c.fill(rect(lx0 + 3 * k, std::round(y), lx1 - 3 * k, std::round(y) + 1), rgb(0x9fb4d6));
        }
    } else {
        c.fill(rect(lx0, ly0, lx1, ly0 + 1), rgb(0xe0534a));
    }
}

// Usage icons: the drive above, the bar below. Frame and fill region per size, in whole pixels.
struct UsageLayout {
    DriveBox drive;
    PixelRect frame;
};

UsageLayout usageLayout(int size) {
    if (size <= 16) {
        return {{1, 15, 3, 13, 1, 5, 10, 1.5}, {1, 11, 14, 5}};
    }
    if (size <= 32) {
        return {{2, 30, 6, 26, 2, 10, 20, 2}, {2, 22, 28, 8}};
    }
    return {{3, 45, 9, 39, 3, 15, 30, 3}, {3, 33, 42, 11}};
}

Colour usageFillColour(int level) {
    if (level * 10 >= (kUsageLevels - 1) * 9) {
        return rgb(0xd9342b); // 90 % and more: nearly out of space
    }
    if (level * 10 >= (kUsageLevels - 1) * 8) {
        return rgb(0xf0a21e); // 80 % and more: filling up
    }
    return rgb(0x2a7de1);
}

void drawUsage(Canvas& c, int level) {
    const int size = c.width();
    const UsageLayout layout = usageLayout(size);
    const PixelRect f = layout.frame;
    drawDrive(c, layout.drive, silverFinish(), Details::Led);
    if (detailed(size)) {
        drawShadow(c, size / 2.0, f.y + f.height, f.width / 2.0 + 1, size * 0.08, 0.4);
    }
    c.fill(rect(f.x, f.y, f.x + f.width, f.y + f.height), rgb(0x3d4852));

    const PixelRect r = usageFillRegion(size);
    const int filled = usageFilledPixels(level, size);
    const Colour base = usageFillColour(level);
    for (int x = 0; x < r.width; ++x) {
        for (int y = 0; y < r.height; ++y) {
            const bool isFilled = x * r.height + (r.height - 1 - y) < filled;
            Colour colour = usageTrackColour();
            if (isFilled) {
                // Lit from above: a light top row, a darker bottom row.
                colour = y == 0 ? mix(base, rgb(0xffffff), 0.4)
                                : mix(base, rgb(0x000000), 0.18 * y / r.height);
            }
            c.set(r.x + x, r.y + y, colour);
        }
    }
}

} // namespace

PixelRect usageFillRegion(int size) {
    const PixelRect f = usageLayout(size).frame;
    return {f.x + 1, f.y + 1, f.width - 2, f.height - 2};
}

int usageFilledPixels(int level, int size) {
    const PixelRect r = usageFillRegion(size);
    const int area = r.width * r.height;
    const int last = kUsageLevels - 1;
    return (2 * level * area + last) / (2 * last);
}

Colour usageTrackColour() {
    return rgb(0xe6ebf0);
}

Canvas usageIcon(int level, int size) {
    Canvas c(size, size);
    drawUsage(c, level);
    return c;
}

Canvas driveIcon(int index, int size) {
    Canvas c(size, size);
    switch (index) {
    case 1:
        usbStick(c);
        break;
    case 2:
        opticalDrive(c);
        break;
    case 3:
        networkDrive(c);
        break;
    case 4:
        floppy(c);
        break;
    case 5:
        hardDrive(c, blueFinish());
        break;
    case 6:
        hardDrive(c, greenFinish());
        break;
    case 7:
        hardDrive(c, redFinish());
        break;
    case 8:
        hardDrive(c, orangeFinish());
        break;
    case 9:
        hardDrive(c, graphiteFinish());
        break;
    default:
        hardDrive(c, silverFinish());
        break;
    }
    return c;
}

} // namespace zelvo
