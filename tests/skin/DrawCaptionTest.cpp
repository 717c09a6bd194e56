#include <gtest/gtest.h>

#include "TestPictures.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "skin/OvalynShapeControl.h"

namespace {

constexpr TColor paper = 0x00F0F0;
constexpr TColor ink = clRed;

class CaptionControl : public TOvalynShapeControl {
public:
    using TOvalynShapeControl::DrawCaption;
    using TOvalynShapeControl::TOvalynShapeControl;
};

std::unique_ptr<TBitmap> Paper(int width, int height) {
    auto bitmap = std::make_unique<TBitmap>();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(paper);
    bitmap->Canvas().FillRect(Rect(0, 0, width, height));
    return bitmap;
}

// The text drawn by hand at a fixed rectangle with fixed flags.
std::unique_ptr<TBitmap> Expected(int width, int height, TFont& font, const std::string& text,
                                  RECT area, UINT flags) {
    auto bitmap = Paper(width, height);
    TCanvas& canvas = bitmap->Canvas();
    canvas.SetFont(font);
    canvas.Brush().SetStyle(bsClear);
    DrawTextA(canvas.Handle(), text.c_str(), static_cast<int>(text.size()), &area, flags);
    return bitmap;
}

int InkPixels(TBitmap& bitmap) {
    int count = 0;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            count += (bitmap.Canvas().Pixels(x, y) & 0xFFFFFF) != paper;
    return count;
}

::testing::AssertionResult SamePixels(TBitmap& actual, TBitmap& expected) {
    for (int y = 0; y < actual.Height(); ++y)
        for (int x = 0; x < actual.Width(); ++x)
            if (actual.Canvas().Pixels(x, y) != expected.Canvas().Pixels(x, y))
                return ::testing::AssertionFailure() << "first difference at " << x << ", " << y;
    if (InkPixels(expected) == 0)
        return ::testing::AssertionFailure() << "the expected picture shows no text";
    return ::testing::AssertionSuccess();
}

// Ink rows: the first and last row holding a pixel other than paper.
std::pair<int, int> InkRows(TBitmap& bitmap) {
    int first = -1, last = -1;
    for (int y = 0; y < bitmap.Height(); ++y)
        for (int x = 0; x < bitmap.Width(); ++x)
            if ((bitmap.Canvas().Pixels(x, y) & 0xFFFFFF) != paper) {
                if (first < 0)
                    first = y;
                last = y;
                break;
            }
    return {first, last};
}

class DrawCaptionTest : public ::testing::Test {
protected:
    void SetUp() override {
        control.SetCaption("Hg");
        control.Font()->SetName("Arial");
        control.Font()->SetHeight(13); // a cell of 13 pixels
        control.Font()->SetColor(ink);
        control.SetColor(clLime); // must not be painted: the background stays
    }

    int TextHeight() {
        auto bitmap = Paper(10, 10);
        bitmap->Canvas().SetFont(*control.Font());
        RECT r{0, 0, 100, 0};
        DrawTextA(bitmap->Canvas().Handle(), "Hg", 2, &r, DT_CALCRECT);
        return r.bottom;
    }

    CaptionControl control{nullptr};
};

} // namespace

TEST_F(DrawCaptionTest, TheFontGivesThirteenPixelLines) {
    EXPECT_EQ(TextHeight(), 13);
}

TEST_F(DrawCaptionTest, CentreLayoutStartsAtHalfTheSpareHeight) {
    control.SetBounds(0, 0, 60, 40);
    auto face = Paper(60, 40);
    control.DrawCaption(*face);
    auto expected = Expected(60, 40, *control.Font(), "Hg", {0, 13, 60, 53}, DT_CENTER);
    EXPECT_TRUE(SamePixels(*face, *expected));
}

TEST_F(DrawCaptionTest, CentreLayoutInASmallControlTruncatesTowardZero) {
    control.SetBounds(0, 0, 60, 10);
    auto face = Paper(60, 10);
    control.DrawCaption(*face);
    // (10 - 13) / 2 is -1, not -2.
    auto expected = Expected(60, 10, *control.Font(), "Hg", {0, -1, 60, 9}, DT_CENTER);
    EXPECT_TRUE(SamePixels(*face, *expected));
}

