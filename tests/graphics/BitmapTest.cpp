#include <gtest/gtest.h>

#include <cstring>

#include "Pictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/runtime/Exceptions.h"

namespace {

using pictures::Paint24;
using pictures::PixelAt;
using pictures::Pixels24;
using pictures::Rgb;

Rgb Pattern(int x, int y) {
    return Rgb{(x * 37) & 0xFF, (y * 53) & 0xFF, (x * y * 11) & 0xFF};
}

TEST(Bitmap, NewBitmapIsEmptyAndDeviceDependent) {
    TBitmap bitmap;
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.PixelFormat(), pfDevice);
    EXPECT_EQ(bitmap.Handle(), nullptr);
    bitmap.SetSize(3, 2);
    EXPECT_NE(bitmap.Handle(), nullptr);
    DIBSECTION dib{};
    EXPECT_EQ(::GetObjectA(bitmap.Handle(), sizeof(dib), &dib), static_cast<int>(sizeof(BITMAP)))
        << "a device bitmap is no DIB section";
    EXPECT_EQ(PixelAt(bitmap, 2, 1), (Rgb{255, 255, 255})) << "new pixels are white";
}

TEST(Bitmap, EachPixelFormatMakesAMatchingDibSection) {
    const struct {
        TPixelFormat format;
        int bits;
    } cases[] = {{pf1bit, 1},   {pf4bit, 4},   {pf8bit, 8},  {pf15bit, 16},
                 {pf16bit, 16}, {pf24bit, 24}, {pf32bit, 32}};
    for (auto [format, bits] : cases) {
        TBitmap bitmap;
        bitmap.SetPixelFormat(format);
        bitmap.SetSize(5, 3);
        EXPECT_EQ(bitmap.PixelFormat(), format);
        DIBSECTION dib{};
        ASSERT_EQ(::GetObjectA(bitmap.Handle(), sizeof(dib), &dib), static_cast<int>(sizeof(dib)))
            << bits;
        EXPECT_EQ(dib.dsBmih.biBitCount, bits);
        EXPECT_EQ(bitmap.RowBytes(), (5 * bits + 31) / 32 * 4);
        EXPECT_EQ(PixelAt(bitmap, 4, 2), (Rgb{255, 255, 255})) << bits;
    }
}

TEST(Bitmap, ScanLineRowZeroIsTheTopRowAndRowsLieBottomUp) {
    TBitmap bitmap;
    Paint24(bitmap, 3, 4, Pattern);
    uint8_t* top = bitmap.ScanLine(0);
    uint8_t* second = bitmap.ScanLine(1);
    EXPECT_EQ(top - second, bitmap.RowBytes()) << "row 0 lies highest in memory";
    EXPECT_EQ(bitmap.ScanLine(3), top - 3 * bitmap.RowBytes());
    // What was written through the rows is what GDI sees at (x, y).
    EXPECT_EQ(pictures::ToRgb(bitmap.Canvas().Pixels(2, 1)), Pattern(2, 1));
    EXPECT_EQ(pictures::ToRgb(bitmap.Canvas().Pixels(0, 3)), Pattern(0, 3));
}

TEST(Bitmap, ScanLineOutsideTheRowsIsTheRowIndexError) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(2, 2);
    for (int row : {-1, 2, 1000}) {
        try {
            bitmap.ScanLine(row);
            FAIL() << row;
        } catch (const EInvalidGraphicOperation& e) {
            EXPECT_EQ(e.Message(), "Bereichs\xFC"
                                   "berschreitung bei Zeilenindex");
        }
    }
    TBitmap wide;
    wide.SetWidth(10);
    EXPECT_THROW(wide.ScanLine(0), EInvalidGraphicOperation) << "10 x 0 has no rows";
}

TEST(Bitmap, ScanLineOfADeviceBitmapKeepsItsPixels) {
    TBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas().SetPixels(1, 2, RGBColor(200, 100, 50));
    uint8_t* row = bitmap.ScanLine(2);
    EXPECT_NE(bitmap.PixelFormat(), pfDevice);
    EXPECT_EQ(PixelAt(bitmap, 1, 2), (Rgb{200, 100, 50}));
    ASSERT_NE(row, nullptr);
}

