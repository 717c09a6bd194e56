#include "authoring/StarterPictures.h"

#include <png.h>

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

uint8_t Byte(double value) {
    return static_cast<uint8_t>(std::clamp(std::lround(value), 0L, 255L));
}

void Put(StarterImage& image, int x, int y, Rgb colour, double alpha) {
    uint8_t* p = &image.rgba[(static_cast<std::size_t>(y) * image.width + x) * 4];
    p[0] = Byte(colour.r);
    p[1] = Byte(colour.g);
    p[2] = Byte(colour.b);
    p[3] = Byte(alpha * 255.0);
}

StarterImage Blank(int width, int height) {
    StarterImage image;
    image.width = width;
    image.height = height;
    image.rgba.assign(static_cast<std::size_t>(width) * height * 4, 0);
    return image;
}

// Signed distance from the pixel centre to a rounded rectangle's outline:
// negative inside. Rectangle given by its edges.
double RoundedRectDistance(double px, double py, double left, double top, double right,
                           double bottom, double radius) {
    const double cx = (left + right) / 2, cy = (top + bottom) / 2;
    const double hx = (right - left) / 2 - radius, hy = (bottom - top) / 2 - radius;
    const double qx = std::fabs(px - cx) - hx, qy = std::fabs(py - cy) - hy;
    const double outside = std::hypot(std::max(qx, 0.0), std::max(qy, 0.0));
    return outside + std::min(std::max(qx, qy), 0.0) - radius;
}

// Coverage of a pixel by a shape whose outline lies at distance 0.
double Coverage(double distance) {
    return std::clamp(0.5 - distance, 0.0, 1.0);
}

double SegmentDistance(double px, double py, double ax, double ay, double bx, double by) {
    const double dx = bx - ax, dy = by - ay;
    const double t = std::clamp(((px - ax) * dx + (py - ay) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
    return std::hypot(px - (ax + t * dx), py - (ay + t * dy));
}

void CheckSize(int width, int height) {
    if (width < 16 || height < 12 || width > 4096 || height > 4096)
        throw std::invalid_argument("starter picture size out of range");
}

} // namespace

StarterImage DrawStarterBackground(int width, int height) {
    CheckSize(width, height);
    StarterImage image = Blank(width, height);
    const Rgb top{18, 44, 58}, bottom{10, 20, 34}, frame{96, 160, 176};
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            Rgb colour = Mix(top, bottom, py / height);
            // A soft light from the upper middle.
            const double dx = (px - width / 2.0) / width, dy = (py - height * 0.3) / height;
            const double glow = std::max(0.0, 1.0 - std::hypot(dx, dy) * 2.2);
            colour = Mix(colour, Rgb{52, 112, 132}, glow * 0.5);
            // A thin frame line, 8 pixels in.
            const double d = RoundedRectDistance(px, py, 8, 8, width - 8.0, height - 8.0, 12);
            colour = Mix(colour, frame, Coverage(std::fabs(d) - 0.6) * 0.8);
            Put(image, x, y, colour, 1.0);
        }
    }
    return image;
}

StarterImage DrawStarterButton(int width, int height, ButtonLook look) {
    CheckSize(width, height);
    StarterImage image = Blank(width, height);
    Rgb faceTop{46, 150, 140}, faceBottom{18, 84, 92}, rim{8, 40, 44};
    double gloss = 0.35;
    if (look == ButtonLook::Over) {
        faceTop = {76, 190, 176};
        faceBottom = {30, 118, 124};
        rim = {170, 240, 230};
        gloss = 0.5;
    } else if (look == ButtonLook::Pressed) {
        faceTop = {14, 70, 78};
        faceBottom = {40, 130, 126};
        rim = {4, 24, 28};
        gloss = 0.1;
    }
    const double radius = height / 2.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = RoundedRectDistance(px, py, 0, 0, width, height, radius);
            Rgb colour = Mix(faceTop, faceBottom, py / height);
            if (py < height / 2.0)
                colour = Mix(colour, Rgb{255, 255, 255}, gloss * (1.0 - py / (height / 2.0)));
            // The rim: the outermost two pixels.
            colour = Mix(colour, rim, Coverage(-(d + 2.0)));
            Put(image, x, y, colour, Coverage(d));
        }
    }
    return image;
}

StarterImage DrawStarterCheckBox(int width, int height, bool ticked) {
    CheckSize(width, height);
    StarterImage image = Blank(width, height);
    const Rgb plateTop{30, 64, 76}, plateBottom{16, 38, 50}, edge{88, 150, 164};
    const Rgb boxFill{8, 22, 30}, boxEdge{150, 210, 220}, tick{124, 242, 154};
    const double boxSize = height - 8.0;
    const double boxLeft = width - boxSize - 5.0, boxTop = 4.0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            const double d = RoundedRectDistance(px, py, 0, 0, width, height, 5);
            Rgb colour = Mix(plateTop, plateBottom, py / height);
            colour = Mix(colour, edge, Coverage(-(d + 1.0)));
            const double box = RoundedRectDistance(px, py, boxLeft, boxTop, boxLeft + boxSize,
                                                   boxTop + boxSize, 2);
            colour = Mix(colour, boxFill, Coverage(box));
            colour = Mix(colour, boxEdge, Coverage(std::fabs(box) - 0.5));
            if (ticked) {
                const double ax = boxLeft + boxSize * 0.2, ay = boxTop + boxSize * 0.55;
                const double bx = boxLeft + boxSize * 0.42, by = boxTop + boxSize * 0.8;
                const double cx = boxLeft + boxSize * 0.85, cy = boxTop + boxSize * 0.18;
                const double t = std::min(SegmentDistance(px, py, ax, ay, bx, by),
                                          SegmentDistance(px, py, bx, by, cx, cy));
                colour = Mix(colour, tick, Coverage(t - 1.4));
            }
            Put(image, x, y, colour, Coverage(d));
        }
    }
    return image;
}

std::vector<uint8_t> EncodePng(const StarterImage& image, bool opaque) {
    std::vector<uint8_t> pixels;
    if (opaque) {
        pixels.reserve(static_cast<std::size_t>(image.width) * image.height * 3);
        for (std::size_t i = 0; i < image.rgba.size(); i += 4)
            pixels.insert(pixels.end(), image.rgba.begin() + i, image.rgba.begin() + i + 3);
    } else {
        pixels = image.rgba;
    }
    png_image png{};
    png.version = PNG_IMAGE_VERSION;
    png.width = static_cast<png_uint_32>(image.width);
    png.height = static_cast<png_uint_32>(image.height);
    png.format = opaque ? PNG_FORMAT_RGB : PNG_FORMAT_RGBA;
    png_alloc_size_t size = 0;
    if (!png_image_write_to_memory(&png, nullptr, &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG encoding failed: ") + png.message);
    std::vector<uint8_t> bytes(size);
    if (!png_image_write_to_memory(&png, bytes.data(), &size, 0, pixels.data(), 0, nullptr))
        throw std::runtime_error(std::string("PNG encoding failed: ") + png.message);
    bytes.resize(size);
    png_image_free(&png);
    return bytes;
}
