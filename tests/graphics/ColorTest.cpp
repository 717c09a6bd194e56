#include <gtest/gtest.h>

#include "framework/graphics/Color.h"

namespace {

TEST(ColorToRGB, SystemColoursFollowGetSysColor) {
    EXPECT_EQ(ColorToRGB(clBtnFace), static_cast<TColor>(::GetSysColor(COLOR_BTNFACE)));
    EXPECT_EQ(ColorToRGB(clWindowText), static_cast<TColor>(::GetSysColor(COLOR_WINDOWTEXT)));
    EXPECT_EQ(ColorToRGB(clHighlight), static_cast<TColor>(::GetSysColor(COLOR_HIGHLIGHT)));
}

TEST(ColorToRGB, PlainColoursAndPositiveHighBytesStayAsTheyAre) {
    EXPECT_EQ(ColorToRGB(clFuchsia), clFuchsia);
    EXPECT_EQ(ColorToRGB(0x00123456), 0x00123456);
    EXPECT_EQ(ColorToRGB(0x01FF00FF), 0x01FF00FF);
    EXPECT_EQ(ColorToRGB(clNone), clNone);
}

TEST(ColorToRGB, ColorRefDropsTheHighByte) {
    EXPECT_EQ(ColorToColorRef(0x01FF00FF), static_cast<COLORREF>(0x00FF00FF));
    EXPECT_EQ(ColorToColorRef(clBtnFace), ::GetSysColor(COLOR_BTNFACE));
}

} // namespace
