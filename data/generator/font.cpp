#include "font.hpp"

#include <vector>

namespace zelvo {

namespace {

// Strokes are laid out on their centre lines for a stroke 2 units wide; other weights keep the
// centre lines and scale the dots. Baseline y = 10, x-height y = 3, cap height y = 0.
struct Stroke {
    enum Kind { Line, Arc, Dot } kind;
    Point a;
    Point b;         // line end
    double radius;   // arc radius, dot radius
    double from, to; // arc angles
};

struct Glyph {
    char c;
    double advance; // ink width at the design weight
    std::vector<Stroke> strokes;
};

Stroke line(double x0, double y0, double x1, double y1) {
    return {Stroke::Line, {x0, y0}, {x1, y1}, 0, 0, 0};
}
Stroke curve(double cx, double cy, double r, double from, double to) {
    return {Stroke::Arc, {cx, cy}, {}, r, from, to};
}
Stroke dot(double cx, double cy, double r) {
    return {Stroke::Dot, {cx, cy}, {}, r, 0, 0};
}

const std::vector<Glyph>& glyphs() {
    static const std::vector<Glyph> table = {
        {'Z', 7.4, {line(1, 1, 6.4, 1), line(6.4, 1, 1, 9), line(1, 9, 6.4, 9)}},
        {'D',
         8.4,
         {line(1, 1, 1, 9), line(1, 1, 3.4, 1), line(1, 9, 3.4, 9), curve(3.4, 5, 4, -90, 90)}},
        {'e', 7, {line(1.1, 6.5, 5.9, 6.5), curve(3.5, 6.5, 2.5, 45, 360)}},
        {'l', 2, {line(1, 1, 1, 9)}},
        {'i', 2, {line(1, 4, 1, 9), dot(1, 0.9, 1.05)}},
        {'o', 7, {curve(3.5, 6.5, 2.5, 0, 360)}},
        {'v', 7, {line(1, 4, 3.5, 9), line(3.5, 9, 6, 4)}},
        {'r', 5.4, {line(1, 4, 1, 9), curve(4.4, 7.4, 3.4, 200, 290)}},
        {'s',
         6.6,
         {line(3, 4, 5.6, 4), curve(3, 5.25, 1.25, 90, 270), line(3, 6.5, 3.6, 6.5),
          curve(3.6, 7.75, 1.25, -90, 90), line(3.6, 9, 1, 9)}},
        {'?',
         7,
         {curve(3.5, 3.3, 2.5, 180, 405), line(5.27, 5.07, 3.5, 6.6), line(3.5, 6.6, 3.5, 7),
          dot(3.5, 9.1, 1.1)}},
    };
    return table;
}

constexpr double kSpace = 3.4;
constexpr double kTracking = 1.1;

const Glyph* find(char c) {
    for (const Glyph& g : glyphs()) {
        if (g.c == c) {
            return &g;
        }
    }
    return nullptr;
}

} // namespace

double textWidth(const std::string& text, const TextStyle& style) {
    double width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const Glyph* g = find(text[i]);
        width += g ? g->advance : kSpace;
        if (i + 1 < text.size()) {
            width += kTracking;
        }
    }
    return width * style.unit;
}

Shape textShape(const std::string& text, Point origin, const TextStyle& style) {
    Shape result = rect(0, 0, 0, 0);
    double pen = 0;
    for (char c : text) {
        const Glyph* g = find(c);
        if (!g) {
            pen += kSpace + kTracking;
            continue;
        }
        const auto at = [&](Point p) {
            return Point{origin.x + (pen + p.x) * style.unit, origin.y + p.y * style.unit};
        };
        const double w = style.weight * style.unit;
        for (const Stroke& s : g->strokes) {
            switch (s.kind) {
            case Stroke::Line:
                result = unite(std::move(result), segment(at(s.a), at(s.b), w));
                break;
            case Stroke::Arc:
                result =
                    unite(std::move(result), arc(at(s.a), s.radius * style.unit, s.from, s.to, w));
                break;
            case Stroke::Dot:
                result = unite(std::move(result),
                               ellipse(at(s.a).x, at(s.a).y, s.radius * w / 2, s.radius * w / 2));
                break;
            }
        }
        pen += g->advance + kTracking;
    }
    return result;
}

} // namespace zelvo
