// TSpeedBitmap: a bitmap that keeps itself at 24 bits per pixel and keeps the
// address of its top row and its row length current after every change, so
// that single pixels are read and written by address arithmetic alone.
#pragma once

#include <windows.h>

#include <cstdint>

#include "framework/graphics/Bitmap.h"

class TSpeedBitmap : public TBitmap {
public:
    TSpeedBitmap() = default;
    const char* ClassName() const override { return "TSpeedBitmap"; }

    // The first byte of row 0 (the top row); nullptr until the first change.
    // Valid until the next change: every change may move the pixel memory.
    std::uint8_t* ScanLine0() const { return scanLine0_; }
    // Bytes per 24-bit row: 3 bytes a pixel, rounded up to a multiple of 4.
    std::int32_t LineBytes() const { return lineBytes_; }

    // Pixel (x, y) counted from the top-left corner, as blue, green, red.
    // Neither checks the coordinates (callers keep 0 <= x < Width, 0 <= y <
    // Height) and neither sends a change notification.
    void ReadPixel(std::int32_t x, std::int32_t y, RGBTRIPLE& pixel) const {
        const std::uint8_t* address = PixelAddress(x, y);
        pixel.rgbtBlue = address[0];
        pixel.rgbtGreen = address[1];
        pixel.rgbtRed = address[2];
    }
    void WritePixel(std::int32_t x, std::int32_t y, RGBTRIPLE pixel) {
        std::uint8_t* address = PixelAddress(x, y);
        address[0] = pixel.rgbtBlue;
        address[1] = pixel.rgbtGreen;
        address[2] = pixel.rgbtRed;
    }

    // After the bitmap's own notification: LineBytes from the width, the top
    // row's address, then the conversion to 24 bits, whose own notification
    // runs this again on the converted pixels. A picture without rows raises
    // the bitmap's row-index error after the change has been made.
    void Changed(TObject* sender) override;

private:
    // Rows lie bottom-up, so row y is y rows below row 0 in memory.
    std::uint8_t* PixelAddress(std::int32_t x, std::int32_t y) const {
        return scanLine0_ - static_cast<std::ptrdiff_t>(y) * lineBytes_ +
               3 * static_cast<std::ptrdiff_t>(x);
    }

    std::uint8_t* scanLine0_ = nullptr; // points into the bitmap's own pixel memory
    std::int32_t lineBytes_ = 0;
};
