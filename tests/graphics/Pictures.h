// Helpers shared by the graphics tests: reading fixture files and pixels.
#pragma once

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "framework/graphics/Bitmap.h"
#include "framework/portable/Color.h"
#include "framework/runtime/Streams.h"

namespace pictures {

inline std::string DataFile(const std::string& name) {
    return std::string(OVALYN_TEST_DATA) + "/" + name;
}

inline std::vector<uint8_t> ReadBytes(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void Fill(TMemoryStream& stream, const std::vector<uint8_t>& bytes) {
    stream.Clear();
    stream.WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    stream.SetPosition(0);
}

struct Rgb {
    int r = 0, g = 0, b = 0;
    bool operator==(const Rgb&) const = default;
};

// The "<file>.rgb" beside a fixture picture: its pixels as an independent
// decoder read them, top row first.
inline std::vector<Rgb> Reference(const std::string& file) {
    std::vector<uint8_t> bytes = ReadBytes(DataFile(file + ".rgb"));
    std::vector<Rgb> out;
    for (size_t i = 0; i + 2 < bytes.size(); i += 3)
        out.push_back(Rgb{bytes[i], bytes[i + 1], bytes[i + 2]});
    return out;
}

inline Rgb ToRgb(TColor c) {
    return Rgb{ColorRed(c), ColorGreen(c), ColorBlue(c)};
}

// The pixel as the bitmap's 24-bit copy holds it, read from memory.
inline std::vector<Rgb> Pixels24(TBitmap& source) {
    TBitmap copy;
    copy.Assign(&source);
    copy.SetPixelFormat(pf24bit);
    std::vector<Rgb> out;
    for (int y = 0; y < copy.Height(); ++y) {
        const uint8_t* row = copy.ScanLine(y);
        for (int x = 0; x < copy.Width(); ++x)
            out.push_back(Rgb{row[3 * x + 2], row[3 * x + 1], row[3 * x]});
    }
    return out;
}

inline Rgb PixelAt(TBitmap& bitmap, int x, int y) {
    return Pixels24(bitmap)[static_cast<size_t>(y) * bitmap.Width() + x];
}

// Fills a 24-bit bitmap through its rows: pixel (x, y) gets colour f(x, y).
template <typename F> void Paint24(TBitmap& bitmap, int width, int height, F f) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(width, height);
    for (int y = 0; y < height; ++y) {
        uint8_t* row = bitmap.ScanLine(y);
        for (int x = 0; x < width; ++x) {
            Rgb c = f(x, y);
            row[3 * x] = uint8_t(c.b);
            row[3 * x + 1] = uint8_t(c.g);
            row[3 * x + 2] = uint8_t(c.r);
        }
    }
}

} // namespace pictures
