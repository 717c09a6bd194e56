// 24-bit test pictures held in memory the way a speed bitmap holds them
// (bottom-up rows padded to 4 bytes), and the masks the region tests use.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/RegionBuilder.h"

class TestMask {
public:
    TestMask(int width, int height, std::uint32_t fill);

    int Width() const { return width_; }
    int Height() const { return height_; }
    void Set(int x, int y, std::uint32_t rgb);
    std::uint32_t Get(int x, int y) const;
    void FillRect(int left, int top, int right, int bottom, std::uint32_t rgb);
    TPixelRows24 Rows() const;

private:
    std::uint8_t* PixelAt(int x, int y);
    const std::uint8_t* PixelAt(int x, int y) const;

    int width_;
    int height_;
    int lineBytes_;
    std::vector<std::uint8_t> bytes_;
};

// Every pixel of colour `ink` with probability inkPercent, from a fixed seed.
TestMask NoiseMask(int width, int height, int inkPercent, std::uint32_t ink, std::uint32_t paper,
                   std::uint32_t seed);
// A filled ellipse of `ink` on `paper`, with round holes of `paper` in it.
TestMask EllipseWithHoles(int width, int height, std::uint32_t ink, std::uint32_t paper);
// Black text drawn with a real font on white, lines repeated down the picture.
TestMask TextMask(int width, int height, const std::string& text, int fontHeight);
