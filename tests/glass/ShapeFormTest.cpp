#include "GlassTestSupport.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/graphics/Canvas.h"
#include "framework/system/Paths.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynSkin.h"
#include "skin/RegionCalls.h"
#include "skin/ShapeFormUnit.h"

namespace {

constexpr uint32_t kWhite = 0xFFFFFF;
constexpr uint32_t kBlack = 0x000000;

// An oval of colour on white, with a black block in the oval: what is cut depends on
// the invisible colour.
uint32_t OvalSkin(int x, int y, int width, int height) {
    const double dx = (x + 0.5 - width / 2.0) / (width / 2.0);
    const double dy = (y + 0.5 - height / 2.0) / (height / 2.0);
    if (dx * dx + dy * dy > 1.0)
        return kWhite;
    if (x >= width / 2 && x < width / 2 + 20 && y >= height / 2 && y < height / 2 + 10)
        return kBlack;
    return 0x200000 | (x % 200) << 8 | (y % 250); // never white or black
}

std::unique_ptr<TBitmap> Oval(int width, int height) {
    return MakePicture(width, height, [=](int x, int y) { return OvalSkin(x, y, width, height); });
}

// A form made the way the application makes its forms.
template <class Form> std::unique_ptr<Form> MakeForm() {
    auto form = std::make_unique<Form>(nullptr);
    form->AfterConstruction();
    return form;
}

// A derived form whose stored layout gives it a place and a size.
struct LayoutForm : TOvalynShapeForm {
    explicit LayoutForm(TComponent* owner) : TOvalynShapeForm(owner) {
        SetBounds(30, 40, 250, 150);
    }
};

// Makes SetWindowRgn fail for the scope.
class FailingSetWindowRgn {
public:
    FailingSetWindowRgn() { RegionCalls().SetWindowRgn = &Fail; }
    ~FailingSetWindowRgn() { RegionCalls() = SystemRegionCalls(); }

private:
    static int WINAPI Fail(HWND, HRGN, BOOL) { return 0; }
};

std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(no error)";
}

TEST(ShapeForm, NewFormHasAWindowWithoutRegionOrBorderAndKeepsItsLayoutSize) {
    auto form = MakeForm<LayoutForm>();
    ASSERT_TRUE(form->HandleAllocated()); // the constructor's shapeIt made the window
    EXPECT_EQ(WindowRegion(form->Handle()), nullptr);
    EXPECT_EQ(form->BorderStyle(), bsNone);
    EXPECT_EQ(GetWindowLongA(form->Handle(), GWL_STYLE) & WS_CAPTION, 0);
    EXPECT_EQ(form->Width(), 250);
    EXPECT_EQ(form->Height(), 150);
    EXPECT_EQ(form->InvisibleColor, clWhite);
    EXPECT_TRUE(form->DragByMouse);
    EXPECT_TRUE(form->Skin()->Empty());
}

// Derived forms whose own layout, built after the shaped form's constructor, assigns
// a skin and sets a border: one in each order.
struct SkinThenBorderForm : TOvalynShapeForm {
    explicit SkinThenBorderForm(TComponent* owner) : TOvalynShapeForm(owner) {
        Skin()->Assign(Oval(180, 120).get());
        SetBorderStyle(bsSingle); // re-creates the window while the layout is read
    }
};
struct BorderThenSkinForm : TOvalynShapeForm {
    explicit BorderThenSkinForm(TComponent* owner) : TOvalynShapeForm(owner) {
        SetBorderStyle(bsSizeable);
        SetClientWidth(400);
        Skin()->Assign(Oval(180, 120).get());
    }
};

template <class Form> void ExpectBorderlessWithTheSkinsOutline() {
    auto form = MakeForm<Form>();
    form->Show();
    PumpFor(50);
    EXPECT_EQ(form->BorderStyle(), bsNone);
    const LONG style = GetWindowLongA(form->Handle(), GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0) << "no caption bar";
    EXPECT_EQ(style & WS_THICKFRAME, 0) << "no sizing frame";
    EXPECT_EQ(form->Width(), 180);
    EXPECT_EQ(form->Height(), 120);
    EXPECT_EQ(form->ClientWidth(), 180);
    HRGN actual = WindowRegion(form->Handle());
    ASSERT_NE(actual, nullptr) << "the window lost its region";
    RegionHandle skinRegion = form->Skin()->getRegion();
    EXPECT_TRUE(SameRegion(actual, skinRegion.get()));
    EXPECT_FALSE(PtInRegion(actual, 2, 2)); // a white corner is cut out
    DeleteObject(actual);
}

TEST(ShapeForm, DerivedLayoutWithBorderAndSkinEndsBorderlessWithTheSkinsOutline) {
    {
        SCOPED_TRACE("skin, then border");
        ExpectBorderlessWithTheSkinsOutline<SkinThenBorderForm>();
    }
    {
        SCOPED_TRACE("border, then skin");
        ExpectBorderlessWithTheSkinsOutline<BorderThenSkinForm>();
    }
}

