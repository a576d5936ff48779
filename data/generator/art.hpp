// Building blocks shared by the drawings: the hard-drive body, its finishes and soft shadows.
#pragma once

#include "canvas.hpp"

#include <vector>

namespace zelvo {

// A hard drive seen from the front and a little above: a top face narrowing towards the back
// and a rounded front face. Coordinates in pixels; edges on whole pixels keep outlines crisp.
struct DriveBox {
    double left, right;         // front face
    double backLeft, backRight; // back edge of the top face
    double top, face, bottom;   // back edge, top/front seam, bottom of the front
    double radius;
};

// The same box drawn on a 48-pixel design grid, moved to `size` and snapped to whole pixels.
DriveBox scaled(const DriveBox& design, int size);

// The top face, with its lower edge one pixel into the front so the seam is drawn once.
std::vector<Point> topFace(const DriveBox& box);

struct Finish {
    Colour topLight, topDark, frontLight, frontDark, edge;
};

Finish silverFinish();
Finish blueFinish();
Finish greenFinish();
Finish redFinish();
Finish orangeFinish();
Finish graphiteFinish();

enum class Details { None, Led, LedAndVents };

void drawDrive(Canvas& canvas, const DriveBox& box, const Finish& finish, Details details);

// A soft elliptical shadow, darkest at the centre.
void drawShadow(Canvas& canvas, double cx, double cy, double rx, double ry, double strength);

// Whether an image is big enough for shading and small details.
inline bool detailed(int size) {
    return size >= 24;
}

} // namespace zelvo