TEST(Bitmap, ResizeKeepsTheOverlapAndPaintsNewPixelsWhite) {
    TBitmap bitmap;
    Paint24(bitmap, 4, 3, Pattern);
    bitmap.SetWidth(6);
    bitmap.SetHeight(2);
    ASSERT_EQ(bitmap.Width(), 6);
    ASSERT_EQ(bitmap.Height(), 2);
    for (int y = 0; y < 2; ++y) {
        for (int x = 0; x < 4; ++x)
            EXPECT_EQ(PixelAt(bitmap, x, y), Pattern(x, y)) << x << "," << y;
        EXPECT_EQ(PixelAt(bitmap, 5, y), (Rgb{255, 255, 255}));
    }
    bitmap.SetSize(0, 0);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit) << "emptying keeps the format";
}

TEST(Bitmap, NegativeOrHugeSizesAreRefusedInTheRuntimesLanguage) {
    TBitmap bitmap;
    const auto messageOf = [&](int width, int height) -> std::string {
        try {
            bitmap.SetSize(width, height);
        } catch (const EInvalidGraphicOperation& e) {
            return e.Message();
        }
        return "(no exception)";
    };
    EXPECT_EQ(messageOf(-1, 5), "Negative Bitmap-Gr\xF6\xDF"
                                "e -1 x 5");
    EXPECT_EQ(messageOf(100000, 100000), "Bitmap-Gr\xF6\xDF"
                                         "e 100000 x 100000 ist zu gro\xDF");
    EXPECT_THROW(bitmap.SetWidth(-1), EInvalidGraphicOperation);
    EXPECT_TRUE(bitmap.Empty());
}

TEST(Bitmap, ConversionsKeepTheColoursTheFormatCanHold) {
    TBitmap bitmap;
    const Rgb colours[] = {{0, 0, 0}, {255, 255, 255}, {255, 0, 0}, {0, 255, 0}, {0, 0, 255}};
    Paint24(bitmap, 5, 1, [&](int x, int) { return colours[x]; });
    for (TPixelFormat format : {pf32bit, pf16bit, pf15bit, pf8bit, pf4bit, pf24bit}) {
        bitmap.SetPixelFormat(format);
        EXPECT_EQ(bitmap.PixelFormat(), format);
        for (int x = 0; x < 5; ++x)
            EXPECT_EQ(PixelAt(bitmap, x, 0), colours[x]) << "format " << format << " x " << x;
    }
    bitmap.SetPixelFormat(pf1bit);
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{0, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 1, 0), (Rgb{255, 255, 255}));
}

TEST(Bitmap, FifteenAndSixteenBitStoreFiveOrSixBitChannels) {
    TBitmap bitmap;
    Paint24(bitmap, 1, 1, [](int, int) { return Rgb{0, 0x84, 0}; });
    bitmap.SetPixelFormat(pf16bit);
    uint16_t value = 0;
    std::memcpy(&value, bitmap.ScanLine(0), 2);
    EXPECT_EQ(value, 0x84 >> 2 << 5) << "green has six bits in 5-6-5";
    bitmap.SetPixelFormat(pf15bit);
    std::memcpy(&value, bitmap.ScanLine(0), 2);
    EXPECT_EQ(value, 0x84 >> 3 << 5) << "green has five bits in 5-5-5";
}

TEST(Bitmap, AssignCopiesSizeFormatAndPixelsWithoutSharing) {
    for (TPixelFormat format : {pf8bit, pf32bit, pf24bit, pf1bit}) {
        TBitmap source;
        Paint24(source, 5, 3, [](int x, int y) {
            return (x + y) % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
        });
        source.SetPixelFormat(format);
        TBitmap copy;
        copy.Assign(&source);
        EXPECT_EQ(copy.PixelFormat(), format);
        EXPECT_EQ(copy.Width(), 5);
        EXPECT_EQ(copy.Height(), 3);
        EXPECT_EQ(Pixels24(copy), Pixels24(source)) << format;
        EXPECT_NE(copy.Handle(), source.Handle());
        copy.Canvas().SetPixels(0, 0, clWhite);
        EXPECT_EQ(PixelAt(source, 0, 0), (Rgb{0, 0, 0})) << "the source is untouched";
    }
}

