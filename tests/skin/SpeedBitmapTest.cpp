#include <gtest/gtest.h>

#include "TestPictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/runtime/Exceptions.h"
#include "skin/speedBitmap.h"

namespace {

RGBTRIPLE Triple(std::uint8_t red, std::uint8_t green, std::uint8_t blue) {
    RGBTRIPLE t;
    t.rgbtRed = red;
    t.rgbtGreen = green;
    t.rgbtBlue = blue;
    return t;
}

std::uint32_t ValueOf(const RGBTRIPLE& t) {
    return t.rgbtRed | (t.rgbtGreen << 8) | (std::uint32_t{t.rgbtBlue} << 16);
}

} // namespace

TEST(SpeedBitmap, StartsWithoutAddress) {
    TSpeedBitmap bitmap;
    EXPECT_EQ(bitmap.ScanLine0(), nullptr);
    EXPECT_EQ(bitmap.LineBytes(), 0);
}

// A speed bitmap keeps the address of its pixels, so it is copied from
// rather than emptied: its address stays its own.
TEST(SpeedBitmap, IsCopiedFromWhenABitmapTakesItOver) {
    TSpeedBitmap source;
    source.SetSize(4, 3);
    uint8_t* const address = source.ScanLine0();
    ASSERT_NE(address, nullptr);
    TBitmap target;
    target.TakeOver(source);
    EXPECT_EQ(target.Width(), 4);
    EXPECT_EQ(source.Width(), 4);
    EXPECT_EQ(source.ScanLine0(), address);
    EXPECT_NE(static_cast<void*>(target.ScanLine(0)), static_cast<void*>(address));
}

TEST(SpeedBitmap, RowLengthIsThreeBytesAPixelRoundedToFour) {
    for (auto [width, expected] : {std::pair{1, 4}, {4, 12}, {5, 16}, {100, 300}, {2, 8}}) {
        TSpeedBitmap bitmap;
        bitmap.SetSize(width, 3);
        EXPECT_EQ(bitmap.LineBytes(), expected) << "width " << width;
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        // The next row down lies exactly LineBytes lower in memory.
        EXPECT_EQ(bitmap.ScanLine0() - bitmap.LineBytes(), bitmap.ScanLine(1));
    }
}

TEST(SpeedBitmap, ReadsAndWritesPixelsCountedFromTheTopLeft) {
    TestMask mask(2, 2, 0xFFFFFF);
    mask.Set(0, 0, 0x0000FF); // red
    auto source = MakeBitmap(mask);
    TSpeedBitmap bitmap;
    bitmap.Assign(source.get());

    RGBTRIPLE pixel = Triple(1, 2, 3);
    bitmap.ReadPixel(0, 0, pixel);
    EXPECT_EQ(pixel.rgbtBlue, 0);
    EXPECT_EQ(pixel.rgbtGreen, 0);
    EXPECT_EQ(pixel.rgbtRed, 255);

    bitmap.WritePixel(1, 1, Triple(0x12, 0x34, 0x56));
    // The bottom row is the first row in memory.
    const std::uint8_t* bottomRow = bitmap.ScanLine0() - bitmap.LineBytes();
    EXPECT_EQ(bottomRow[3], 0x56);
    EXPECT_EQ(bottomRow[4], 0x34);
    EXPECT_EQ(bottomRow[5], 0x12);
    for (auto [x, y, expected] :
         {std::tuple{0, 0, 0x0000FFu}, {1, 0, 0xFFFFFFu}, {0, 1, 0xFFFFFFu}, {1, 1, 0x563412u}}) {
        bitmap.ReadPixel(x, y, pixel);
        EXPECT_EQ(ValueOf(pixel), expected) << x << ", " << y;
    }
}

TEST(SpeedBitmap, ReadPixelWritesOnlyThreeBytes) {
    TSpeedBitmap bitmap;
    bitmap.SetSize(2, 1);
    std::uint8_t record[4] = {9, 9, 9, 0xA5};
    bitmap.ReadPixel(1, 0, *reinterpret_cast<RGBTRIPLE*>(record));
    EXPECT_EQ(record[0], 255); // new pixels are white
    EXPECT_EQ(record[3], 0xA5);
}

