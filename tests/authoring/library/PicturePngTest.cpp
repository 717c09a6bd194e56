// PNG files of every colour type, bit depth and interlacing read back to the
// RGBA samples they hold; damaged, truncated and oversized files refused
// with the file named.
#include <gtest/gtest.h>
#include <png.h>

#include <string>
#include <vector>

#include "PictureTestPng.h"
#include "authoring/PictureImport.h"
#include "authoring/PngReader.h"

namespace {

std::vector<uint8_t> Pixels(const RgbaImage& image) {
    return std::vector<uint8_t>(image.pixels.get(),
                                image.pixels.get() + image.RowBytes() * image.height);
}

RgbaImage Decode(const TestPng& testPng) {
    const std::vector<uint8_t> file = WriteTestPng(testPng);
    return ReadPng("t.png", file.data(), file.size());
}

TestPng Row(int colorType, int bitDepth, std::vector<uint16_t> samples, uint32_t width) {
    TestPng testPng;
    testPng.width = width;
    testPng.height = 1;
    testPng.colorType = colorType;
    testPng.bitDepth = bitDepth;
    testPng.samples = std::move(samples);
    return testPng;
}

std::string ImportError(const std::vector<uint8_t>& file) {
    try {
        ImportPictureBytes("t.png", file.data(), file.size(), PictureRole::ButtonShape);
    } catch (const PictureError& error) {
        return error.what();
    }
    return "(no error)";
}

} // namespace

TEST(PicturePngRead, GreyOfEveryDepthSpreadsOverTheFullRange) {
    struct Case {
        int depth;
        std::vector<uint16_t> samples;
        std::vector<uint8_t> grey;
    };
    const Case cases[] = {
        {1, {0, 1, 1, 0}, {0, 255, 255, 0}},
        {2, {0, 1, 2, 3}, {0, 85, 170, 255}},
        {4, {0, 5, 10, 15}, {0, 85, 170, 255}},
        {8, {0, 7, 200, 255}, {0, 7, 200, 255}},
        // 16 bits are rounded to 8, not cut: 0x12FF is nearer 0x13 than 0x12.
        {16, {0, 0x12FF, 0x8080, 0xFFFF}, {0, 0x13, 0x80, 0xFF}},
    };
    for (const Case& c : cases) {
        const RgbaImage image = Decode(Row(PNG_COLOR_TYPE_GRAY, c.depth, c.samples, 4));
        std::vector<uint8_t> expected;
        for (uint8_t g : c.grey) {
            expected.insert(expected.end(), {g, g, g, 255});
        }
        EXPECT_EQ(Pixels(image), expected) << c.depth << " bits";
        EXPECT_FALSE(image.hasAlpha) << c.depth << " bits";
    }
}

TEST(PicturePngRead, ChannelsWithAlphaKeepTheirAlphaAt8And16Bits) {
    RgbaImage grey = Decode(Row(PNG_COLOR_TYPE_GRAY_ALPHA, 8, {10, 0, 20, 127, 30, 255}, 3));
    EXPECT_EQ(Pixels(grey),
              (std::vector<uint8_t>{10, 10, 10, 0, 20, 20, 20, 127, 30, 30, 30, 255}));
    EXPECT_TRUE(grey.hasAlpha);

    RgbaImage grey16 = Decode(Row(PNG_COLOR_TYPE_GRAY_ALPHA, 16, {0xFFFF, 0x8080}, 1));
    EXPECT_EQ(Pixels(grey16), (std::vector<uint8_t>{255, 255, 255, 128}));

    RgbaImage rgb = Decode(Row(PNG_COLOR_TYPE_RGB, 8, {1, 2, 3, 250, 251, 252}, 2));
    EXPECT_EQ(Pixels(rgb), (std::vector<uint8_t>{1, 2, 3, 255, 250, 251, 252, 255}));
    EXPECT_FALSE(rgb.hasAlpha);

    RgbaImage rgb16 = Decode(Row(PNG_COLOR_TYPE_RGB, 16, {0xFFFF, 0, 0x8080}, 1));
    EXPECT_EQ(Pixels(rgb16), (std::vector<uint8_t>{255, 0, 128, 255}));

    RgbaImage rgba = Decode(Row(PNG_COLOR_TYPE_RGB_ALPHA, 8, {9, 8, 7, 6, 255, 0, 255, 200}, 2));
    EXPECT_EQ(Pixels(rgba), (std::vector<uint8_t>{9, 8, 7, 6, 255, 0, 255, 200}));
    EXPECT_TRUE(rgba.hasAlpha);

    RgbaImage rgba16 = Decode(Row(PNG_COLOR_TYPE_RGB_ALPHA, 16, {0, 0xFFFF, 0x8080, 0x12FF}, 1));
    EXPECT_EQ(Pixels(rgba16), (std::vector<uint8_t>{0, 255, 128, 0x13}));
}

