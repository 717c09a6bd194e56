#include <gtest/gtest.h>

#include "RegionFaults.h"
#include "TestPictures.h"
#include "framework/graphics/Canvas.h"
#include "framework/system/RecordingPlatform.h"
#include "skin/OvalynShapeControl.h"
#include "skin/OvalynSkin.h"

namespace {

constexpr std::uint32_t white = 0xFFFFFF;

// The skin's region, owned by the test.
SkinRegion RegionOf(TOvalynSkin& skin) {
    return SkinRegion(skin.getRegion().release());
}

void ExpectMessage(const std::function<void()>& action, const std::string& message) {
    try {
        action();
        ADD_FAILURE() << "no exception, expected \"" << message << "\"";
    } catch (const OvalynShapeException& error) {
        EXPECT_EQ(error.Message(), message);
    }
}

} // namespace

TEST(OvalynSkin, NewSkinIsEmptyWithWhiteAndHandsOutAnEmptyRegion) {
    TOvalynSkin skin;
    EXPECT_EQ(skin.InvisibleColor(), clWhite);
    EXPECT_EQ(skin.Width(), 0);
    EXPECT_TRUE(IsEmptyRegion(RegionOf(skin).get()));
}

TEST(OvalynSkin, AssignedPictureGivesTheRegionOfItsVisiblePixels) {
    TestMask mask = EllipseWithHoles(90, 60, 0x0000FF, white);
    auto picture = MakeBitmap(mask);
    TOvalynSkin skin;
    skin.Assign(picture.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), ReferenceRegionOf(*picture, white).get()));
}

TEST(OvalynSkin, PixelFormatOfThePictureDoesNotMatter) {
    TestMask mask = NoiseMask(31, 17, 50, white, 0x808080, 5);
    auto picture = MakeBitmap(mask, pf32bit);
    TOvalynSkin skin;
    skin.SetPixelFormat(pfDevice);
    skin.Assign(picture.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), ReferenceRegionOf(*picture, white).get()));
}

TEST(OvalynSkin, OnChangeFiresAfterTheRegionIsRecomputed) {
    auto picture = MakeBitmap(NoiseMask(20, 10, 30, white, 0, 1));
    TOvalynSkin skin;
    int changes = 0;
    skin.OnChange = [&](TObject* sender) {
        ++changes;
        EXPECT_EQ(sender, &skin);
        EXPECT_TRUE(SameRegion(RegionOf(skin).get(), ReferenceRegionOf(*picture, white).get()));
    };
    skin.Assign(picture.get());
    EXPECT_EQ(changes, 1);
}

TEST(OvalynSkin, DrawingOnTheCanvasRecomputes) {
    TOvalynSkin skin;
    skin.SetSize(10, 10); // all white: empty region
    EXPECT_TRUE(IsEmptyRegion(RegionOf(skin).get()));
    skin.Canvas().Brush().SetColor(clBlack);
    skin.Canvas().FillRect(Rect(2, 3, 5, 9));
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{2, 3, 5, 9}}).get()));
}

TEST(OvalynSkin, SystemColourIsMatchedByItsCurrentValue) {
    const std::uint32_t face = GetSysColor(COLOR_BTNFACE) & 0xFFFFFF;
    TestMask mask(8, 4, 0x000000);
    mask.FillRect(0, 0, 3, 4, face);
    auto picture = MakeBitmap(mask);
    TOvalynSkin skin;
    skin.SetInvisibleColor(clBtnFace);
    skin.Assign(picture.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{3, 0, 8, 4}}).get()));
}

TEST(OvalynSkin, PositiveColourWithHighByteMatchesNothing) {
    auto picture = MakeBitmap(TestMask(5, 5, white));
    TOvalynSkin skin;
    skin.SetInvisibleColor(0x01FFFFFF);
    skin.Assign(picture.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 5, 5}}).get()));
}

TEST(OvalynSkin, ChangingTheColourAloneKeepsTheRegionUntilRecalculated) {
    TestMask mask(6, 1, white);
    mask.FillRect(0, 0, 2, 1, clBlack);
    auto picture = MakeBitmap(mask);
    TOvalynSkin skin;
    skin.Assign(picture.get());
    skin.SetInvisibleColor(clBlack);
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 2, 1}}).get()));
    skin.calculateRegion();
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{2, 0, 6, 1}}).get()));
}

