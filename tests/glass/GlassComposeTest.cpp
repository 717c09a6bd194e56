#include "PixelRowsFixture.h"
#include "skin/GlassBlend.h"
#include "skin/GlassHue.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

// The glass form's default tables, built once for all tests of this file.
struct Tables {
    TBlendTable Red, Green, Blue;
    Tables(double a, double redFactor, double greenFactor, double blueFactor) {
        BuildBlendTable(Red, a, redFactor);
        BuildBlendTable(Green, a, greenFactor);
        BuildBlendTable(Blue, a, blueFactor);
    }
    TBlendTables View() const { return {Red, Green, Blue}; }
};

const Tables& Glass() {
    static const auto tables = std::make_unique<Tables>(0.25, 1.0, 1.0, 1.0);
    return *tables;
}

// Distinct, position-coded pixels so that a shifted or mirrored read shows up.
void PaintPattern(TestPicture& picture, uint8_t seed) {
    for (int32_t y = 0; y < picture.Rows().Height; ++y) {
        for (int32_t x = 0; x < picture.Rows().Width; ++x) {
            picture.Set(
                x, y,
                {uint8_t(seed + 7 * x), uint8_t(seed + 31 * y), uint8_t(seed ^ (x * 13 + y * 5))});
        }
    }
}

Bgr Blended(const Tables& t, Bgr under, Bgr over) {
    return {t.Blue[under.Blue][over.Blue], t.Green[under.Green][over.Green],
            t.Red[under.Red][over.Red]};
}

TEST(PixelRows, RowZeroLiesHighestInMemory) {
    TestPicture picture(2, 2);
    picture.Set(0, 0, {1, 2, 3});
    picture.Set(1, 1, {4, 5, 6});
    const auto& bytes = picture.Bytes();
    EXPECT_EQ(picture.Rows().LineBytes, 8);
    EXPECT_EQ(bytes[8], 1); // top-left pixel starts the second row in memory
    EXPECT_EQ(bytes[10], 3);
    EXPECT_EQ(bytes[3], 4); // bottom-right pixel lies in the first row in memory
    EXPECT_EQ(RowBytes24(1), 4);
    EXPECT_EQ(RowBytes24(5), 16);
    EXPECT_EQ(RowBytes24(100), 300);
}

TEST(Recolour, LayeredTablesDrawThePictureUnchanged) {
    const auto layered = std::make_unique<Tables>(0.0, 1.0, 1.0, 1.0);
    TestPicture picture(5, 3), glass(5, 3);
    PaintPattern(picture, 40);
    picture.Set(4, 2, {255, 0, 0}); // blue: a rotation by 0 would change it
    RecolourPicture(picture.Rows(), glass.Rows(), layered->View(), 0);
    for (int32_t y = 0; y < 3; ++y) {
        for (int32_t x = 0; x < 5; ++x) {
            EXPECT_EQ(glass.At(x, y), picture.At(x, y)) << x << "," << y;
        }
    }
}

TEST(Recolour, FactorsScaleEachChannelOnItsOwn) {
    const auto tinted = std::make_unique<Tables>(0.0, 0.5, 1.0, 0.0);
    TestPicture picture(1, 1), glass(1, 1);
    picture.Set(0, 0, {200, 201, 202});
    RecolourPicture(picture.Rows(), glass.Rows(), tinted->View(), 0);
    EXPECT_EQ(glass.At(0, 0), (Bgr{0, 201, 101}));
}

TEST(Recolour, HueShiftRotatesBeforeTheTables) {
    TestPicture picture(3, 2), glass(3, 2);
    PaintPattern(picture, 90);
    picture.Set(0, 0, {0, 0, 255});
    RecolourPicture(picture.Rows(), glass.Rows(), Glass().View(), 100);
    EXPECT_EQ(glass.At(0, 0),
              (Bgr{Glass().Blue[255][1], Glass().Green[255][255], Glass().Red[255][83]}));
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 3; ++x) {
            Bgr p = picture.At(x, y);
            ShiftHueByFormula(p.Red, p.Green, p.Blue, 100);
            EXPECT_EQ(glass.At(x, y), Blended(Glass(), {255, 255, 255}, p));
        }
    }
}

