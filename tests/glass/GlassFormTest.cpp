#include "GlassTestSupport.h"

#include <gtest/gtest.h>

#include <memory>

#include "framework/graphics/Canvas.h"
#include "framework/system/RecordingPlatform.h"
#include "framework/ui/Application.h"
#include "skin/GlassHue.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeGlassForm.h"
#include "skin/OvalynSkin.h"

namespace {

template <class Form> std::unique_ptr<Form> MakeForm() {
    auto form = std::make_unique<Form>(nullptr);
    form->AfterConstruction();
    return form;
}

uint32_t Rgb(const RGBTRIPLE& p) {
    return p.rgbtBlue | uint32_t(p.rgbtGreen) << 8 | uint32_t(p.rgbtRed) << 16;
}

uint32_t PixelOfSpeed(const TSpeedBitmap& bitmap, int x, int y) {
    RGBTRIPLE p;
    bitmap.ReadPixel(x, y, p);
    return Rgb(p);
}

// The glass blend of one picture pixel over one screen pixel, through the form's tables.
uint32_t Blend(const TOvalynShapeGlassForm& form, uint32_t screen, uint32_t picture) {
    const uint32_t blue = form.BlueTable[screen & 0xFF][picture & 0xFF];
    const uint32_t green = form.GreenTable[(screen >> 8) & 0xFF][(picture >> 8) & 0xFF];
    const uint32_t red = form.RedTable[screen >> 16][picture >> 16];
    return blue | green << 8 | red << 16;
}

// A screen picture with a different colour at every place.
void FillScreenPicture(TSpeedBitmap& background, int width, int height) {
    background.SetSize(width, height);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            background.WritePixel(x, y, RGBTRIPLE{uint8_t(x * 7), uint8_t(y * 3), uint8_t(x + y)});
}

std::unique_ptr<TBitmap> Face(int width, int height) {
    return MakePicture(width, height,
                       [](int x, int y) { return 0x8000C0u + uint32_t(x * 5) + (y * 9 << 8); });
}

// ---- layered mode ------------------------------------------------------------------

TEST(GlassLayered, DefaultsMakeTheWindowLayeredWithAlpha191) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    ASSERT_TRUE(form->LayeredAvailable());
    EXPECT_NE(form->LayeredProc(), nullptr);
    EXPECT_EQ(form->User32Handle(), GetModuleHandleA("user32.dll"));
    EXPECT_NE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    COLORREF key = 1;
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 191);
    EXPECT_EQ(flags & LWA_ALPHA, static_cast<DWORD>(LWA_ALPHA));
    EXPECT_EQ(form->Background(), nullptr);
    EXPECT_EQ(form->WindowLeft, 0);
    EXPECT_EQ(form->WindowTop, 0);
}

TEST(GlassLayered, PicturesAreDrawnUnchanged) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    for (int p = 0; p < 256; ++p)
        ASSERT_EQ(form->RedTable[255][p], p);
    auto face = Face(30, 20);
    TSpeedBitmap* glass = form->ComposeControl(10, 20, *face);
    ASSERT_EQ(glass, form->GlassPicture());
    ASSERT_EQ(glass->Width(), 30);
    ASSERT_EQ(glass->Height(), 20);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{29, 19}, std::pair{13, 7}})
        EXPECT_EQ(PixelOfSpeed(*glass, x, y), PixelOf(*face, x, y));
}

TEST(GlassLayered, HueShift100TurnsPureRedInto83_255_1) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    form->HueShift = 100;
    auto red = MakePicture(2, 2, [](int, int) { return 0xFF0000u; });
    TSpeedBitmap* glass = form->ComposeControl(0, 0, *red);
    EXPECT_EQ(PixelOfSpeed(*glass, 1, 1), 0x53FF01u); // red 83, green 255, blue 1
}

TEST(GlassLayered, PositionAndActivationMessagesChangeNothing) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    form->SetBounds(100, 50, form->Width(), form->Height());
    SendMessageA(form->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(form->WindowLeft, 0);
    EXPECT_EQ(form->WindowTop, 0);
    EXPECT_EQ(form->Background(), nullptr);
}

