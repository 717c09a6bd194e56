// The menu window as the configuration builds it: border, size and place,
// buttons, check box, option list and the notice box.
#include "LauncherFixture.h"

#include "TestContainer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Application.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Screen.h"
#include "launcher/Unit1.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

using MenuWindow = LauncherFixture;

namespace {
void ExpectCentred(TCustomForm* form) {
    EXPECT_EQ(form->Left(), (Screen->Width() - form->Width()) / 2);
    EXPECT_EQ(form->Top(), (Screen->Height() - form->Height()) / 2);
}
} // namespace

TEST_F(MenuWindow, TheClientAreaIsTheBackgroundAndTheBorderedWindowIsCentred) {
    Start();
    EXPECT_EQ(Form1->BorderStyle(), bsSingle);
    EXPECT_EQ(Form1->ClientWidth(), 320);
    EXPECT_EQ(Form1->ClientHeight(), 240);
    EXPECT_GT(Form1->Width(), 320) << "centred by the outer size, border included";
    ExpectCentred(Form1);
    EXPECT_EQ(Form1->Image1->Width(), 320);
    EXPECT_EQ(Form1->Image1->Left(), 0);
}

TEST_F(MenuWindow, AnyOtherLine50RemovesTheBorder) {
    Config[50] = "-1 ";
    Start();
    EXPECT_EQ(Form1->BorderStyle(), bsNone);
    EXPECT_EQ(Form1->Width(), 320);
    EXPECT_EQ(Form1->Height(), 240);
    ExpectCentred(Form1);
}

TEST_F(MenuWindow, ShownGroupsConfigureTheirButtons) {
    Config[9] = "1";
    Config[10] = "77";
    Config[11] = "88";
    Config[12] = "Go";
    Config[37] = "True"; // group 10
    Start();
    TOvalynShapeButton* play = Button(3);
    EXPECT_TRUE(play->Visible());
    EXPECT_EQ(play->Left(), 77);
    EXPECT_EQ(play->Top(), 88);
    EXPECT_EQ(play->Caption(), "Go");
    EXPECT_EQ(play->Width(), 50) << "sized by the mask";
    EXPECT_EQ(play->Height(), 20);
    EXPECT_EQ(play->Mask()->Width(), 50);
    EXPECT_EQ(play->PressedBmp()->Width(), 50);
    EXPECT_EQ(play->OverBmp()->Height(), 20);
    EXPECT_EQ(play->Font()->Size(), 12);
    EXPECT_FALSE(play->Font()->Style().Contains(fsBold));
    EXPECT_EQ(play->Font()->Color(), 0x0000FF);
    EXPECT_EQ(play->Font()->Name(), "Arial");
    EXPECT_TRUE(Button(2)->Visible());
    EXPECT_TRUE(Button(4)->Visible());
    for (int n = 5; n <= 9; ++n)
        EXPECT_FALSE(Button(n)->Visible()) << n;
    EXPECT_TRUE(Button(10)->Visible()) << "group 10 drives the tenth button";
    EXPECT_EQ(Button(10)->Left(), 250);
    EXPECT_EQ(Button(10)->Top(), 180);
}

TEST_F(MenuWindow, ANegativeButtonFontSizeMeansBold) {
    Config[44] = "-12";
    Start();
    EXPECT_EQ(Button(3)->Font()->Size(), 12);
    EXPECT_TRUE(Button(3)->Font()->Style().Contains(fsBold));
}

TEST_F(MenuWindow, ButtonPositionsAndFontSizeMustFitSixteenBits) {
    struct Case {
        int Line;
        const char* Value;
    };
    for (Case c : {Case{18, "-1"}, Case{39, "65536"}, Case{44, "65536"}, Case{44, "-65536"}}) {
        SCOPED_TRACE(std::to_string(c.Line) + " = " + c.Value);
        TearDown();
        SetUp();
        Config[c.Line] = c.Value;
        Start();
        ASSERT_EQ(Boxes().size(), 1u);
        EXPECT_EQ(LastBoxText(), kRangeErrorText);
        EXPECT_FALSE(Button(3)->Visible()) << "construction ended before the buttons";
        EXPECT_EQ(Form1->ClientWidth(), 320) << "what was built before stays";
    }
    TearDown();
    SetUp();
    Config[18] = "65535"; // a hidden group's Left at its limit
    Config[44] = "-65535";
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
}

TEST_F(MenuWindow, TheButtonFontColourIsReadOnlyForShownButtons) {
    for (int g = 1; g <= 10; ++g)
        Config[4 * g - 3] = "0";
    Config[45] = "not a colour";
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    for (int n = 1; n <= 10; ++n)
        EXPECT_FALSE(Button(n)->Visible());
}

TEST_F(MenuWindow, TheCheckBoxFollowsLines46To49And68And69) {
    Config[68] = "-12";
    Start();
    TOvalynShapeCheckBoxButton* box = Form1->OvalynShapeCheckBoxButton1;
    EXPECT_TRUE(box->Visible());
    EXPECT_FALSE(box->Checked());
    EXPECT_EQ(box->Caption(), "Remember");
    EXPECT_EQ(box->Left(), 20);
    EXPECT_EQ(box->Top(), 200);
    EXPECT_EQ(box->Width(), 60);
    EXPECT_EQ(box->Height(), 16);
    EXPECT_EQ(box->PressedBmp()->Width(), 60);
    EXPECT_EQ(box->Font()->Size(), -12) << "passed on with its sign";
    EXPECT_TRUE(box->Font()->Style().Contains(fsBold));
    EXPECT_EQ(box->Font()->Color(), 255);
    EXPECT_EQ(box->Font()->Name(), "Arial");
}