TEST(Blend, ButtonPixelMeetsTheScreenPixelUnderIt) {
    TestPicture background(200, 120), picture(8, 6);
    TestPicture glass(8, 6);
    PaintPattern(background, 3);
    PaintPattern(picture, 150);
    // A picture placed at (110, 70) on the screen: its pixel (0, 0) meets (110, 70).
    BlendPicture(picture.Rows(), background.Rows(), 110, 70, glass.Rows(), Glass().View(), 0);
    EXPECT_EQ(glass.At(0, 0), Blended(Glass(), background.At(110, 70), picture.At(0, 0)));
    EXPECT_EQ(glass.At(7, 5), Blended(Glass(), background.At(117, 75), picture.At(7, 5)));
}

// Each case places a 6 x 4 picture on a 10 x 8 background; what is written must be
// exactly the pixels that lie on the background, and nothing else.
struct Placement {
    int64_t X, Y;
};

class BlendClipping : public ::testing::TestWithParam<Placement> {};

TEST_P(BlendClipping, WritesOnlyPixelsThatLieOnTheBackground) {
    const Placement at = GetParam();
    TestPicture background(10, 8), picture(6, 4), glass(6, 4, 0xEE);
    PaintPattern(background, 11);
    PaintPattern(picture, 77);
    BlendPicture(picture.Rows(), background.Rows(), at.X, at.Y, glass.Rows(), Glass().View(), 0);
    for (int32_t y = 0; y < 4; ++y) {
        for (int32_t x = 0; x < 6; ++x) {
            const int64_t bx = x + at.X, by = y + at.Y;
            const bool onBackground = bx >= 0 && bx < 10 && by >= 0 && by < 8;
            const Bgr expected =
                onBackground
                    ? Blended(Glass(), background.At(int32_t(bx), int32_t(by)), picture.At(x, y))
                    : Bgr{0xEE, 0xEE, 0xEE};
            EXPECT_EQ(glass.At(x, y), expected) << "pixel " << x << "," << y;
        }
    }
    // The padding after each row is never written.
    const auto& bytes = glass.Bytes();
    for (int32_t row = 0; row < 4; ++row) {
        for (int32_t i = 18; i < 20; ++i) {
            EXPECT_EQ(bytes[size_t(row) * 20 + i], 0xEE);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(Places, BlendClipping,
                         ::testing::Values(Placement{2, 2}, Placement{0, 0}, Placement{4, 4},
                                           Placement{5, 1}, Placement{9, 7}, Placement{10, 0},
                                           Placement{0, 8}, Placement{-1, 0}, Placement{0, -1},
                                           Placement{-3, -2}, Placement{-5, -3}, Placement{-6, 0},
                                           Placement{0, -4}, Placement{-2, 6}, Placement{100000, 3},
                                           Placement{-3000, 2},
                                           Placement{int64_t(1) << 40, -(int64_t(1) << 40)}));

TEST(Blend, VisibleRangeBounds) {
    TVisibleRange r = VisibleRange(6, 4, 10, 8, -2, 5);
    EXPECT_EQ(r.XFirst, 2);
    EXPECT_EQ(r.XLast, 5);
    EXPECT_EQ(r.YFirst, 0);
    EXPECT_EQ(r.YLast, 2);
    EXPECT_TRUE(VisibleRange(6, 4, 10, 8, 10, 0).Empty());
    EXPECT_TRUE(VisibleRange(6, 4, 0, 0, 0, 0).Empty()); // an empty capture writes nothing
    EXPECT_TRUE(VisibleRange(0, 0, 10, 8, 0, 0).Empty());
    EXPECT_FALSE(VisibleRange(6, 4, 10, 8, 9, 7).Empty());
}

TEST(Blend, HueShiftRotatesThePictureNotTheBackground) {
    TestPicture background(4, 4), picture(2, 2), glass(2, 2);
    PaintPattern(background, 201);
    PaintPattern(picture, 33);
    BlendPicture(picture.Rows(), background.Rows(), 1, 1, glass.Rows(), Glass().View(), -100);
    for (int32_t y = 0; y < 2; ++y) {
        for (int32_t x = 0; x < 2; ++x) {
            Bgr p = picture.At(x, y);
            ShiftHueByFormula(p.Red, p.Green, p.Blue, -100);
            EXPECT_EQ(glass.At(x, y), Blended(Glass(), background.At(x + 1, y + 1), p));
        }
    }
}

} // namespace
