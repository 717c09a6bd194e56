// JPEG files (grey, YCbCr or RGB; baseline or progressive) decoded with
// libjpeg to 8-bit RGBA, fully opaque. CMYK and YCCK files are refused with
// a message saying how to save them instead.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "authoring/RgbaImage.h"

// True when the data begins with a JPEG start-of-image marker.
bool HasJpegSignature(const uint8_t* data, std::size_t size);

// Raises PictureError naming `name` for damaged, truncated, too large or
// CMYK files. Data libjpeg would only warn about (a file cut short, corrupt
// entropy data) is an error too: the picture would come out wrong.
RgbaImage ReadJpeg(const std::string& name, const uint8_t* data, std::size_t size);
