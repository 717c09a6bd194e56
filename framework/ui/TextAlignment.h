// One-byte enumerations for the placement of captions and text.
#pragma once

#include <cstdint>

enum TAlignment : std::uint8_t { taLeftJustify, taRightJustify, taCenter };
enum TTextLayout : std::uint8_t { tlTop, tlCenter, tlBottom };