TEST(GlassLayered, ARecreatedWindowStaysLayered) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    form->RecreateWnd();
    EXPECT_NE(GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    BYTE alpha = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form->Handle(), nullptr, &alpha, nullptr));
    EXPECT_EQ(alpha, 191);
}

TEST(GlassLayered, User32IsLoadedOnceAndReleasedByTheDestructor) {
    TRecordingPlatform platform;
    ScopedPlatform scope(platform);
    auto form = MakeForm<TOvalynShapeGlassForm>();
    ASSERT_EQ(platform.Count("LoadLibraryA"), 1);
    EXPECT_EQ(platform.CallsOf("LoadLibraryA")[0].Args[0], "user32.dll");
    ASSERT_EQ(platform.Count("GetProcAddress"), 1);
    EXPECT_EQ(platform.CallsOf("GetProcAddress")[0].Args[1], "SetLayeredWindowAttributes");
    const std::string handle = platform.CallsOf("GetProcAddress")[0].Args[0];
    EXPECT_EQ(platform.Count("FreeLibrary"), 0);
    form.reset();
    ASSERT_EQ(platform.Count("FreeLibrary"), 1);
    EXPECT_EQ(platform.CallsOf("FreeLibrary")[0].Args[0], handle);
}

TEST(GlassLayered, TableValuesOutsideAByteAreRangeErrors) {
    auto form = MakeForm<TOvalynShapeGlassForm>();
    form->GreenFactor = 1.5;
    EXPECT_THROW(form->BuildTables(), ERangeError);
    EXPECT_THROW(form->MakeLayered(form->Handle(), 256), ERangeError);
}

// ---- emulation mode ----------------------------------------------------------------

// A glass form in emulation mode: the platform seam hides the layered call.
class GlassEmulated : public ::testing::Test {
protected:
    GlassEmulated() { platform_.HiddenProcs.insert("SetLayeredWindowAttributes"); }
    void SetUp() override { form_ = MakeForm<TOvalynShapeGlassForm>(); }
    void TearDown() override { form_.reset(); }

    TRecordingPlatform platform_;
    ScopedPlatform scope_{platform_};
    std::unique_ptr<TOvalynShapeGlassForm> form_;
};

// A 160 x 100 glass form at 200,120 with a 30 x 20 button at 10,20, shown.
class GlassEmulatedWithButton : public GlassEmulated {
protected:
    void SetUp() override {
        GlassEmulated::SetUp();
        skin = MakePicture(160, 100, [](int x, int y) { return 0x40A0E0u ^ (x * 3 + y); });
        form_->Skin()->Assign(skin.get());
        button = new TOvalynShapeButton(form_.get()); // owned by the form
        button->SetParent(form_.get());
        button->SetLeft(10);
        button->SetTop(20);
        face = Face(30, 20);
        button->SetMask(face.get());
        form_->SetBounds(200, 120, form_->Width(), form_->Height());
        form_->Show();
    }

    std::unique_ptr<TBitmap> skin;
    std::unique_ptr<TBitmap> face;
    TOvalynShapeButton* button = nullptr;
};

TEST_F(GlassEmulated, StartsWithAnEmptyScreenPictureAndQuarterTables) {
    EXPECT_FALSE(form_->LayeredAvailable());
    EXPECT_EQ(GetWindowLongA(form_->Handle(), GWL_EXSTYLE) & WS_EX_LAYERED, 0);
    ASSERT_NE(form_->Background(), nullptr);
    EXPECT_TRUE(form_->Background()->Empty());
    EXPECT_EQ(form_->RedTable[255][0], 63);
    EXPECT_EQ(form_->GreenTable[0][255], 191);
    EXPECT_EQ(form_->BlueTable[255][255], 255);
    EXPECT_EQ(form_->RedTable[100][200], 175);
}

