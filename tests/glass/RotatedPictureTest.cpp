#include <gtest/gtest.h>

#include <memory>
#include <utility>

#include "PixelRowsFixture.h"
#include "framework/runtime/Exceptions.h"
#include "skin/GlassHue.h"
#include "skin/RotatedPicture.h"

namespace {

// Width 13 pads its rows, so row addressing is exercised too.
TestPicture Noisy(int32_t width, int32_t height, uint32_t seed) {
    TestPicture picture(width, height);
    for (int32_t y = 0; y < height; ++y)
        for (int32_t x = 0; x < width; ++x) {
            seed = seed * 1664525u + 1013904223u;
            picture.Set(x, y, {uint8_t(seed >> 24), uint8_t(seed >> 16), uint8_t(seed >> 8)});
        }
    return picture;
}

struct Tables {
    TBlendTable Red, Green, Blue;
    Tables(double a, double factor) {
        BuildBlendTable(Red, a, factor);
        BuildBlendTable(Green, a, 1.0);
        BuildBlendTable(Blue, a, factor);
    }
    TBlendTables View() const { return {Red, Green, Blue}; }
};

TEST(RotatedPicture, KeptRotationComposesExactlyAsARotationAtEachComposition) {
    const TestPicture picture = Noisy(13, 9, 7);
    const TestPicture screen = Noisy(40, 30, 99);
    const auto glassTables = std::make_unique<Tables>(0.25, 0.9);
    const auto layeredTables = std::make_unique<Tables>(0.0, 1.0);
    for (int32_t shift : {100, -359, 359, 1}) {
        SCOPED_TRACE(shift);
        TRotatedPicture rotated;
        const TPixelRows& kept = rotated.Make(picture.Rows(), shift);
        ASSERT_TRUE(rotated.Holds(shift));
        for (int32_t y = 0; y < 9; ++y)
            for (int32_t x = 0; x < 13; ++x) {
                Bgr expected = picture.At(x, y);
                ShiftHueByFormula(expected.Red, expected.Green, expected.Blue, shift);
                const uint8_t* p = kept.Pixel(x, y);
                ASSERT_EQ((Bgr{p[0], p[1], p[2]}), expected) << x << "," << y;
            }
        // Blending, also with the picture partly off the screen picture, and recolouring.
        for (auto [originX, originY] : {std::pair{5, 4}, std::pair{-3, 25}, std::pair{33, -2}}) {
            TestPicture fresh(13, 9, 0xAB), fromKept(13, 9, 0xAB);
            BlendPicture(picture.Rows(), screen.Rows(), originX, originY, fresh.Rows(),
                         glassTables->View(), shift);
            BlendPicture(kept, screen.Rows(), originX, originY, fromKept.Rows(),
                         glassTables->View(), 0);
            EXPECT_EQ(fromKept.Bytes(), fresh.Bytes()) << originX << "," << originY;
        }
        TestPicture fresh(13, 9), fromKept(13, 9);
        RecolourPicture(picture.Rows(), fresh.Rows(), layeredTables->View(), shift);
        RecolourPicture(kept, fromKept.Rows(), layeredTables->View(), 0);
        EXPECT_EQ(fromKept.Bytes(), fresh.Bytes());
    }
}

TEST(RotatedPicture, KeptUntilThePictureOrTheShiftChanges) {
    TestPicture picture = Noisy(6, 4, 3);
    TRotatedPicture rotated;
    EXPECT_FALSE(rotated.Holds(0));
    rotated.Make(picture.Rows(), 100);
    EXPECT_TRUE(rotated.Holds(100));
    EXPECT_FALSE(rotated.Holds(101)) << "another shift needs another rotation";
    EXPECT_FALSE(rotated.Holds(0));

    // The kept copy is the picture's state when it was made, not a view of it.
    const Bgr before = picture.At(2, 1);
    picture.Set(2, 1, {1, 2, 250});
    const uint8_t* kept = rotated.Rows().Pixel(2, 1);
    Bgr expected = before;
    ShiftHueByFormula(expected.Red, expected.Green, expected.Blue, 100);
    EXPECT_EQ((Bgr{kept[0], kept[1], kept[2]}), expected);

    rotated.Forget(); // the picture's change notification
    EXPECT_FALSE(rotated.Holds(100));
    rotated.Make(picture.Rows(), 100);
    Bgr changed{1, 2, 250};
    ShiftHueByFormula(changed.Red, changed.Green, changed.Blue, 100);
    kept = rotated.Rows().Pixel(2, 1);
    EXPECT_EQ((Bgr{kept[0], kept[1], kept[2]}), changed);

    // A new size is a new picture.
    const TestPicture wider = Noisy(9, 2, 5);
    EXPECT_EQ(rotated.Make(wider.Rows(), 100).Width, 9);
    EXPECT_EQ(rotated.Rows().Height, 2);
}

TEST(RotatedPicture, ARotationThatRaisesKeepsNothing) {
    TestPicture picture(3, 2, 0);
    picture.Set(1, 1, {0, 0, 255}); // pure red leaves the channel range at -1000
    TRotatedPicture rotated;
    rotated.Make(picture.Rows(), 100);
    EXPECT_THROW(rotated.Make(picture.Rows(), -1000), ERangeError);
    EXPECT_FALSE(rotated.Holds(-1000));
    EXPECT_FALSE(rotated.Holds(100)) << "the old rotation was dropped before the new one";
}

// The rotation a picture gets at every composition, for comparison.
std::vector<Bgr> FreshRotation(const TestPicture& picture, int32_t shift) {
    std::vector<Bgr> rotated;
    for (int32_t y = 0; y < picture.Rows().Height; ++y)
        for (int32_t x = 0; x < picture.Rows().Width; ++x) {
            Bgr p = picture.At(x, y);
            ShiftHueByFormula(p.Red, p.Green, p.Blue, shift);
            rotated.push_back(p);
        }
    return rotated;
}

std::vector<Bgr> PixelsOf(const TPixelRows& rows) {
    std::vector<Bgr> pixels;
    for (int32_t y = 0; y < rows.Height; ++y)
        for (int32_t x = 0; x < rows.Width; ++x) {
            const uint8_t* p = rows.Pixel(x, y);
            pixels.push_back({p[0], p[1], p[2]});
        }
    return pixels;
}

TEST(RotatedFaces, EqualPixelsShareARotationAndAnyDifferenceIsSeen) {
    TRotatedFaces faces;
    TestPicture face = Noisy(13, 5, 11);
    const TPixelRows* first = &faces.For(face.Rows(), 100);
    EXPECT_EQ(PixelsOf(*first), FreshRotation(face, 100));
    // A new picture object of the same pixels (as a button's next paint makes) is
    // the same face.
    const TestPicture again = Noisy(13, 5, 11);
    EXPECT_EQ(&faces.For(again.Rows(), 100), first) << "rotated again";

    // One changed byte, another shift or another size each make a rotation of their own.
    face.Set(12, 4, {9, 9, 200});
    EXPECT_EQ(PixelsOf(faces.For(face.Rows(), 100)), FreshRotation(face, 100));
    EXPECT_EQ(PixelsOf(faces.For(face.Rows(), -40)), FreshRotation(face, -40));
    const TestPicture narrower = Noisy(12, 5, 11);
    EXPECT_EQ(PixelsOf(faces.For(narrower.Rows(), 100)), FreshRotation(narrower, 100));

    // More faces than are kept: each answer is still right, the last ones are kept.
    std::vector<TestPicture> many;
    for (uint32_t seed = 0; seed < TRotatedFaces::kKept + 3; ++seed)
        many.push_back(Noisy(4, 3, 100 + seed));
    for (int round = 0; round < 2; ++round)
        for (const TestPicture& picture : many)
            ASSERT_EQ(PixelsOf(faces.For(picture.Rows(), 100)), FreshRotation(picture, 100));
    const TPixelRows* last = &faces.For(many.back().Rows(), 100);
    EXPECT_EQ(&faces.For(many.back().Rows(), 100), last);
}

} // namespace
