// The straightforward region method, kept as the reference the fast builder
// is checked against: the full rectangle, minus one rectangle per run of
// invisible pixels, subtracted one after the other.
#pragma once

#include "skin/RegionBuilder.h"

SkinRegion BuildRegionBySubtraction(const TPixelRows24& rows, std::uint32_t invisibleRgb);
