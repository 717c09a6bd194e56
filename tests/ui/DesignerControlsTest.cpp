// The designer's standard controls (edit, label, button, check box, list box,
// panel), read back through their real windows and driven by real input.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KeyboardInput.h"
#include "UiTestSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Label.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Panel.h"

namespace {

class DesignerControls : public ::testing::Test {
protected:
    void SetUp() override { form = MakeShownForm(100, 100, 400, 300); }
    template <typename T> T* Add(TWinControl* parent, int left, int top, int width, int height) {
        T* control = new T(form.get());
        control->SetParent(parent);
        control->SetBounds(left, top, width, height);
        return control;
    }
    template <typename T> T* Add(int left, int top, int width, int height) {
        return Add<T>(form.get(), left, top, width, height);
    }
    // The pointer over the middle of a control and a left click there.
    void ClickOn(TControl& control, int x = -1, int y = -1) {
        TPoint at = control.ClientToScreen(
            Point(x < 0 ? control.Width() / 2 : x, y < 0 ? control.Height() / 2 : y));
        MovePointer(at.X, at.Y);
        PressLeft();
        ReleaseLeft();
    }
    bool Focus(TWinControl& control) {
        control.SetFocus();
        return PumpApplicationUntil([&] { return control.Focused(); });
    }
    ScopedTestApplication app;
    std::unique_ptr<TestForm> form;
};

std::string WindowText(HWND window) {
    char text[512]{};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

LONG Style(HWND window) {
    return GetWindowLongA(window, GWL_STYLE);
}

// The columns of a painted strip that hold dark (text) pixels.
std::vector<int> DarkColumns(TBitmap& bitmap) {
    std::vector<int> columns;
    HDC dc = bitmap.Canvas().Handle();
    for (int x = 0; x < bitmap.Width(); ++x)
        for (int y = 0; y < bitmap.Height(); ++y)
            if (GetRValue(GetPixel(dc, x, y)) < 128) {
                columns.push_back(x);
                break;
            }
    return columns;
}

} // namespace

TEST_F(DesignerControls, EditShowsTextFromCodeWithoutReportingItAsAnEdit) {
    auto* edit = Add<TEdit>(10, 10, 150, 21);
    int changes = 0;
    int commits = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnCommit = [&](TObject*) { ++commits; };
    edit->SetText("Start game");
    EXPECT_EQ(WindowText(edit->Handle()), "Start game");
    EXPECT_TRUE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_FALSE(edit->Modified());
    ASSERT_TRUE(Focus(*edit));
    EXPECT_EQ(changes, 0) << "text set by code fired OnChange";
    EXPECT_EQ(commits, 0);
}

// Any text the checks pass opens in a field, also one longer than an edit
// field takes at first.
TEST_F(DesignerControls, AnEditTakesATextOfAnyLength) {
    const std::string caption(100000, 'c');
    auto* edit = Add<TEdit>(10, 10, 150, 21);
    edit->SetText(caption);
    EXPECT_EQ(GetWindowTextLengthA(edit->Handle()), 100000);
    auto* before = new TEdit(form.get());
    before->SetText(caption); // kept while it has no window
    before->SetParent(form.get());
    EXPECT_EQ(GetWindowTextLengthA(before->Handle()), 100000);
    EXPECT_EQ(before->Text(), caption);
    EXPECT_FALSE(before->Modified());
}

TEST_F(DesignerControls, EditCommitsOnEnterAndOnLeavingWithChangedTextOnly) {
    auto* edit = Add<TEdit>(10, 10, 150, 21);
    auto* other = Add<TEdit>(10, 40, 150, 21);
    edit->SetText("ab");
    std::vector<std::string> commits;
    int changes = 0;
    edit->OnChange = [&](TObject*) { ++changes; };
    edit->OnCommit = [&](TObject*) { commits.push_back(edit->Text()); };
    ASSERT_TRUE(Focus(*edit));
    SendMessageA(edit->Handle(), EM_SETSEL, 2, 2);

    PressKey('C');
    ASSERT_TRUE(PumpApplicationUntil([&] { return edit->Text() == "abc"; }))
        << "typed text did not arrive: '" << edit->Text() << "'";
    EXPECT_EQ(changes, 1);
    EXPECT_TRUE(edit->Modified());
    PressKey(VK_RETURN);
    ASSERT_EQ(commits, std::vector<std::string>{"abc"}) << "Enter did not commit once";
    EXPECT_FALSE(edit->Modified());

    // Leaving after the commit with nothing typed since: no second commit.
    PressKey(VK_TAB);
    ASSERT_TRUE(PumpApplicationUntil([&] { return other->Focused(); }));
    EXPECT_EQ(commits.size(), 1u);

    // Typing and leaving commits; entering and leaving untouched does not.
    ASSERT_TRUE(Focus(*edit));
    SendMessageA(edit->Handle(), EM_SETSEL, 3, 3);
    PressKey('D');
    ASSERT_TRUE(PumpApplicationUntil([&] { return edit->Text() == "abcd"; }));
    ASSERT_TRUE(Focus(*other));
    EXPECT_EQ(commits, (std::vector<std::string>{"abc", "abcd"}));
    ASSERT_TRUE(Focus(*edit));
    ASSERT_TRUE(Focus(*other));
    EXPECT_EQ(commits.size(), 2u) << "leaving an untouched field committed";
}

// A label naming a field: Alt and its access key focus the field; a label
// without one shows its "&" as written.
TEST_F(DesignerControls, AltWithALabelsAccessKeyFocusesItsField) {
    auto* first = Add<TEdit>(100, 10, 150, 21);
    auto* folder = Add<TEdit>(100, 40, 150, 21);
    auto* label = Add<TLabel>(10, 44, 80, 16);
    label->SetCaption("&Output && more:");
    auto* plain = Add<TLabel>(10, 70, 80, 16);
    plain->SetCaption("&Plain");
    EXPECT_EQ(label->AccessKey(), 0) << "no field yet";
    label->SetFocusControl(folder);
    EXPECT_EQ(label->AccessKey(), 'O');
    EXPECT_EQ(plain->AccessKey(), 0);
    ASSERT_TRUE(Focus(*first));
    PressKey('O', {VK_MENU});
    EXPECT_TRUE(PumpApplicationUntil([&] { return folder->Focused(); }))
        << "Alt+O did not reach the labelled field";
    EXPECT_EQ(first->Text(), "") << "the key was typed";
}

TEST_F(DesignerControls, EditEscapePutsBackTheCommittedText) {
    auto* edit = Add<TEdit>(10, 10, 150, 21);
    edit->SetText("12");
    int commits = 0;
    edit->OnCommit = [&](TObject*) { ++commits; };
    ASSERT_TRUE(Focus(*edit));
    SendMessageA(edit->Handle(), EM_SETSEL, 2, 2);
    PressKey('3');
    ASSERT_TRUE(PumpApplicationUntil([&] { return edit->Text() == "123"; }));
    PressKey(VK_ESCAPE);
    EXPECT_EQ(WindowText(edit->Handle()), "12");
    EXPECT_FALSE(edit->Modified());
    EXPECT_EQ(commits, 0);

    // Ctrl+A selects the whole text, so typing replaces it.
    SendMessageA(edit->Handle(), EM_SETSEL, 1, 1);
    PressKey('A', {VK_CONTROL});
    PressKey('7');
    ASSERT_TRUE(PumpApplicationUntil([&] { return edit->Text() == "7"; }))
        << "Ctrl+A did not select all: '" << edit->Text() << "'";
}

TEST_F(DesignerControls, EditKeepsTextAndSettingsAcrossWindowRecreation) {
    auto* edit = Add<TEdit>(10, 10, 150, 21);
    edit->SetText("42");
    edit->SetReadOnly(true);
    edit->SetMaxLength(5);
    HWND before = edit->Handle();
    EXPECT_TRUE(Style(before) & ES_READONLY);
    EXPECT_FALSE(Style(before) & ES_NUMBER);
    edit->SetNumbersOnly(true);
    HWND after = edit->Handle();
    ASSERT_NE(after, before) << "NumbersOnly did not make a new window";
    EXPECT_TRUE(Style(after) & ES_NUMBER);
    EXPECT_TRUE(Style(after) & ES_READONLY);
    EXPECT_EQ(WindowText(after), "42");
    EXPECT_EQ(SendMessageA(after, EM_GETLIMITTEXT, 0, 0), 5);
    EXPECT_FALSE(edit->Modified());
    edit->SetBorderStyle(bsNone);
    EXPECT_FALSE(GetWindowLongA(edit->Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);
    EXPECT_EQ(edit->Text(), "42");
}

TEST_F(DesignerControls, LabelSizesItselfToItsTextAndAlignsIt) {
    auto* label = Add<TLabel>(10, 10, 10, 10);
    label->SetCaption("W");
    int narrow = label->Width();
    label->SetCaption("Wide caption text");
    EXPECT_GT(label->Width(), narrow * 5) << "AutoSize did not follow the caption";
    EXPECT_GT(label->Height(), 5);
    label->SetAutoSize(false);
    label->SetBounds(0, 0, 300, 20);
    label->SetCaption("Wide caption text");
    EXPECT_EQ(label->Width(), 300);

    label->SetTransparent(false);
    label->SetColor(clWhite);
    label->Font()->SetColor(clBlack);
    for (TAlignment alignment : {taLeftJustify, taRightJustify, taCenter}) {
        label->SetAlignment(alignment);
        TBitmap strip;
        strip.SetPixelFormat(pf24bit);
        strip.SetSize(300, 20);
        label->PaintOn(strip.Canvas().Handle());
        std::vector<int> dark = DarkColumns(strip);
        ASSERT_FALSE(dark.empty()) << "alignment " << int(alignment) << ": no text painted";
        int middle = (dark.front() + dark.back()) / 2;
        if (alignment == taLeftJustify) {
            EXPECT_LT(dark.front(), 5) << "left-aligned text starts at " << dark.front();
        } else if (alignment == taRightJustify) {
            EXPECT_GT(dark.back(), 294) << "right-aligned text ends at " << dark.back();
        } else {
            EXPECT_NEAR(middle, 150, 4) << "centred text is centred at " << middle;
        }
    }
}

TEST_F(DesignerControls, ButtonClicksOnceAndKeepsCaptionAndDefaultAcrossRecreation) {
    auto* button = Add<TButton>(10, 10, 90, 25);
    button->SetCaption("&Apply");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(WindowText(button->Handle()), "&Apply");
    EXPECT_EQ(Style(button->Handle()) & BS_TYPEMASK, BS_PUSHBUTTON);
    ClickOn(*button);
    EXPECT_TRUE(PumpUntil([&] { return clicks > 0; }));
    PumpFor(30);
    EXPECT_EQ(clicks, 1) << "one press fired OnClick more than once";

    button->SetDefault(true);
    EXPECT_EQ(Style(button->Handle()) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    button->RecreateWnd();
    EXPECT_EQ(Style(button->Handle()) & BS_TYPEMASK, BS_DEFPUSHBUTTON);
    EXPECT_EQ(WindowText(button->Handle()), "&Apply");
}

TEST_F(DesignerControls, CheckBoxReportsUserTogglesButNotWritesFromCode) {
    auto* box = Add<TCheckBox>(10, 10, 150, 20);
    box->SetCaption("Play sound");
    int clicks = 0;
    bool checkedInClick = true;
    box->OnClick = [&](TObject*) {
        ++clicks;
        checkedInClick = box->Checked();
    };
    box->SetChecked(true);
    PumpFor(20);
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(Style(box->Handle()) & BS_TYPEMASK, BS_AUTOCHECKBOX);
    EXPECT_EQ(clicks, 0) << "Checked set by code fired OnClick";

    ClickOn(*box, 6);
    ASSERT_TRUE(PumpUntil([&] { return clicks > 0; }));
    EXPECT_FALSE(checkedInClick) << "OnClick saw the state before the toggle";
    EXPECT_FALSE(box->Checked());

    box->SetChecked(true);
    box->RecreateWnd();
    EXPECT_EQ(SendMessageA(box->Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(WindowText(box->Handle()), "Play sound");
}

TEST_F(DesignerControls, ListBoxShowsItemsAndFollowsTheKeyboardAndDoubleClicks) {
    auto* list = Add<TListBox>(10, 10, 150, 120);
    for (const char* item : {"Button 1", "Button 2", "Check box", "Notice"})
        list->Items()->Add(item);
    int clicks = 0;
    int doubleClicks = 0;
    list->OnClick = [&](TObject*) { ++clicks; };
    list->OnDblClick = [&](TObject*) { ++doubleClicks; };
    HWND window = list->Handle();
    EXPECT_EQ(SendMessageA(window, LB_GETCOUNT, 0, 0), 4);
    char text[32]{};
    SendMessageA(window, LB_GETTEXT, 2, reinterpret_cast<LPARAM>(text));
    EXPECT_STREQ(text, "Check box");

    list->SetItemIndex(1);
    EXPECT_EQ(SendMessageA(window, LB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(clicks, 0) << "ItemIndex set by code fired OnClick";

    ASSERT_TRUE(Focus(*list));
    PressKey(VK_DOWN);
    ASSERT_TRUE(PumpApplicationUntil([&] { return clicks == 1; })) << "arrow key: no OnClick";
    EXPECT_EQ(list->ItemIndex(), 2);

    RECT first{};
    SendMessageA(window, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
    ClickOn(*list, first.left + 10, (first.top + first.bottom) / 2);
    PressLeft();
    ReleaseLeft();
    ASSERT_TRUE(PumpUntil([&] { return doubleClicks > 0; })) << "double click: no OnDblClick";
    EXPECT_EQ(doubleClicks, 1);
    EXPECT_EQ(list->ItemIndex(), 0);
}

// Entries longer than the list is wide wrap, and wrap anew when it is resized.
TEST_F(DesignerControls, AWrappingListBoxGivesEachEntryTheHeightOfItsText) {
    auto* list = Add<TListBox>(10, 10, 120, 200);
    list->SetWordWrap(true);
    list->Items()->Add("short");
    list->Items()->Add("a problem named by its file, line and key, and what is allowed there");
    auto height = [&](int index) {
        return static_cast<int>(SendMessageA(list->Handle(), LB_GETITEMHEIGHT, index, 0));
    };
    EXPECT_GE(height(1), 3 * height(0)) << "the long entry did not wrap";
    list->SetWidth(600);
    PumpApplicationFor(20);
    EXPECT_EQ(height(1), height(0)) << "one line at that width";
    list->Items()->Insert(0, "a problem named by its file, line and key, and what is allowed");
    EXPECT_EQ(height(0), height(1)) << "an entry added later is measured too";
    list->SetWidth(120);
    PumpApplicationFor(20);
    EXPECT_GE(height(0), 3 * height(1));
}

TEST_F(DesignerControls, ListBoxKeepsItemsAndSelectionWithoutAndAcrossWindows) {
    auto* list = Add<TListBox>(10, 10, 150, 120);
    list->Items()->Add("b");
    list->Items()->Add("c");
    list->SetItemIndex(1);
    list->RecreateWnd();
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 2);
    EXPECT_EQ(list->ItemIndex(), 1);

    list->SetParent(nullptr); // no window now
    ASSERT_FALSE(list->HandleAllocated());
    list->Items()->Insert(0, "a");
    EXPECT_EQ(list->ItemIndex(), 2) << "the selection did not move with an insertion";
    list->SetParent(form.get());
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCURSEL, 0, 0), 2);
    list->Clear();
    EXPECT_EQ(SendMessageA(list->Handle(), LB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(list->ItemIndex(), -1);
}

TEST_F(DesignerControls, PanelHoldsChildWindowsAndPassesTheirNotificationsOn) {
    auto* panel = Add<TPanel>(10, 10, 250, 150);
    panel->SetBevelInner(bvLowered);
    panel->SetBevelWidth(2);
    EXPECT_EQ(panel->BorderWidth(), 4);
    auto* button = Add<TButton>(panel, 20, 20, 80, 25);
    auto* label = Add<TLabel>(panel, 20, 60, 50, 15);
    label->SetCaption("Caption");
    int clicks = 0;
    button->OnClick = [&](TObject*) { ++clicks; };
    EXPECT_EQ(GetParent(button->Handle()), panel->Handle());
    EXPECT_TRUE(Style(panel->Handle()) & WS_CLIPCHILDREN);
    EXPECT_EQ(panel->ControlAtPos(Point(25, 65)), label);
    ClickOn(*button);
    ASSERT_TRUE(PumpUntil([&] { return clicks == 1; })) << "a click inside the panel was lost";

    panel->RecreateWnd();
    ASSERT_TRUE(button->HandleAllocated());
    EXPECT_EQ(GetParent(button->Handle()), panel->Handle());
    RECT r{};
    GetWindowRect(button->Handle(), &r);
    TPoint origin = panel->ClientToScreen(Point(20, 20));
    EXPECT_EQ(r.left, origin.X);
    EXPECT_EQ(r.top, origin.Y);
}
