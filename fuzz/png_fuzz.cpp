// Feeds arbitrary bytes to picture import as a shape picture, the strictest
// road (cut colour, opaque-fuchsia check). A PictureError is the expected
// refusal; any other exception escapes and fails. Every chunk's CRC is made
// right first, so mutations reach the decoder instead of the checksum test
// (which the library tests cover). An accepted picture must be a BMP the
// launcher's own checks accept, of the size reported.
#include <zlib.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "fuzz/PictureFuzzCheck.h"

namespace {

uint32_t BigEndian(const uint8_t* p) {
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | p[3];
}

void FixChunkCrcs(std::vector<uint8_t>& png) {
    std::size_t at = 8; // after the signature
    while (at + 12 <= png.size()) {
        const uint32_t length = BigEndian(&png[at]);
        if (length > png.size() - at - 12) {
            return;
        }
        const uLong crc = crc32(0, &png[at + 4], length + 4);
        uint8_t* out = &png[at + 8 + length];
        out[0] = uint8_t(crc >> 24);
        out[1] = uint8_t(crc >> 16);
        out[2] = uint8_t(crc >> 8);
        out[3] = uint8_t(crc);
        at += 12 + length;
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::vector<uint8_t> png(data, data + size);
    FixChunkCrcs(png);
    ImportAndCheck("fuzz.png", png.data(), png.size(), PictureRole::ButtonShape);
    return 0;
}
