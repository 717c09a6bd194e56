#include "skin/RotatedPicture.h"

#include "skin/GlassHue.h"

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
