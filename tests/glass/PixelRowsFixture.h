// A 24-bit picture in memory laid out bottom-up like the speed bitmap, for the core tests.
#pragma once

#include "skin/GlassBlend.h"

#include <cstdint>
#include <vector>

struct Bgr {
    uint8_t Blue, Green, Red;
    bool operator==(const Bgr&) const = default;
};

class TestPicture {
public:
    TestPicture(int32_t width, int32_t height, uint8_t fill = 0)
        : bytes_(static_cast<size_t>(RowBytes24(width)) * height + 1, fill) {
        rows_.Width = width;
        rows_.Height = height;
        rows_.LineBytes = RowBytes24(width);
        // Row 0 lies highest in memory; the extra byte guards the last row's end.
        rows_.ScanLine0 = bytes_.data() + static_cast<size_t>(rows_.LineBytes) * (height - 1);
        if (height == 0) {
            rows_.ScanLine0 = bytes_.data();
        }
    }

    const TPixelRows& Rows() const { return rows_; }
    Bgr At(int32_t x, int32_t y) const {
        const uint8_t* p = rows_.Pixel(x, y);
        return {p[0], p[1], p[2]};
    }
    void Set(int32_t x, int32_t y, Bgr value) {
        uint8_t* p = rows_.Pixel(x, y);
        p[0] = value.Blue;
        p[1] = value.Green;
        p[2] = value.Red;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }

private:
    std::vector<uint8_t> bytes_;
    TPixelRows rows_;
};
