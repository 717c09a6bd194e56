// Bitmaps made from test masks, and regions compared in ways that explain
// the difference when they fail.
#pragma once

#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "TestMasks.h"
#include "framework/graphics/Bitmap.h"

// A bitmap of the mask's size and pixels in the given format (24 or 32 bit).
std::unique_ptr<TBitmap> MakeBitmap(const TestMask& mask, TPixelFormat format = pf24bit);

// The region the subtraction method gives for the bitmap's pixels.
SkinRegion ReferenceRegionOf(TBitmap& bitmap, std::uint32_t invisibleRgb);

// A region built from a list of rectangles, for expected results.
SkinRegion RegionOfRects(std::initializer_list<RECT> rects);

::testing::AssertionResult SameRegion(HRGN actual, HRGN expected);
::testing::AssertionResult IsEmptyRegion(HRGN region);
