#include "authoring/Bmp24Writer.h"

#include <cstddef>

namespace {

constexpr uint32_t kFileHeaderBytes = 14;
constexpr uint32_t kInfoHeaderBytes = 40;
constexpr int32_t kPixelsPerMetre = 2835; // 72 dots per inch

void Put16(uint8_t* at, uint16_t value) {
    at[0] = static_cast<uint8_t>(value);
    at[1] = static_cast<uint8_t>(value >> 8);
}

void Put32(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (8 * i));
    }
}

} // namespace

std::vector<uint8_t> EncodeBmp24(const RgbaImage& image) {
    const uint32_t width = static_cast<uint32_t>(image.width);
    const uint32_t height = static_cast<uint32_t>(image.height);
    const uint32_t stride = (width * 3 + 3) & ~3u;
    const uint32_t pixelBytes = stride * height;
    const uint32_t pixelOffset = kFileHeaderBytes + kInfoHeaderBytes;

    std::vector<uint8_t> file(pixelOffset + static_cast<std::size_t>(pixelBytes), 0);
    uint8_t* h = file.data();
    h[0] = 'B';
    h[1] = 'M';
    Put32(h + 2, pixelOffset + pixelBytes);
    Put32(h + 10, pixelOffset);
    uint8_t* info = h + kFileHeaderBytes;
    Put32(info + 0, kInfoHeaderBytes);
    Put32(info + 4, width);
    Put32(info + 8, height); // positive: the bottom row comes first
    Put16(info + 12, 1);     // planes
    Put16(info + 14, 24);    // bits a pixel
    Put32(info + 16, 0);     // no compression
    Put32(info + 20, pixelBytes);
    Put32(info + 24, kPixelsPerMetre);
    Put32(info + 28, kPixelsPerMetre);

    for (uint32_t y = 0; y < height; ++y) {
        const uint8_t* in = image.Row(static_cast<int32_t>(height - 1 - y));
        uint8_t* out = h + pixelOffset + static_cast<std::size_t>(stride) * y;
        for (uint32_t x = 0; x < width; ++x, in += 4, out += 3) {
            out[0] = in[2]; // blue, green, red
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return file;
}