TEST_F(GlassEmulated, AButtonFaceBlendsWithTheScreenPixelUnderIt) {
    form_->SetBounds(100, 50, form_->Width(), form_->Height());
    ASSERT_EQ(form_->WindowLeft, 100);
    ASSERT_EQ(form_->WindowTop, 50);
    FillScreenPicture(*form_->Background(), 400, 300);
    auto face = Face(30, 20);
    TSpeedBitmap* glass = form_->ComposeControl(10, 20, *face);
    const TSpeedBitmap& screen = *form_->Background();
    EXPECT_EQ(PixelOfSpeed(*glass, 0, 0),
              Blend(*form_, PixelOfSpeed(screen, 110, 70), PixelOf(*face, 0, 0)));
    EXPECT_EQ(PixelOfSpeed(*glass, 29, 19),
              Blend(*form_, PixelOfSpeed(screen, 139, 89), PixelOf(*face, 29, 19)));
}

TEST_F(GlassEmulated, AFramedFormAddsItsFrameOffsets) {
    form_->SetBorderStyle(bsSingle);
    form_->SetBounds(100, 50, 200, 150);
    const int bx = (form_->Width() - form_->ClientWidth()) / 2;
    const int by = (form_->Height() - form_->ClientHeight()) - bx;
    ASSERT_GT(by, bx); // the caption bar lies above the client area
    FillScreenPicture(*form_->Background(), 400, 300);
    auto face = Face(4, 4);
    TSpeedBitmap* glass = form_->ComposeControl(10, 20, *face);
    EXPECT_EQ(
        PixelOfSpeed(*glass, 0, 0),
        Blend(*form_, PixelOfSpeed(*form_->Background(), 110 + bx, 70 + by), PixelOf(*face, 0, 0)));
}

TEST_F(GlassEmulated, AFaceReachingPastTheScreenPictureIsWrittenUpToItsEdge) {
    form_->SetBounds(100, 50, form_->Width(), form_->Height());
    FillScreenPicture(*form_->Background(), 130, 80);
    auto face = Face(30, 20);
    TSpeedBitmap* glass = form_->ComposeControl(10, 20, *face); // covers x 110..139, y 70..89
    const TSpeedBitmap& screen = *form_->Background();
    EXPECT_EQ(PixelOfSpeed(*glass, 19, 9),
              Blend(*form_, PixelOfSpeed(screen, 129, 79), PixelOf(*face, 19, 9)));
    EXPECT_EQ(glass->Width(), 30);
}

