// PNG files made in the tests with libpng's writer, so every colour type,
// bit depth and interlacing can be read back against known samples, and
// headers can be changed with a correct checksum to reach the checks behind
// the CRC.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TestPng {
    uint32_t width = 0;
    uint32_t height = 0;
    int colorType = 0; // PNG_COLOR_TYPE_*
    int bitDepth = 8;
    bool interlaced = false;
    // Samples of every pixel, row by row from the top, as many per pixel as
    // the colour type has channels (1 for palette indices), each below
    // 2^bitDepth.
    std::vector<uint16_t> samples;
    std::vector<uint8_t> paletteRgb;   // palette: 3 bytes an entry
    std::vector<uint8_t> paletteAlpha; // tRNS for a palette: alpha of the first entries
    bool hasTransparentColour = false; // tRNS for grey or RGB
    uint16_t transparent[3] = {};      // its grey value, or red, green, blue
};

std::vector<uint8_t> WriteTestPng(const TestPng& testPng);

// A solid 8-bit RGBA picture of the given size.
std::vector<uint8_t> SolidRgbaPng(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b,
                                  uint8_t a);

// Replaces width and height in the IHDR chunk and recomputes its CRC.
void SetPngSize(std::vector<uint8_t>& png, uint32_t width, uint32_t height);

std::vector<uint8_t> ReadTestFile(const std::string& name); // from OVALYN_TEST_DATA
