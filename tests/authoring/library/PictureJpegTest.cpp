// JPEG files (colour, grey, progressive) read to RGBA; CMYK, damaged,
// truncated and oversized files refused with the file named.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>

#include "PictureTestPng.h"
#include "authoring/JpegReader.h"
#include "authoring/PictureImport.h"

namespace {

RgbaImage DecodeFile(const std::string& name) {
    const std::vector<uint8_t> file = ReadTestFile(name);
    return ReadJpeg(name, file.data(), file.size());
}

std::string ImportError(const std::vector<uint8_t>& file) {
    try {
        ImportPictureBytes("t.jpg", file.data(), file.size(), PictureRole::Background);
    } catch (const PictureError& error) {
        return error.what();
    }
    return "(no error)";
}

// Offset of the baseline or progressive frame header's height field.
std::size_t FrameSizeOffset(const std::vector<uint8_t>& file) {
    for (std::size_t i = 2; i + 9 < file.size(); ++i) {
        if (file[i] == 0xFF && (file[i + 1] == 0xC0 || file[i + 1] == 0xC2)) {
            return i + 5;
        }
    }
    return 0;
}

bool Near(int value, int expected) {
    return std::abs(value - expected) <= 8;
}

} // namespace

TEST(PictureJpegRead, ColourGreyAndProgressiveFilesGiveOpaqueRgb) {
    // colour.jpg: 16 x 12, red at the top blending to blue at the bottom.
    const RgbaImage colour = DecodeFile("colour.jpg");
    ASSERT_EQ(colour.width, 16);
    ASSERT_EQ(colour.height, 12);
    EXPECT_FALSE(colour.hasAlpha);
    const uint8_t* top = colour.Row(0);
    const uint8_t* bottom = colour.Row(11);
    EXPECT_GT(top[0], 200);
    EXPECT_LT(top[2], 60);
    EXPECT_LT(bottom[0], 60);
    EXPECT_GT(bottom[2], 200);
    for (int32_t y = 0; y < colour.height; ++y) {
        for (int32_t x = 0; x < colour.width; ++x) {
            EXPECT_EQ(colour.Row(y)[4 * x + 3], 255);
        }
    }

    // grey.jpg: white at the top to black at the bottom, one component.
    const RgbaImage grey = DecodeFile("grey.jpg");
    ASSERT_EQ(grey.width, 16);
    for (int32_t y = 0; y < grey.height; ++y) {
        const uint8_t* p = grey.Row(y);
        for (int32_t x = 0; x < grey.width; ++x, p += 4) {
            EXPECT_EQ(p[1], p[0]);
            EXPECT_EQ(p[2], p[0]);
            EXPECT_EQ(p[3], 255);
        }
    }
    EXPECT_GT(grey.Row(0)[0], 200);
    EXPECT_LT(grey.Row(11)[0], 60);

    // progressive.jpg: one colour, #3060A0.
    const RgbaImage progressive = DecodeFile("progressive.jpg");
    ASSERT_EQ(progressive.height, 12);
    const uint8_t* p = progressive.Row(6) + 4 * 8;
    EXPECT_TRUE(Near(p[0], 0x30) && Near(p[1], 0x60) && Near(p[2], 0xA0))
        << int(p[0]) << "," << int(p[1]) << "," << int(p[2]);
}

TEST(PictureJpegRead, CmykFileIsRefusedWithWhatToDo) {
    const std::string error = ImportError(ReadTestFile("cmyk.jpg"));
    EXPECT_EQ(error.rfind("t.jpg: CMYK JPEG files are not read; save the picture in RGB", 0), 0u)
        << error;
}

TEST(PictureJpegDamage, EveryCutOfTheFileIsAnError) {
    // libjpeg would fill a cut-short picture with grey and only warn.
    const std::vector<uint8_t> file = ReadTestFile("colour.jpg");
    ASSERT_GT(file.size(), 100u);
    for (std::size_t size = 3; size < file.size(); ++size) {
        const std::vector<uint8_t> cut(file.begin(), file.begin() + size);
        const std::string error = ImportError(cut);
        EXPECT_EQ(error.rfind("t.jpg: the JPEG file is damaged or truncated: ", 0), 0u)
            << size << " of " << file.size() << " bytes: " << error;
    }
}

TEST(PictureJpegDamage, FrameSizeOutOfRangeIsRefused) {
    std::vector<uint8_t> file = ReadTestFile("progressive.jpg");
    const std::size_t at = FrameSizeOffset(file);
    ASSERT_NE(at, 0u);
    file[at] = 0x50; // height 0x500C: more than 16384
    EXPECT_NE(ImportError(file).find("t.jpg: the picture is too large (16 x 20492 pixels)"),
              std::string::npos)
        << ImportError(file);
    file[at] = 0x00;
    file[at + 1] = 0x00; // height 0
    EXPECT_EQ(ImportError(file).rfind("t.jpg: the JPEG file is damaged or truncated: ", 0), 0u)
        << ImportError(file);
}