TEST(ShapeForm, LoadingASkinSizesTheFormCutsWhiteAndShowsThePictureAtOnce) {
    auto form = MakeForm<LayoutForm>();
    form->Show();
    PumpFor(100);
    auto picture = Oval(300, 200);
    const std::string file = ExecutableFolder() + "glass_oval_skin.bmp";
    picture->SaveToFile(file);
    form->Skin()->LoadFromFile(file);
    DeleteFileA(file.c_str());

    // No message is handled in between: the face is painted by shapeIt itself.
    WindowPixels shown(form->Handle(), 0, 0, 300, 200);
    EXPECT_EQ(form->Width(), 300);
    EXPECT_EQ(form->Height(), 200);
    HRGN actual = WindowRegion(form->Handle());
    HRGN expected = RegionWithout(*picture, kWhite);
    EXPECT_TRUE(SameRegion(actual, expected));
    RegionHandle skinRegion = form->Skin()->getRegion();
    EXPECT_TRUE(SameRegion(actual, skinRegion.get()));
    EXPECT_FALSE(PtInRegion(actual, 2, 2));    // white corner
    EXPECT_TRUE(PtInRegion(actual, 160, 105)); // black block stays
    DeleteObject(actual);
    DeleteObject(expected);
    for (auto [x, y] : {std::pair{150, 100}, std::pair{100, 60}, std::pair{160, 105}})
        EXPECT_EQ(shown.At(x, y), PixelOf(*picture, x, y)) << x << "," << y;
}

TEST(ShapeForm, BlackInvisibleColorSetBeforeLoadingCutsBlackNotWhite) {
    auto form = MakeForm<TOvalynShapeForm>();
    form->InvisibleColor = clBlack;
    auto picture = Oval(120, 80);
    form->Skin()->Assign(picture.get());
    HRGN actual = WindowRegion(form->Handle());
    HRGN expected = RegionWithout(*picture, kBlack);
    EXPECT_TRUE(SameRegion(actual, expected));
    EXPECT_TRUE(PtInRegion(actual, 1, 1));    // white stays
    EXPECT_FALSE(PtInRegion(actual, 62, 42)); // black is cut
    EXPECT_EQ(form->Skin()->InvisibleColor(), clBlack);
    DeleteObject(actual);
    DeleteObject(expected);
}

TEST(ShapeForm, ChangingInvisibleColorAloneWaitsForTheNextSkinChange) {
    auto form = MakeForm<TOvalynShapeForm>();
    auto picture = Oval(120, 80);
    form->Skin()->Assign(picture.get());
    form->InvisibleColor = clBlack;
    HRGN before = WindowRegion(form->Handle());
    EXPECT_FALSE(PtInRegion(before, 1, 1)); // still cut by white
    form->Skin()->Canvas().Pixels(0, 0);    // reading changes nothing
    form->Skin()->Assign(picture.get());    // a change: now black is cut
    HRGN after = WindowRegion(form->Handle());
    EXPECT_TRUE(PtInRegion(after, 1, 1));
    EXPECT_FALSE(PtInRegion(after, 62, 42));
    DeleteObject(before);
    DeleteObject(after);
}

TEST(ShapeForm, EmptyingTheSkinGivesTheFullRectangleBackAndKeepsTheSize) {
    auto form = MakeForm<TOvalynShapeForm>();
    auto picture = Oval(140, 90);
    form->Skin()->Assign(picture.get());
    ASSERT_NE(WindowRegion(form->Handle()), nullptr);
    form->Skin()->Assign(nullptr);
    EXPECT_EQ(WindowRegion(form->Handle()), nullptr);
    EXPECT_EQ(form->Width(), 140);
    EXPECT_EQ(form->Height(), 90);
}

TEST(ShapeForm, WhatOnPaintDrawsIsCoveredByTheSkin) {
    auto form = MakeForm<TOvalynShapeForm>();
    int paints = 0;
    form->OnPaint = [&](TObject*) {
        ++paints;
        form->Canvas()->Brush().SetColor(clRed);
        form->Canvas()->FillRect(Rect(0, 0, form->Width(), form->Height()));
    };
    auto picture = MakePicture(60, 40, [](int x, int y) { return 0x102030u + x + (y << 8); });
    form->Skin()->Assign(picture.get());
    form->SetBounds(120, 90, form->Width(), form->Height());
    form->Show();
    InvalidateRect(form->Handle(), nullptr, FALSE);
    PumpFor(150);
    EXPECT_GT(paints, 0);
    WindowPixels shown(form->Handle(), 0, 0, 60, 40);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{30, 20}, std::pair{59, 39}})
        EXPECT_EQ(shown.At(x, y), PixelOf(*picture, x, y)) << x << "," << y;
}

TEST(ShapeForm, EraseBackgroundIsAnsweredWithoutErasing) {
    auto form = MakeForm<TOvalynShapeForm>();
    auto picture = MakePicture(50, 30, [](int x, int y) { return 0x405060u; });
    form->Skin()->Assign(picture.get());
    form->Show();
    PumpFor(100);
    HDC dc = GetDC(form->Handle());
    EXPECT_EQ(SendMessageA(form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), 0);
    ReleaseDC(form->Handle(), dc);
    EXPECT_EQ(WindowPixels(form->Handle(), 0, 0, 50, 30).At(25, 15), 0x405060u);
}

