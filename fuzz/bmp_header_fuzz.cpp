// Feeds arbitrary bytes to the BMP header checks. Besides the sanitizers it
// checks that an accepted file really holds what the geometry promises.
#include <cstddef>
#include <cstdint>
#include <cstdlib>

#include "framework/portable/BmpHeader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    TBmpCheck check = CheckBmpFile(data, size);
    if (!check.Ok) {
        if (check.Error.empty())
            std::abort();
        return 0;
    }
    const TBmpGeometry& g = check.Geometry;
    if (g.Width <= 0 || g.Height <= 0 || g.Width > kMaxBitmapSide || g.Height > kMaxBitmapSide)
        std::abort();
    if (g.PixelOffset >= size || uint64_t(g.PixelOffset) + g.PixelBytes != size)
        std::abort();
    if (uint64_t(g.PaletteOffset) + uint64_t(g.PaletteEntries) * g.PaletteEntrySize > g.PixelOffset)
        std::abort();
    bool rle = g.Compression == kBiRle4 || g.Compression == kBiRle8;
    if (!rle && uint64_t(g.Stride) * uint64_t(g.Height) > g.PixelBytes)
        std::abort();
    if (rle && (g.RleBytes == 0 || g.RleBytes > g.PixelBytes))
        std::abort();
    return 0;
}
