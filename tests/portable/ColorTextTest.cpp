#include <gtest/gtest.h>

#include "framework/portable/Convert.h"
#include "framework/runtime/Exceptions.h"

namespace {

TEST(ColorText, ValuesOfTheNamedColors) {
    EXPECT_EQ(clRed, 0x0000FF);
    EXPECT_EQ(clBlue, 0xFF0000);
    EXPECT_EQ(clFuchsia, 0x00FF00FF);
    EXPECT_EQ(static_cast<uint32_t>(clBtnFace), 0x8000000Fu);
    EXPECT_LT(clBtnFace, 0) << "system colours are negative as 32-bit values";
    EXPECT_TRUE(IsSystemColor(clWindowText));
    EXPECT_FALSE(IsSystemColor(clWhite));
    EXPECT_FALSE(IsSystemColor(0x7F000000));
    EXPECT_EQ(SystemColorIndex(clBtnFace), 15);
}

TEST(ColorText, NamesRoundTrip) {
    for (TColor c : {clBlack, clRed, clLime, clBlue, clFuchsia, clWhite, clBtnFace, clWindow,
                     clWindowText, clInfoBk, clNone}) {
        std::string text = ColorToString(c);
        EXPECT_EQ(text.rfind("cl", 0), 0u) << text;
        EXPECT_EQ(StringToColor(text), c) << text;
    }
    EXPECT_EQ(ColorToString(clRed), "clRed");
    EXPECT_EQ(ColorToString(clBtnFace), "clBtnFace");
    EXPECT_EQ(ColorToString(clSilver), "clSilver");
}

TEST(ColorText, UnnamedColorsAsEightHexDigits) {
    EXPECT_EQ(ColorToString(0x00123456), "$00123456");
    EXPECT_EQ(ColorToString(static_cast<TColor>(0x80000030)), "$80000030");
    EXPECT_EQ(StringToColor("$00123456"), 0x00123456);
}

TEST(ColorText, NamesIgnoreCaseAndAliasesAreAccepted) {
    EXPECT_EQ(StringToColor("CLRED"), clRed);
    EXPECT_EQ(StringToColor("clbtnface"), clBtnFace);
    EXPECT_EQ(StringToColor("clLtGray"), clSilver);
    EXPECT_EQ(StringToColor("clDefault"), clDefault);
    EXPECT_EQ(StringToColor("255"), clRed);
    EXPECT_EQ(StringToColor("-2147483633"), clBtnFace);
}

TEST(ColorText, UnknownNameIsAnIntegerError) {
    try {
        StringToColor("clPink");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'clPink' ist kein g\xFCltiger Integerwert");
    }
}

TEST(ColorText, ChannelsOfAPlainColour) {
    TColor c = RGBColor(1, 2, 3);
    EXPECT_EQ(c, 0x030201);
    EXPECT_EQ(ColorRed(c), 1);
    EXPECT_EQ(ColorGreen(c), 2);
    EXPECT_EQ(ColorBlue(c), 3);
}

} // namespace
