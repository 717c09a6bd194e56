#include "skin/GlassHue.h"
#include "framework/runtime/Exceptions.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <limits>
#include <string>

namespace {

struct Rgb {
    uint8_t Red, Green, Blue;
    bool operator==(const Rgb&) const = default;
};

Rgb ByFormula(Rgb c, int32_t shift) {
    ShiftHueByFormula(c.Red, c.Green, c.Blue, shift);
    return c;
}
Rgb ByTables(Rgb c, int32_t shift) {
    THueRotation(shift).Apply(c.Red, c.Green, c.Blue);
    return c;
}

// What happened to one colour: its bytes, or which error it raised.
std::string Outcome(const std::function<Rgb()>& rotate) {
    try {
        const Rgb r = rotate();
        return std::to_string(r.Red) + "," + std::to_string(r.Green) + "," + std::to_string(r.Blue);
    } catch (const EIntOverflow&) {
        return "overflow";
    } catch (const ERangeError&) {
        return "range";
    }
}

TEST(HueSteps, PureRedPassesThroughHue0Saturation255Lightness128) {
    double h, s, l;
    RGBToHSL(1.0, 0.0, 0.0, h, s, l);
    EXPECT_EQ(h, 0.0);
    EXPECT_EQ(s, 1.0);
    EXPECT_EQ(l, 0.5); // 127.5 rounds to the even 128
    EXPECT_EQ(ByFormula({255, 0, 0}, 100), (Rgb{83, 255, 1}));
    EXPECT_EQ(ByTables({255, 0, 0}, 100), (Rgb{83, 255, 1}));
}

TEST(HueSteps, HueOfTheSecondaryColours) {
    double h, s, l;
    RGBToHSL(0.0, 1.0, 0.0, h, s, l);
    EXPECT_DOUBLE_EQ(h, 1.0 / 3.0);
    RGBToHSL(0.0, 0.0, 1.0, h, s, l);
    EXPECT_DOUBLE_EQ(h, 2.0 / 3.0);
    RGBToHSL(1.0, 0.0, 1.0, h, s, l); // magenta: a negative sextant folded up by 1
    EXPECT_DOUBLE_EQ(h, 5.0 / 6.0);
    RGBToHSL(0.5, 0.5, 0.5, h, s, l);
    EXPECT_EQ(s, 0.0);
    EXPECT_EQ(h, 0.0);
}

TEST(HueSteps, WrapIntoRangeTakesOneStepOnly) {
    int32_t v = 359;
    WrapIntoRange(0, 359, v);
    EXPECT_EQ(v, 359);
    v = 360;
    WrapIntoRange(0, 359, v);
    EXPECT_EQ(v, 1);
    v = -1;
    WrapIntoRange(0, 359, v);
    EXPECT_EQ(v, 358);
    v = 800;
    WrapIntoRange(0, 359, v);
    EXPECT_EQ(v, 441);
    v = -400;
    WrapIntoRange(0, 359, v);
    EXPECT_EQ(v, -41);
}

TEST(HueSteps, ChannelOutsideAByteIsARangeError) {
    EXPECT_THROW(HueToChannel(0.0, 1.0, -5.0), ERangeError);
    EXPECT_EQ(HueToChannel(0.0, 1.0, 0.5), 255); // top of the ramp
    EXPECT_EQ(HueToChannel(0.2, 1.0, 0.9), 51);  // bottom: Round(0.2 x 255)
}

TEST(HueShift, GreysStayGrey) {
    for (int v : {0, 1, 127, 128, 254, 255}) {
        const Rgb grey{uint8_t(v), uint8_t(v), uint8_t(v)};
        EXPECT_EQ(ByFormula(grey, 123), grey);
        EXPECT_EQ(ByTables(grey, 123), grey);
    }
}

TEST(HueShift, ZeroShiftStillMovesHuesBy358UnitsATurn) {
    // Blue's hue 2/3 becomes 239 units, and 239 / 358 is not 2/3: a rotation by 0 is not
    // the identity, which is why compositions skip it.
    EXPECT_EQ(ByFormula({0, 0, 255}, 0), (Rgb{2, 1, 255}));
    EXPECT_EQ(ByTables({0, 0, 255}, 0), (Rgb{2, 1, 255}));
}

TEST(HueShift, OverflowOfTheHueIsAnErrorExceptForGreys) {
    const int32_t maximum = std::numeric_limits<int32_t>::max();
    EXPECT_THROW(ByFormula({0, 255, 0}, maximum), EIntOverflow);
    EXPECT_THROW(ByTables({0, 255, 0}, maximum), EIntOverflow);
    // Hue 0 plus the largest shift still fits; the huge hue lands on the bottom ramp.
    EXPECT_EQ(ByTables({255, 0, 0}, maximum), ByFormula({255, 0, 0}, maximum));
    EXPECT_EQ(ByTables({9, 9, 9}, maximum), (Rgb{9, 9, 9}));
}

TEST(HueShift, AHueFarBelowZeroGivesARangeError) {
    EXPECT_THROW(ByFormula({255, 0, 0}, -1000), ERangeError);
    EXPECT_THROW(ByTables({255, 0, 0}, -1000), ERangeError);
}

// The table path must give every byte the formulas give, for every colour.
// The host tree tries all 2^24 of them; under Wine, where a try costs ten
// times as much, every fifth (every value of each channel still comes).
#ifdef _WIN32
constexpr uint32_t kColourStep = 5;
#else
constexpr uint32_t kColourStep = 1;
#endif
class EveryColour : public ::testing::TestWithParam<int32_t> {};

TEST_P(EveryColour, TablesMatchTheFormulas) {
    const int32_t shift = GetParam();
    THueRotation rotation(shift);
    int mismatches = 0;
    for (uint32_t c = 0; c < (1u << 24); c += kColourStep) {
        const Rgb colour{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
        const Rgb expected = ByFormula(colour, shift);
        Rgb actual = colour;
        rotation.Apply(actual.Red, actual.Green, actual.Blue);
        if (!(expected == actual) && ++mismatches <= 5) {
            ADD_FAILURE() << "colour " << int(colour.Red) << "," << int(colour.Green) << ","
                          << int(colour.Blue) << " shift " << shift << ": formula "
                          << int(expected.Red) << "," << int(expected.Green) << ","
                          << int(expected.Blue) << ", tables " << int(actual.Red) << ","
                          << int(actual.Green) << "," << int(actual.Blue);
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Shifts, EveryColour,
                         ::testing::Values(1, 100, 179, 358, 359, -1, -100, -359));

// Shifts beyond one turn leave the folded range; both paths must agree on the bytes and
// on which colours raise which error.
class FarShift : public ::testing::TestWithParam<int32_t> {};

TEST_P(FarShift, TablesMatchTheFormulasAlsoInTheirErrors) {
    const int32_t shift = GetParam();
    THueRotation rotation(shift);
    auto byRotation = [&rotation](Rgb c) {
        rotation.Apply(c.Red, c.Green, c.Blue);
        return c;
    };
    int mismatches = 0;
    for (uint32_t c = 0; c < (1u << 24); c += 61) {
        const Rgb colour{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
        const std::string expected = Outcome([&] { return ByFormula(colour, shift); });
        const std::string actual = Outcome([&] { return byRotation(colour); });
        if (expected != actual && ++mismatches <= 5) {
            ADD_FAILURE() << "colour " << c << " shift " << shift << ": formula " << expected
                          << ", tables " << actual;
        }
    }
    EXPECT_EQ(mismatches, 0);
}

INSTANTIATE_TEST_SUITE_P(Shifts, FarShift,
                         ::testing::Values(360, 717, 1000, -360, -700, -1000,
                                           std::numeric_limits<int32_t>::max(),
                                           std::numeric_limits<int32_t>::max() - 200,
                                           std::numeric_limits<int32_t>::min()));

TEST(HueRotation, RememberedColoursGiveTheSameBytesAsNewOnes) {
    // Many repeats and many colours sharing memory slots, in a scrambled order.
    THueRotation rotation(-100);
    uint32_t seed = 7;
    for (int i = 0; i < 200000; ++i) {
        seed = seed * 1664525u + 1013904223u;
        const uint32_t c = (seed >> 8) & 0x3F3F3F; // 262144 colours, each met often
        const Rgb colour{uint8_t(c >> 16), uint8_t(c >> 8), uint8_t(c)};
        Rgb actual = colour;
        rotation.Apply(actual.Red, actual.Green, actual.Blue);
        ASSERT_EQ(actual, ByFormula(colour, -100)) << "colour " << c << " at " << i;
    }
}

TEST(HueRotation, AColourThatRaisedRaisesAgain) {
    THueRotation rotation(-1000);
    for (int i = 0; i < 2; ++i) {
        Rgb red{255, 0, 0};
        EXPECT_THROW(rotation.Apply(red.Red, red.Green, red.Blue), ERangeError);
        EXPECT_EQ(red, (Rgb{255, 0, 0})); // left as it was
    }
}

TEST(HueRotation, RotatesRowsOfBlueGreenRedPixelsInPlace) {
    uint8_t row[] = {0, 0, 255, 10, 200, 30, 255, 0, 0};
    THueRotation(100).RotatePixels(row, row, 3);
    const Rgb expected[] = {ByFormula({255, 0, 0}, 100), ByFormula({30, 200, 10}, 100),
                            ByFormula({0, 0, 255}, 100)};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ((Rgb{row[3 * i + 2], row[3 * i + 1], row[3 * i]}), expected[i]) << i;
    }
}

} // namespace