TEST(SpeedBitmap, AccessorsSendNoChangeNotification) {
    TSpeedBitmap bitmap;
    bitmap.SetSize(3, 3);
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    RGBTRIPLE pixel = Triple(1, 2, 3);
    bitmap.WritePixel(2, 2, pixel);
    bitmap.ReadPixel(2, 2, pixel);
    EXPECT_EQ(changes, 0);
}

TEST(SpeedBitmap, OtherFormatsAreConvertedAndTheAccessorsSeeTheConvertedPixels) {
    TestMask mask = NoiseMask(13, 7, 40, 0x00FF00, 0x123456, 11);
    mask.Set(0, 0, 0x0000FF);
    for (TPixelFormat format : {pf32bit, pf8bit}) {
        auto source = MakeBitmap(mask, pf32bit);
        if (format == pf8bit)
            source->SetPixelFormat(pf8bit);
        TSpeedBitmap bitmap;
        int changes = 0;
        bitmap.OnChange = [&](TObject*) { ++changes; };
        bitmap.Assign(source.get());
        EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
        EXPECT_EQ(bitmap.LineBytes(), 40);
        // Once for the copy, once for the conversion to 24 bits.
        EXPECT_EQ(changes, 2);
        for (int y = 0; y < mask.Height(); ++y)
            for (int x = 0; x < mask.Width(); ++x) {
                RGBTRIPLE pixel;
                bitmap.ReadPixel(x, y, pixel);
                const std::uint32_t shown =
                    static_cast<std::uint32_t>(source->Canvas().Pixels(x, y)) & 0xFFFFFF;
                ASSERT_EQ(ValueOf(pixel), shown) << "format " << format << " at " << x << ", " << y;
            }
    }
}

TEST(SpeedBitmap, TwentyFourBitPictureIsNotifiedOnce) {
    auto source = MakeBitmap(TestMask(4, 4, 0x112233));
    TSpeedBitmap bitmap;
    int changes = 0;
    bitmap.OnChange = [&](TObject*) { ++changes; };
    bitmap.Assign(source.get());
    EXPECT_EQ(changes, 1);
}

TEST(SpeedBitmap, WritingLeavesTheAssignedSourceUnchanged) {
    auto source = MakeBitmap(TestMask(3, 3, 0x445566));
    TSpeedBitmap bitmap;
    bitmap.Assign(source.get());
    bitmap.WritePixel(1, 1, Triple(0, 0, 0));
    EXPECT_EQ(source->ScanLine(1)[3], 0x44); // blue of the middle pixel
    EXPECT_EQ(source->ScanLine(1)[5], 0x66); // its red
}

TEST(SpeedBitmap, PictureWithoutRowsRaisesTheRowIndexError) {
    TSpeedBitmap bitmap;
    try {
        bitmap.SetWidth(10);
        FAIL() << "no row-index error";
    } catch (const EInvalidGraphicOperation& error) {
        EXPECT_EQ(error.Message(), "Bereichs\xFC"
                                   "berschreitung bei Zeilenindex");
    }
    // The change has been made and the row length already follows it.
    EXPECT_EQ(bitmap.Width(), 10);
    EXPECT_EQ(bitmap.LineBytes(), 32);
    EXPECT_EQ(bitmap.ScanLine0(), nullptr);
}

TEST(SpeedBitmap, EmptyingAnAssignedPictureRaisesTheRowIndexError) {
    TSpeedBitmap bitmap;
    bitmap.SetSize(4, 4);
    EXPECT_THROW(bitmap.Assign(nullptr), EInvalidGraphicOperation);
    EXPECT_EQ(bitmap.Height(), 0);
    // A later change that leaves rows makes the accessors usable again.
    bitmap.SetSize(2, 2);
    RGBTRIPLE pixel;
    bitmap.ReadPixel(1, 1, pixel);
    EXPECT_EQ(ValueOf(pixel), 0xFFFFFFu);
}

TEST(SpeedBitmap, DrawingOnTheCanvasRefreshesTheAddress) {
    TSpeedBitmap bitmap;
    bitmap.SetSize(4, 4);
    bitmap.Canvas().Brush().SetColor(0x0000FF);
    bitmap.Canvas().FillRect(Rect(1, 1, 3, 3));
    RGBTRIPLE pixel;
    bitmap.ReadPixel(2, 2, pixel);
    EXPECT_EQ(ValueOf(pixel), 0x0000FFu);
    bitmap.ReadPixel(3, 3, pixel);
    EXPECT_EQ(ValueOf(pixel), 0xFFFFFFu);
}
