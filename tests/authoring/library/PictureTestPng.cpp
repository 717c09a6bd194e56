#include "PictureTestPng.h"

#include <png.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>

namespace {

// A test picture that libpng refuses to write is a mistake in the test.
void AbortOnError(png_structp, png_const_charp message) {
    std::fprintf(stderr, "test PNG writer: %s\n", message);
    std::abort();
}

void AppendToVector(png_structp png, png_bytep data, std::size_t size) {
    auto* out = static_cast<std::vector<uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + size);
}

void NoFlush(png_structp) {}

int Channels(int colorType) {
    switch (colorType) {
    case PNG_COLOR_TYPE_GRAY_ALPHA:
        return 2;
    case PNG_COLOR_TYPE_RGB:
        return 3;
    case PNG_COLOR_TYPE_RGB_ALPHA:
        return 4;
    default:
        return 1;
    }
}

// Packs samples as PNG stores them: below 8 bits the first sample in the
// highest bits, 16 bits big-endian.
std::vector<std::vector<uint8_t>> PackRows(const TestPng& testPng) {
    const std::size_t perRow =
        static_cast<std::size_t>(testPng.width) * Channels(testPng.colorType);
    std::vector<std::vector<uint8_t>> rows(testPng.height);
    for (uint32_t y = 0; y < testPng.height; ++y) {
        std::vector<uint8_t>& row = rows[y];
        row.assign((perRow * testPng.bitDepth + 7) / 8, 0);
        for (std::size_t i = 0; i < perRow; ++i) {
            const uint16_t sample = testPng.samples.at(y * perRow + i);
            if (testPng.bitDepth == 16) {
                row[2 * i] = static_cast<uint8_t>(sample >> 8);
                row[2 * i + 1] = static_cast<uint8_t>(sample);
            } else {
                const std::size_t bit = i * testPng.bitDepth;
                row[bit / 8] |= static_cast<uint8_t>(sample << (8 - testPng.bitDepth - bit % 8));
            }
        }
    }
    return rows;
}

uint32_t Crc32(const uint8_t* data, std::size_t size) {
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 0; i < size; ++i) {
        crc ^= data[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    return ~crc;
}

void PutBigEndian(uint8_t* at, uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        at[i] = static_cast<uint8_t>(value >> (24 - 8 * i));
    }
}

} // namespace

std::vector<uint8_t> WriteTestPng(const TestPng& testPng) {
    std::vector<std::vector<uint8_t>> rows = PackRows(testPng);
    std::vector<png_bytep> rowPointers;
    for (auto& row : rows) {
        rowPointers.push_back(row.data());
    }
    std::vector<uint8_t> out;
    png_structp png =
        png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, AbortOnError, nullptr);
    png_infop info = png_create_info_struct(png);
    png_set_write_fn(png, &out, AppendToVector, NoFlush);
    png_set_IHDR(png, info, testPng.width, testPng.height, testPng.bitDepth, testPng.colorType,
                 testPng.interlaced ? PNG_INTERLACE_ADAM7 : PNG_INTERLACE_NONE,
                 PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    std::vector<png_color> palette;
    for (std::size_t i = 0; i + 2 < testPng.paletteRgb.size(); i += 3) {
        palette.push_back(
            {testPng.paletteRgb[i], testPng.paletteRgb[i + 1], testPng.paletteRgb[i + 2]});
    }
    if (!palette.empty()) {
        png_set_PLTE(png, info, palette.data(), static_cast<int>(palette.size()));
    }
    if (!testPng.paletteAlpha.empty()) {
        png_set_tRNS(png, info, testPng.paletteAlpha.data(),
                     static_cast<int>(testPng.paletteAlpha.size()), nullptr);
    }
    if (testPng.hasTransparentColour) {
        png_color_16 colour{};
        colour.gray = testPng.transparent[0];
        colour.red = testPng.transparent[0];
        colour.green = testPng.transparent[1];
        colour.blue = testPng.transparent[2];
        png_set_tRNS(png, info, nullptr, 0, &colour);
    }
    png_write_info(png, info);
    if (testPng.interlaced) {
        png_set_interlace_handling(png);
    }
    png_write_image(png, rowPointers.data());
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

std::vector<uint8_t> SolidRgbaPng(uint32_t width, uint32_t height, uint8_t r, uint8_t g, uint8_t b,
                                  uint8_t a) {
    TestPng testPng;
    testPng.width = width;
    testPng.height = height;
    testPng.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (uint32_t i = 0; i < width * height; ++i) {
        testPng.samples.insert(testPng.samples.end(), {r, g, b, a});
    }
    return WriteTestPng(testPng);
}

void SetPngSize(std::vector<uint8_t>& png, uint32_t width, uint32_t height) {
    // Signature (8), IHDR length (4), "IHDR" (4), width, height, ..., CRC
    // over the type and the 13 data bytes.
    PutBigEndian(png.data() + 16, width);
    PutBigEndian(png.data() + 20, height);
    PutBigEndian(png.data() + 29, Crc32(png.data() + 12, 17));
}

std::vector<uint8_t> ReadTestFile(const std::string& name) {
    std::ifstream file(std::string(OVALYN_TEST_DATA) + "/" + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(file), {});
}
