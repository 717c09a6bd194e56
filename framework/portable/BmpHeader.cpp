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

std::string N(uint64_t value) {
    return std::to_string(value);
}

std::string EnglishText(TBmpFault fault, const uint64_t* v) {
    switch (fault) {
    case TBmpFault::None:
        return "";
    case TBmpFault::HeaderTooShort:
        return "bitmap header too short";
    case TBmpFault::NoSignature:
        return "not a bitmap file (no \"BM\" signature)";
    case TBmpFault::HeaderSize:
        return "unsupported bitmap header size " + N(v[0]);
    case TBmpFault::Planes:
        return "bitmap planes must be 1, not " + N(v[0]);
    case TBmpFault::BitCount:
        return "unsupported bit count " + N(v[0]);
    case TBmpFault::BitCountCore:
        return "unsupported bit count " + N(v[0]) + " with a core header";
    case TBmpFault::Rle8Bits:
        return "RLE8 compression needs 8 bits per pixel";
    case TBmpFault::Rle4Bits:
        return "RLE4 compression needs 4 bits per pixel";
    case TBmpFault::BitfieldsBits:
        return "bitfields need 16 or 32 bits per pixel";
    case TBmpFault::BitfieldsHeader:
        return "bitfields are not supported with this header size";
    case TBmpFault::Compression:
        return "unsupported compression " + N(v[0]);
    case TBmpFault::WidthNotPositive:
        return "bitmap width must be positive";
    case TBmpFault::HeightZero:
        return "bitmap height must not be 0";
    case TBmpFault::TopDownRle:
        return "a top-down bitmap cannot be RLE compressed";
    case TBmpFault::TooLarge:
        return "bitmap dimensions too large (" + N(v[0]) + " x " + N(v[1]) + ")";
    case TBmpFault::MasksOutside:
        return "bitmap colour masks outside the file";
    case TBmpFault::BadMasks:
        return "invalid bitfield colour masks";
    case TBmpFault::PaletteTooBig:
        return "palette too big (" + N(v[0]) + " colours for " + N(v[1]) + " bits per pixel)";
    case TBmpFault::PaletteTooBigRgb:
        return "palette too big (" + N(v[0]) + " colours)";
    case TBmpFault::PaletteOutside:
        return "palette outside the file";
    case TBmpFault::PixelsOutside:
        return "pixel data offset outside the file";
    case TBmpFault::PixelsInHeaders:
        return "pixel data offset overlaps the headers";
    case TBmpFault::RleTooShort:
        return "RLE data too short (header says " + N(v[0]) + " bytes, file holds " + N(v[1]) + ")";
    case TBmpFault::PixelsTooShort:
        return "pixel data too short (need " + N(v[0]) + " bytes, file holds " + N(v[1]) + ")";
    }
    return "";
}

TBmpCheck Fail(TBmpFault fault, uint64_t first = 0, uint64_t second = 0) {
    TBmpCheck check;
    check.Fault = fault;
    check.Values[0] = first;
    check.Values[1] = second;
    check.Error = EnglishText(fault, check.Values);
    return check;
}

} // namespace

