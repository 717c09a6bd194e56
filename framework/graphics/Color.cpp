#include "framework/graphics/Color.h"

TColor ColorToRGB(TColor color) {
    // Every negative value is read as a system colour, by its low byte.
    if (color < 0)
        return static_cast<TColor>(::GetSysColor(color & 0xFF));
    return color;
}