TEST(OvalynSkin, AssigningASkinCopiesRegionAndColourWithoutAScan) {
    TestMask mask(6, 1, white);
    mask.FillRect(0, 0, 2, 1, clBlack);
    auto picture = MakeBitmap(mask);
    TOvalynSkin source;
    source.Assign(picture.get());
    // The source's region still belongs to white; a scan with black would differ.
    source.SetInvisibleColor(clBlack);

    TOvalynSkin target;
    int changes = 0;
    target.OnChange = [&](TObject*) { ++changes; };
    {
        RegionFaults counter;
        target.Assign(&source);
        // getRegion's copy and the receiving copy: no rectangle per run.
        EXPECT_EQ(counter.Calls(RegionCall::CreateRectRgn), 2);
    }
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(target.InvisibleColor(), clBlack);
    EXPECT_EQ(target.Width(), 6);
    EXPECT_TRUE(SameRegion(RegionOf(target).get(), RegionOfRects({{0, 0, 2, 1}}).get()));

    // The next change of the receiver's picture recomputes, with black.
    target.SetWidth(7);
    EXPECT_TRUE(SameRegion(RegionOf(target).get(), RegionOfRects({{2, 0, 7, 1}}).get()));
}

TEST(OvalynSkin, AssigningAPlainBitmapUsesTheSkinsOwnColour) {
    TestMask mask(4, 2, 0x00FF00);
    mask.FillRect(0, 0, 4, 1, white);
    auto picture = MakeBitmap(mask);
    TOvalynSkin skin;
    skin.SetInvisibleColor(0x00FF00);
    skin.Assign(picture.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 4, 1}}).get()));
}

TEST(OvalynSkin, WidthAndHeightEachRecompute) {
    auto picture = MakeBitmap(TestMask(4, 4, clBlack));
    TOvalynSkin skin;
    skin.SetInvisibleColor(clBlack);
    skin.Assign(picture.get());
    EXPECT_TRUE(IsEmptyRegion(RegionOf(skin).get()));
    skin.SetWidth(6); // new pixels are white, so visible
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{4, 0, 6, 4}}).get()));
    skin.SetHeight(5);
    EXPECT_TRUE(
        SameRegion(RegionOf(skin).get(), RegionOfRects({{4, 0, 6, 4}, {0, 4, 6, 5}}).get()));
}

TEST(OvalynSkin, EmptyingKeepsTheLastRegion) {
    auto picture = MakeBitmap(TestMask(3, 2, clBlack));
    TOvalynSkin skin;
    skin.Assign(picture.get());
    skin.Assign(nullptr);
    EXPECT_EQ(skin.Width(), 0);
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 3, 2}}).get()));
    // The next non-empty picture replaces it.
    auto other = MakeBitmap(TestMask(1, 1, clBlack));
    skin.Assign(other.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 1, 1}}).get()));
}

TEST(OvalynSkin, EachRegionHandedOutIsAnIndependentCopy) {
    auto picture = MakeBitmap(TestMask(3, 2, clBlack));
    TOvalynSkin skin;
    skin.Assign(picture.get());
    SkinRegion first = RegionOf(skin);
    SkinRegion second = RegionOf(skin);
    EXPECT_NE(first.get(), second.get());
    first.reset();
    SkinRegion third = RegionOf(skin);
    EXPECT_TRUE(SameRegion(second.get(), RegionOfRects({{0, 0, 3, 2}}).get()));
    EXPECT_TRUE(SameRegion(third.get(), RegionOfRects({{0, 0, 3, 2}}).get()));
}

TEST(OvalynSkin, SelfAssignmentKeepsRecomputingLaterChanges) {
    auto picture = MakeBitmap(TestMask(3, 1, clBlack));
    TOvalynSkin skin;
    skin.Assign(picture.get());
    skin.Assign(&skin);
    skin.SetWidth(5); // the new pixels are white and cut out
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 3, 1}}).get()));
}

// A one-colour picture needs no union, so the first CombineRgn and the first
// DeleteObject of a calculation are those around the kept region.
TEST(OvalynSkinFailures, CalculationMessages) {
    auto plain = MakeBitmap(TestMask(4, 4, clBlack));
    auto noise = MakeBitmap(NoiseMask(10, 10, 50, white, 0, 2));
    TOvalynSkin skin;
    skin.Assign(plain.get());
    {
        RegionFaults faults(RegionCall::DeleteObject, 1); // the old kept region
        ExpectMessage([&] { skin.calculateRegion(); },
                      "TOvalynSkin.calculateRegion: DeleteObject failed.");
    }
    {
        RegionFaults faults(RegionCall::CombineRgn, 1); // copying into the kept region
        ExpectMessage([&] { skin.calculateRegion(); },
                      "TOvalynSkin.calculateRegion: CombineRgn failed.");
    }
    {
        RegionFaults faults(RegionCall::CombineRgn, 3); // within the scan
        ExpectMessage([&] { skin.Assign(noise.get()); },
                      "TOvalynSkin.calculateRegion: CombineRgn failed.");
    }
    // After failures the skin still works.
    skin.Assign(plain.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 4, 4}}).get()));
}

