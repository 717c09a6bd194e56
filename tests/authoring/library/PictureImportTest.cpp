// Pictures turned into the launcher's BMP entries: BMP files kept byte for
// byte, PNG and JPEG written as 24-bit BMP that the launcher's own checks
// accept, transparency turned into fuchsia in the shape pictures and laid
// over black in the others, and files that cannot be read refused by name.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

#include "PictureTestPng.h"
#include "authoring/Bmp24Writer.h"
#include "authoring/PictureColours.h"
#include "authoring/PictureImport.h"
#include "framework/portable/BmpHeader.h"

namespace {

RgbaImage ImageOf(int32_t width, int32_t height, bool hasAlpha, std::vector<uint8_t> rgba) {
    RgbaImage image = MakeRgbaImage(width, height, hasAlpha);
    std::copy(rgba.begin(), rgba.end(), image.pixels.get());
    return image;
}

std::vector<uint8_t> Rgb(const RgbaImage& image) {
    std::vector<uint8_t> rgb;
    for (int32_t y = 0; y < image.height; ++y) {
        for (int32_t x = 0; x < image.width; ++x) {
            rgb.insert(rgb.end(), image.Row(y) + 4 * x, image.Row(y) + 4 * x + 3);
        }
    }
    return rgb;
}

// The pixel at x, y from the top left of a 24-bit bottom-up BMP, as R, G, B.
std::vector<uint8_t> BmpPixel(const std::vector<uint8_t>& bmp, int32_t x, int32_t y) {
    const TBmpCheck check = CheckBmpFile(bmp.data(), bmp.size());
    const TBmpGeometry& g = check.Geometry;
    const std::size_t row = g.TopDown ? y : g.Height - 1 - y;
    const uint8_t* p = bmp.data() + g.PixelOffset + row * g.Stride + 3 * x;
    return {p[2], p[1], p[0]};
}

std::string ErrorOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const PictureError& error) {
        return error.what();
    }
    return "(no error)";
}

const std::vector<uint8_t> kFuchsia = {255, 0, 255};

} // namespace

TEST(PictureColours, ShapeWithAlphaCutsBelowHalfAndKeepsTheRestUntouched) {
    RgbaImage image = ImageOf(4, 1, true,
                              {10, 20, 30, 0, 10, 20, 30, 127, //
                               10, 20, 30, 128, 10, 20, 30, 255});
    ApplyPictureRole("b.png", image, PictureRole::ButtonShape);
    EXPECT_EQ(Rgb(image), (std::vector<uint8_t>{255, 0, 255, 255, 0, 255, 10, 20, 30, 10, 20, 30}));

    RgbaImage tick = ImageOf(1, 1, true, {1, 2, 3, 10});
    ApplyPictureRole("c.png", tick, PictureRole::CheckBoxShape);
    EXPECT_EQ(Rgb(tick), kFuchsia);
}

TEST(PictureColours, OpaqueFuchsiaInAShapeWithAlphaIsCountedAndLocated) {
    RgbaImage image = ImageOf(3, 2, true, {255, 0, 255, 0,   1,   1, 1,   255, 1,   1, 1,   255, //
                                           1,   1, 1,   255, 255, 0, 255, 128, 255, 0, 255, 255});
    EXPECT_EQ(ErrorOf([&] { ApplyPictureRole("b.png", image, PictureRole::ButtonShape); }),
              "b.png: 2 opaque pixel(s) are exactly fuchsia (255, 0, 255), the colour cut away "
              "from a shape, the first at x 1, y 1 from the top left; make them transparent to "
              "cut them away, or give them a near colour such as (254, 0, 254) to keep them");

    // Without alpha fuchsia is the author's own cut colour.
    RgbaImage opaque = ImageOf(1, 1, false, {255, 0, 255, 255});
    ApplyPictureRole("b.bmp", opaque, PictureRole::ButtonShape);
    EXPECT_EQ(Rgb(opaque), kFuchsia);
    // Only the shapes are cut: a fuchsia pressed look stays as drawn.
    RgbaImage pressed = ImageOf(1, 1, true, {255, 0, 255, 255});
    ApplyPictureRole("p.png", pressed, PictureRole::ButtonPressed);
    EXPECT_EQ(Rgb(pressed), kFuchsia);
}