TEST_F(MenuWindow, Line69BlackHidesTheCheckBoxInLaunchMode) {
    Config[69] = "0";
    Start();
    EXPECT_FALSE(Form1->OvalynShapeCheckBoxButton1->Visible());
    EXPECT_EQ(Form1->OvalynShapeCheckBoxButton1->Font()->Color(), 0);
}

TEST_F(MenuWindow, AHexadecimalLine69FailsOnlyInLaunchMode) {
    Config[69] = "$FF";
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "'$FF' ist kein g\xFCltiger Boolescher Wert");

    TearDown();
    SetUp();
    Config[69] = "$FF";
    DirectX->SetVersion("4.08");
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(Form1->OvalynShapeCheckBoxButton1->Font()->Color(), 255);
    EXPECT_FALSE(Form1->OvalynShapeCheckBoxButton1->Visible());
}

TEST_F(MenuWindow, TheOptionListShowsTheNamesBeforeTheFirstSemicolon) {
    Config[67] = "-255";
    Config[66] = "-10";
    Config[73] = "Two;;x;y";
    Start();
    TComboBox* list = Form1->ComboBox1;
    EXPECT_TRUE(list->Visible());
    ASSERT_EQ(list->Items()->Count(), 3);
    EXPECT_EQ((*list->Items())[0], "First");
    EXPECT_EQ((*list->Items())[1], "Two");
    EXPECT_EQ((*list->Items())[2], "Third");
    EXPECT_EQ(list->ItemIndex(), 0);
    EXPECT_EQ(list->Width(), 120);
    EXPECT_EQ(list->Left(), 150);
    EXPECT_EQ(list->Top(), 100);
    EXPECT_EQ(list->Color(), 0xFFFFFF);
    EXPECT_EQ(list->Font()->Color(), 255) << "the absolute value of line 67";
    EXPECT_EQ(list->Font()->Size(), 10);
    EXPECT_TRUE(list->Font()->Style().Contains(fsBold));
}

TEST_F(MenuWindow, OneOptionLeavesTheListEmptyAndHidden) {
    Config[71] = "1";
    Config[72] = "never read;-x";
    Start();
    EXPECT_EQ(Form1->ComboBox1->Items()->Count(), 0);
    EXPECT_FALSE(Form1->ComboBox1->Visible());
}

TEST_F(MenuWindow, TooFewOptionLinesEndConstruction) {
    Config[71] = "4";
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(LastBoxText().find("Listenindex"), std::string::npos) << LastBoxText();
}

TEST_F(MenuWindow, RequirementModeShowsTheNoticeAndHidesLaunchControls) {
    DirectX->SetVersion("4.08");
    Config[56] = "-11";
    Config[58] = "3";
    Config[59] = "0";
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_FALSE(Button(3)->Visible());
    EXPECT_TRUE(Button(1)->Visible());
    EXPECT_FALSE(Form1->OvalynShapeCheckBoxButton1->Visible());
    EXPECT_FALSE(Form1->ComboBox1->Visible()) << "hidden although it holds three options";
    EXPECT_EQ(Form1->ComboBox1->Items()->Count(), 3);

    TMemo* memo = Form1->Memo1;
    EXPECT_TRUE(memo->Visible());
    EXPECT_EQ(memo->BoundsRect(), Bounds(30, 20, 200, 60));
    ASSERT_EQ(memo->Lines()->Count(), 2);
    EXPECT_EQ((*memo->Lines())[1], "Please install it.");
    EXPECT_EQ(memo->Color(), 0x00FFFF);
    EXPECT_EQ(memo->Font()->Size(), 11);
    EXPECT_TRUE(memo->Font()->Style().Contains(fsBold));
    EXPECT_EQ(memo->Font()->Color(), 0xFF0000);
    EXPECT_EQ(memo->ScrollBars(), ssBoth);
    EXPECT_FALSE(memo->WordWrap());
    EXPECT_TRUE(memo->ReadOnly());
    EXPECT_EQ(memo->Alignment(), taCenter);
}

TEST_F(MenuWindow, Line58ChoosesTheScrollBars) {
    const std::pair<const char*, TScrollStyle> cases[] = {
        {"1", ssVertical}, {"2", ssHorizontal}, {"3", ssBoth}, {"0", ssNone}, {"4", ssNone}};
    for (auto [line, style] : cases) {
        SCOPED_TRACE(line);
        TearDown();
        SetUp();
        DirectX->SetVersion("4.08");
        Config[58] = line;
        Start();
        EXPECT_EQ(Form1->Memo1->ScrollBars(), style);
        EXPECT_TRUE(Form1->Memo1->WordWrap()) << "line 59 \"-1\" keeps wrapping";
    }
}

TEST_F(MenuWindow, APictureThatIsNoBitmapEndsConstruction) {
    Entries[2] = "BM this is not a bitmap";
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(Form1->ClientWidth(), 320) << "the background was set before";
    EXPECT_FALSE(Button(3)->Visible());
}

// An empty picture entry is no error: it loads as an empty picture, and the
// buttons and the check box it belongs to paint nothing.
TEST_F(MenuWindow, EmptyPictureEntriesAreTakenAsEmptyPictures) {
    for (int entry = 3; entry <= 8; ++entry)
        Entries[entry - 2] = "";
    Start();
    Form1->Show();
    Form1->Repaint();
    Application->ProcessMessages();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(Form1->Caption(), "Test menu") << "built to its end";
    EXPECT_TRUE(Button(3)->Visible());
    EXPECT_TRUE(Button(3)->Mask()->Empty());
}
