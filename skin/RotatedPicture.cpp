#include "skin/RotatedPicture.h"

#include "skin/GlassHue.h"

#include <algorithm>
#include <cstring>

const TPixelRows& TRotatedPicture::Make(const TPixelRows& picture, int32_t hueShift) {
    Forget();
    if (picture.Width > 0 && picture.Height > 0) {
        const int32_t lineBytes = RowBytes24(picture.Width);
        bytes_.resize(static_cast<size_t>(lineBytes) * static_cast<size_t>(picture.Height));
        // Row 0 lies highest in memory, as in the picture.
        rows_ = {bytes_.data() + static_cast<size_t>(lineBytes) * (picture.Height - 1), lineBytes,
                 picture.Width, picture.Height};
        THueRotation rotation(hueShift);
        for (int32_t y = 0; y < picture.Height; ++y)
            rotation.RotatePixels(picture.Pixel(0, y), rows_.Pixel(0, y), picture.Width);
    }
    hueShift_ = hueShift;
    kept_ = true;
    return rows_;
}

void TRotatedPicture::Forget() {
    kept_ = false;
    rows_ = {};
    // The memory stays for the next rotation, which usually has the same size.
}

bool TRotatedFaces::SamePixels(const Face& face, const TPixelRows& picture) {
    const TPixelRows& kept = face.Rotated.Rows();
    if (kept.Width != picture.Width || kept.Height != picture.Height)
        return false;
    const size_t rowBytes = static_cast<size_t>(picture.Width) * 3;
    for (int32_t y = 0; y < picture.Height; ++y)
        if (std::memcmp(face.Pixels.data() + rowBytes * y, picture.Pixel(0, y), rowBytes) != 0)
            return false;
    return true;
}

const TPixelRows& TRotatedFaces::For(const TPixelRows& picture, int32_t hueShift) {
    ++uses_;
    Face* oldest = &faces_[0];
    for (Face& face : faces_) {
        if (face.Rotated.Holds(hueShift) && SamePixels(face, picture)) {
            face.LastUse = uses_;
            return face.Rotated.Rows();
        }
        if (face.LastUse < oldest->LastUse)
            oldest = &face;
    }
    const size_t rowBytes = static_cast<size_t>(std::max(picture.Width, 0)) * 3;
    oldest->Rotated.Forget();
    oldest->Pixels.resize(rowBytes * static_cast<size_t>(std::max(picture.Height, 0)));
    for (int32_t y = 0; y < picture.Height; ++y)
        std::memcpy(oldest->Pixels.data() + rowBytes * y, picture.Pixel(0, y), rowBytes);
    oldest->LastUse = uses_;
    return oldest->Rotated.Make(picture, hueShift);
}
