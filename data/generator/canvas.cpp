#include "canvas.hpp"

#include <algorithm>
#include <cmath>
#include <utility>

namespace zelvo {

namespace {

// 8 x 8 samples per pixel: smooth edges without visible banding at icon sizes.
constexpr int kSamples = 8;
constexpr double kPi = 3.14159265358979323846;

double clamp01(double v) {
    return std::min(1.0, std::max(0.0, v));
}

double distanceToSegment(double x, double y, Point a, Point b) {
    const double dx = b.x - a.x, dy = b.y - a.y;
    const double lengthSq = dx * dx + dy * dy;
    double t = lengthSq > 0 ? ((x - a.x) * dx + (y - a.y) * dy) / lengthSq : 0;
    t = clamp01(t);
    const double px = a.x + t * dx - x, py = a.y + t * dy - y;
    return std::sqrt(px * px + py * py);
}

Bounds merge(Bounds a, Bounds b) {
    return {std::min(a.x0, b.x0), std::min(a.y0, b.y0), std::max(a.x1, b.x1), std::max(a.y1, b.y1)};
}

} // namespace

Colour rgb(unsigned hex, double alpha) {
    return {((hex >> 16) & 0xff) / 255.0, ((hex >> 8) & 0xff) / 255.0, (hex & 0xff) / 255.0, alpha};
}

Colour mix(Colour from, Colour to, double t) {
    t = clamp01(t);
    return {from.r + (to.r - from.r) * t, from.g + (to.g - from.g) * t,
            from.b + (to.b - from.b) * t, from.a + (to.a - from.a) * t};
}

Shape rect(double x0, double y0, double x1, double y1) {
    return {{x0, y0, x1, y1},
            [=](double x, double y) { return x >= x0 && x < x1 && y >= y0 && y < y1; }};
}

Shape roundRect(double x0, double y0, double x1, double y1, double radius) {
    return {{x0, y0, x1, y1}, [=](double x, double y) {
                if (x < x0 || x >= x1 || y < y0 || y >= y1) {
                    return false;
                }
                const double cx = std::clamp(x, x0 + radius, x1 - radius);
                const double cy = std::clamp(y, y0 + radius, y1 - radius);
                return (x - cx) * (x - cx) + (y - cy) * (y - cy) <= radius * radius;
            }};
}

Shape ellipse(double cx, double cy, double rx, double ry) {
    return {{cx - rx, cy - ry, cx + rx, cy + ry}, [=](double x, double y) {
                const double u = (x - cx) / rx, v = (y - cy) / ry;
                return u * u + v * v <= 1.0;
            }};
}

Shape polygon(std::vector<Point> points) {
    Bounds b{points[0].x, points[0].y, points[0].x, points[0].y};
    for (const Point& p : points) {
        b = merge(b, {p.x, p.y, p.x, p.y});
    }
    return {b, [pts = std::move(points)](double x, double y) {
                bool in = false;
                for (std::size_t i = 0, j = pts.size() - 1; i < pts.size(); j = i++) {
                    if ((pts[i].y > y) != (pts[j].y > y) &&
                        x < (pts[j].x - pts[i].x) * (y - pts[i].y) / (pts[j].y - pts[i].y) +
                                pts[i].x) {
                        in = !in;
                    }
                }
                return in;
            }};
}

Shape segment(Point a, Point b, double width) {
    const double h = width / 2;
    return {{std::min(a.x, b.x) - h, std::min(a.y, b.y) - h, std::max(a.x, b.x) + h,
             std::max(a.y, b.y) + h},
            [=](double x, double y) { return distanceToSegment(x, y, a, b) <= h; }};
}

Shape arc(Point centre, double radius, double fromDeg, double toDeg, double width) {
    const double h = width / 2;
    const double span = toDeg - fromDeg;
    const Point start{centre.x + radius * std::cos(fromDeg * kPi / 180),
                      centre.y + radius * std::sin(fromDeg * kPi / 180)};
    const Point end{centre.x + radius * std::cos(toDeg * kPi / 180),
                    centre.y + radius * std::sin(toDeg * kPi / 180)};
    const double reach = radius + h;
    return {{centre.x - reach, centre.y - reach, centre.x + reach, centre.y + reach},
            [=](double x, double y) {
                const double dx = x - centre.x, dy = y - centre.y;
                double angle = std::atan2(dy, dx) * 180 / kPi - fromDeg;
                angle = std::fmod(std::fmod(angle, 360.0) + 360.0, 360.0);
                if (angle <= span) {
                    return std::fabs(std::sqrt(dx * dx + dy * dy) - radius) <= h;
                }
                const double sx = x - start.x, sy = y - start.y;
                const double ex = x - end.x, ey = y - end.y;
                return sx * sx + sy * sy <= h * h || ex * ex + ey * ey <= h * h;
            }};
}

Shape outline(const std::vector<Point>& points, double width) {
    Shape result = segment(points.back(), points.front(), width);
    for (std::size_t i = 1; i < points.size(); ++i) {
        result = unite(std::move(result), segment(points[i - 1], points[i], width));
    }
    return result;
}

Shape unite(Shape a, Shape b) {
    return {merge(a.bounds, b.bounds), [a = std::move(a.inside), b = std::move(b.inside)](
                                           double x, double y) { return a(x, y) || b(x, y); }};
}

Shape subtract(Shape a, Shape b) {
    return {a.bounds, [a = std::move(a.inside), b = std::move(b.inside)](double x, double y) {
                return a(x, y) && !b(x, y);
            }};
}

Shape intersect(Shape a, Shape b) {
    const Bounds box{std::max(a.bounds.x0, b.bounds.x0), std::max(a.bounds.y0, b.bounds.y0),
                     std::min(a.bounds.x1, b.bounds.x1), std::min(a.bounds.y1, b.bounds.y1)};
    return {box, [a = std::move(a.inside), b = std::move(b.inside)](double x, double y) {
                return a(x, y) && b(x, y);
            }};
}

std::vector<Point> inset(const std::vector<Point>& convex, double distance) {
    const std::size_t n = convex.size();
    // Each edge moved inwards, as a point on it and its direction.
    std::vector<std::pair<Point, Point>> lines;
    for (std::size_t i = 0; i < n; ++i) {
        const Point a = convex[i], b = convex[(i + 1) % n];
        const double dx = b.x - a.x, dy = b.y - a.y;
        const double length = std::sqrt(dx * dx + dy * dy);
        const Point normal{-dy / length, dx / length};
        lines.push_back({{a.x + normal.x * distance, a.y + normal.y * distance}, {dx, dy}});
    }
    std::vector<Point> result;
    for (std::size_t i = 0; i < n; ++i) {
        const auto& [p, d] = lines[(i + n - 1) % n];
        const auto& [q, e] = lines[i];
        const double t = ((q.x - p.x) * e.y - (q.y - p.y) * e.x) / (d.x * e.y - d.y * e.x);
        result.push_back({p.x + d.x * t, p.y + d.y * t});
    }
    return result;
}

Paint solid(Colour c) {
    return [c](double, double) { return c; };
}

Paint linear(Point p0, Colour c0, Point p1, Colour c1) {
    const double dx = p1.x - p0.x, dy = p1.y - p0.y;
    const double lengthSq = dx * dx + dy * dy;
    return [=](double x, double y) {
        return mix(c0, c1, ((x - p0.x) * dx + (y - p0.y) * dy) / lengthSq);
    };
}

Paint radial(Point centre, double radius, Colour inner, Colour outer) {
    return [=](double x, double y) {
        const double dx = x - centre.x, dy = y - centre.y;
        return mix(inner, outer, std::sqrt(dx * dx + dy * dy) / radius);
    };
}

Canvas::Canvas(int width, int height)
    : width_(width), height_(height),
      premultiplied_(static_cast<std::size_t>(width) * static_cast<std::size_t>(height)) {}

void Canvas::fill(const Shape& shape, const Paint& paint) {
    const int x0 = std::max(0, static_cast<int>(std::floor(shape.bounds.x0)));
    const int y0 = std::max(0, static_cast<int>(std::floor(shape.bounds.y0)));
    const int x1 = std::min(width_, static_cast<int>(std::ceil(shape.bounds.x1)));
    const int y1 = std::min(height_, static_cast<int>(std::ceil(shape.bounds.y1)));
    for (int y = y0; y < y1; ++y) {
        for (int x = x0; x < x1; ++x) {
            int hits = 0;
            for (int sy = 0; sy < kSamples; ++sy) {
                for (int sx = 0; sx < kSamples; ++sx) {
                    hits += shape.inside(x + (sx + 0.5) / kSamples, y + (sy + 0.5) / kSamples);
                }
            }
            if (hits == 0) {
                continue;
            }
            const Colour c = paint(x + 0.5, y + 0.5);
            const double a = c.a * hits / (kSamples * kSamples);
            Colour& d = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
            d = {c.r * a + d.r * (1 - a), c.g * a + d.g * (1 - a), c.b * a + d.b * (1 - a),
                 a + d.a * (1 - a)};
        }
    }
}

void Canvas::fill(const Shape& shape, Colour colour) {
    fill(shape, solid(colour));
}

void Canvas::set(int x, int y, Colour c) {
    premultiplied_[static_cast<std::size_t>(y * width_ + x)] = {c.r * c.a, c.g * c.a, c.b * c.a,
                                                                c.a};
}

void Canvas::flatten(Colour background) {
    for (Colour& d : premultiplied_) {
        d = {d.r + background.r * (1 - d.a), d.g + background.g * (1 - d.a),
             d.b + background.b * (1 - d.a), 1.0};
    }
}

Rgba8 Canvas::pixel(int x, int y) const {
    const Colour& p = premultiplied_[static_cast<std::size_t>(y * width_ + x)];
    const auto byte = [](double v) {
        return static_cast<std::uint8_t>(std::lround(clamp01(v) * 255));
    };
    // Fully transparent pixels carry no colour, so equal images give equal bytes.
    const std::uint8_t alpha = byte(p.a);
    if (alpha == 0) {
        return {};
    }
    return {byte(p.r / p.a), byte(p.g / p.a), byte(p.b / p.a), alpha};
}

} // namespace zelvo
