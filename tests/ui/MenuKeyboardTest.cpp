// The main menu (HMENU contents, command routing), shortcuts reaching menu
// items while a text field has the focus, Enter and the default button, and
// Tab order, through real windows and real key presses.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "KeyboardInput.h"
#include "UiTestSupport.h"
#include "framework/ui/Button.h"
#include "framework/ui/CheckBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/KeyboardRouting.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/MainMenu.h"

namespace {

std::string MenuText(HMENU menu, UINT position) {
    char text[128]{};
    GetMenuStringA(menu, position, text, sizeof text, MF_BYPOSITION);
    return text;
}

// A form with the designer's kind of menu and one text field.
class MenuFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeShownForm(100, 100, 400, 300);
        menu = new TMainMenu(form.get());
        TMenuItem* file = menu->Items()->AddItem("&File");
        open = file->AddItem("&Open...", ShortCut('O', scCtrl), Record("open"));
        save = file->AddItem("&Save", ShortCut('S', scCtrl), Record("save"));
        file->AddItem("-");
        file->AddItem("E&xit");
        TMenuItem* edit = menu->Items()->AddItem("&Edit");
        undo = edit->AddItem("&Undo", ShortCut('Z', scCtrl), Record("undo"));
        redo = edit->AddItem("&Redo", ShortCut('Y', scCtrl), Record("redo"));
        copy = edit->AddItem("&Copy", ShortCut('C', scCtrl), Record("copy"));
        preview = edit->AddItem("&Preview", ShortCut(VK_F5), Record("preview"));
        form->SetMenu(menu);
        field = new TEdit(form.get());
        field->SetParent(form.get());
        field->SetBounds(10, 10, 150, 21);
        field->SetText("Title");
        field->OnCommit = [this](TObject*) { events.push_back("commit " + field->Text()); };
    }
    TNotifyEvent Record(const std::string& name) {
        return [this, name](TObject*) { events.push_back(name); };
    }
    bool FocusField() {
        field->SetFocus();
        return PumpApplicationUntil([&] { return field->Focused(); });
    }
    ScopedTestApplication app;
    std::unique_ptr<TestForm> form;
    TMainMenu* menu = nullptr;
    TMenuItem* open = nullptr;
    TMenuItem* save = nullptr;
    TMenuItem* undo = nullptr;
    TMenuItem* redo = nullptr;
    TMenuItem* copy = nullptr;
    TMenuItem* preview = nullptr;
    TEdit* field = nullptr;
    std::vector<std::string> events;
};

} // namespace

TEST(ShortCutText, NamesModifiersAndKeysAsTheMenuShowsThem) {
    EXPECT_EQ(ShortCutToText(ShortCut('Z', scCtrl)), "Ctrl+Z");
    EXPECT_EQ(ShortCutToText(ShortCut('S', scCtrl | scShift)), "Ctrl+Shift+S");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F5)), "F5");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_DELETE)), "Del");
    EXPECT_EQ(ShortCutToText(ShortCut(VK_F4, scAlt)), "Alt+F4");
    EXPECT_EQ(ShortCutToText(scNone), "");
}

TEST_F(MenuFixture, MenuBarShowsItemsWithShortCutsSeparatorsAndStates) {
    HMENU bar = GetMenu(form->Handle());
    ASSERT_EQ(bar, menu->Handle()) << "the form's window shows no menu";
    ASSERT_EQ(GetMenuItemCount(bar), 2);
    EXPECT_EQ(MenuText(bar, 0), "&File");
    HMENU file = GetSubMenu(bar, 0);
    ASSERT_NE(file, nullptr);
    ASSERT_EQ(GetMenuItemCount(file), 4);
    EXPECT_EQ(MenuText(file, 0), "&Open...\tCtrl+O");
    EXPECT_TRUE(GetMenuState(file, 2, MF_BYPOSITION) & MF_SEPARATOR);
    EXPECT_EQ(GetMenuItemID(file, 1), save->Command());

    save->SetEnabled(false);
    EXPECT_TRUE(GetMenuState(bar, save->Command(), MF_BYCOMMAND) & MF_GRAYED);
    save->SetChecked(true);
    EXPECT_TRUE(GetMenuState(bar, save->Command(), MF_BYCOMMAND) & MF_CHECKED);

    open->SetCaption("&Open menu...");
    HMENU rebuilt = GetMenu(form->Handle());
    EXPECT_EQ(rebuilt, menu->Handle()) << "the window kept the menu from before the change";
    EXPECT_EQ(MenuText(GetSubMenu(rebuilt, 0), 0), "&Open menu...\tCtrl+O");
    EXPECT_TRUE(GetMenuState(rebuilt, save->Command(), MF_BYCOMMAND) & MF_GRAYED);
}

TEST_F(MenuFixture, MenuCommandsReachEnabledItemsOnly) {
    PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
    PumpApplicationUntil([&] { return !events.empty(); });
    EXPECT_EQ(events, std::vector<std::string>{"save"});
    save->SetEnabled(false);
    PostMessageA(form->Handle(), WM_COMMAND, MAKEWPARAM(save->Command(), 0), 0);
    PumpApplicationFor(50);
    EXPECT_EQ(events.size(), 1u) << "a disabled item ran";
}

