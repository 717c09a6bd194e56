// The raised or lowered edges that controls may draw around themselves.
#pragma once

#include <cstdint>

#include "framework/runtime/Set.h"

enum TBevelCut : std::uint8_t { bvNone, bvLowered, bvRaised, bvSpace };
enum TBevelKind : std::uint8_t { bkNone, bkTile, bkSoft, bkFlat };
enum TBevelEdge { beLeft, beTop, beRight, beBottom };
using TBevelEdges = TSet<TBevelEdge>;
