#include "tools/launcher_icon/LauncherIconPicture.h"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

struct Point {
    double x, y;
};

Point operator-(Point a, Point b) {
    return {a.x - b.x, a.y - b.y};
}
Point operator*(Point a, double k) {
    return {a.x * k, a.y * k};
}
double Dot(Point a, Point b) {
    return a.x * b.x + a.y * b.y;
}
double Cross(Point a, Point b) {
    return a.x * b.y - a.y * b.x;
}

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint8_t Byte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

// Coverage of a pixel by a shape whose outline lies at distance 0 (negative
// inside): a one-pixel ramp across the edge.
double Coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

// Signed distance from p to the triangle a, b, c: negative inside.
double TriangleDistance(Point p, Point a, Point b, Point c) {
    const Point edges[3] = {b - a, c - b, a - c};
    const Point corners[3] = {a, b, c};
    const double orientation = Cross(edges[0], edges[2]) > 0 ? 1.0 : -1.0;
    double nearest = 1e300, side = 1e300;
    for (int i = 0; i < 3; ++i) {
        const Point v = p - corners[i], e = edges[i];
        const Point off = v - e * std::clamp(Dot(v, e) / Dot(e, e), 0.0, 1.0);
        nearest = std::min(nearest, Dot(off, off));
        side = std::min(side, orientation * Cross(v, e));
    }
    return side < 0 ? std::sqrt(nearest) : -std::sqrt(nearest);
}

} // namespace

StarterImage DrawLauncherIcon(int size) {
    if (size < 16 || size > 256)
        throw std::invalid_argument("icon size out of range");
    StarterImage image;
    image.width = image.height = size;
    image.rgba.assign(static_cast<std::size_t>(size) * size * 4, 0);

    const double centre = size / 2.0;
    const double radius = size * 0.47;
    const double rim = std::max(1.0, size / 40.0);
    const Rgb discTop{120, 144, 156}, discBottom{55, 71, 79}, rimColour{38, 50, 56};
    const Rgb glyph{250, 252, 253};

    // An equilateral triangle pointing right, its centroid a little right of
    // the disc's centre so that it looks centred. Its corners are rounded by
    // shrinking it towards the centroid and widening the outline again.
    const double reach = radius * 0.52;
    const double rounding = reach * 0.22;
    const double shrink = (reach / 2 - rounding) / (reach / 2); // inradius is half the reach
    const Point mid{centre + radius * 0.06, centre};
    Point corners[3];
    for (int i = 0; i < 3; ++i) {
        const double angle = i * 2.0943951023931953; // 120 degrees
        corners[i] = {mid.x + std::cos(angle) * reach * shrink,
                      mid.y + std::sin(angle) * reach * shrink};
    }

    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const Point p{x + 0.5, y + 0.5};
            const double disc = std::hypot(p.x - centre, p.y - centre) - radius;
            Rgb colour = Mix(discTop, discBottom,
                             std::clamp((p.y - (centre - radius)) / (2 * radius), 0.0, 1.0));
            colour = Mix(colour, rimColour, Coverage(-(disc + rim)));
            const double triangle =
                TriangleDistance(p, corners[0], corners[1], corners[2]) - rounding;
            colour = Mix(colour, glyph, Coverage(triangle));
            uint8_t* out = &image.rgba[(static_cast<std::size_t>(y) * size + x) * 4];
            out[0] = Byte(colour.r);
            out[1] = Byte(colour.g);
            out[2] = Byte(colour.b);
            out[3] = Byte(Coverage(disc) * 255.0);
        }
    }
    return image;
}
