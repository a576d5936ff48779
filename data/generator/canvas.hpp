// A small anti-aliased rasteriser: shapes are inside-tests over the plane, painted onto an RGBA
// canvas by supersampling each pixel.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace zelvo {

// Straight (not premultiplied) colour, every channel 0..1.
struct Colour {
    double r = 0, g = 0, b = 0, a = 0;
};

Colour rgb(unsigned hex, double alpha = 1.0);
Colour mix(Colour from, Colour to, double t);

struct Point {
    double x = 0, y = 0;
};

struct Bounds {
    double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
};

// A region of the plane in pixel units (pixel (i, j) covers [i, i+1) x [j, j+1)).
struct Shape {
    Bounds bounds;
    std::function<bool(double, double)> inside;
};

Shape rect(double x0, double y0, double x1, double y1);
Shape roundRect(double x0, double y0, double x1, double y1, double radius);
Shape ellipse(double cx, double cy, double rx, double ry);
Shape polygon(std::vector<Point> points);
// A straight stroke with round caps.
Shape segment(Point a, Point b, double width);
// A circular stroke with round caps; angles in degrees, y pointing down, clockwise from +x.
Shape arc(Point centre, double radius, double fromDeg, double toDeg, double width);
// The closed outline of a polygon, as a stroke of the given width.
Shape outline(const std::vector<Point>& points, double width);
Shape unite(Shape a, Shape b);
Shape subtract(Shape a, Shape b);
Shape intersect(Shape a, Shape b);

// Moves every edge of a convex polygon (clockwise on screen) inwards by `distance`.
std::vector<Point> inset(const std::vector<Point>& convex, double distance);

using Paint = std::function<Colour(double, double)>;

Paint solid(Colour c);
Paint linear(Point p0, Colour c0, Point p1, Colour c1);
Paint radial(Point centre, double radius, Colour inner, Colour outer);

struct Rgba8 {
    std::uint8_t r = 0, g = 0, b = 0, a = 0;
    bool operator==(const Rgba8& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
};

class Canvas {
  public:
    Canvas(int width, int height);

    int width() const { return width_; }
    int height() const { return height_; }

    // Composites the paint over the canvas, weighted by how much of each pixel the shape covers.
    void fill(const Shape& shape, const Paint& paint);
    void fill(const Shape& shape, Colour colour);
    // Replaces one pixel outright, for artwork that must stay exactly countable.
    void set(int x, int y, Colour colour);
    // Lays the whole canvas over an opaque background.
    void flatten(Colour background);

    Rgba8 pixel(int x, int y) const;

  private:
    int width_;
    int height_;
    std::vector<Colour> premultiplied_;
};

} // namespace zelvo
