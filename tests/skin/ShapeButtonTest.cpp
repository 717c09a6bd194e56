#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ButtonPictures.h"
#include "WindowFixture.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/system/RecordingPlatform.h"
#include "skin/OvalynShapeButton.h"

namespace {

// A point well inside the visible part of the face, and one in the cut-out.
constexpr int insideX = 30, insideY = 12;
constexpr int cutOutX = 3, cutOutY = 12;

// In the temp folder, so no run leaves files where it was started.
std::string WriteSoundFile() {
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string name = std::string(folder) + "click_test.wav";
    std::ofstream(name, std::ios::binary) << "RIFF";
    return name;
}

} // namespace

class ShapeButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        button = new TOvalynShapeButton(&Form());
        button->SetParent(&Form());
        button->SetBounds(30, 30, 10, 10);
        button->SetMask(pictures.Mask.get());
        button->SetPressedBmp(pictures.Pressed.get());
        button->SetOverBmp(pictures.Over.get());
        button->SetDisabledBmp(pictures.Disabled.get());
        button->OnMouseEnter = [this](TObject*) { events.push_back("enter"); };
        button->OnMouseLeave = [this](TObject*) { events.push_back("leave"); };
        button->OnMouseDown = [this](TObject*, TMouseButton b, TShiftState, int, int) {
            events.push_back(b == mbLeft ? "down" : "other down");
        };
        button->OnMouseUp = [this](TObject*, TMouseButton, TShiftState, int, int) {
            events.push_back("up");
        };
        button->OnClick = [this](TObject*) { events.push_back("click"); };
        button->OnDblClick = [this](TObject*) { events.push_back("dblclick"); };
        Pump();
    }

    std::uint32_t Face() { return Capture(*button).Get(insideX, insideY); }

    void SendButtons(std::initializer_list<DWORD> flags) {
        std::vector<INPUT> inputs;
        for (DWORD flag : flags) {
            INPUT input{};
            input.type = INPUT_MOUSE;
            input.mi.dwFlags = flag;
            inputs.push_back(input);
        }
        SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
        Pump();
    }

    ButtonPictures pictures;
    TOvalynShapeButton* button = nullptr;
    std::vector<std::string> events;
};

TEST(ShapeButton, Defaults) {
    TOvalynShapeButton button(nullptr);
    EXPECT_EQ(button.Width(), 40);
    EXPECT_EQ(button.Height(), 40);
    EXPECT_EQ(button.Color(), clBtnFace);
    EXPECT_EQ(button.ControlStyle().Bits(), 0x8AAu);
    EXPECT_FALSE(button.MouseOver());
    EXPECT_FALSE(button.DisableSound());
    EXPECT_EQ(button.ClickSound(), "");
    EXPECT_TRUE(button.PressedBmp()->Empty());
    EXPECT_TRUE(button.OverBmp()->Empty());
}

TEST(ShapeButton, CaptionFollowsTheName) {
    TOvalynShapeButton button(nullptr);
    button.SetName("OvalynShapeButton1");
    EXPECT_EQ(button.Caption(), "OvalynShapeButton1");
}

TEST_F(ShapeButtonTest, MaskGivesItsSize) {
    button->SetWidth(30);
    TestMask wide(60, 20, 0x00C000);
    auto picture = MakeBitmap(wide);
    button->SetMask(picture.get());
    EXPECT_EQ(button->Width(), 60);
    EXPECT_EQ(button->Height(), 20);
    button->SetMask(nullptr); // empties the mask, keeps the size
    EXPECT_EQ(button->Width(), 60);
    EXPECT_TRUE(button->Mask()->Empty());
}

TEST_F(ShapeButtonTest, StatePicturesAreCopies) {
    pictures.Pressed->SetWidth(3);
    EXPECT_EQ(button->PressedBmp()->Width(), ButtonPictures::width);
}