TEST_F(DrawCaptionTest, TopAndBottomLayouts) {
    control.SetBounds(0, 0, 60, 40);
    control.SetLayout(tlTop);
    auto top = Paper(60, 40);
    control.DrawCaption(*top);
    EXPECT_TRUE(
        SamePixels(*top, *Expected(60, 40, *control.Font(), "Hg", {0, 0, 60, 40}, DT_CENTER)));
    control.SetLayout(tlBottom);
    auto bottom = Paper(60, 40);
    control.DrawCaption(*bottom);
    EXPECT_TRUE(
        SamePixels(*bottom, *Expected(60, 40, *control.Font(), "Hg", {0, 27, 60, 67}, DT_CENTER)));
    EXPECT_LE(InkRows(*bottom).second, 39);
    EXPECT_GE(InkRows(*bottom).first, 27);
}

TEST_F(DrawCaptionTest, OffsetsUseTheControlsHeightNotThePictures) {
    control.SetBounds(0, 0, 60, 40);
    control.SetLayout(tlBottom);
    auto tall = Paper(60, 70);
    control.DrawCaption(*tall);
    EXPECT_TRUE(
        SamePixels(*tall, *Expected(60, 70, *control.Font(), "Hg", {0, 27, 60, 67}, DT_CENTER)));
}

TEST_F(DrawCaptionTest, MarginsInsetBothSides) {
    control.SetBounds(0, 0, 40, 20);
    control.SetMargin(5);
    control.SetLayout(tlTop);
    for (auto [alignment, flag] : {std::pair{taLeftJustify, UINT(DT_LEFT)},
                                   {taRightJustify, UINT(DT_RIGHT)},
                                   {taCenter, UINT(DT_CENTER)}}) {
        control.SetAlignment(alignment);
        auto face = Paper(40, 20);
        control.DrawCaption(*face);
        EXPECT_TRUE(
            SamePixels(*face, *Expected(40, 20, *control.Font(), "Hg", {5, 0, 35, 20}, flag)))
            << "alignment " << int(alignment);
    }
}

TEST_F(DrawCaptionTest, TabsAreExpandedAndLongCaptionsWrap) {
    control.SetBounds(0, 0, 80, 60);
    control.SetLayout(tlBottom);
    control.SetAlignment(taLeftJustify);
    control.SetCaption("a\tb");
    auto tabbed = Paper(80, 60);
    control.DrawCaption(*tabbed);
    EXPECT_TRUE(SamePixels(
        *tabbed, *Expected(80, 60, *control.Font(), "a\tb", {0, 47, 80, 107}, DT_EXPANDTABS)));

    control.SetWordWrap(true);
    control.SetCaption("one two three four five");
    auto wrapped = Paper(80, 60);
    control.DrawCaption(*wrapped);
    RECT measure{0, 0, 80, 60};
    auto probe = Paper(80, 60);
    probe->Canvas().SetFont(*control.Font());
    DrawTextA(probe->Canvas().Handle(), "one two three four five", 23, &measure,
              DT_CALCRECT | DT_WORDBREAK);
    ASSERT_GT(measure.bottom, 13) << "the caption should need more than one line";
    // The last of all lines ends at the control's bottom.
    const int top = 60 - measure.bottom;
    EXPECT_TRUE(SamePixels(*wrapped, *Expected(80, 60, *control.Font(), "one two three four five",
                                               {0, top, 80, top + 60}, DT_WORDBREAK)));
}

TEST_F(DrawCaptionTest, DisabledControlUsesTheDisabledFont) {
    control.SetBounds(0, 0, 60, 20);
    control.DisabledFont()->Assign(control.Font());
    control.DisabledFont()->SetColor(clBlue);
    control.SetEnabled(false);
    auto face = Paper(60, 20);
    control.DrawCaption(*face);
    EXPECT_TRUE(SamePixels(
        *face, *Expected(60, 20, *control.DisabledFont(), "Hg", {0, 3, 60, 23}, DT_CENTER)));
    control.SetEnabled(true);
    auto again = Paper(60, 20);
    control.DrawCaption(*again);
    EXPECT_TRUE(
        SamePixels(*again, *Expected(60, 20, *control.Font(), "Hg", {0, 3, 60, 23}, DT_CENTER)));
}