TEST_F(GlassEmulated, EveryMoveIsFollowedTo0IncludedAndOnlyMovesAre) {
    form_->SetBounds(100, 50, form_->Width(), form_->Height());
    form_->SetBounds(0, 60, form_->Width(), form_->Height());
    EXPECT_EQ(form_->WindowLeft, 0);
    EXPECT_EQ(form_->WindowTop, 60);
    form_->SetBounds(130, 0, form_->Width(), form_->Height());
    EXPECT_EQ(form_->WindowLeft, 130);
    EXPECT_EQ(form_->WindowTop, 0);
    // A position message without a move carries no place.
    SetWindowPos(form_->Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    EXPECT_EQ(form_->WindowLeft, 130);
    EXPECT_EQ(form_->WindowTop, 0);
}

// The capture moves the form off the screen and back: a form at x = 0 must come back
// to 0 in WindowLeft too, or every later composition misses the screen picture.
TEST_F(GlassEmulated, AFormAtX0StillComposesAfterACapture) {
    form_->SetBounds(0, 40, form_->Width(), form_->Height());
    form_->CaptureBackground();
    EXPECT_EQ(form_->Left(), 0);
    EXPECT_EQ(form_->WindowLeft, 0);
    EXPECT_EQ(form_->WindowTop, 40);
    FillScreenPicture(*form_->Background(), 200, 150);
    auto face = Face(12, 8);
    TSpeedBitmap* glass = form_->ComposeControl(5, 6, *face);
    EXPECT_EQ(PixelOfSpeed(*glass, 0, 0),
              Blend(*form_, PixelOfSpeed(*form_->Background(), 5, 46), PixelOf(*face, 0, 0)));
    EXPECT_EQ(PixelOfSpeed(*glass, 11, 7),
              Blend(*form_, PixelOfSpeed(*form_->Background(), 16, 53), PixelOf(*face, 11, 7)));
}

TEST_F(GlassEmulated, TransparencyZeroCapturesNothingIgnoresMovesAndOnlyRecolours) {
    form_->Transparency = 0;
    SendMessageA(form_->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    form_->CaptureBackground();
    EXPECT_TRUE(form_->Background()->Empty());
    form_->SetBounds(140, 80, form_->Width(), form_->Height());
    EXPECT_EQ(form_->WindowLeft, 0);
    auto face = Face(8, 8);
    TSpeedBitmap* glass = form_->ComposeControl(0, 0, *face);
    // The tables still hold the quarter blend they were built with: row 255 is used.
    EXPECT_EQ(PixelOfSpeed(*glass, 3, 5), Blend(*form_, 0xFFFFFF, PixelOf(*face, 3, 5)));
}

TEST_F(GlassEmulated, ApplicationActivationCapturesTheScreenAndPutsTheFormBack) {
    // Something to see on the screen: a plain window of one colour.
    TForm marker(nullptr);
    marker.AfterConstruction();
    marker.SetBorderStyle(bsNone);
    marker.SetBounds(600, 400, 100, 80);
    marker.SetColor(static_cast<TColor>(0x2080C0)); // blue C0, green 80, red 20
    marker.Show();
    form_->SetBounds(300, 200, form_->Width(), form_->Height());
    PumpFor(200);
    FillScreenPicture(*form_->Background(), 10, 10);
    SendMessageA(form_->Handle(), WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(form_->Background()->Width(), 10); // deactivation takes no picture
    SendMessageA(form_->Handle(), WM_ACTIVATEAPP, TRUE, 0);
    EXPECT_EQ(form_->Background()->Width(), GetSystemMetrics(SM_CXSCREEN));
    EXPECT_EQ(form_->Background()->Height(), GetSystemMetrics(SM_CYSCREEN));
    EXPECT_EQ(form_->Left(), 300);
    RECT r{};
    GetWindowRect(form_->Handle(), &r);
    EXPECT_EQ(r.left, 300);
    EXPECT_EQ(form_->WindowLeft, 300);
    EXPECT_EQ(PixelOfSpeed(*form_->Background(), 650, 440), 0xC08020u);
}

TEST_F(GlassEmulated, ActivatingTheFormFiresOnActivateAndCaptures) {
    int activations = 0;
    form_->OnActivate = [&](TObject*) { ++activations; };
    auto skin = Face(60, 40);
    form_->Skin()->Assign(skin.get());
    form_->SetBounds(320, 240, form_->Width(), form_->Height());
    form_->Show();
    SetForegroundWindow(form_->Handle());
    PumpUntil([&] { return activations > 0; });
    EXPECT_GT(activations, 0);
    EXPECT_FALSE(form_->Background()->Empty());
}

TEST_F(GlassEmulatedWithButton, TheFormAndItsButtonsShowTheBlendOfTheirPictures) {
    PumpFor(300);
    InvalidateRect(form_->Handle(), nullptr, FALSE);
    InvalidateRect(button->Handle(), nullptr, FALSE);
    PumpFor(200);
    ASSERT_FALSE(form_->Background()->Empty()); // captured on activation
    const TSpeedBitmap& screen = *form_->Background();
    WindowPixels formPixels(form_->Handle(), 0, 0, 160, 100);
    for (auto [x, y] : {std::pair{2, 2}, std::pair{100, 60}, std::pair{159, 99}})
        EXPECT_EQ(formPixels.At(x, y),
                  Blend(*form_, PixelOfSpeed(screen, 200 + x, 120 + y), PixelOf(*skin, x, y)))
            << x << "," << y;
    WindowPixels buttonPixels(button->Handle(), 0, 0, 30, 20);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{29, 19}, std::pair{11, 4}})
        EXPECT_EQ(buttonPixels.At(x, y),
                  Blend(*form_, PixelOfSpeed(screen, 210 + x, 140 + y), PixelOf(*face, x, y)))
            << x << "," << y;
}

// After a move the buttons show the blend of their new place, without anyone
// invalidating them: the form's clip-children style keeps them out of its own repaint.
TEST_F(GlassEmulatedWithButton, AfterAMoveTheButtonsShowTheBlendOfTheNewPlace) {
    PumpFor(300); // shown, activated, captured and painted at the first place
    // A screen picture of our own, so that every place blends differently.
    FillScreenPicture(*form_->Background(), 640, 480);
    form_->SetBounds(260, 150, form_->Width(), form_->Height());
    PumpFor(200);
    ASSERT_EQ(form_->WindowLeft, 260);
    const TSpeedBitmap& screen = *form_->Background();
    WindowPixels buttonPixels(button->Handle(), 0, 0, 30, 20);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{29, 19}, std::pair{11, 4}})
        EXPECT_EQ(buttonPixels.At(x, y),
                  Blend(*form_, PixelOfSpeed(screen, 270 + x, 170 + y), PixelOf(*face, x, y)))
            << x << "," << y;
    WindowPixels formPixels(form_->Handle(), 0, 0, 160, 100);
    EXPECT_EQ(formPixels.At(100, 60),
              Blend(*form_, PixelOfSpeed(screen, 360, 210), PixelOf(*skin, 100, 60)));
}

