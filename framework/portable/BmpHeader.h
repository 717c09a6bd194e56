// Strict checks of a Windows bitmap file held in memory, made before the
// platform decodes it, so that damaged or hostile files get a clear message
// instead of a crash or an unbounded allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

// Compression codes of the bitmap info header.
constexpr uint32_t kBiRgb = 0;
constexpr uint32_t kBiRle8 = 1;
constexpr uint32_t kBiRle4 = 2;
constexpr uint32_t kBiBitfields = 3;

// Size limits: each side and the 32-bit pixel memory of the whole picture.
constexpr int32_t kMaxBitmapSide = 16384;
constexpr uint64_t kMaxBitmapBytes = 256ull * 1024 * 1024;

struct TBmpGeometry {
    uint32_t HeaderSize = 0;       // size of the info header: 12 (core), 40, 52, 56, 64, 108, 124
    int32_t Width = 0;             // > 0
    int32_t Height = 0;            // > 0 (the absolute value of the stored height)
    bool TopDown = false;          // the stored height was negative
    uint16_t BitCount = 0;         // 1, 4, 8, 16, 24 or 32
    uint32_t Compression = 0;      // kBiRgb, kBiRle8, kBiRle4 or kBiBitfields
    uint32_t PaletteEntries = 0;   // colours in the file's palette (0 for 16/24/32 bit without one)
    uint32_t PaletteEntrySize = 0; // 3 with a core header, else 4
    uint32_t PaletteOffset = 0;    // offset of the palette from the start of the file
    uint32_t RedMask = 0, GreenMask = 0, BlueMask = 0, AlphaMask = 0; // bitfields only
    uint32_t PixelOffset = 0; // offset of the pixel data from the start of the file
    uint32_t Stride = 0;      // bytes per row of uncompressed data (rows padded to 4)
    uint32_t PixelBytes = 0;  // bytes of pixel data present in the file from PixelOffset
    // Compressed data: the header's image size, or all bytes present when the
    // header leaves it 0. Where the picture ends, so a stream may go on after it.
    uint32_t RleBytes = 0;
};

// What is wrong with a bitmap file; the numbers a fault names are in TBmpCheck.
enum class TBmpFault {
    None,
    HeaderTooShort,
    NoSignature,
    HeaderSize,   // the header size
    Planes,       // the planes
    BitCount,     // the bit count
    BitCountCore, // the bit count
    Rle8Bits,
    Rle4Bits,
    BitfieldsBits,
    BitfieldsHeader,
    Compression, // the compression code
    WidthNotPositive,
    HeightZero,
    TopDownRle,
    TooLarge, // width, height
    MasksOutside,
    BadMasks,
    PaletteTooBig,    // colours, bits per pixel
    PaletteTooBigRgb, // colours (a picture of more than 8 bits per pixel)
    PaletteOutside,
    PixelsOutside,
    PixelsInHeaders,
    RleTooShort,    // bytes the header names, bytes present
    PixelsTooShort, // bytes needed, bytes present
};

struct TBmpCheck {
    bool Ok = false;
    // What is wrong, in English for the authoring tools, e.g. "bitmap header
    // too short"; empty when Ok. GermanError gives the runtime's wording.
    std::string Error;
    TBmpFault Fault = TBmpFault::None;
    uint64_t Values[2] = {0, 0}; // the numbers the fault names, in its order
    TBmpGeometry Geometry;
};

// Checks the file header ("BM"), the info header and the sizes of palette and
// pixel data against the size of the data. Never reads outside data[0..size).
TBmpCheck CheckBmpFile(const uint8_t* data, size_t size);

// The fault of a failed check in the runtime's language (German, CP1252), with
// the same numbers as Error; empty when the check passed.
std::string GermanError(const TBmpCheck& check);
