// A picture with the glass form's hue rotation applied to every pixel, kept until the
// picture or the shift changes. The rotation costs many times the blend itself, while
// the picture (the form's skin) and the shift rarely change between paints. Builds in
// both trees (no <windows.h>).
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "skin/GlassBlend.h"

class TRotatedPicture {
public:
    // A kept rotation by this shift exists.
    bool Holds(int32_t hueShift) const { return kept_ && hueShift_ == hueShift; }
    // Rotates every pixel of picture by hueShift into the kept copy (any old one is
    // dropped first) and returns it. Raises what the rotation raises (ERangeError,
    // EIntOverflow) and then keeps nothing.
    const TPixelRows& Make(const TPixelRows& picture, int32_t hueShift);
    // The kept copy, laid out like the picture it was made from; valid while Holds.
    const TPixelRows& Rows() const { return rows_; }
    // The picture changed: the kept copy no longer belongs to it.
    void Forget();

private:
    std::vector<uint8_t> bytes_;
    TPixelRows rows_;
    int32_t hueShift_ = 0;
    bool kept_ = false;
};

// The rotations of the last few pictures met, for pictures that come without a change
// notification: a shaped button composes a new face (its state picture with the
// caption) for every paint, mostly the same pixels as last time. A picture is known
// by its pixels, compared in full, so a kept rotation is used only for the very same
// picture.
class TRotatedFaces {
public:
    static constexpr size_t kKept = 8;

    // The picture rotated by hueShift: a kept rotation of equal pixels, or a new one
    // that takes the place of the longest unused. Raises what the rotation raises.
    const TPixelRows& For(const TPixelRows& picture, int32_t hueShift);

private:
    struct Face {
        std::vector<uint8_t> Pixels; // the picture's rows, top row first, unpadded
        TRotatedPicture Rotated;
        uint64_t LastUse = 0;
    };
    static bool SamePixels(const Face& face, const TPixelRows& picture);

    Face faces_[kKept];
    uint64_t uses_ = 0;
};