// 0x00RRGGBB rotated by the hue formulas, step by step.
uint32_t Rotated(uint32_t rgb, int32_t shift) {
    uint8_t red = rgb >> 16, green = (rgb >> 8) & 0xFF, blue = rgb & 0xFF;
    ShiftHueByFormula(red, green, blue, shift);
    return blue | uint32_t(green) << 8 | uint32_t(red) << 16;
}

// The rotated skin is kept between paints: each paint must still show the skin and
// the shift of that moment.
TEST_F(GlassEmulated, AHueShiftedSkinFollowsEveryChangeOfTheSkinAndTheShift) {
    FillScreenPicture(*form_->Background(), 400, 300);
    form_->SetBounds(20, 10, form_->Width(), form_->Height());
    auto skin = MakePicture(40, 30, [](int x, int y) { return 0x2060A0u + x * 0x30501 + y * 7; });
    form_->Skin()->Assign(skin.get());
    const TSpeedBitmap& screen = *form_->Background();
    const auto expectShown = [&](int32_t shift, const char* when) {
        SCOPED_TRACE(when);
        const TSpeedBitmap& glass = *form_->GlassPicture();
        ASSERT_EQ(glass.Width(), 40);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{5, 5}, std::pair{39, 29}, std::pair{17, 3}})
            EXPECT_EQ(PixelOfSpeed(glass, x, y),
                      Blend(*form_, PixelOfSpeed(screen, 20 + x, 10 + y),
                            Rotated(PixelOf(*form_->Skin(), x, y), shift)))
                << x << "," << y;
    };
    form_->HueShift = 100;
    form_->PaintGlass(form_->WindowLeft, form_->WindowTop);
    expectShown(100, "first paint");
    form_->PaintGlass(form_->WindowLeft, form_->WindowTop);
    expectShown(100, "the same again");

    form_->Skin()->Canvas().SetPixels(5, 5, static_cast<TColor>(0x0000FF)); // red
    form_->PaintGlass(form_->WindowLeft, form_->WindowTop);
    ASSERT_EQ(PixelOf(*form_->Skin(), 5, 5), 0xFF0000u);
    expectShown(100, "a pixel of the skin changed");

    form_->HueShift = -120;
    form_->PaintGlass(form_->WindowLeft, form_->WindowTop);
    expectShown(-120, "another shift");

    form_->Skin()->Assign(MakePicture(40, 30, [](int x, int) { return 0x10E040u + x; }).get());
    form_->PaintGlass(form_->WindowLeft, form_->WindowTop);
    expectShown(-120, "a new skin");

    // A button's face, composed again for each of its paints.
    auto face = Face(30, 20);
    for (int paint = 0; paint < 3; ++paint) {
        if (paint == 2)
            face->Canvas().SetPixels(0, 0, static_cast<TColor>(0x00FF00)); // green
        TSpeedBitmap* glass = form_->ComposeControl(10, 20, *face);
        for (auto [x, y] : {std::pair{0, 0}, std::pair{29, 19}})
            EXPECT_EQ(PixelOfSpeed(*glass, x, y),
                      Blend(*form_, PixelOfSpeed(screen, 30 + x, 30 + y),
                            Rotated(PixelOf(*face, x, y), -120)))
                << "paint " << paint << " at " << x << "," << y;
    }
}

