// The check of an icon file before it goes onto a medium: Explorer shows no
// icon at all for a drive whose autorun.inf names a broken one.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

// What is wrong with the bytes as a Windows icon (.ico), or "": a 6-byte
// header (reserved 0, type 1, a count above 0), count directory entries of
// 16 bytes, and each entry's image (size above 0, offset) inside the file.
std::string IcoProblem(const std::vector<uint8_t>& bytes);
