#include "tools/launcher_icon/IcoWriter.h"

#include <stdexcept>
#include <string>

namespace {

void Put16(std::vector<uint8_t>& out, uint32_t value) {
    out.push_back(static_cast<uint8_t>(value));
    out.push_back(static_cast<uint8_t>(value >> 8));
}

void Put32(std::vector<uint8_t>& out, uint32_t value) {
    Put16(out, value & 0xFFFF);
    Put16(out, value >> 16);
}

// A pixel less than half opaque is transparent for a system that draws only
// the mask, the same threshold the skin library uses for shapes.
bool MaskedOut(uint8_t alpha) {
    return alpha < 128;
}

// BITMAPINFOHEADER, bottom-up BGRA rows, then the AND mask: one bit a pixel,
// rows padded to four bytes. The header's height counts both halves.
std::vector<uint8_t> BmpImage(const StarterImage& picture) {
    const uint32_t size = static_cast<uint32_t>(picture.width);
    const uint32_t maskRow = (size + 31) / 32 * 4;
    std::vector<uint8_t> out;
    Put32(out, 40);
    Put32(out, size);
    Put32(out, size * 2);
    Put16(out, 1);  // planes
    Put16(out, 32); // bits a pixel
    Put32(out, 0);  // BI_RGB
    Put32(out, size * size * 4 + maskRow * size);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    Put32(out, 0);
    for (uint32_t row = size; row-- > 0;) {
        for (uint32_t x = 0; x < size; ++x) {
            const uint8_t* p = &picture.rgba[(static_cast<std::size_t>(row) * size + x) * 4];
            out.insert(out.end(), {p[2], p[1], p[0], p[3]});
        }
    }
    for (uint32_t row = size; row-- > 0;) {
        std::vector<uint8_t> bits(maskRow, 0);
        for (uint32_t x = 0; x < size; ++x)
            if (MaskedOut(picture.rgba[(static_cast<std::size_t>(row) * size + x) * 4 + 3]))
                bits[x / 8] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), bits.begin(), bits.end());
    }
    return out;
}

} // namespace

std::vector<uint8_t> WriteIco(const std::vector<StarterImage>& pictures) {
    if (pictures.empty() || pictures.size() > 64)
        throw std::invalid_argument("an icon holds 1 to 64 pictures");
    std::vector<std::vector<uint8_t>> images;
    for (const StarterImage& picture : pictures) {
        if (picture.width != picture.height || picture.width < 1 || picture.width > 256 ||
            picture.rgba.size() != static_cast<std::size_t>(picture.width) * picture.height * 4)
            throw std::invalid_argument("icon picture of " + std::to_string(picture.width) + " x " +
                                        std::to_string(picture.height) +
                                        " pixels: must be square, 1 to 256 pixels");
        images.push_back(picture.width == 256 ? EncodePng(picture, false) : BmpImage(picture));
    }
    std::vector<uint8_t> out;
    Put16(out, 0); // reserved
    Put16(out, 1); // an icon, not a cursor
    Put16(out, static_cast<uint32_t>(images.size()));
    uint32_t offset = 6 + 16 * static_cast<uint32_t>(images.size());
    for (std::size_t i = 0; i < images.size(); ++i) {
        const uint8_t side = static_cast<uint8_t>(pictures[i].width & 0xFF); // 256 is written 0
        out.insert(out.end(), {side, side, 0, 0});
        Put16(out, 1);
        Put16(out, 32);
        Put32(out, static_cast<uint32_t>(images[i].size()));
        Put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const std::vector<uint8_t>& image : images)
        out.insert(out.end(), image.begin(), image.end());
    return out;
}
