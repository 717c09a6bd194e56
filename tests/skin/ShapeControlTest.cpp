#include <gtest/gtest.h>

#include "RegionFaults.h"
#include "TestPictures.h"
#include "WindowFixture.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Color.h"
#include "framework/runtime/Exceptions.h"
#include "skin/OvalynShapeControl.h"

namespace {

constexpr std::uint32_t white = 0xFFFFFF;
constexpr std::uint32_t green = 0x00FF00;

// The window's region; an empty owner when the window has none.
SkinRegion WindowRegion(TWinControl& control) {
    SkinRegion region(CreateRectRgn(0, 0, 0, 0));
    if (GetWindowRgn(control.Handle(), region.get()) == ERROR)
        return SkinRegion();
    return region;
}

// Green with white cut-outs of several shapes.
TestMask ShapedMask() {
    TestMask mask(48, 30, green);
    mask.FillRect(0, 0, 10, 30, white);
    mask.FillRect(20, 5, 30, 12, white);
    mask.Set(47, 29, white);
    return mask;
}

bool RepaintPending(TWinControl& control) {
    return GetUpdateRect(control.Handle(), nullptr, FALSE) != FALSE;
}

} // namespace

class ShapeControlTest : public WindowTest {
protected:
    TOvalynShapeControl* NewControl() {
        auto* control = new TOvalynShapeControl(&Form());
        control->SetParent(&Form());
        control->SetBounds(20, 20, 48, 30);
        return control;
    }
};

TEST_F(ShapeControlTest, NewControlHasNoRegion) {
    TOvalynShapeControl* control = NewControl();
    EXPECT_FALSE(WindowRegion(*control));
    EXPECT_EQ(control->Alignment(), taCenter);
    EXPECT_EQ(control->Layout(), tlCenter);
    EXPECT_EQ(control->InvisibleColor(), clWhite);
    EXPECT_EQ(control->Mask()->PixelFormat(), pfDevice);
}

TEST_F(ShapeControlTest, RegionFollowsTheMaskAtOnce) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, white).get()));
    // The control keeps its own copy: changing the argument changes nothing.
    mask->SetWidth(5);
    EXPECT_EQ(control->Mask()->Width(), 48);
}

TEST_F(ShapeControlTest, RegionFollowsTheInvisibleColour) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    control->SetInvisibleColor(static_cast<TColor>(green));
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, green).get()));
}

TEST_F(ShapeControlTest, DrawingOnTheMaskReshapes) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(TestMask(48, 30, green));
    control->SetMask(mask.get());
    control->Mask()->Canvas().Brush().SetColor(clWhite);
    control->Mask()->Canvas().FillRect(Rect(0, 0, 48, 10));
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), RegionOfRects({{0, 10, 48, 30}}).get()));
}

TEST_F(ShapeControlTest, RegionIsCutOutOnScreen) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetColor(static_cast<TColor>(0x0000C0));
    control->SetMask(mask.get());
    TestMask shown = Capture(*control);
    EXPECT_EQ(shown.Get(2, 2), formColor);   // cut out: the form shows through
    EXPECT_EQ(shown.Get(25, 8), formColor);  // the hole
    EXPECT_EQ(shown.Get(15, 15), 0x0000C0u); // inside: the control's own background
}

TEST_F(ShapeControlTest, RegionSurvivesRecreationWithoutRecomputing) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(NoiseMask(48, 30, 50, white, green, 4));
    control->SetMask(mask.get());
    const HWND before = control->Handle();
    RegionFaults counter;
    control->RecreateWnd();
    EXPECT_NE(control->Handle(), before);
    EXPECT_EQ(counter.Calls(RegionCall::SetWindowRgn), 1);
    EXPECT_EQ(counter.Calls(RegionCall::CreateRectRgn), 1); // the copy, no scan
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, white).get()));
}

TEST_F(ShapeControlTest, EmptyMaskRemovesTheRegion) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    control->SetMask(nullptr);
    EXPECT_FALSE(WindowRegion(*control));
    control->SetMask(mask.get());
    control->Mask()->SetHeight(0);
    EXPECT_FALSE(WindowRegion(*control));
}

TEST_F(ShapeControlTest, EmptiedMaskStaysRectangularAfterRecreation) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    control->SetMask(nullptr);
    control->RecreateWnd();
    EXPECT_FALSE(WindowRegion(*control)); // not the outline of the former mask
    control->SetMask(mask.get());
    control->RecreateWnd();
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, white).get()));
}

TEST_F(ShapeControlTest, InvisibleColourWritesOnlyNewValues) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    {
        RegionFaults counter;
        control->SetInvisibleColor(clWhite);
        EXPECT_EQ(counter.Calls(RegionCall::SetWindowRgn), 0);
    }
    // A new value with an empty mask removes the region, without error.
    control->SetMask(nullptr);
    RegionFaults counter;
    control->SetInvisibleColor(clBlack);
    EXPECT_EQ(counter.Calls(RegionCall::SetWindowRgn), 1);
    EXPECT_FALSE(WindowRegion(*control));
}

TEST_F(ShapeControlTest, SamePictureTwiceIsAppliedTwice) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    RegionFaults counter;
    control->SetMask(mask.get());
    control->SetMask(mask.get());
    EXPECT_EQ(counter.Calls(RegionCall::SetWindowRgn), 2);
}

