// PNG files of every colour type and bit depth (palette with a transparent
// colour, grey, grey with alpha, RGB, RGBA, 16 bits a sample, interlaced),
// decoded with libpng to 8-bit RGBA.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "authoring/RgbaImage.h"

// True when the data begins with the eight bytes of the PNG signature.
bool HasPngSignature(const uint8_t* data, std::size_t size);

// Raises PictureError naming `name` for damaged, truncated or too large files.
RgbaImage ReadPng(const std::string& name, const uint8_t* data, std::size_t size);