TEST(Bitmap, AssignFromPalettedKeepsThePaletteIndices) {
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(3, 1);
    source.ScanLine(0)[0] = 9; // bright red in the default palette
    source.ScanLine(0)[1] = 200;
    TBitmap copy;
    copy.Assign(&source);
    EXPECT_EQ(copy.ScanLine(0)[0], 9);
    EXPECT_EQ(copy.ScanLine(0)[1], 200);
    EXPECT_EQ(PixelAt(copy, 0, 0), (Rgb{255, 0, 0}));
}

TEST(Bitmap, AssignNullEmptiesAndUnknownSourcesAreErrors) {
    TBitmap bitmap;
    Paint24(bitmap, 2, 2, Pattern);
    bitmap.Assign(nullptr);
    EXPECT_TRUE(bitmap.Empty());
    EXPECT_EQ(bitmap.Width(), 0);
    EXPECT_EQ(bitmap.Height(), 0);
    TFont font;
    EXPECT_THROW(bitmap.Assign(&font), EConvertError);
}

TEST(Bitmap, TakeOverMovesSizeFormatAndPixelsAndEmptiesTheSource) {
    for (TPixelFormat format : {pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf24bit, pf32bit}) {
        SCOPED_TRACE(format);
        TBitmap source;
        Paint24(source, 5, 3, Pattern);
        source.SetPixelFormat(format);
        const std::vector<Rgb> expected = Pixels24(source);
        const HBITMAP pixels = source.Handle();
        TBitmap target;
        target.SetPixelFormat(format == pf8bit ? pf24bit : pf8bit);
        target.SetSize(2, 2);

        target.TakeOver(source);
        EXPECT_EQ(target.PixelFormat(), format);
        EXPECT_EQ(target.Width(), 5);
        EXPECT_EQ(target.Height(), 3);
        EXPECT_EQ(Pixels24(target), expected);
        EXPECT_EQ(target.Handle(), pixels) << "moved, not copied";
        EXPECT_TRUE(source.Empty());
        EXPECT_EQ(source.Width(), 0);
        EXPECT_EQ(source.Height(), 0);
        EXPECT_EQ(source.Handle(), nullptr);
    }
}

TEST(Bitmap, TakeOverKeepsThePaletteIndices) {
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(3, 1);
    source.ScanLine(0)[0] = 9; // bright red in the default palette
    source.ScanLine(0)[1] = 200;
    TBitmap target;
    target.TakeOver(source);
    EXPECT_EQ(target.ScanLine(0)[0], 9);
    EXPECT_EQ(target.ScanLine(0)[1], 200);
    EXPECT_EQ(PixelAt(target, 0, 0), (Rgb{255, 0, 0}));
}

TEST(Bitmap, AfterTakeOverBothBitmapsAndTheirCanvasesStayUsable) {
    TBitmap source;
    source.SetPixelFormat(pf24bit);
    source.SetSize(4, 4);
    source.Canvas().Brush().SetColor(clRed);
    source.Canvas().FillRect(Rect(0, 0, 4, 4));
    TBitmap target;
    target.SetPixelFormat(pf24bit);
    target.SetSize(2, 2);
    TCanvas& targetCanvas = target.Canvas();

    target.TakeOver(source);
    // The target's canvas now draws on the pixels taken over.
    targetCanvas.SetPixels(0, 0, clBlue);
    EXPECT_EQ(PixelAt(target, 0, 0), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(target, 3, 3), (Rgb{255, 0, 0}));

    // The emptied source takes new pixels, through its canvas and by loading.
    source.SetSize(3, 3);
    source.Canvas().Brush().SetColor(clLime);
    source.Canvas().FillRect(Rect(0, 0, 1, 1));
    EXPECT_EQ(PixelAt(source, 0, 0), (Rgb{0, 255, 0}));
    EXPECT_EQ(PixelAt(source, 2, 2), (Rgb{255, 255, 255}));
    TBitmap saved;
    Paint24(saved, 6, 2, Pattern);
    TMemoryStream stream;
    saved.SaveToStream(stream);
    stream.SetPosition(0);
    source.LoadFromStream(stream);
    EXPECT_EQ(Pixels24(source), Pixels24(saved));
    source.Canvas().SetPixels(5, 1, clWhite);
    EXPECT_EQ(PixelAt(source, 5, 1), (Rgb{255, 255, 255}));
    EXPECT_EQ(PixelAt(target, 3, 3), (Rgb{255, 0, 0})) << "the two share nothing";
}

