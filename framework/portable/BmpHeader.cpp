#include "framework/portable/BmpHeader.h"

#include <string>

namespace {

constexpr size_t kFileHeaderSize = 14;
constexpr uint32_t kCoreHeaderSize = 12;
constexpr uint32_t kInfoHeaderSize = 40;

uint16_t U16(const uint8_t* p) {
    return static_cast<uint16_t>(p[0] | (p[1] << 8));
}
uint32_t U32(const uint8_t* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
           (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool KnownHeaderSize(uint32_t size) {
    switch (size) {
    case 12:  // core
    case 40:  // info
    case 52:  // info with RGB masks
    case 56:  // info with RGBA masks
    case 64:  // the second OS/2 layout; its first 40 bytes read like an info header
    case 108: // v4
    case 124: // v5
        return true;
    default:
        return false;
    }
}

bool IsContiguousMask(uint32_t mask) {
    if (mask == 0)
        return true;
    while ((mask & 1u) == 0)
        mask >>= 1;
    return (mask & (mask + 1)) == 0;
}

TBmpCheck Fail(std::string error) {
    TBmpCheck check;
    check.Error = std::move(error);
    return check;
}

} // namespace

TBmpCheck CheckBmpFile(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kFileHeaderSize + 4)
        return Fail("bitmap header too short");
    if (data[0] != 'B' || data[1] != 'M')
        return Fail("not a bitmap file (no \"BM\" signature)");

    TBmpGeometry g;
    g.PixelOffset = U32(data + 10);
    g.HeaderSize = U32(data + 14);
    if (!KnownHeaderSize(g.HeaderSize))
        return Fail("unsupported bitmap header size " + std::to_string(g.HeaderSize));
    if (kFileHeaderSize + g.HeaderSize > size)
        return Fail("bitmap header too short");

    const uint8_t* h = data + kFileHeaderSize;
    int64_t height = 0;
    uint16_t planes = 0;
    uint32_t colorsUsed = 0;
    uint32_t sizeImage = 0;
    if (g.HeaderSize == kCoreHeaderSize) {
        g.Width = U16(h + 4);
        height = U16(h + 6);
        planes = U16(h + 8);
        g.BitCount = U16(h + 10);
        g.Compression = kBiRgb;
        g.PaletteEntrySize = 3;
    } else {
        g.Width = static_cast<int32_t>(U32(h + 4));
        height = static_cast<int32_t>(U32(h + 8));
        planes = U16(h + 12);
        g.BitCount = U16(h + 14);
        g.Compression = U32(h + 16);
        sizeImage = U32(h + 20);
        colorsUsed = U32(h + 32);
        g.PaletteEntrySize = 4;
    }

    if (planes != 1)
        return Fail("bitmap planes must be 1, not " + std::to_string(planes));
    switch (g.BitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        break;
    case 16:
    case 32:
        if (g.HeaderSize == kCoreHeaderSize)
            return Fail("unsupported bit count " + std::to_string(g.BitCount) +
                        " with a core header");
        break;
    default:
        return Fail("unsupported bit count " + std::to_string(g.BitCount));
    }

    switch (g.Compression) {
    case kBiRgb:
        break;
    case kBiRle8:
        if (g.BitCount != 8)
            return Fail("RLE8 compression needs 8 bits per pixel");
        break;
    case kBiRle4:
        if (g.BitCount != 4)
            return Fail("RLE4 compression needs 4 bits per pixel");
        break;
    case kBiBitfields:
        if (g.BitCount != 16 && g.BitCount != 32)
            return Fail("bitfields need 16 or 32 bits per pixel");
        if (g.HeaderSize == 64)
            return Fail("bitfields are not supported with this header size");
        break;
    default:
        return Fail("unsupported compression " + std::to_string(g.Compression));
    }

    const bool rle = g.Compression == kBiRle8 || g.Compression == kBiRle4;
    if (g.Width <= 0)
        return Fail("bitmap width must be positive");
    if (height == 0)
        return Fail("bitmap height must not be 0");
    g.TopDown = height < 0;
    if (g.TopDown && rle)
        return Fail("a top-down bitmap cannot be RLE compressed");
    const int64_t rows = height < 0 ? -height : height;
    if (g.Width > kMaxBitmapSide || rows > kMaxBitmapSide ||
        static_cast<uint64_t>(g.Width) * static_cast<uint64_t>(rows) * 4 > kMaxBitmapBytes)
        return Fail("bitmap dimensions too large (" + std::to_string(g.Width) + " x " +
                    std::to_string(rows) + ")");
    g.Height = static_cast<int32_t>(rows);

    // Colour masks: inside the header from 52 bytes on, else right after a 40-byte header.
    uint64_t afterHeader = kFileHeaderSize + g.HeaderSize;
    if (g.Compression == kBiBitfields) {
        const uint8_t* masks = h + 40;
        if (g.HeaderSize == kInfoHeaderSize) {
            if (afterHeader + 12 > size)
                return Fail("bitmap colour masks outside the file");
            afterHeader += 12;
        }
        g.RedMask = U32(masks);
        g.GreenMask = U32(masks + 4);
        g.BlueMask = U32(masks + 8);
        if (g.HeaderSize >= 56)
            g.AlphaMask = U32(masks + 12);
        const uint32_t all = g.RedMask | g.GreenMask | g.BlueMask;
        if (all == 0 || (g.BitCount == 16 && (all >> 16) != 0) || (g.RedMask & g.GreenMask) != 0 ||
            (g.RedMask & g.BlueMask) != 0 || (g.GreenMask & g.BlueMask) != 0 ||
            !IsContiguousMask(g.RedMask) || !IsContiguousMask(g.GreenMask) ||
            !IsContiguousMask(g.BlueMask))
            return Fail("invalid bitfield colour masks");
    }

    // Palette.
    g.PaletteOffset = static_cast<uint32_t>(afterHeader);
    if (g.BitCount <= 8) {
        const uint32_t maxColors = 1u << g.BitCount;
        if (colorsUsed > maxColors)
            return Fail("palette too big (" + std::to_string(colorsUsed) + " colours for " +
                        std::to_string(g.BitCount) + " bits per pixel)");
        g.PaletteEntries = colorsUsed != 0 ? colorsUsed : maxColors;
    } else {
        if (colorsUsed > 256)
            return Fail("palette too big (" + std::to_string(colorsUsed) + " colours)");
        g.PaletteEntries = colorsUsed;
    }
    const uint64_t paletteEnd =
        afterHeader + static_cast<uint64_t>(g.PaletteEntries) * g.PaletteEntrySize;
    if (paletteEnd > size)
        return Fail("palette outside the file");

    // Pixel data.
    if (g.PixelOffset >= size)
        return Fail("pixel data offset outside the file");
    if (g.PixelOffset < paletteEnd)
        return Fail("pixel data offset overlaps the headers");
    g.PixelBytes = static_cast<uint32_t>(size - g.PixelOffset);
    const uint64_t stride = (static_cast<uint64_t>(g.Width) * g.BitCount + 31) / 32 * 4;
    g.Stride = static_cast<uint32_t>(stride);
    if (rle) {
        if (sizeImage > g.PixelBytes)
            return Fail("RLE data too short (header says " + std::to_string(sizeImage) +
                        " bytes, file holds " + std::to_string(g.PixelBytes) + ")");
        g.RleBytes = sizeImage != 0 ? sizeImage : g.PixelBytes;
    } else {
        const uint64_t needed = stride * static_cast<uint64_t>(g.Height);
        if (needed > g.PixelBytes)
            return Fail("pixel data too short (need " + std::to_string(needed) +
                        " bytes, file holds " + std::to_string(g.PixelBytes) + ")");
    }

    TBmpCheck check;
    check.Ok = true;
    check.Geometry = g;
    return check;
}
