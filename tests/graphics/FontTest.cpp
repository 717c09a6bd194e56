#include <gtest/gtest.h>

#include "framework/graphics/Font.h"
#include "framework/runtime/Exceptions.h"

namespace {

TEST(Font, ClassicDefaults) {
    TFont font;
    EXPECT_EQ(font.Name(), "MS Sans Serif");
    EXPECT_EQ(font.Height(), -11);
    EXPECT_EQ(font.Color(), clWindowText);
    EXPECT_TRUE(font.Style().Empty());
    EXPECT_EQ(font.Charset(), DEFAULT_CHARSET);
    EXPECT_EQ(font.Size(), -::MulDiv(-11, 72, font.PixelsPerInch()));
    if (font.PixelsPerInch() == 96) {
        EXPECT_EQ(font.Size(), 8);
    }
}

TEST(Font, SizeAndHeightFollowThePixelDensity) {
    TFont font;
    const int ppi = font.PixelsPerInch();
    font.SetSize(12);
    EXPECT_EQ(font.Height(), -::MulDiv(12, ppi, 72));
    EXPECT_EQ(font.Size(), 12);
    font.SetHeight(-32);
    EXPECT_EQ(font.Size(), ::MulDiv(32, 72, ppi));
    // A positive size becomes a negative height (character height) and back.
    font.SetSize(-12);
    EXPECT_EQ(font.Height(), ::MulDiv(12, ppi, 72));
    EXPECT_EQ(font.Size(), -12);
}

TEST(Font, OnChangeFiresOncePerRealChange) {
    TFont font;
    int changes = 0;
    font.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &font);
        ++changes;
    };
    font.SetName("Arial");
    font.SetName("Arial");
    font.SetSize(20);
    font.SetStyle({fsBold, fsItalic});
    font.SetColor(clRed);
    font.SetColor(clRed);
    EXPECT_EQ(changes, 4);
}

TEST(Font, HandleIsRemadeAfterAChangeAndDescribesTheFont) {
    TFont font;
    font.SetName("Arial");
    font.SetHeight(-20);
    font.SetStyle({fsBold, fsUnderline});
    HFONT first = font.Handle();
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(font.Handle(), first) << "no change, same handle";
    LOGFONTA lf{};
    ASSERT_GT(::GetObjectA(first, sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfHeight, -20);
    EXPECT_EQ(lf.lfWeight, FW_BOLD);
    EXPECT_TRUE(lf.lfUnderline);
    EXPECT_FALSE(lf.lfItalic);
    EXPECT_STREQ(lf.lfFaceName, "Arial");

    font.SetStyle({fsItalic});
    HFONT second = font.Handle();
    ASSERT_GT(::GetObjectA(second, sizeof(lf), &lf), 0);
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_TRUE(lf.lfItalic);
    EXPECT_EQ(::GetObjectType(first), 0u) << "the old handle is released";
}

TEST(Font, AssignCopiesEverythingWithOneChange) {
    TFont source;
    source.SetName("Courier New");
    source.SetHeight(-15);
    source.SetStyle({fsStrikeOut});
    source.SetColor(clBlue);
    source.SetCharset(ANSI_CHARSET);
    TFont target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    target.Assign(&source);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.Name(), "Courier New");
    EXPECT_EQ(target.Height(), -15);
    EXPECT_EQ(target.Style(), TFontStyles{fsStrikeOut});
    EXPECT_EQ(target.Color(), clBlue);
    EXPECT_EQ(target.Charset(), ANSI_CHARSET);
}

TEST(Font, AssignFromAnUnrelatedClassIsAnError) {
    TFont font;
    TPersistent other;
    EXPECT_THROW(font.Assign(&other), EConvertError);
}

} // namespace