TEST(PictureColours, OtherPicturesAreLaidOverBlack) {
    for (PictureRole role : {PictureRole::Background, PictureRole::ButtonPressed,
                             PictureRole::ButtonOver, PictureRole::CheckBoxTicked}) {
        RgbaImage image =
            ImageOf(3, 1, true, {200, 100, 50, 0, 200, 100, 50, 128, 200, 100, 51, 255});
        ApplyPictureRole("x.png", image, role);
        EXPECT_EQ(Rgb(image), (std::vector<uint8_t>{0, 0, 0, 100, 50, 25, 200, 100, 51}));
    }
}

TEST(PictureBmpWriter, WritesABottomUpPaddedFileTheLauncherAccepts) {
    const RgbaImage image =
        ImageOf(3, 2, false, {1,  2,  3,  255, 4,  5,  6,  255, 7,  8,  9,  255, //
                              10, 11, 12, 255, 13, 14, 15, 255, 16, 17, 18, 255});
    const std::vector<uint8_t> bmp = EncodeBmp24(image);
    const TBmpCheck check = CheckBmpFile(bmp.data(), bmp.size());
    ASSERT_TRUE(check.Ok) << check.Error;
    EXPECT_EQ(check.Geometry.HeaderSize, 40u);
    EXPECT_EQ(check.Geometry.BitCount, 24);
    EXPECT_EQ(check.Geometry.Compression, kBiRgb);
    EXPECT_FALSE(check.Geometry.TopDown);
    EXPECT_EQ(check.Geometry.Stride, 12u);
    EXPECT_EQ(check.Geometry.PixelOffset, 54u);
    ASSERT_EQ(bmp.size(), 54u + 24u);
    const std::vector<uint8_t> pixels(bmp.begin() + 54, bmp.end());
    EXPECT_EQ(pixels, (std::vector<uint8_t>{12, 11, 10, 15, 14, 13, 18, 17, 16, 0, 0, 0, //
                                            3,  2,  1,  6,  5,  4,  9,  8,  7,  0, 0, 0}));
}

TEST(PictureImport, BmpFilesAreKeptByteForByteAndDamagedOnesNameTheReason) {
    for (const char* name : {"palette.bmp", "argb32.bmp"}) {
        const std::vector<uint8_t> file = ReadTestFile(name);
        const ImportedPicture picture =
            ImportPictureBytes(name, file.data(), file.size(), PictureRole::ButtonShape);
        EXPECT_EQ(picture.bmp, file) << name;
        EXPECT_EQ(picture.width, 5) << name;
        EXPECT_EQ(picture.height, 3) << name;
    }
    const std::vector<uint8_t> file = ReadTestFile("palette.bmp");
    const std::vector<uint8_t> cut(file.begin(), file.begin() + 40);
    const TBmpCheck check = CheckBmpFile(cut.data(), cut.size());
    ASSERT_FALSE(check.Ok);
    EXPECT_EQ(ErrorOf([&] {
                  ImportPictureBytes("bg.bmp", cut.data(), cut.size(), PictureRole::Background);
              }),
              "bg.bmp: the BMP file cannot be used: " + check.Error);
}

TEST(PictureImport, FormatIsToldByContentAndUnknownOrEmptyDataIsRefused) {
    const std::vector<uint8_t> png = SolidRgbaPng(2, 3, 9, 8, 7, 255);
    const ImportedPicture picture =
        ImportPictureBytes("named-like-a.bmp", png.data(), png.size(), PictureRole::Background);
    EXPECT_EQ(picture.width, 2);
    EXPECT_EQ(picture.height, 3);
    EXPECT_EQ(BmpPixel(picture.bmp, 1, 2), (std::vector<uint8_t>{9, 8, 7}));

    const std::string gif = "GIF89a\x01\x00\x01\x00";
    EXPECT_EQ(ErrorOf([&] {
                  ImportPictureBytes("a.gif", reinterpret_cast<const uint8_t*>(gif.data()),
                                     gif.size(), PictureRole::Background);
              }),
              "a.gif: not a picture that can be read: BMP, PNG and JPEG files are read (told by "
              "their content, not their name)");
    EXPECT_EQ(ErrorOf([&] { ImportPictureBytes("a.png", png.data(), 0, PictureRole::Background); }),
              "a.png: the file is empty");
}