TEST_F(ShapeButtonTest, FaceFollowsThePointer) {
    EXPECT_EQ(Face(), ButtonPictures::normal);
    EXPECT_EQ(Capture(*button).Get(cutOutX, cutOutY), formColor);
    PointAt(*button, insideX, insideY);
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::over);
    PointAway();
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::normal);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(ShapeButtonTest, CutOutPixelsBelongToWhatLiesBelow) {
    PointAt(*button, cutOutX, cutOutY);
    EXPECT_FALSE(button->MouseOver());
    EXPECT_TRUE(events.empty());
}

TEST_F(ShapeButtonTest, EmptyHoverPictureFallsBackToTheMask) {
    button->SetOverBmp(nullptr);
    PointAt(*button, insideX, insideY);
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::normal);
}

TEST_F(ShapeButtonTest, LeftPressShowsThePressedPictureAndReleaseClicks) {
    PointAt(*button, insideX, insideY);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(Face(), ButtonPictures::pressed);
    Release(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Face(), ButtonPictures::over);
    // The click comes before the release's own event.
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "click", "up"}));
}

TEST_F(ShapeButtonTest, ReleaseOverACutOutPixelInsideTheRectangleClicks) {
    PointAt(*button, insideX, insideY);
    Press(MOUSEEVENTF_LEFTDOWN);
    PointAt(*button, cutOutX, cutOutY);
    EXPECT_FALSE(button->MouseOver()); // off the region, so it left
    EXPECT_EQ(Face(), ButtonPictures::pressed);
    Release(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "leave", "click", "up"}));
}

TEST_F(ShapeButtonTest, ReleaseOutsideTheRectangleDoesNotClick) {
    PointAt(*button, insideX, insideY);
    Press(MOUSEEVENTF_LEFTDOWN);
    PointAway();
    EXPECT_FALSE(button->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::pressed); // until the release
    Release(MOUSEEVENTF_LEFTUP);
    EXPECT_EQ(Face(), ButtonPictures::normal);
    EXPECT_EQ(events, (std::vector<std::string>{"enter", "down", "leave", "up"}));
}

TEST_F(ShapeButtonTest, OtherButtonsSetMouseOverButNeverPress) {
    // The pointer is elsewhere: only the press itself sets MouseOver.
    SendMessageA(button->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(insideX, insideY));
    EXPECT_TRUE(button->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::over);
    SendMessageA(button->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(insideX, insideY));
    SendMessageA(button->Handle(), WM_MBUTTONDOWN, MK_MBUTTON, MAKELPARAM(insideX, insideY));
    SendMessageA(button->Handle(), WM_MBUTTONUP, 0, MAKELPARAM(insideX, insideY));
    EXPECT_EQ(Face(), ButtonPictures::over);
    EXPECT_EQ(events, (std::vector<std::string>{"other down", "up", "other down", "up"}));
}

TEST_F(ShapeButtonTest, SecondPressOfADoubleClickIsNoClick) {
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    button->SetClickSound(WriteSoundFile());
    PointAt(*button, insideX, insideY);
    events.clear();
    SendButtons(
        {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP});
    EXPECT_EQ(events, (std::vector<std::string>{"down", "click", "up", "dblclick", "down", "up"}));
    EXPECT_EQ(platform.Count("PlaySoundA"), 1);
}

TEST_F(ShapeButtonTest, AutomaticDragModeDragsInsteadOfPressing) {
    button->SetDragMode(dmAutomatic);
    PointAt(*button, insideX, insideY);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_TRUE(button->Dragging());
    EXPECT_EQ(Face(), ButtonPictures::over);
    Release(MOUSEEVENTF_LEFTUP);
    EXPECT_FALSE(button->Dragging());
    EXPECT_EQ(events, (std::vector<std::string>{"enter"}));
}

TEST_F(ShapeButtonTest, ClickPlaysTheSoundFileAsynchronously) {
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    const std::string sound = WriteSoundFile();
    button->SetClickSound(sound);
    button->OnClick = [&](TObject*) {
        events.push_back(std::to_string(platform.Count("PlaySoundA")));
    };
    PointAt(*button, insideX, insideY);
    LeftClick();
    auto plays = platform.CallsOf("PlaySoundA");
    ASSERT_EQ(plays.size(), 1u);
    EXPECT_EQ(plays[0].Args, (std::vector<std::string>{sound, "0", "1"}));
    // The sound starts before OnClick.
    EXPECT_EQ(events.back() == "up" ? events[events.size() - 2] : events.back(), "1");
}

