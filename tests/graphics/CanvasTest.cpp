#include <gtest/gtest.h>

#include "Pictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/runtime/Exceptions.h"

namespace {

using pictures::PixelAt;
using pictures::Rgb;
using pictures::ToRgb;

TBitmap& WhiteBitmap(TBitmap& bitmap, int w, int h) {
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(w, h);
    return bitmap;
}

int CountPixels(TBitmap& bitmap, Rgb colour) {
    int n = 0;
    for (const Rgb& p : pictures::Pixels24(bitmap))
        n += p == colour;
    return n;
}

TEST(Canvas, FillRectCoversTheHalfOpenRectangle) {
    TBitmap bitmap;
    WhiteBitmap(bitmap, 6, 5);
    bitmap.Canvas().Brush().SetColor(clRed);
    bitmap.Canvas().FillRect(Rect(1, 1, 4, 3));
    EXPECT_EQ(PixelAt(bitmap, 1, 1), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 3, 2), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 4, 2), (Rgb{255, 255, 255})) << "right edge is exclusive";
    EXPECT_EQ(PixelAt(bitmap, 3, 3), (Rgb{255, 255, 255})) << "bottom edge is exclusive";
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{255, 255, 255}));
    EXPECT_EQ(CountPixels(bitmap, Rgb{255, 0, 0}), 6);
}

TEST(Canvas, SystemColoursAreResolvedAndClearBrushesPaintNothing) {
    TBitmap bitmap;
    WhiteBitmap(bitmap, 4, 4);
    bitmap.Canvas().Brush().SetColor(clBtnFace);
    bitmap.Canvas().FillRect(Rect(0, 0, 2, 4));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), ToRgb(ColorToRGB(clBtnFace)));

    bitmap.Canvas().Brush().SetColor(clBlue);
    bitmap.Canvas().Brush().SetStyle(bsClear);
    bitmap.Canvas().FillRect(Rect(0, 0, 4, 4));
    EXPECT_EQ(PixelAt(bitmap, 3, 3), (Rgb{255, 255, 255}));
}

TEST(Canvas, PixelsReadAndWrite) {
    TBitmap bitmap;
    WhiteBitmap(bitmap, 3, 3);
    bitmap.Canvas().SetPixels(2, 1, RGBColor(10, 20, 30));
    EXPECT_EQ(bitmap.Canvas().Pixels(2, 1), RGBColor(10, 20, 30));
    EXPECT_EQ(bitmap.Canvas().Pixels(0, 0), clWhite);
    EXPECT_EQ(PixelAt(bitmap, 2, 1), (Rgb{10, 20, 30}));
}

TEST(Canvas, DrawAndStretchDrawPlaceTheGraphic) {
    TBitmap source;
    pictures::Paint24(source, 2, 2, [](int x, int y) {
        return x == 0 && y == 0 ? Rgb{255, 0, 0} : Rgb{0, 0, 255};
    });
    TBitmap target;
    WhiteBitmap(target, 8, 8);
    target.Canvas().Draw(3, 4, source);
    EXPECT_EQ(PixelAt(target, 3, 4), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(target, 4, 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(target, 5, 5), (Rgb{255, 255, 255}));

    target.Canvas().StretchDraw(Rect(0, 0, 4, 4), source);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(target, x, y), (x < 2 && y < 2 ? Rgb{255, 0, 0} : Rgb{0, 0, 255}))
                << "the red pixel grows to 2 x 2 at " << x << "," << y;
    EXPECT_EQ(PixelAt(target, 2, 2), (Rgb{0, 0, 255}));
}

TEST(Canvas, CopyRectCopiesAndStretches) {
    TBitmap source;
    pictures::Paint24(source, 4, 4, [](int x, int y) { return Rgb{x * 60, y * 60, 7}; });
    TBitmap target;
    WhiteBitmap(target, 6, 6);
    target.Canvas().CopyRect(Rect(1, 1, 3, 3), source.Canvas(), Rect(2, 2, 4, 4));
    EXPECT_EQ(PixelAt(target, 1, 1), (Rgb{120, 120, 7}));
    EXPECT_EQ(PixelAt(target, 2, 2), (Rgb{180, 180, 7}));
    EXPECT_EQ(PixelAt(target, 0, 0), (Rgb{255, 255, 255}));

    target.Canvas().CopyRect(Rect(0, 0, 6, 6), source.Canvas(), Rect(0, 0, 3, 3));
    EXPECT_EQ(PixelAt(target, 0, 0), (Rgb{0, 0, 7}));
    EXPECT_EQ(PixelAt(target, 5, 5), (Rgb{120, 120, 7}));
}