TEST(OvalynSkinFailures, FailedCalculationDoesNotFireOnChange) {
    auto plain = MakeBitmap(TestMask(4, 4, clBlack));
    TOvalynSkin skin;
    int changes = 0;
    skin.OnChange = [&](TObject*) { ++changes; };
    RegionFaults faults(RegionCall::CombineRgn, 1);
    EXPECT_THROW(skin.Assign(plain.get()), OvalynShapeException);
    EXPECT_EQ(changes, 0);
}

TEST(OvalynSkinFailures, GetRegionAndAssignMessages) {
    auto plain = MakeBitmap(TestMask(4, 4, clBlack));
    TOvalynSkin source;
    source.Assign(plain.get());
    TOvalynSkin target;
    target.Assign(plain.get());
    {
        RegionFaults faults(RegionCall::CombineRgn, 1);
        ExpectMessage([&] { source.getRegion(); }, "TOvalynSkin.getRegion: CombineRgn failed.");
    }
    {
        RegionFaults faults(RegionCall::CombineRgn, 1); // the source's getRegion
        ExpectMessage([&] { target.Assign(&source); }, "TOvalynSkin.getRegion: CombineRgn failed.");
    }
    {
        RegionFaults faults(RegionCall::CombineRgn, 2);
        ExpectMessage([&] { target.Assign(&source); }, "TOvalynSkin.assign: CombineRgn failed.");
    }
    for (int failing : {1, 2}) { // the obtained region, then the old kept one
        RegionFaults faults(RegionCall::DeleteObject, failing);
        ExpectMessage([&] { target.Assign(&source); }, "TOvalynSkin.assign: DeleteObject failed.");
    }
    // A failed skin assignment does not swallow the next recomputation.
    auto other = MakeBitmap(TestMask(2, 2, clBlack));
    target.Assign(other.get());
    EXPECT_TRUE(SameRegion(RegionOf(target).get(), RegionOfRects({{0, 0, 2, 2}}).get()));
}

// A release the system refuses leaves the old region alive: the skin keeps it
// instead of handing out empty regions (an invisible control) from then on.
TEST(OvalynSkinFailures, RefusedReleaseKeepsTheOldRegion) {
    TestMask mask(4, 2, clBlack);
    mask.FillRect(0, 0, 2, 1, white);
    auto cutOut = MakeBitmap(mask);
    auto plain = MakeBitmap(TestMask(3, 3, clBlack));
    const SkinRegion expected = RegionOfRects({{2, 0, 4, 1}, {0, 1, 4, 2}});

    TOvalynSkin skin;
    skin.Assign(cutOut.get());
    {
        RegionFaults faults(RegionCall::DeleteObject, 1); // the old kept region
        ExpectMessage([&] { skin.Assign(plain.get()); },
                      "TOvalynSkin.calculateRegion: DeleteObject failed.");
    }
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), expected.get()));

    TOvalynSkin other;
    other.Assign(plain.get());
    {
        RegionFaults faults(RegionCall::DeleteObject, 2); // the old kept region
        ExpectMessage([&] { skin.Assign(&other); }, "TOvalynSkin.assign: DeleteObject failed.");
    }
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), expected.get()));

    // The kept region is released once the system agrees.
    RegionFaults counter;
    skin.Assign(plain.get());
    EXPECT_TRUE(SameRegion(RegionOf(skin).get(), RegionOfRects({{0, 0, 3, 3}}).get()));
}

TEST(OvalynSkinFailures, FailedReleaseAtDestructionReachesTheErrorBox) {
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    auto plain = MakeBitmap(TestMask(4, 4, clBlack));
    auto skin = std::make_unique<TOvalynSkin>();
    skin->Assign(plain.get());
    {
        RegionFaults faults(RegionCall::DeleteObject, 1);
        skin.reset();
        EXPECT_TRUE(faults.Fired());
    }
    auto boxes = platform.CallsOf("MessageBoxA");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Args[1], "TOvalynSkin.destroy: DeleteObject failed.");
}