TEST(PicturePngRead, PaletteOfEveryDepthTakesAlphaFromItsTransparencyChunk) {
    for (int depth : {1, 2, 4, 8}) {
        TestPng testPng = Row(PNG_COLOR_TYPE_PALETTE, depth, {0, 1, 0, 1}, 4);
        testPng.paletteRgb = {255, 0, 255, 10, 20, 30};
        testPng.paletteAlpha = {0}; // entry 0 transparent, entry 1 opaque (no alpha given)
        if (depth >= 2) {
            testPng.paletteRgb.insert(testPng.paletteRgb.end(), {40, 50, 60, 70, 80, 90});
            testPng.paletteAlpha = {0, 255, 100};
            testPng.samples = {0, 1, 2, 3};
        }
        const RgbaImage image = Decode(testPng);
        std::vector<uint8_t> expected = {255, 0, 255, 0, 10, 20, 30, 255};
        if (depth >= 2) {
            expected.insert(expected.end(), {40, 50, 60, 100, 70, 80, 90, 255});
        } else {
            expected.insert(expected.end(), {255, 0, 255, 0, 10, 20, 30, 255});
        }
        EXPECT_EQ(Pixels(image), expected) << depth << " bits";
        EXPECT_TRUE(image.hasAlpha) << depth << " bits";
    }

    TestPng opaque = Row(PNG_COLOR_TYPE_PALETTE, 8, {1, 0}, 2);
    opaque.paletteRgb = {255, 0, 255, 1, 2, 3};
    const RgbaImage image = Decode(opaque);
    EXPECT_EQ(Pixels(image), (std::vector<uint8_t>{1, 2, 3, 255, 255, 0, 255, 255}));
    EXPECT_FALSE(image.hasAlpha) << "a palette without tRNS is opaque";
}

TEST(PicturePngRead, TransparentColourOfGreyAndRgbBecomesAlphaZero) {
    TestPng grey = Row(PNG_COLOR_TYPE_GRAY, 4, {3, 4}, 2);
    grey.hasTransparentColour = true;
    grey.transparent[0] = 3;
    const RgbaImage g = Decode(grey);
    EXPECT_EQ(Pixels(g), (std::vector<uint8_t>{51, 51, 51, 0, 68, 68, 68, 255}));
    EXPECT_TRUE(g.hasAlpha);

    TestPng rgb = Row(PNG_COLOR_TYPE_RGB, 16, {1, 2, 3, 1, 2, 4}, 2);
    rgb.hasTransparentColour = true;
    rgb.transparent[0] = 1;
    rgb.transparent[1] = 2;
    rgb.transparent[2] = 3;
    const RgbaImage c = Decode(rgb);
    EXPECT_EQ(c.Row(0)[3], 0);
    EXPECT_EQ(c.Row(0)[7], 255);
    EXPECT_TRUE(c.hasAlpha);
}

TEST(PicturePngRead, InterlacedPictureGivesTheSamePixelsAsAPlainOne) {
    // 13 x 11 leaves every Adam7 pass a partial block at the right and bottom.
    TestPng testPng;
    testPng.width = 13;
    testPng.height = 11;
    testPng.colorType = PNG_COLOR_TYPE_RGB_ALPHA;
    for (uint32_t i = 0; i < testPng.width * testPng.height * 4; ++i) {
        testPng.samples.push_back(static_cast<uint16_t>((i * 37 + i / 4) & 0xFF));
    }
    const RgbaImage plain = Decode(testPng);
    testPng.interlaced = true;
    const RgbaImage interlaced = Decode(testPng);
    std::vector<uint8_t> expected(testPng.samples.begin(), testPng.samples.end());
    EXPECT_EQ(Pixels(plain), expected);
    EXPECT_EQ(Pixels(interlaced), expected);
}