TEST(Canvas, TextUsesTheCurrentFontEvenAfterItChanged) {
    TBitmap bitmap;
    WhiteBitmap(bitmap, 120, 60);
    TCanvas& canvas = bitmap.Canvas();
    canvas.Font().SetName("Arial");
    canvas.Font().SetHeight(-10);
    const int smallHeight = canvas.TextHeight("Hg");
    const int smallWidth = canvas.TextWidth("Hello");
    EXPECT_GT(smallWidth, canvas.TextWidth("He"));
    // The font is selected now; a change must reach the DC.
    canvas.Font().SetHeight(-30);
    EXPECT_GT(canvas.TextHeight("Hg"), smallHeight);
    EXPECT_GT(canvas.TextWidth("Hello"), smallWidth);

    canvas.Font().SetColor(clRed);
    canvas.Brush().SetStyle(bsClear);
    canvas.TextOut(2, 2, "Hello");
    EXPECT_GT(CountPixels(bitmap, Rgb{255, 0, 0}), 20);
    EXPECT_EQ(PixelAt(bitmap, 119, 59), (Rgb{255, 255, 255}));
}

TEST(Canvas, ClipRectOfABitmapIsItsArea) {
    TBitmap bitmap;
    WhiteBitmap(bitmap, 13, 7);
    EXPECT_EQ(bitmap.Canvas().ClipRect(), Rect(0, 0, 13, 7));
}

TEST(Canvas, ScreenCanvasClipRectIsTheScreen) {
    HWND desktop = ::GetDesktopWindow();
    TCanvas screen(WindowDc::Whole(desktop));
    TRect clip = screen.ClipRect();
    EXPECT_EQ(clip.Width(), ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(clip.Height(), ::GetSystemMetrics(SM_CYSCREEN));
    // A copy of the screen into a bitmap has the same size and works without error.
    TBitmap capture;
    capture.SetPixelFormat(pf24bit);
    capture.SetSize(clip.Width(), clip.Height());
    capture.Canvas().CopyRect(capture.Canvas().ClipRect(), screen, clip);
    EXPECT_EQ(capture.Width(), clip.Width());
}

TEST(Canvas, WithoutADcDrawingIsAnError) {
    TCanvas canvas;
    EXPECT_FALSE(canvas.HandleAllocated());
    EXPECT_THROW(canvas.Handle(), EInvalidOperation);
    EXPECT_THROW(canvas.FillRect(Rect(0, 0, 1, 1)), EInvalidOperation);
}

TEST(Canvas, ABorrowedDcGetsItsOwnObjectsBack) {
    MemoryDc dc = MemoryDc::CompatibleWith(nullptr);
    HGDIOBJ originalFont = ::GetCurrentObject(dc.get(), OBJ_FONT);
    HGDIOBJ originalBrush = ::GetCurrentObject(dc.get(), OBJ_BRUSH);
    {
        TCanvas canvas(dc.get());
        canvas.Font().SetHeight(-25);
        canvas.TextWidth("x");
        EXPECT_NE(::GetCurrentObject(dc.get(), OBJ_FONT), originalFont);
    }
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_FONT), originalFont);
    EXPECT_EQ(::GetCurrentObject(dc.get(), OBJ_BRUSH), originalBrush);
}

TEST(Canvas, OnChangeAfterEveryDrawingOperation) {
    TBitmap target;
    WhiteBitmap(target, 10, 10);
    TBitmap source;
    WhiteBitmap(source, 2, 2);
    MemoryDc dc = MemoryDc::CompatibleWith(nullptr);
    ScopedSelect select(dc.get(), target.Handle());
    TCanvas canvas(dc.get());
    int changes = 0;
    canvas.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &canvas);
        ++changes;
    };
    canvas.FillRect(Rect(0, 0, 2, 2));
    canvas.SetPixels(1, 1, clRed);
    canvas.TextOut(0, 0, "a");
    canvas.Draw(0, 0, source);
    canvas.StretchDraw(Rect(0, 0, 5, 5), source);
    canvas.CopyRect(Rect(0, 0, 2, 2), source.Canvas(), Rect(0, 0, 2, 2));
    canvas.Rectangle(0, 0, 3, 3);
    canvas.MoveTo(0, 0);
    canvas.LineTo(4, 4);
    EXPECT_EQ(changes, 8);
    canvas.TextWidth("abc");
    canvas.ClipRect();
    canvas.Pixels(0, 0);
    EXPECT_EQ(changes, 8) << "queries change nothing";
}

} // namespace