TEST_F(GlassEmulated, ItsPaintingIsTheGlassAloneAndFiresNoOnPaint) {
    int paints = 0;
    form_->OnPaint = [&](TObject*) {
        ++paints;
        form_->Canvas()->Brush().SetColor(clRed);
        form_->Canvas()->FillRect(Rect(0, 0, form_->Width(), form_->Height()));
    };
    auto skin = MakePicture(80, 50, [](int x, int y) { return 0x30C050u + x + (y << 16); });
    form_->Skin()->Assign(skin.get()); // reshaping paints at once
    form_->SetBounds(180, 110, form_->Width(), form_->Height());
    form_->Show();
    PumpFor(200);
    InvalidateRect(form_->Handle(), nullptr, FALSE);
    PumpFor(150);
    EXPECT_EQ(paints, 0);
    ASSERT_FALSE(form_->Background()->Empty());
    const TSpeedBitmap& screen = *form_->Background();
    WindowPixels shown(form_->Handle(), 0, 0, 80, 50);
    for (auto [x, y] : {std::pair{0, 0}, std::pair{40, 25}, std::pair{79, 49}})
        EXPECT_EQ(shown.At(x, y),
                  Blend(*form_, PixelOfSpeed(screen, 180 + x, 110 + y), PixelOf(*skin, x, y)))
            << x << "," << y;
}

TEST_F(GlassEmulated, EmptyPicturesComposeToNothingAndRaiseNothing) {
    TBitmap empty;
    TSpeedBitmap* glass = form_->ComposeControl(5, 5, empty);
    EXPECT_TRUE(glass->Empty());
    auto face = Face(6, 6);
    form_->ComposeControl(5, 5, *face);
    EXPECT_TRUE(form_->ComposeControl(5, 5, empty)->Empty()); // not the last face again
    // A shown glass form without a skin paints nothing, and raises nothing.
    form_->Show();
    InvalidateRect(form_->Handle(), nullptr, FALSE);
    PumpFor(150);
    EXPECT_EQ(platform_.Count("MessageBoxA"), 0);
}

TEST_F(GlassEmulated, NoLayeredCallMeansTheDestructorStillReleasesUser32) {
    const std::string handle = platform_.CallsOf("LoadLibraryA").empty()
                                   ? ""
                                   : platform_.CallsOf("GetProcAddress")[0].Args[0];
    form_.reset();
    ASSERT_EQ(platform_.Count("FreeLibrary"), 1);
    EXPECT_EQ(platform_.CallsOf("FreeLibrary")[0].Args[0], handle);
}

TEST(GlassWithoutUser32, EmulationModeAndANullHandleForFreeLibrary) {
    TRecordingPlatform platform;
    platform.LoadLibraryAnswer = static_cast<HMODULE>(nullptr);
    ScopedPlatform scope(platform);
    auto form = MakeForm<TOvalynShapeGlassForm>();
    EXPECT_FALSE(form->LayeredAvailable());
    EXPECT_EQ(platform.Count("GetProcAddress"), 0);
    ASSERT_NE(form->Background(), nullptr);
    form.reset();
    ASSERT_EQ(platform.Count("FreeLibrary"), 1);
    EXPECT_EQ(platform.CallsOf("FreeLibrary")[0].Args[0], "0");
}

} // namespace
