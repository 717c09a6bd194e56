#include "authoring/PictureLimits.h"

#include "authoring/PictureImport.h"
#include "framework/portable/BmpHeader.h"

void CheckPictureSize(const std::string& name, uint64_t width, uint64_t height) {
    const std::string size = std::to_string(width) + " x " + std::to_string(height);
    if (width == 0 || height == 0) {
        throw PictureError(name, "the picture is empty (" + size + " pixels)");
    }
    const auto maxSide = static_cast<uint64_t>(kMaxBitmapSide);
    if (width > maxSide || height > maxSide) {
        throw PictureError(name, "the picture is too large (" + size +
                                     " pixels); each side may be at most " +
                                     std::to_string(maxSide) + " pixels");
    }
    // Both sides are at most 2^14 here, so the product cannot overflow.
    if (width * height * 4 > kMaxBitmapBytes) {
        throw PictureError(name, "the picture is too large (" + size + " pixels); at most " +
                                     std::to_string(kMaxBitmapBytes / 4) + " pixels are allowed");
    }
}
