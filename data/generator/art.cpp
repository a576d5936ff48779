#include "art.hpp"

#include <algorithm>
#include <cmath>

namespace zelvo {

DriveBox scaled(const DriveBox& d, int size) {
    const double k = size / 48.0;
    const auto snap = [k](double v) { return std::round(v * k); };
    return {snap(d.left), snap(d.right), snap(d.backLeft), snap(d.backRight),
            snap(d.top),  snap(d.face),  snap(d.bottom),   std::max(1.0, d.radius * k)};
}

std::vector<Point> topFace(const DriveBox& b) {
    return {{b.backLeft, b.top}, {b.backRight, b.top}, {b.right, b.face + 1}, {b.left, b.face + 1}};
}

Finish silverFinish() {
    return {rgb(0xf7f9fb), rgb(0xd3d9df), rgb(0xbdc5cd), rgb(0x7c8792), rgb(0x3d4852)};
}
Finish blueFinish() {
    return {rgb(0xe3eefc), rgb(0xa9c7ef), rgb(0x6aa2e6), rgb(0x1f5cb2), rgb(0x153f7a)};
}
Finish greenFinish() {
    return {rgb(0xe4f5e5), rgb(0xa9dcaf), rgb(0x62bd6b), rgb(0x23773a), rgb(0x16502a)};
}
Finish redFinish() {
    return {rgb(0xfce4e1), rgb(0xf0aca6), rgb(0xe2665c), rgb(0xa4271f), rgb(0x6c1a14)};
}
Finish orangeFinish() {
    return {rgb(0xfdeed8), rgb(0xf6cc91), rgb(0xf4a245), rgb(0xc0620c), rgb(0x7a3e08)};
}
Finish graphiteFinish() {
    return {rgb(0x9aa1a9), rgb(0x646c75), rgb(0x525a63), rgb(0x23282e), rgb(0x101316)};
}

void drawDrive(Canvas& canvas, const DriveBox& b, const Finish& f, Details details) {
    const std::vector<Point> top = topFace(b);
    canvas.fill(unite(polygon(top), roundRect(b.left, b.face, b.right, b.bottom, b.radius)),
                f.edge);
    canvas.fill(polygon(inset(top, 1)), linear({0, b.top}, f.topLight, {0, b.face}, f.topDark));
    canvas.fill(roundRect(b.left + 1, b.face + 1, b.right - 1, b.bottom - 1, b.radius - 1),
                linear({0, b.face + 1}, f.frontLight, {0, b.bottom - 1}, f.frontDark));

    const double height = b.bottom - b.face;
    const bool large = height >= 8;
    if (large) {
        // A lit edge under the seam gives the front its depth.
        canvas.fill(rect(b.left + 2, b.face + 1, b.right - 2, b.face + 2), rgb(0xffffff, 0.45));
    }
    if (details == Details::None) {
        return;
    }
    const double mid = (b.face + b.bottom) / 2;
    if (large) {
        const double r = height / 9;
        const Point led{b.right - 3.5 * r - 2, mid + 0.5};
        canvas.fill(ellipse(led.x, led.y, 2.2 * r, 2.2 * r), rgb(0x7cff7c, 0.35));
        canvas.fill(
            ellipse(led.x, led.y, 1.2 * r, 1.2 * r),
            radial({led.x - 0.4 * r, led.y - 0.4 * r}, 1.6 * r, rgb(0xd8ffd0), rgb(0x1fa531)));
    } else {
        canvas.fill(rect(b.right - 4, std::floor(mid), b.right - 2, std::floor(mid) + 1),
                    rgb(0x2ed04a));
    }
    if (details == Details::LedAndVents && large) {
        const double slot = std::round(height * 0.22);
        for (double x = b.left + 4; x < b.left + (b.right - b.left) * 0.42; x += 3) {
            canvas.fill(rect(x, mid - slot + 0.5, x + 1, mid + slot + 0.5), f.edge);
            canvas.fill(rect(x + 1, mid - slot + 0.5, x + 2, mid + slot + 0.5), rgb(0xffffff, 0.3));
        }
    }
}

void drawShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double strength) {
    canvas.fill(ellipse(cx, cy, rx, ry), [=](double x, double y) {
        const double u = (x - cx) / rx, v = (y - cy) / ry;
        const double d = std::sqrt(u * u + v * v);
        return Colour{0, 0, 0, strength * (1 - d) * (1 - d)};
    });
}

} // namespace zelvo
