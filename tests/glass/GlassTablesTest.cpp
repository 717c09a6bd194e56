#include "framework/runtime/Exceptions.h"
#include "skin/GlassBlend.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <memory>

namespace {

struct OwnedTable {
    TBlendTable Values;
    const uint8_t* operator[](int background) const { return Values[background]; }
};

std::unique_ptr<OwnedTable> TableOf(double a, double factor) {
    auto table = std::make_unique<OwnedTable>();
    BuildBlendTable(table->Values, a, factor);
    return table;
}

TEST(BlendTable, DefaultGlassBlendsAQuarterOfTheBackground) {
    const auto table = TableOf(0.25, 1.0);
    EXPECT_EQ((*table)[255][0], 63);
    EXPECT_EQ((*table)[0][255], 191);
    EXPECT_EQ((*table)[255][255], 255);
    EXPECT_EQ((*table)[100][200], 175);
    EXPECT_EQ((*table)[0][0], 0);
}

TEST(BlendTable, WithoutTransparencyEveryRowIsThePictureValue) {
    const auto table = TableOf(0.0, 1.0);
    for (int b : {0, 17, 255}) {
        for (int p = 0; p < 256; ++p) {
            ASSERT_EQ((*table)[b][p], p) << "b=" << b;
        }
    }
}

TEST(BlendTable, FactorScalesThePictureAndTruncates) {
    const auto table = TableOf(0.0, 0.5);
    EXPECT_EQ((*table)[255][201], 100); // 100.5 truncated
    EXPECT_EQ((*table)[255][1], 0);
    const auto tinted = TableOf(0.5, 0.9);
    EXPECT_EQ((*tinted)[10][100], 50); // 5 + 45 = 50, exactly
    EXPECT_EQ((*tinted)[11][100], 50); // 50.5 truncated
}

TEST(BlendTable, ValuesOutsideAByteAreRangeErrors) {
    TBlendTable table;
    EXPECT_THROW(BuildBlendTable(table, 0.0, 1.01), ERangeError);  // 255 x 1.01 > 255
    EXPECT_THROW(BuildBlendTable(table, 1.5, 1.0), ERangeError);   // background x 1.5
    EXPECT_THROW(BuildBlendTable(table, 0.0, -0.01), ERangeError); // 255 x -0.01 = -2.55
    EXPECT_THROW(BuildBlendTable(table, 0.25, std::nan("")), ERangeError);
    EXPECT_THROW(BuildBlendTable(table, 0.0, std::numeric_limits<double>::infinity()), ERangeError);
}

TEST(BlendTable, SmallNegativeValuesTruncateToZero) {
    // -0.255 truncates toward zero to 0, which is a byte: no error.
    const auto table = TableOf(0.0, -0.001);
    EXPECT_EQ((*table)[255][255], 0);
}

} // namespace
