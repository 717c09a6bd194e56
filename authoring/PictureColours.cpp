#include "authoring/PictureColours.h"

#include <cstddef>
#include <cstdint>

namespace {

bool IsFuchsia(const uint8_t* pixel) {
    return pixel[0] == 0xFF && pixel[1] == 0x00 && pixel[2] == 0xFF;
}

void CutTransparentPixels(const std::string& name, RgbaImage& image) {
    uint64_t opaqueFuchsia = 0;
    int32_t firstX = 0;
    int32_t firstY = 0;
    for (int32_t y = 0; y < image.height; ++y) {
        uint8_t* pixel = image.Row(y);
        for (int32_t x = 0; x < image.width; ++x, pixel += 4) {
            if (pixel[3] < 128) {
                pixel[0] = 0xFF;
                pixel[1] = 0x00;
                pixel[2] = 0xFF;
            } else if (IsFuchsia(pixel)) {
                if (opaqueFuchsia++ == 0) {
                    firstX = x;
                    firstY = y;
                }
            }
            pixel[3] = 0xFF;
        }
    }
    if (opaqueFuchsia != 0) {
        throw PictureError(
            name, std::to_string(opaqueFuchsia) +
                      " opaque pixel(s) are exactly fuchsia (255, 0, 255), the colour cut away "
                      "from a shape, the first at x " +
                      std::to_string(firstX) + ", y " + std::to_string(firstY) +
                      " from the top left; make them transparent to cut them away, or give them "
                      "a near colour such as (254, 0, 254) to keep them");
    }
}

void ComposeOverBlack(RgbaImage& image) {
    const std::size_t bytes = image.RowBytes() * static_cast<std::size_t>(image.height);
    uint8_t* pixel = image.pixels.get();
    for (std::size_t i = 0; i < bytes; i += 4, pixel += 4) {
        const unsigned alpha = pixel[3];
        for (int c = 0; c < 3; ++c) {
            pixel[c] = static_cast<uint8_t>((pixel[c] * alpha + 127) / 255);
        }
        pixel[3] = 0xFF;
    }
}

} // namespace

void ApplyPictureRole(const std::string& name, RgbaImage& image, PictureRole role) {
    if (!image.hasAlpha) {
        return; // already opaque; fuchsia in a shape is the author's own cut colour
    }
    if (IsShapePicture(role)) {
        CutTransparentPixels(name, image);
    } else {
        ComposeOverBlack(image);
    }
}