TBmpCheck CheckBmpFile(const uint8_t* data, size_t size) {
    if (data == nullptr || size < kFileHeaderSize + 4)
        return Fail(TBmpFault::HeaderTooShort);
    if (data[0] != 'B' || data[1] != 'M')
        return Fail(TBmpFault::NoSignature);

    TBmpGeometry g;
    g.PixelOffset = U32(data + 10);
    g.HeaderSize = U32(data + 14);
    if (!KnownHeaderSize(g.HeaderSize))
        return Fail(TBmpFault::HeaderSize, g.HeaderSize);
    if (kFileHeaderSize + g.HeaderSize > size)
        return Fail(TBmpFault::HeaderTooShort);

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
        return Fail(TBmpFault::Planes, planes);
    switch (g.BitCount) {
    case 1:
    case 4:
    case 8:
    case 24:
        break;
    case 16:
    case 32:
        if (g.HeaderSize == kCoreHeaderSize)
            return Fail(TBmpFault::BitCountCore, g.BitCount);
        break;
    default:
        return Fail(TBmpFault::BitCount, g.BitCount);
    }

    switch (g.Compression) {
    case kBiRgb:
        break;
    case kBiRle8:
        if (g.BitCount != 8)
            return Fail(TBmpFault::Rle8Bits);
        break;
    case kBiRle4:
        if (g.BitCount != 4)
            return Fail(TBmpFault::Rle4Bits);
        break;
    case kBiBitfields:
        if (g.BitCount != 16 && g.BitCount != 32)
            return Fail(TBmpFault::BitfieldsBits);
        if (g.HeaderSize == 64)
            return Fail(TBmpFault::BitfieldsHeader);
        break;
    default:
        return Fail(TBmpFault::Compression, g.Compression);
    }

    const bool rle = g.Compression == kBiRle8 || g.Compression == kBiRle4;
    if (g.Width <= 0)
        return Fail(TBmpFault::WidthNotPositive);
    if (height == 0)
        return Fail(TBmpFault::HeightZero);
    g.TopDown = height < 0;
    if (g.TopDown && rle)
        return Fail(TBmpFault::TopDownRle);
    const int64_t rows = height < 0 ? -height : height;
    if (g.Width > kMaxBitmapSide || rows > kMaxBitmapSide ||
        static_cast<uint64_t>(g.Width) * static_cast<uint64_t>(rows) * 4 > kMaxBitmapBytes)
        return Fail(TBmpFault::TooLarge, static_cast<uint64_t>(g.Width),
                    static_cast<uint64_t>(rows));
    g.Height = static_cast<int32_t>(rows);

    // Colour masks: inside the header from 52 bytes on, else right after a 40-byte header.
    uint64_t afterHeader = kFileHeaderSize + g.HeaderSize;
    if (g.Compression == kBiBitfields) {
        const uint8_t* masks = h + 40;
        if (g.HeaderSize == kInfoHeaderSize) {
            if (afterHeader + 12 > size)
                return Fail(TBmpFault::MasksOutside);
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
            return Fail(TBmpFault::BadMasks);
    }

    // Palette.
    g.PaletteOffset = static_cast<uint32_t>(afterHeader);
    if (g.BitCount <= 8) {
        const uint32_t maxColors = 1u << g.BitCount;
        if (colorsUsed > maxColors)
            return Fail(TBmpFault::PaletteTooBig, colorsUsed, g.BitCount);
        g.PaletteEntries = colorsUsed != 0 ? colorsUsed : maxColors;
    } else {
        if (colorsUsed > 256)
            return Fail(TBmpFault::PaletteTooBigRgb, colorsUsed);
        g.PaletteEntries = colorsUsed;
    }
    const uint64_t paletteEnd =
        afterHeader + static_cast<uint64_t>(g.PaletteEntries) * g.PaletteEntrySize;
    if (paletteEnd > size)
        return Fail(TBmpFault::PaletteOutside);

    // Pixel data.
    if (g.PixelOffset >= size)
        return Fail(TBmpFault::PixelsOutside);
    if (g.PixelOffset < paletteEnd)
        return Fail(TBmpFault::PixelsInHeaders);
    g.PixelBytes = static_cast<uint32_t>(size - g.PixelOffset);
    const uint64_t stride = (static_cast<uint64_t>(g.Width) * g.BitCount + 31) / 32 * 4;
    g.Stride = static_cast<uint32_t>(stride);
    if (rle) {
        if (sizeImage > g.PixelBytes)
            return Fail(TBmpFault::RleTooShort, sizeImage, g.PixelBytes);
        g.RleBytes = sizeImage != 0 ? sizeImage : g.PixelBytes;
    } else {
        const uint64_t needed = stride * static_cast<uint64_t>(g.Height);
        if (needed > g.PixelBytes)
            return Fail(TBmpFault::PixelsTooShort, needed, g.PixelBytes);
    }

    TBmpCheck check;
    check.Ok = true;
    check.Geometry = g;
    return check;
}

std::string GermanError(const TBmpCheck& check) {
    const uint64_t* v = check.Values;
    switch (check.Fault) {
    case TBmpFault::None:
        return "";
    case TBmpFault::HeaderTooShort:
        return "Bitmap-Kopf zu kurz";
    case TBmpFault::NoSignature:
        return "keine Bitmap-Datei (die Kennung \"BM\" fehlt)";
    case TBmpFault::HeaderSize:
        return "Bitmap-Kopfgr\xF6\xDF"
               "e " +
               N(v[0]) + " wird nicht unterst\xFCtzt";
    case TBmpFault::Planes:
        return "Bitmap-Ebenen m\xFCssen 1 sein, nicht " + N(v[0]);
    case TBmpFault::BitCount:
        return N(v[0]) + " Bit pro Pixel werden nicht unterst\xFCtzt";
    case TBmpFault::BitCountCore:
        return N(v[0]) + " Bit pro Pixel werden mit einem Core-Kopf nicht unterst\xFCtzt";
    case TBmpFault::Rle8Bits:
        return "RLE8-Kompression braucht 8 Bit pro Pixel";
    case TBmpFault::Rle4Bits:
        return "RLE4-Kompression braucht 4 Bit pro Pixel";
    case TBmpFault::BitfieldsBits:
        return "Bitfelder brauchen 16 oder 32 Bit pro Pixel";
    case TBmpFault::BitfieldsHeader:
        return "Bitfelder werden mit dieser Kopfgr\xF6\xDF"
               "e nicht unterst\xFCtzt";
    case TBmpFault::Compression:
        return "Kompression " + N(v[0]) + " wird nicht unterst\xFCtzt";
    case TBmpFault::WidthNotPositive:
        return "Bitmap-Breite muss positiv sein";
    case TBmpFault::HeightZero:
        return "Bitmap-H\xF6he darf nicht 0 sein";
    case TBmpFault::TopDownRle:
        return "eine von oben nach unten gespeicherte Bitmap kann nicht RLE-komprimiert sein";
    case TBmpFault::TooLarge:
        return "Bitmap-Abmessungen zu gro\xDF (" + N(v[0]) + " x " + N(v[1]) + ")";
    case TBmpFault::MasksOutside:
        return "Bitmap-Farbmasken au\xDF"
               "erhalb der Datei";
    case TBmpFault::BadMasks:
        return "ung\xFCltige Bitfeld-Farbmasken";
    case TBmpFault::PaletteTooBig:
        return "Palette zu gro\xDF (" + N(v[0]) + " Farben bei " + N(v[1]) + " Bit pro Pixel)";
    case TBmpFault::PaletteTooBigRgb:
        return "Palette zu gro\xDF (" + N(v[0]) + " Farben)";
    case TBmpFault::PaletteOutside:
        return "Palette au\xDF"
               "erhalb der Datei";
    case TBmpFault::PixelsOutside:
        return "Beginn der Pixeldaten au\xDF"
               "erhalb der Datei";
    case TBmpFault::PixelsInHeaders:
        return "Beginn der Pixeldaten innerhalb der Kopfdaten";
    case TBmpFault::RleTooShort:
        return "RLE-Daten zu kurz (laut Kopf " + N(v[0]) + " Bytes, die Datei enth\xE4lt " +
               N(v[1]) + ")";
    case TBmpFault::PixelsTooShort:
        return "Pixeldaten zu kurz (" + N(v[0]) + " Bytes n\xF6tig, die Datei enth\xE4lt " +
               N(v[1]) + ")";
    }
    return "";
}