TEST(PicturePngDamage, EveryCutOfTheFileIsReportedAsTruncated) {
    TestPng testPng = Row(PNG_COLOR_TYPE_RGB_ALPHA, 8, {}, 5);
    testPng.height = 4;
    testPng.interlaced = true;
    for (int i = 0; i < 5 * 4 * 4; ++i) {
        testPng.samples.push_back(static_cast<uint16_t>(i * 3));
    }
    const std::vector<uint8_t> file = WriteTestPng(testPng);
    for (std::size_t size = 8; size < file.size(); ++size) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + size);
        EXPECT_EQ(ImportError(cut),
                  "t.png: the PNG file is truncated: it ends before the picture does")
            << size << " of " << file.size() << " bytes";
    }
}

TEST(PicturePngDamage, DamagedHeaderAndDataAreReportedWithLibpngsReason) {
    std::vector<uint8_t> file = SolidRgbaPng(3, 2, 1, 2, 3, 255);
    std::vector<uint8_t> badCrc = file;
    badCrc[17] ^= 0x40; // width changed, checksum not
    const std::string crcError = ImportError(badCrc);
    EXPECT_EQ(crcError.rfind("t.png: the PNG file is damaged: ", 0), 0u) << crcError;
    EXPECT_NE(crcError.find("CRC"), std::string::npos) << crcError;

    // The first IDAT chunk follows IHDR (33 bytes in); its data begins with
    // the zlib header, which no longer names deflate after the change.
    ASSERT_EQ(std::string(file.begin() + 37, file.begin() + 41), "IDAT");
    std::vector<uint8_t> badZlib = file;
    badZlib[41] = 0x00;
    const std::size_t length =
        (badZlib[33] << 24) | (badZlib[34] << 16) | (badZlib[35] << 8) | badZlib[36];
    // Recompute the chunk's CRC so that the zlib data itself is what fails.
    uint32_t crc = 0xFFFFFFFFu;
    for (std::size_t i = 37; i < 41 + length; ++i) {
        crc ^= badZlib[i];
        for (int k = 0; k < 8; ++k) {
            crc = (crc >> 1) ^ (0xEDB88320u & (0u - (crc & 1u)));
        }
    }
    crc = ~crc;
    for (int i = 0; i < 4; ++i) {
        badZlib[41 + length + i] = static_cast<uint8_t>(crc >> (24 - 8 * i));
    }
    const std::string zlibError = ImportError(badZlib);
    EXPECT_EQ(zlibError.rfind("t.png: the PNG file is damaged: ", 0), 0u) << zlibError;

    std::vector<uint8_t> zeroWidth = file;
    SetPngSize(zeroWidth, 0, 2);
    EXPECT_EQ(ImportError(zeroWidth).rfind("t.png: the PNG file is damaged: ", 0), 0u);
}

TEST(PicturePngDamage, OversizedPictureIsRefusedWithItsSizeBeforeItsPixelsAreRead) {
    // The pixel data is that of a 3 x 2 picture: the size check must come
    // first, or the error would be about missing data (or memory).
    std::vector<uint8_t> file = SolidRgbaPng(3, 2, 1, 2, 3, 255);
    SetPngSize(file, 16385, 2);
    EXPECT_EQ(ImportError(file), "t.png: the picture is too large (16385 x 2 pixels); each side "
                                 "may be at most 16384 pixels");
    SetPngSize(file, 2, 1000000);
    EXPECT_NE(ImportError(file).find("too large (2 x 1000000 pixels)"), std::string::npos);
    SetPngSize(file, 16384, 16384);
    EXPECT_NE(ImportError(file).find("too large (16384 x 16384 pixels); at most"),
              std::string::npos);
    SetPngSize(file, 16384, 4096); // exactly the pixel limit: accepted, then the data is missing
    EXPECT_EQ(ImportError(file).find("too large"), std::string::npos);
}
