// A decoded picture as 8-bit red, green, blue and alpha per pixel, rows from
// the top. The pixel memory is allocated without being filled, so a decoder
// that stops at damaged data early has touched only what it wrote.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>

struct RgbaImage {
    int32_t width = 0;
    int32_t height = 0;
    // The source had transparency (an alpha channel or a transparent colour);
    // a picture without it uses fuchsia as its author's own cut colour.
    bool hasAlpha = false;
    std::unique_ptr<uint8_t[]> pixels; // width * height * 4 bytes

    std::size_t RowBytes() const { return static_cast<std::size_t>(width) * 4; }
    uint8_t* Row(int32_t y) { return pixels.get() + RowBytes() * static_cast<std::size_t>(y); }
    const uint8_t* Row(int32_t y) const {
        return pixels.get() + RowBytes() * static_cast<std::size_t>(y);
    }
};

// Allocates the pixels of a picture whose size CheckPictureSize accepted.
inline RgbaImage MakeRgbaImage(int32_t width, int32_t height, bool hasAlpha) {
    RgbaImage image;
    image.width = width;
    image.height = height;
    image.hasAlpha = hasAlpha;
    image.pixels.reset(new uint8_t[image.RowBytes() * static_cast<std::size_t>(height)]);
    return image;
}
