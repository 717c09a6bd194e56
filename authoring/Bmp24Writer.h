// The BMP file the launcher reads best: 24 bits a pixel, no palette, no
// compression, rows from the bottom, each padded to a multiple of 4 bytes,
// behind a 14-byte file header and a 40-byte info header.
#pragma once

#include <cstdint>
#include <vector>

#include "authoring/RgbaImage.h"

// The picture's red, green and blue as a complete BMP file; alpha is not
// written (ApplyPictureRole decides what it means first). The picture's size
// must have passed CheckPictureSize, which keeps the file below 4 GB.
std::vector<uint8_t> EncodeBmp24(const RgbaImage& image);