TEST_F(ShapeControlTest, CaptionSettersRepaintEvenForEqualValues) {
    TOvalynShapeControl* control = NewControl();
    Pump();
    const std::function<void()> setters[] = {
        [&] { control->SetAlignment(control->Alignment()); },
        [&] { control->SetLayout(control->Layout()); },
        [&] { control->SetMargin(control->Margin()); },
        [&] { control->SetWordWrap(control->WordWrap()); },
        [&] { control->SetDisabledFont(control->DisabledFont()); },
    };
    for (const auto& set : setters) {
        ValidateRect(control->Handle(), nullptr);
        set();
        EXPECT_TRUE(RepaintPending(*control));
    }
    ValidateRect(control->Handle(), nullptr);
    auto picture = MakeBitmap(ShapedMask());
    control->SetDisabledBmp(picture.get());
    EXPECT_FALSE(RepaintPending(*control));
    EXPECT_EQ(control->DisabledBmp()->Width(), 48);
}

TEST_F(ShapeControlTest, ShapeFailureMessages) {
    TOvalynShapeControl* control = NewControl();
    auto mask = MakeBitmap(ShapedMask());
    {
        RegionFaults faults(RegionCall::SetWindowRgn, 1);
        try {
            control->SetMask(mask.get());
            FAIL() << "no exception";
        } catch (const OvalynShapeException& error) {
            EXPECT_EQ(error.Message(), "TOvalynShapeControl.shapeIt: SetWindowRgn failed.");
        }
    }
    EXPECT_FALSE(WindowRegion(*control)); // the window keeps what it had
    {
        RegionFaults faults(RegionCall::SetWindowRgn, 1); // removing the region
        try {
            control->SetMask(nullptr);
            FAIL() << "no exception";
        } catch (const OvalynShapeException& error) {
            EXPECT_EQ(error.Message(), "TOvalynShapeControl.shapeIt: SetWindowRgn failed.");
        }
    }
    control->SetMask(mask.get());
    {
        RegionFaults faults(RegionCall::SetWindowRgn, 1);
        try {
            control->RecreateWnd();
            FAIL() << "no exception";
        } catch (const OvalynShapeException& error) {
            EXPECT_EQ(error.Message(), "TOvalynShapeControl.CreateWnd: SetWindowRgn failed.");
        }
    }
    // Skin failures come through unchanged.
    RegionFaults faults(RegionCall::CombineRgn, 1);
    EXPECT_THROW(control->SetMask(mask.get()), OvalynShapeException);
}

TEST_F(ShapeControlTest, MaskWithoutParentRaisesTheMissingParentError) {
    auto* control = new TOvalynShapeControl(&Form());
    control->SetName("Loose");
    auto mask = MakeBitmap(ShapedMask());
    try {
        control->SetMask(mask.get());
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_NE(error.Message().find("'Loose'"), std::string::npos) << error.Message();
    }
}

TEST(ShapeControlLoading, WindowMadeWhileReadingGetsNoRegionFromTheSkin) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* control = new TOvalynShapeControl(form.get());
    ASSERT_TRUE(control->ComponentState().Contains(csReading));
    control->SetParent(form.get());
    control->SetBounds(0, 0, 48, 30);
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get()); // the streamed mask shapes the window itself
    ASSERT_TRUE(WindowRegion(*control));
    control->RecreateWnd();
    EXPECT_FALSE(WindowRegion(*control));
    form->AfterConstruction();
    control->RecreateWnd();
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, white).get()));
}

TEST_F(ShapeControlTest, InvisibleColourMakesTheWindowOutsideReading) {
    auto* control = new TOvalynShapeControl(&Form());
    control->SetVisible(false); // so that parenting makes no window
    control->SetParent(&Form());
    ASSERT_FALSE(control->HandleAllocated());
    control->SetInvisibleColor(static_cast<TColor>(green));
    EXPECT_TRUE(control->HandleAllocated());
    EXPECT_FALSE(WindowRegion(*control));

    auto* loose = new TOvalynShapeControl(&Form());
    loose->SetName("Loose");
    try {
        loose->SetInvisibleColor(static_cast<TColor>(green));
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_NE(error.Message().find("'Loose'"), std::string::npos) << error.Message();
    }
}

TEST(ShapeControlLoading, ColourReadBeforeTheMaskIsKeptWithoutAWindowAndShapesTheMask) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* control = new TOvalynShapeControl(form.get());
    ASSERT_TRUE(control->ComponentState().Contains(csReading));
    control->SetParent(form.get());
    control->SetBounds(0, 0, 48, 30);
    control->SetInvisibleColor(static_cast<TColor>(green));
    EXPECT_FALSE(control->HandleAllocated());
    EXPECT_FALSE(form->HandleAllocated());
    EXPECT_EQ(control->InvisibleColor(), static_cast<TColor>(green));

    // Read without a parent yet: no window is asked for, so no error.
    auto* unparented = new TOvalynShapeControl(form.get());
    EXPECT_NO_THROW(unparented->SetInvisibleColor(clBlack));
    EXPECT_FALSE(unparented->HandleAllocated());
    EXPECT_EQ(unparented->InvisibleColor(), clBlack);

    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, green).get()));
}

TEST(ShapeControlLoading, ColourReadOnceThereIsAMaskOrAWindowReshapesAtOnce) {
    auto form = std::make_unique<TForm>(nullptr);
    auto* control = new TOvalynShapeControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(0, 0, 48, 30);
    auto mask = MakeBitmap(ShapedMask());
    control->SetMask(mask.get());
    control->SetInvisibleColor(static_cast<TColor>(green));
    EXPECT_TRUE(SameRegion(WindowRegion(*control).get(), ReferenceRegionOf(*mask, green).get()));

    auto* windowed = new TOvalynShapeControl(form.get());
    windowed->SetParent(form.get());
    windowed->HandleNeeded();
    RegionFaults counter;
    windowed->SetInvisibleColor(clBlack);
    EXPECT_EQ(counter.Calls(RegionCall::SetWindowRgn), 1);
}
