#include <gtest/gtest.h>

#include "Pictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Jpeg.h"
#include "framework/runtime/Exceptions.h"

namespace {

using pictures::Rgb;

// Counts the change notifications and what the bitmap looked like at each.
class CountingBitmap : public TBitmap {
public:
    int changes = 0;
    int lastWidth = -1;
    TPixelFormat lastFormat = pfDevice;
    TObject* lastSender = nullptr;
    int assigns = 0;

    void Changed(TObject* sender) override {
        ++changes;
        lastWidth = Width();
        lastFormat = PixelFormat();
        lastSender = sender;
        TBitmap::Changed(sender);
    }
    void Assign(TPersistent* source) override {
        ++assigns;
        TBitmap::Assign(source);
    }
};

// Keeps itself at 24 bits from inside its change notification, the way
// direct-access bitmaps do: the conversion notifies a second time.
class TwentyFourBitBitmap : public TBitmap {
public:
    void Changed(TObject* sender) override {
        TBitmap::Changed(sender);
        rowZero = ScanLine(0);
        SetPixelFormat(pf24bit);
    }
    uint8_t* rowZero = nullptr;
};

TEST(BitmapNotify, OneChangePerModification) {
    CountingBitmap bitmap;
    int events = 0;
    bitmap.OnChange = [&](TObject* sender) {
        EXPECT_EQ(sender, &bitmap);
        ++events;
    };
    bitmap.SetWidth(4);
    EXPECT_EQ(bitmap.changes, 1);
    EXPECT_EQ(bitmap.lastWidth, 4) << "the change is sent after the new state is in place";
    bitmap.SetHeight(3);
    EXPECT_EQ(bitmap.changes, 2);
    bitmap.SetSize(5, 5);
    EXPECT_EQ(bitmap.changes, 3);
    bitmap.SetSize(5, 5);
    bitmap.SetWidth(5);
    EXPECT_EQ(bitmap.changes, 3) << "no change, no notification";
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.changes, 4);
    EXPECT_EQ(bitmap.lastFormat, pf8bit);
    bitmap.SetPixelFormat(pf8bit);
    EXPECT_EQ(bitmap.changes, 4);
    EXPECT_EQ(bitmap.lastSender, &bitmap);
    EXPECT_EQ(events, 4);
    EXPECT_TRUE(bitmap.Modified());
}

TEST(BitmapNotify, DrawingOnTheCanvasNotifiesTheBitmap) {
    CountingBitmap bitmap;
    bitmap.SetPixelFormat(pf24bit);
    bitmap.SetSize(8, 8);
    int before = bitmap.changes;
    TCanvas& canvas = bitmap.Canvas();
    canvas.FillRect(Rect(0, 0, 2, 2));
    canvas.TextOut(0, 0, "x");
    canvas.SetPixels(3, 3, clRed);
    TBitmap other;
    other.SetSize(2, 2);
    canvas.Draw(1, 1, other);
    EXPECT_EQ(bitmap.changes - before, 4);
    canvas.Font().SetColor(clBlue);
    canvas.Brush().SetColor(clRed);
    EXPECT_EQ(bitmap.changes - before, 4) << "changing tools draws nothing";
}

TEST(BitmapNotify, AssignLoadAndEmptyingNotifyOnce) {
    TBitmap source;
    pictures::Paint24(source, 3, 3, [](int, int) { return Rgb{1, 2, 3}; });
    CountingBitmap bitmap;
    TPersistent* asPersistent = &bitmap;
    asPersistent->Assign(&source);
    EXPECT_EQ(bitmap.assigns, 1) << "Assign is virtual";
    EXPECT_EQ(bitmap.changes, 1);

    TMemoryStream stream;
    source.SaveToStream(stream);
    stream.SetPosition(0);
    bitmap.LoadFromStream(stream);
    EXPECT_EQ(bitmap.changes, 2);

    TJPEGImage jpeg;
    jpeg.LoadFromFile(pictures::DataFile("corners.jpg"));
    bitmap.Assign(&jpeg);
    EXPECT_EQ(bitmap.changes, 3) << "drawing another graphic is one modification";
    EXPECT_EQ(bitmap.Width(), 16);

    bitmap.Assign(nullptr);
    EXPECT_EQ(bitmap.changes, 4);
    EXPECT_EQ(bitmap.lastWidth, 0);
}

TEST(BitmapNotify, TakeOverNotifiesTheTargetOnceAndItselfNotAtAll) {
    TBitmap source;
    pictures::Paint24(source, 3, 2, [](int x, int) { return Rgb{x * 80, 0, 0}; });
    std::vector<int> sourceWidths; // the source's width at each of its notifications
    source.OnChange = [&](TObject*) { sourceWidths.push_back(source.Width()); };
    CountingBitmap target;
    int events = 0;
    target.OnChange = [&](TObject*) { ++events; };
    target.TakeOver(source);
    EXPECT_EQ(target.changes, 1);
    EXPECT_EQ(events, 1);
    EXPECT_EQ(target.lastWidth, 3) << "the change is sent after the pixels are in place";
    EXPECT_EQ(target.lastFormat, pf24bit);
    EXPECT_EQ(target.lastSender, &target);
    // The source hears that it is empty now.
    EXPECT_EQ(sourceWidths, std::vector<int>{0});

    const HBITMAP pixels = target.Handle();
    target.TakeOver(target);
    EXPECT_EQ(target.changes, 1);
    EXPECT_EQ(target.Handle(), pixels);
    EXPECT_EQ(target.Width(), 3);
    EXPECT_EQ(pictures::PixelAt(target, 2, 1), (Rgb{160, 0, 0}));
}

TEST(BitmapNotify, FailedLoadSendsNothingAndKeepsThePicture) {
    CountingBitmap bitmap;
    pictures::Paint24(bitmap, 2, 2, [](int, int) { return Rgb{9, 9, 9}; });
    int before = bitmap.changes;
    TMemoryStream stream;
    pictures::Fill(stream, {'B', 'M', 0, 0, 0, 0});
    EXPECT_THROW(bitmap.LoadFromStream(stream), EInvalidGraphic);
    EXPECT_EQ(bitmap.changes, before);
    EXPECT_EQ(pictures::PixelAt(bitmap, 1, 1), (Rgb{9, 9, 9}));
}

TEST(BitmapNotify, ConversionInsideTheNotificationNotifiesAgain) {
    TwentyFourBitBitmap bitmap;
    int events = 0;
    bitmap.OnChange = [&](TObject*) { ++events; };
    TBitmap source;
    source.SetPixelFormat(pf8bit);
    source.SetSize(4, 2);
    bitmap.Assign(&source);
    EXPECT_EQ(events, 2) << "once for the assignment, once for the conversion";
    EXPECT_EQ(bitmap.PixelFormat(), pf24bit);
    EXPECT_EQ(bitmap.rowZero, bitmap.ScanLine(0)) << "the inner pass saw the converted memory";

    events = 0;
    bitmap.SetSize(6, 2);
    EXPECT_EQ(events, 1) << "already 24-bit: no second pass";
}

TEST(BitmapNotify, AnErrorInsideTheNotificationReachesTheCaller) {
    TwentyFourBitBitmap bitmap;
    // 10 x 0 has no row 0: the notification's ScanLine fails after the change.
    EXPECT_THROW(bitmap.SetWidth(10), EInvalidGraphicOperation);
    EXPECT_EQ(bitmap.Width(), 10);
}

} // namespace
