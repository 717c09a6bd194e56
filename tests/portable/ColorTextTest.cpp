#include <gtest/gtest.h>

#include "framework/portable/Convert.h"
#include "framework/runtime/Exceptions.h"

namespace {

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

} // namespace
