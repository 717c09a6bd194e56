#include "skin/GlassBlend.h"

#include "framework/runtime/Exceptions.h"
#include "skin/GlassHue.h"

#include <algorithm>
#include <cstdint>
#include <optional>
#include <vector>

// Table values are the IEEE double results of their formula, so the arithmetic is
// rounded to double at every step (on 32-bit x86 the compiler would otherwise keep 80-bit
// x87 intermediates, which can move a truncation across an integer).
#if defined(__GNUC__) && !defined(__clang__) && defined(__i386__)
#pragma GCC target("sse2,fpmath=sse")
#endif

void BuildBlendTable(TBlendTable& table, double a, double factor) {
    for (int b = 0; b < 256; ++b) {
        for (int p = 0; p < 256; ++p) {
            const double value = b * a + (1 - a) * p * factor;
            // Truncation toward zero lands in 0..255 exactly for values in (-1, 256).
            if (!(value > -1.0 && value < 256.0)) {
                throw ERangeError();
            }
            table[b][p] = static_cast<uint8_t>(static_cast<int>(value));
        }
    }
}

// --- Composition ------------------------------------------------------------------------

namespace {

// The picture's pixels of one row from first to last, hue-rotated into buffer when a
// rotation is given; otherwise the picture's own memory.
const uint8_t* PictureRow(const TPixelRows& picture, int32_t y, int32_t first, int32_t last,
                          THueRotation* rotation, std::vector<uint8_t>& buffer) {
    const uint8_t* source = picture.Pixel(first, y);
    if (rotation == nullptr) {
        return source;
    }
    rotation->RotatePixels(source, buffer.data(), last - first + 1);
    return buffer.data();
}

} // namespace

void RecolourPicture(const TPixelRows& picture, const TPixelRows& glass, const TBlendTables& tables,
                     int32_t hueShift) {
    if (picture.Width <= 0 || picture.Height <= 0) {
        return;
    }
    std::optional<THueRotation> rotation;
    std::vector<uint8_t> buffer;
    if (hueShift != 0) {
        rotation.emplace(hueShift);
        buffer.resize(static_cast<size_t>(picture.Width) * 3);
    }
    const uint8_t* red = tables.Red[255];
    const uint8_t* green = tables.Green[255];
    const uint8_t* blue = tables.Blue[255];
    for (int32_t y = 0; y < picture.Height; ++y) {
        const uint8_t* source =
            PictureRow(picture, y, 0, picture.Width - 1, rotation ? &*rotation : nullptr, buffer);
        uint8_t* target = glass.Pixel(0, y);
        for (int32_t x = 0; x < picture.Width; ++x, source += 3, target += 3) {
            target[0] = blue[source[0]];
            target[1] = green[source[1]];
            target[2] = red[source[2]];
        }
    }
}

TVisibleRange VisibleRange(int32_t pictureWidth, int32_t pictureHeight, int32_t backgroundWidth,
                           int32_t backgroundHeight, int64_t originX, int64_t originY) {
    const int64_t xLast = std::min<int64_t>(pictureWidth - 1, backgroundWidth - 1 - originX);
    const int64_t yLast = std::min<int64_t>(pictureHeight - 1, backgroundHeight - 1 - originY);
    const int64_t xFirst = originX < 0 ? -originX : 0;
    const int64_t yFirst = originY < 0 ? -originY : 0;
    if (xLast < xFirst || yLast < yFirst) {
        return {};
    }
    // Within the picture now, so every bound fits 32 bits.
    return {static_cast<int32_t>(xFirst), static_cast<int32_t>(xLast), static_cast<int32_t>(yFirst),
            static_cast<int32_t>(yLast)};
}

void BlendPicture(const TPixelRows& picture, const TPixelRows& background, int64_t originX,
                  int64_t originY, const TPixelRows& glass, const TBlendTables& tables,
                  int32_t hueShift) {
    const TVisibleRange range = VisibleRange(picture.Width, picture.Height, background.Width,
                                             background.Height, originX, originY);
    if (range.Empty()) {
        return;
    }
    std::optional<THueRotation> rotation;
    std::vector<uint8_t> buffer;
    if (hueShift != 0) {
        rotation.emplace(hueShift);
        buffer.resize(static_cast<size_t>(range.XLast - range.XFirst + 1) * 3);
    }
    const auto underX = static_cast<int32_t>(range.XFirst + originX);
    for (int32_t y = range.YFirst; y <= range.YLast; ++y) {
        const uint8_t* under = background.Pixel(underX, static_cast<int32_t>(y + originY));
        const uint8_t* source = PictureRow(picture, y, range.XFirst, range.XLast,
                                           rotation ? &*rotation : nullptr, buffer);
        uint8_t* target = glass.Pixel(range.XFirst, y);
        for (int32_t x = range.XFirst; x <= range.XLast;
             ++x, under += 3, source += 3, target += 3) {
            target[0] = tables.Blue[under[0]][source[0]];
            target[1] = tables.Green[under[1]][source[1]];
            target[2] = tables.Red[under[2]][source[2]];
        }
    }
}
