// Writes Windows icon files (.ico): pictures smaller than 256 pixels as 32-bit
// BMP images with their alpha channel and a one-bit AND mask (for systems that
// draw icons without alpha), 256-pixel pictures as PNG, as Windows Vista and
// later read them.
#pragma once

#include <cstdint>
#include <vector>

#include "authoring/StarterPictures.h"

// The icon file holding the pictures in the given order. Each picture must be
// square, 1 to 256 pixels; raises std::invalid_argument otherwise.
std::vector<uint8_t> WriteIco(const std::vector<StarterImage>& pictures);
