// The pixel work of the glass form, free of any window or bitmap class: the three
// per-channel blend tables and the composition of a 24-bit picture with a captured screen
// picture, with the hue rotation of GlassHue.h. Builds in both trees (no <windows.h>).
#pragma once

#include <cstddef>
#include <cstdint>

// A 24-bit picture addressed the way the speed bitmap lays it out: three bytes per pixel
// in the order blue, green, red; rows padded to 4 bytes and stored bottom-up, so row y
// begins y * LineBytes bytes below row 0 (the top row). The memory is not owned.
struct TPixelRows {
    uint8_t* ScanLine0 = nullptr;
    int32_t LineBytes = 0;
    int32_t Width = 0;
    int32_t Height = 0;

    uint8_t* Pixel(int32_t x, int32_t y) const {
        return ScanLine0 - static_cast<ptrdiff_t>(y) * LineBytes + 3 * static_cast<ptrdiff_t>(x);
    }
};

// Bytes per row of a 24-bit picture of the given width: 3 bytes a pixel, rounded up to 4.
constexpr int32_t RowBytes24(int32_t width) {
    return (width * 24 + 31) / 32 * 4;
}

// One channel's blend table, indexed [background value][picture value].
using TBlendTable = uint8_t[256][256];

// Fills a table with Trunc(b * a + (1 - a) * p * factor). A value whose truncation falls
// outside 0..255 (or is not a number) raises ERangeError; the table is then partly filled.
void BuildBlendTable(TBlendTable& table, double a, double factor);

// The three tables a composition reads; they belong to the glass form.
struct TBlendTables {
    const TBlendTable& Red;
    const TBlendTable& Green;
    const TBlendTable& Blue;
};

// --- Composition ---------------------------------------------------------------------

// Recolouring only: glass(x, y) := tables[255][picture(x, y)] per channel, after the hue
// rotation when hueShift is not 0. glass must have the picture's size.
void RecolourPicture(const TPixelRows& picture, const TPixelRows& glass, const TBlendTables& tables,
                     int32_t hueShift);

// The part of a picture that lies on a background, as inclusive pixel ranges of the
// picture. originX/originY is where the picture's top-left pixel lies on the background.
struct TVisibleRange {
    int32_t XFirst = 0, XLast = -1, YFirst = 0, YLast = -1;
    bool Empty() const { return XLast < XFirst || YLast < YFirst; }
};
TVisibleRange VisibleRange(int32_t pictureWidth, int32_t pictureHeight, int32_t backgroundWidth,
                           int32_t backgroundHeight, int64_t originX, int64_t originY);

// Blending with the background under each pixel: glass(x, y) := tables[background(x +
// originX, y + originY)][picture(x, y)] per channel, for the visible range only; pixels of
// glass outside it are left as they were. glass must have the picture's size.
void BlendPicture(const TPixelRows& picture, const TPixelRows& background, int64_t originX,
                  int64_t originY, const TPixelRows& glass, const TBlendTables& tables,
                  int32_t hueShift);