TEST(ShapeForm, RegionFailuresNameTheOperation) {
    auto form = MakeForm<TOvalynShapeForm>();
    auto picture = Oval(80, 60);
    {
        FailingSetWindowRgn failing;
        EXPECT_EQ(MessageOf([&] { form->Skin()->Assign(picture.get()); }),
                  "TOvalynShapeForm.shapeIt: SetWindowRgn failed.");
        EXPECT_EQ(form->Width(), 80); // the size was already taken
        EXPECT_EQ(MessageOf([&] { form->Skin()->Assign(nullptr); }),
                  "TOvalynShapeForm.shapeIt: SetWindowRgn failed.");
    }
    form->Skin()->Assign(picture.get());
    FailingSetWindowRgn failing;
    EXPECT_EQ(MessageOf([&] { form->RecreateWnd(); }),
              "TOvalynShapeForm.CreateWnd: SetWindowRgn failed.");
}

TEST(ShapeForm, ARecreatedWindowKeepsTheOutline) {
    auto form = MakeForm<TOvalynShapeForm>();
    auto picture = Oval(90, 70);
    form->Skin()->Assign(picture.get());
    HWND first = form->Handle();
    form->RecreateWnd();
    ASSERT_NE(form->Handle(), first);
    HRGN actual = WindowRegion(form->Handle());
    HRGN expected = RegionWithout(*picture, kWhite);
    EXPECT_TRUE(SameRegion(actual, expected));
    DeleteObject(actual);
    DeleteObject(expected);
}

// ---- dragging with the real pointer ----------------------------------------------------

class ShapeFormDrag : public ::testing::Test {
protected:
    void SetUp() override {
        form_ = MakeForm<TOvalynShapeForm>();
        auto picture = MakePicture(120, 80, [](int x, int y) { return 0x3366AAu; });
        form_->Skin()->Assign(picture.get());
        form_->SetBounds(200, 150, form_->Width(), form_->Height());
        form_->OnMouseDown = [this](TObject*, TMouseButton button, TShiftState, int, int) {
            presses_.push_back(button);
        };
        form_->Show();
        SetForegroundWindow(form_->Handle());
        PumpFor(100);
        MovePointer(260, 190);
    }
    void TearDown() override {
        PressButton(MOUSEEVENTF_LEFTUP);
        PressButton(MOUSEEVENTF_RIGHTUP);
    }
    RECT Place() const {
        RECT r{};
        GetWindowRect(form_->Handle(), &r);
        return r;
    }

    std::unique_ptr<TOvalynShapeForm> form_;
    std::vector<TMouseButton> presses_;
};

TEST_F(ShapeFormDrag, ALeftPressDragsTheWindowWithThePointer) {
    DragLeftTo(300, 230);
    // Moved by what the pointer moved: (260, 190) to (300, 230).
    const RECT r = Place();
    EXPECT_EQ(r.left, 240);
    EXPECT_EQ(r.top, 190);
    EXPECT_EQ(form_->Left(), 240);
    EXPECT_EQ(presses_, std::vector<TMouseButton>{mbLeft});
}

TEST_F(ShapeFormDrag, ARightPressIsReportedButDoesNotDrag) {
    PressButton(MOUSEEVENTF_RIGHTDOWN);
    MovePointer(300, 230);
    PressButton(MOUSEEVENTF_RIGHTUP);
    EXPECT_EQ(Place().left, 200);
    EXPECT_EQ(Place().top, 150);
    EXPECT_EQ(presses_, std::vector<TMouseButton>{mbRight});
}

TEST_F(ShapeFormDrag, WithoutDragByMouseNoPressDrags) {
    form_->DragByMouse = false;
    DragLeftTo(300, 230);
    EXPECT_EQ(Place().left, 200);
    EXPECT_EQ(Place().top, 150);
    EXPECT_EQ(presses_, std::vector<TMouseButton>{mbLeft});
}

TEST_F(ShapeFormDrag, APressOnAControlBelongsToTheControl) {
    auto* button = new TOvalynShapeButton(form_.get());
    button->SetParent(form_.get());
    button->SetBounds(40, 20, 40, 30);
    std::vector<TMouseButton> buttonPresses;
    button->OnMouseDown = [&](TObject*, TMouseButton pressed, TShiftState, int, int) {
        buttonPresses.push_back(pressed);
    };
    button->Show();
    PumpFor(100);
    MovePointer(200 + 55, 150 + 30);
    DragLeftTo(300, 230);
    EXPECT_EQ(Place().left, 200);
    EXPECT_EQ(Place().top, 150);
    EXPECT_EQ(buttonPresses, std::vector<TMouseButton>{mbLeft});
    EXPECT_TRUE(presses_.empty());
}

} // namespace
