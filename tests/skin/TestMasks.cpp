#include "TestMasks.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

TestMask::TestMask(int width, int height, std::uint32_t fill)
    : width_(width), height_(height), lineBytes_((width * 24 + 31) / 32 * 4),
      bytes_(static_cast<std::size_t>(lineBytes_) * height + 1) {
    FillRect(0, 0, width, height, fill);
}

std::uint8_t* TestMask::PixelAt(int x, int y) {
    return bytes_.data() + static_cast<std::size_t>(height_ - 1 - y) * lineBytes_ + 3 * x;
}
const std::uint8_t* TestMask::PixelAt(int x, int y) const {
    return bytes_.data() + static_cast<std::size_t>(height_ - 1 - y) * lineBytes_ + 3 * x;
}

void TestMask::Set(int x, int y, std::uint32_t rgb) {
    std::uint8_t* pixel = PixelAt(x, y);
    pixel[0] = static_cast<std::uint8_t>(rgb >> 16);
    pixel[1] = static_cast<std::uint8_t>(rgb >> 8);
    pixel[2] = static_cast<std::uint8_t>(rgb);
}

std::uint32_t TestMask::Get(int x, int y) const {
    return PixelColorValue(PixelAt(x, y));
}

void TestMask::FillRect(int left, int top, int right, int bottom, std::uint32_t rgb) {
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x)
            Set(x, y, rgb);
}

TPixelRows24 TestMask::Rows() const {
    if (height_ == 0)
        return {bytes_.data(), -lineBytes_, width_, 0};
    return {PixelAt(0, 0), -lineBytes_, width_, height_};
}

TestMask NoiseMask(int width, int height, int inkPercent, std::uint32_t ink, std::uint32_t paper,
                   std::uint32_t seed) {
    TestMask mask(width, height, paper);
    std::uint32_t state = seed;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            state = state * 1664525u + 1013904223u;
            if ((state >> 8) % 100 < static_cast<std::uint32_t>(inkPercent))
                mask.Set(x, y, ink);
        }
    return mask;
}

TestMask EllipseWithHoles(int width, int height, std::uint32_t ink, std::uint32_t paper) {
    TestMask mask(width, height, paper);
    const double cx = width / 2.0, cy = height / 2.0;
    const double rx = width / 2.0, ry = height / 2.0;
    const double holeRadius = height / 10.0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
            if (dx * dx + dy * dy > 1.0)
                continue;
            bool inHole = false;
            for (int hole = -1; hole <= 1 && !inHole; ++hole) {
                const double hx = x + 0.5 - (cx + hole * rx / 2), hy = y + 0.5 - cy;
                inHole = hx * hx + hy * hy < holeRadius * holeRadius;
            }
            if (!inHole)
                mask.Set(x, y, ink);
        }
    return mask;
}

TestMask TextMask(int width, int height, const std::string& text, int fontHeight) {
    TestMask mask(width, height, 0xFFFFFF);
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HFONT font = CreateFontA(fontHeight, 0, 0, 0, FW_BOLD, 0, 0, 0, ANSI_CHARSET, 0, 0,
                             NONANTIALIASED_QUALITY, 0, "Arial");
    if (!dc || !bitmap || !font)
        throw std::runtime_error("TextMask: GDI objects could not be created");
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HGDIOBJ oldFont = SelectObject(dc, font);
    RECT all{0, 0, width, height};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(0, 0, 0));
    for (int y = 0; y < height; y += fontHeight + 2)
        TextOutA(dc, 2 - (y % 7), y, text.c_str(), static_cast<int>(text.size()));
    GdiFlush();
    const int lineBytes = (width * 24 + 31) / 32 * 4;
    for (int y = 0; y < height; ++y) {
        const auto* row = static_cast<const std::uint8_t*>(bits) +
                          static_cast<std::size_t>(height - 1 - y) * lineBytes;
        for (int x = 0; x < width; ++x)
            mask.Set(x, y, PixelColorValue(row + 3 * x));
    }
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteObject(font);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return mask;
}