TEST_F(MenuFixture, MenuOutlivesWindowRecreationAndLeavesWithItsComponent) {
    HMENU bar = menu->Handle();
    form->SetBorderStyle(bsSizeable);
    EXPECT_EQ(GetMenu(form->Handle()), bar);
    EXPECT_TRUE(IsMenu(bar)) << "the old window destroyed the menu";
    delete menu;
    EXPECT_EQ(form->Menu(), nullptr);
    EXPECT_EQ(GetMenu(form->Handle()), nullptr);
    EXPECT_FALSE(IsMenu(bar));
}

TEST_F(MenuFixture, ShortCutsReachTheMenuWhileAnEditHasTheFocus) {
    ASSERT_TRUE(FocusField());
    PressKey('S', {VK_CONTROL});
    PressKey(VK_F5);
    PressKey('Z', {VK_CONTROL}); // nothing typed: the document's undo
    PumpApplicationUntil([&] { return events.size() >= 3; });
    EXPECT_EQ(events, (std::vector<std::string>{"save", "preview", "undo"}));
    EXPECT_EQ(field->Text(), "Title");
    PressKey('C', {VK_CONTROL}); // the field's own copy
    PumpApplicationFor(50);
    EXPECT_EQ(events.size(), 3u) << "Ctrl+C in a text field ran the menu's Copy";
}

TEST_F(MenuFixture, TypedTextKeepsUndoInTheFieldAndIsCommittedBeforeOtherShortCuts) {
    ASSERT_TRUE(FocusField());
    SendMessageA(field->Handle(), EM_SETSEL, 5, 5);
    PressKey('X');
    ASSERT_TRUE(PumpApplicationUntil([&] { return field->Text() == "Titlex"; }));
    PressKey('Z', {VK_CONTROL});
    PumpApplicationFor(50);
    EXPECT_TRUE(events.empty()) << "Ctrl+Z with uncommitted text ran " << events.front();

    field->SetText("Title");
    SendMessageA(field->Handle(), EM_SETSEL, 5, 5);
    PressKey('Y');
    ASSERT_TRUE(PumpApplicationUntil([&] { return field->Text() == "Titley"; }));
    PressKey('S', {VK_CONTROL});
    PumpApplicationUntil([&] { return events.size() >= 2; });
    EXPECT_EQ(events, (std::vector<std::string>{"commit Titley", "save"}));
}

TEST_F(MenuFixture, TextFieldsKeepEditingKeysAndUndoOnlyWhileModified) {
    HWND window = field->Handle();
    ASSERT_TRUE(window);
    using keyboard_routing::ControlOwnsShortCut;
    EXPECT_TRUE(ControlOwnsShortCut(field, ShortCut(VK_DELETE)));
    EXPECT_TRUE(ControlOwnsShortCut(field, ShortCut('V', scCtrl)));
    EXPECT_FALSE(ControlOwnsShortCut(field, ShortCut('Z', scCtrl)));
    EXPECT_FALSE(ControlOwnsShortCut(field, ShortCut(VK_F5)));
    SetWindowTextA(window, "changed");
    EXPECT_TRUE(ControlOwnsShortCut(field, ShortCut('Z', scCtrl)));
    EXPECT_TRUE(ControlOwnsShortCut(field, ShortCut('Y', scCtrl)));
    EXPECT_FALSE(ControlOwnsShortCut(field, ShortCut('S', scCtrl)));
    auto* box = new TCheckBox(form.get());
    box->SetParent(form.get());
    EXPECT_FALSE(ControlOwnsShortCut(box, ShortCut(VK_DELETE)));
}

TEST_F(MenuFixture, EnterCommitsTheFieldThenClicksTheDefaultButton) {
    auto* ok = new TButton(form.get());
    ok->SetParent(form.get());
    ok->SetBounds(10, 50, 75, 25);
    ok->OnClick = [this](TObject*) { events.push_back("ok"); };
    ASSERT_TRUE(FocusField());
    PressKey(VK_RETURN);
    PumpApplicationFor(30);
    EXPECT_EQ(events, std::vector<std::string>{"commit Title"}) << "no default button yet";
    ok->SetDefault(true);
    PressKey(VK_RETURN);
    PumpApplicationUntil([&] { return events.size() >= 3; });
    EXPECT_EQ(events, (std::vector<std::string>{"commit Title", "commit Title", "ok"}));
}

TEST(TabOrder, TabAndShiftTabVisitTheControlsInTabOrder) {
    ScopedTestApplication app;
    auto form = MakeShownForm(100, 100, 400, 300);
    auto* name = new TEdit(form.get());
    auto* sound = new TCheckBox(form.get());
    auto* list = new TListBox(form.get());
    auto* apply = new TButton(form.get());
    int top = 10;
    for (TWinControl* control : std::vector<TWinControl*>{name, sound, list, apply}) {
        control->SetParent(form.get());
        control->SetBounds(10, top, 120, 25);
        top += 40;
    }
    list->SetTabOrder(0); // list first, then edit, check box, button
    list->SetFocus();
    ASSERT_TRUE(PumpApplicationUntil([&] { return list->Focused(); }));
    std::vector<TWinControl*> visited;
    TWinControl* previous = list;
    for (int i = 0; i < 4; ++i) {
        PressKey(VK_TAB);
        PumpApplicationUntil([&] { return form->ActiveControl() != previous; });
        previous = form->ActiveControl();
        visited.push_back(previous);
    }
    EXPECT_EQ(visited, (std::vector<TWinControl*>{name, sound, apply, list}));
    PressKey(VK_TAB, {VK_SHIFT});
    ASSERT_TRUE(PumpApplicationUntil([&] { return apply->Focused(); }))
        << "Shift+Tab did not go back to the button";
}
