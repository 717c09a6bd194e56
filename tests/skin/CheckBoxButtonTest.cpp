#include <gtest/gtest.h>

#include <fstream>
#include <string>
#include <vector>

#include "ButtonPictures.h"
#include "WindowFixture.h"
#include "framework/system/RecordingPlatform.h"
#include "skin/OvalynShapeCheckBoxButton.h"

namespace {
constexpr int insideX = 30, insideY = 12;
} // namespace

class CheckBoxButtonTest : public WindowTest {
protected:
    void SetUp() override {
        WindowTest::SetUp();
        box = new TOvalynShapeCheckBoxButton(&Form());
        box->SetParent(&Form());
        box->SetBounds(30, 80, 10, 10);
        box->SetMask(pictures.Mask.get());
        box->SetPressedBmp(pictures.Pressed.get());
        box->SetOverBmp(pictures.Over.get());
        box->SetDisabledBmp(pictures.Disabled.get());
        box->OnClick = [this](TObject*) { seenInClick.push_back(box->Checked()); };
        Pump();
    }

    std::uint32_t Face() { return Capture(*box).Get(insideX, insideY); }
    bool RepaintPending() { return GetUpdateRect(box->Handle(), nullptr, FALSE) != FALSE; }

    ButtonPictures pictures;
    TOvalynShapeCheckBoxButton* box = nullptr;
    std::vector<bool> seenInClick;
};

TEST(CheckBoxButton, StartsUnchecked) {
    TOvalynShapeCheckBoxButton box(nullptr);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(box.ControlStyle().Bits(), 0x8AAu);
}

TEST_F(CheckBoxButtonTest, EachClickTogglesBeforeOnClick) {
    PointAt(*box, insideX, insideY);
    LeftClick();
    EXPECT_TRUE(box->Checked());
    WaitOutDoubleClick();
    LeftClick();
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(seenInClick, (std::vector<bool>{true, false}));
}

TEST_F(CheckBoxButtonTest, WritingCheckedRepaintsOnlyOnChangeAndFiresNothing) {
    TRecordingPlatform platform;
    ScopedPlatform scoped(platform);
    char folder[MAX_PATH] = "";
    GetTempPathA(MAX_PATH, folder);
    const std::string sound = std::string(folder) + "box.wav";
    std::ofstream(sound) << "RIFF";
    box->SetClickSound(sound);
    ValidateRect(box->Handle(), nullptr);
    box->SetChecked(false);
    EXPECT_FALSE(RepaintPending());
    box->SetChecked(true);
    EXPECT_TRUE(RepaintPending());
    EXPECT_EQ(Face(), ButtonPictures::pressed);
    ValidateRect(box->Handle(), nullptr);
    box->SetChecked(true);
    EXPECT_FALSE(RepaintPending());
    EXPECT_TRUE(seenInClick.empty());
    EXPECT_EQ(platform.Count("PlaySoundA"), 0);
}

TEST_F(CheckBoxButtonTest, SecondPressOfADoubleClickDoesNotToggle) {
    PointAt(*box, insideX, insideY);
    std::vector<INPUT> inputs(4);
    const DWORD flags[] = {MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, MOUSEEVENTF_LEFTDOWN,
                           MOUSEEVENTF_LEFTUP};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = flags[i];
    }
    int doubleClicks = 0;
    box->OnDblClick = [&](TObject*) { ++doubleClicks; };
    SendInput(4, inputs.data(), sizeof(INPUT));
    Pump();
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(seenInClick, (std::vector<bool>{true}));
}

TEST_F(CheckBoxButtonTest, PictureChain) {
    EXPECT_EQ(Face(), ButtonPictures::normal);
    box->SetEnabled(false);
    EXPECT_EQ(Face(), ButtonPictures::disabled);
    box->SetChecked(true); // checked wins over disabled
    EXPECT_EQ(Face(), ButtonPictures::pressed);
    box->SetChecked(false);
    // Hovered wins over disabled. (The pointer itself cannot hover over a
    // disabled window; any press sets MouseOver as well.)
    SendMessageA(box->Handle(), WM_RBUTTONDOWN, MK_RBUTTON, MAKELPARAM(insideX, insideY));
    SendMessageA(box->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(insideX, insideY));
    ASSERT_TRUE(box->MouseOver());
    EXPECT_EQ(Face(), ButtonPictures::over);
    box->SetEnabled(true);
    PointAt(*box, insideX, insideY);
    Press(MOUSEEVENTF_LEFTDOWN);
    EXPECT_EQ(Face(), ButtonPictures::pressed);
    Release(MOUSEEVENTF_LEFTUP);
    EXPECT_TRUE(box->Checked());
    EXPECT_EQ(Face(), ButtonPictures::pressed);
}

TEST_F(CheckBoxButtonTest, CheckedBoxWithoutPressedPictureShowsNothing) {
    EXPECT_EQ(Face(), ButtonPictures::normal);
    box->SetPressedBmp(nullptr);
    box->SetChecked(true);
    Pump();
    EXPECT_EQ(Face(), ButtonPictures::normal); // the old face stays on screen
}
