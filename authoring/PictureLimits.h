// The largest pictures imported, checked before any pixel memory is
// allocated: the launcher's own bitmap limits, and a cap on the file read.
#pragma once

#include <cstdint>
#include <string>

// Larger files are refused before they are read.
constexpr uint64_t kMaxPictureFileBytes = 256ull * 1024 * 1024;

// Raises PictureError naming `name` unless both sides are at least 1 and at
// most kMaxBitmapSide and the picture's 32-bit pixels fit kMaxBitmapBytes.
void CheckPictureSize(const std::string& name, uint64_t width, uint64_t height);
