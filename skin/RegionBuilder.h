// Builds the region of the visible pixels of a 24-bit picture: every pixel
// whose colour differs from the invisible colour lies inside, every other
// pixel outside.
//
// The region is put together from the visible runs of each row. Neighbouring
// rows with the same runs become one band; the rectangles are handed to the
// system a few at a time (one ExtCreateRegion call each), and these pieces are
// united pairwise in a balanced tree, so the cost grows with n log n in the
// number of rectangles (subtracting rectangle after rectangle from one region
// grows with the square of it).
#pragma once

#include <cstddef>
#include <cstdint>

#include "skin/RegionCalls.h"

// A view of 24-bit pixel rows: 3 bytes per pixel in the order blue, green,
// red. Row y starts at TopRow + y * RowStep (RowStep is negative for pictures
// stored bottom-up).
struct TPixelRows24 {
    const std::uint8_t* TopRow = nullptr;
    std::ptrdiff_t RowStep = 0;
    int Width = 0;
    int Height = 0;

    const std::uint8_t* Row(int y) const { return TopRow + y * RowStep; }
};

// The colour value of a pixel as the skin compares it: red + 256 * green +
// 65536 * blue.
inline std::uint32_t PixelColorValue(const std::uint8_t* pixel) {
    return pixel[2] | (std::uint32_t{pixel[1]} << 8) | (std::uint32_t{pixel[0]} << 16);
}

// The region of all pixels whose colour value differs from invisibleRgb (a
// value above 0xFFFFFF matches no pixel). An empty picture gives an empty
// region. A failing region call raises OvalynShapeException with the
// calculateRegion messages of TOvalynSkin.
SkinRegion BuildVisibleRegion(const TPixelRows24& rows, std::uint32_t invisibleRgb);