TEST(Bitmap, CanvasFollowsTheBitmapThroughSizeAndFormatChanges) {
    TBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    TCanvas& canvas = bitmap.Canvas(); // made while the bitmap is empty
    bitmap.SetSize(4, 4);
    canvas.Brush().SetColor(clRed);
    canvas.FillRect(Rect(0, 0, 4, 4));
    bitmap.SetPixelFormat(pf32bit);
    bitmap.SetSize(6, 6);
    EXPECT_EQ(&bitmap.Canvas(), &canvas);
    canvas.Brush().SetColor(clBlue);
    canvas.FillRect(Rect(4, 4, 6, 6));
    EXPECT_EQ(PixelAt(bitmap, 0, 0), (Rgb{255, 0, 0}));
    EXPECT_EQ(PixelAt(bitmap, 5, 5), (Rgb{0, 0, 255}));
    EXPECT_EQ(PixelAt(bitmap, 5, 0), (Rgb{255, 255, 255}));
}

TEST(Bitmap, SaveAndLoadRoundTripEveryFormat) {
    for (TPixelFormat format : {pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit}) {
        TBitmap original;
        Paint24(original, 7, 5, [](int x, int y) {
            return (x * y) % 3 ? Rgb{255, 0, 0} : (x % 2 ? Rgb{255, 255, 255} : Rgb{0, 0, 0});
        });
        original.SetPixelFormat(format);
        TMemoryStream stream;
        original.SaveToStream(stream);
        stream.SetPosition(0);
        TBitmap loaded;
        loaded.LoadFromStream(stream);
        EXPECT_EQ(loaded.PixelFormat(), format);
        EXPECT_EQ(loaded.Width(), 7);
        EXPECT_EQ(loaded.Height(), 5);
        EXPECT_EQ(Pixels24(loaded), Pixels24(original)) << "format " << format;
        EXPECT_EQ(stream.Position(), stream.Size());
    }
}

TEST(Bitmap, DeviceBitmapSavesAsTwentyFourBit) {
    TBitmap original;
    original.SetSize(3, 2);
    original.Canvas().SetPixels(2, 1, RGBColor(1, 2, 3));
    TMemoryStream stream;
    original.SaveToStream(stream);
    ASSERT_GT(stream.Size(), 54);
    EXPECT_EQ(stream.Memory()[28], 24) << "bit count in the info header";
    stream.SetPosition(0);
    TBitmap loaded;
    loaded.LoadFromStream(stream);
    EXPECT_EQ(loaded.PixelFormat(), pf24bit);
    EXPECT_EQ(PixelAt(loaded, 2, 1), (Rgb{1, 2, 3}));
}

TEST(Bitmap, EmptyBitmapSavesAsNothingAndLoadsBackEmpty) {
    TBitmap empty;
    TMemoryStream stream;
    empty.SaveToStream(stream);
    EXPECT_EQ(stream.Size(), 0);
    TBitmap loaded;
    Paint24(loaded, 2, 2, Pattern);
    stream.SetPosition(0);
    loaded.LoadFromStream(stream);
    EXPECT_TRUE(loaded.Empty());
}

TEST(Bitmap, FilesRoundTripAndMissingFilesNameThemselves) {
    char folder[MAX_PATH];
    ASSERT_GT(::GetTempPathA(MAX_PATH, folder), 0u);
    std::string name = std::string(folder) + "ovalyn_bitmap_test.bmp";
    TBitmap original;
    Paint24(original, 4, 4, Pattern);
    original.SaveToFile(name);
    TBitmap loaded;
    loaded.LoadFromFile(name);
    EXPECT_EQ(Pixels24(loaded), Pixels24(original));
    ::DeleteFileA(name.c_str());

    try {
        loaded.LoadFromFile(name);
        FAIL() << "no exception";
    } catch (const EFOpenError& e) {
        EXPECT_NE(e.Message().find(name), std::string::npos) << e.Message();
    }
    EXPECT_EQ(loaded.Width(), 4) << "a failed load leaves the picture";
}

} // namespace