TEST(PictureImport, DrawnShapeBecomesFuchsiaOutsideWithItsEdgeColoursKept) {
    // shape-rgba.png: a #2080C0 disc with anti-aliased edges on transparency.
    const std::vector<uint8_t> file = ReadTestFile("shape-rgba.png");
    const ImportedPicture shape =
        ImportPictureBytes("shape.png", file.data(), file.size(), PictureRole::ButtonShape);
    const TBmpCheck check = CheckBmpFile(shape.bmp.data(), shape.bmp.size());
    ASSERT_TRUE(check.Ok) << check.Error;
    EXPECT_EQ(check.Geometry.BitCount, 24);
    ASSERT_EQ(shape.width, 24);
    ASSERT_EQ(shape.height, 16);
    EXPECT_EQ(BmpPixel(shape.bmp, 0, 0), kFuchsia);
    EXPECT_EQ(BmpPixel(shape.bmp, 23, 15), kFuchsia);
    int kept = 0;
    for (int32_t y = 0; y < 16; ++y) {
        for (int32_t x = 0; x < 24; ++x) {
            const std::vector<uint8_t> pixel = BmpPixel(shape.bmp, x, y);
            if (pixel != kFuchsia) {
                EXPECT_EQ(pixel, (std::vector<uint8_t>{0x20, 0x80, 0xC0})) << x << "," << y;
                ++kept;
            }
        }
    }
    EXPECT_GT(kept, 100);

    const ImportedPicture background =
        ImportPictureBytes("shape.png", file.data(), file.size(), PictureRole::Background);
    EXPECT_EQ(BmpPixel(background.bmp, 0, 0), (std::vector<uint8_t>{0, 0, 0}));
    EXPECT_EQ(BmpPixel(background.bmp, 12, 8), (std::vector<uint8_t>{0x20, 0x80, 0xC0}));

    const std::vector<uint8_t> jpeg = ReadTestFile("grey.jpg");
    const ImportedPicture grey =
        ImportPictureBytes("grey.jpg", jpeg.data(), jpeg.size(), PictureRole::CheckBoxTicked);
    EXPECT_TRUE(CheckBmpFile(grey.bmp.data(), grey.bmp.size()).Ok);
}

TEST(PictureImportFile, ReadsFilesAndRefusesMissingEmptyAndOversizedOnes) {
    const std::string jpeg = std::string(OVALYN_TEST_DATA) + "/colour.jpg";
    EXPECT_EQ(ImportPictureFile(jpeg, PictureRole::Background).width, 16);

    const std::string missing = std::string(OVALYN_TEST_DATA) + "/no-such-picture.png";
    EXPECT_EQ(ErrorOf([&] { ImportPictureFile(missing, PictureRole::Background); }),
              missing + ": the file cannot be opened (missing or not readable)");

    const std::filesystem::path folder =
        std::filesystem::temp_directory_path() / "ovalyn-picture-import-test";
    std::filesystem::create_directories(folder);
    const std::string empty = (folder / "empty.png").string();
    std::ofstream(empty, std::ios::binary).close();
    EXPECT_EQ(ErrorOf([&] { ImportPictureFile(empty, PictureRole::Background); }),
              empty + ": the file is empty");

    // A file one byte over the cap is refused before it is read; written
    // sparse, it costs no disk space.
    const std::string huge = (folder / "huge.png").string();
    {
        std::ofstream out(huge, std::ios::binary);
        out.seekp(256ll * 1024 * 1024);
        out.put('x');
    }
    EXPECT_EQ(ErrorOf([&] { ImportPictureFile(huge, PictureRole::Background); }),
              huge + ": the file is too large (268435457 bytes); picture files of at most 256 MB "
                     "are read");

    const std::string folderError =
        ErrorOf([&] { ImportPictureFile(folder.string(), PictureRole::Background); });
    EXPECT_EQ(folderError.rfind(folder.string() + ": ", 0), 0u) << folderError;
    std::filesystem::remove_all(folder);
}
