// Resolution of TColor values to the RGB the screen shows.
#pragma once

#include <windows.h>

#include "framework/portable/Color.h"

// A system colour (any negative value, normally high byte 0x80) becomes
// GetSysColor of its low byte; every other value, including a positive one
// with a non-zero high byte, is returned unchanged.
TColor ColorToRGB(TColor color);

// The COLORREF for GDI calls: the resolved colour (clNone and clDefault give black).
inline COLORREF ColorToColorRef(TColor color) {
    return static_cast<COLORREF>(ColorToRGB(color)) & 0x00FFFFFFu;
}