TEST_F(ShapeButtonTest, NoSoundWhenDisabledMissingOrUnset) {
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    PointAt(*button, insideX, insideY);
    LeftClick(); // no sound set
    WaitOutDoubleClick();
    button->SetClickSound("no such file.wav");
    LeftClick();
    WaitOutDoubleClick();
    button->SetClickSound(WriteSoundFile());
    button->SetDisableSound(true);
    LeftClick();
    EXPECT_EQ(platform.Count("PlaySoundA"), 0);
    EXPECT_EQ(std::count(events.begin(), events.end(), "click"), 3);
}

TEST_F(ShapeButtonTest, DisabledButtonShowsTheDisabledPictureEvenWhenHovered) {
    PointAt(*button, insideX, insideY);
    ASSERT_TRUE(button->MouseOver());
    button->SetEnabled(false);
    EXPECT_EQ(Face(), ButtonPictures::disabled);
    button->SetEnabled(true);
    EXPECT_EQ(Face(), ButtonPictures::over);
}

TEST_F(ShapeButtonTest, EmptyDisabledPictureLeavesTheScreenAsItWas) {
    EXPECT_EQ(Face(), ButtonPictures::normal);
    button->SetDisabledBmp(nullptr);
    button->SetEnabled(false);
    Pump();
    EXPECT_EQ(Face(), ButtonPictures::normal); // nothing drawn, nothing erased
}

TEST_F(ShapeButtonTest, EmptyPressedPictureShowsNothingWhilePressed) {
    button->SetPressedBmp(nullptr);
    PointAt(*button, insideX, insideY);
    EXPECT_EQ(Face(), ButtonPictures::over);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(Face(), ButtonPictures::over); // no fall-back to the mask
    Release(MOUSEEVENTF_LEFTUP);
}

TEST_F(ShapeButtonTest, ButtonWithoutMaskShowsItsColourInEveryState) {
    button->SetMask(nullptr);
    button->SetColor(static_cast<TColor>(0x405060));
    button->SetBounds(30, 30, 50, 24);
    EXPECT_EQ(Face(), 0x405060u);
    PointAt(*button, insideX, insideY);
    EXPECT_EQ(Face(), 0x405060u);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(Face(), 0x405060u);
    Release(MOUSEEVENTF_LEFTUP);
    // The caption is drawn on the colour face.
    button->SetCaption("W");
    button->Font()->SetColor(clBlack);
    button->Font()->SetHeight(20);
    TestMask shown = Capture(*button);
    bool anyInk = false;
    for (int y = 0; y < shown.Height(); ++y)
        for (int x = 0; x < shown.Width(); ++x)
            anyInk = anyInk || shown.Get(x, y) == 0;
    EXPECT_TRUE(anyInk);
    EXPECT_EQ(shown.Get(1, 1), 0x405060u);
}

TEST_F(ShapeButtonTest, BackgroundIsNeverErased) {
    TestMask paper(8, 8, 0x112233);
    auto bitmap = MakeBitmap(paper);
    const LRESULT answer =
        button->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(bitmap->Canvas().Handle()));
    EXPECT_EQ(answer, 0);
    EXPECT_EQ(bitmap->Canvas().Pixels(4, 4), 0x112233);
}

TEST_F(ShapeButtonTest, CaptionAndEnabledChangesRepaint) {
    for (const auto& change : std::vector<std::function<void()>>{
             [&] { button->SetCaption("new"); }, [&] { button->SetEnabled(false); }}) {
        ValidateRect(button->Handle(), nullptr);
        change();
        EXPECT_NE(GetUpdateRect(button->Handle(), nullptr, FALSE), FALSE);
    }
}
