// The designer's window in-process on a copy of the demo menu: the canvas is
// the launcher's own construction, pointer and keys reach the select tool only
// through the application's message loop (as real input does), and what the
// launcher cannot build is listed, never raised.
#include <windows.h>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "authoring/MenuBuild.h"
#include "designer/app/DesignerForm.h"
#include "designer/app/MenuCanvas.h"
#include "designer/app/PropertyPanel.h"
#include "designer/app/TestRun.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Application.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Image.h"
#include "framework/ui/Label.h"
#include "framework/ui/ListBox.h"
#include "framework/ui/Memo.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"
#include "tests/support/MessagePump.h"
#include "tests/ui/KeyboardInput.h"

namespace {

std::string FreshFolder() {
    char temp[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH, temp);
    static int counter = 0;
    const std::string folder = std::string(temp) + "designer-window-" +
                               std::to_string(GetCurrentProcessId()) + "-" +
                               std::to_string(++counter);
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

void CopyDemoMenu(const std::string& to) {
    const std::string from = std::string(OVALYN_SOURCE_DIR) + "/demo/menu/";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((from + "*").c_str(), &found);
    ASSERT_NE(search, INVALID_HANDLE_VALUE) << from;
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            ASSERT_TRUE(CopyFileA((from + found.cFileName).c_str(),
                                  (to + "\\" + found.cFileName).c_str(), FALSE))
                << found.cFileName;
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

void RemoveFolder(const std::string& folder) {
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                DeleteFileA((folder + "\\" + found.cFileName).c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    RemoveDirectoryA(folder.c_str());
}

class DesignerWindow : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = Application;
        app_ = std::make_unique<TApplication>(nullptr);
        Application = app_.get();
        folder_ = FreshFolder();
        CopyDemoMenu(folder_);
    }

    void TearDown() override {
        app_.reset();
        Application = previous_;
        RemoveFolder(folder_);
    }

    // The designer showing the menu in folder_.
    void Open() {
        form_ = new TDesignerForm(app_.get());
        form_->Show();
        ASSERT_TRUE(form_->OpenFolder(folder_));
        Loop();
    }

    // What the message loop does with posted input: the application's own
    // loop, so the canvas sees it the way it sees the real pointer.
    void Loop() {
        for (int i = 0; i < 5; ++i) {
            Application->ProcessMessages();
            Sleep(5);
        }
    }

    void Post(HWND window, UINT message, WPARAM wParam, int x, int y) {
        PostMessageA(window, message, wParam, MAKELPARAM(x, y));
    }

    DesignDocument& Document() { return form_->Document(); }
    const TMenuControls& Menu() { return form_->Canvas()->MenuControls(); }
    TOvalynShapeButton* Button(int group) { return Menu().Buttons[group - 1]; }

    // Presses the launch button at (10, 10) of its window, moves it by dx, dy
    // in three steps and, with release, lets go.
    void DragLaunchButton(int dx, int dy, bool release) {
        HWND button = Button(3)->Handle();
        HWND canvas = form_->Canvas()->Handle();
        // The pressed point on the canvas: the button moves away under the
        // pointer, so the later points are taken from here.
        POINT pressed{10, 10};
        MapWindowPoints(button, canvas, &pressed, 1);
        Post(button, WM_LBUTTONDOWN, MK_LBUTTON, 10, 10);
        Loop();
        for (int step = 1; step <= 3; ++step) {
            // The canvas holds the capture after the press.
            Post(canvas, WM_MOUSEMOVE, MK_LBUTTON, pressed.x + dx * step / 3,
                 pressed.y + dy * step / 3);
            Loop();
        }
        if (release) {
            Post(canvas, WM_LBUTTONUP, 0, pressed.x + dx, pressed.y + dy);
            Loop();
        }
    }

    TApplication* previous_ = nullptr;
    std::unique_ptr<TApplication> app_;
    std::string folder_;
    TDesignerForm* form_ = nullptr; // owned by the application
};

TEST_F(DesignerWindow, TheCanvasShowsTheMenuAsTheLauncherBuildsItInBothModes) {
    Open();
    ASSERT_TRUE(form_->Canvas()->BuildError().empty()) << form_->Canvas()->BuildError();
    EXPECT_EQ(form_->Canvas()->Width(), Menu().Background->Width());
    EXPECT_EQ(form_->Canvas()->Height(), Menu().Background->Height());
    EXPECT_GT(Menu().Background->Width(), 100);

    // Launch mode: launch, web and quit buttons, the option list, the check box.
    EXPECT_FALSE(Button(1)->Visible()) << "the install button belongs to requirement mode";
    ASSERT_TRUE(Button(3)->Visible());
    EXPECT_EQ(Button(3)->Left(), 240);
    EXPECT_EQ(Button(3)->Top(), 240);
    EXPECT_EQ(Button(3)->Caption(), "Start game");
    EXPECT_TRUE(Button(2)->Visible());
    EXPECT_TRUE(Button(4)->Visible());
    EXPECT_FALSE(Button(5)->Visible());
    EXPECT_TRUE(Menu().Options->Visible());
    EXPECT_EQ(SendMessageA(Menu().Options->Handle(), CB_GETCOUNT, 0, 0), 3);
    EXPECT_TRUE(Menu().CheckBox->Visible());
    EXPECT_FALSE(Menu().Notice->Visible());

    // Requirement mode: the install button and the notice instead.
    Document().SetMode(MenuMode::Requirement);
    Loop();
    EXPECT_TRUE(Button(1)->Visible());
    EXPECT_FALSE(Button(3)->Visible());
    EXPECT_FALSE(Menu().CheckBox->Visible());
    EXPECT_FALSE(Menu().Options->Visible());
    ASSERT_TRUE(Menu().Notice->Visible());
    EXPECT_EQ(Menu().Notice->Left(), 140);
    EXPECT_EQ(Menu().Notice->Width(), 360);
}

TEST_F(DesignerWindow, ADragThroughTheLoopMovesTheButtonAsOneUndoStepAndNeverPressesIt) {
    Open();
    bool clicked = false;
    Button(3)->OnClick = [&](TObject*) { clicked = true; };
    DragLaunchButton(30, 12, true);
    EXPECT_FALSE(clicked) << "the menu's buttons must not see the pointer";
    EXPECT_EQ(Document().Selection(), ElementId::Launch);
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchLeft), "270");
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchTop), "252");
    EXPECT_EQ(Button(3)->Left(), 270);
    EXPECT_EQ(Button(3)->Top(), 252);
    EXPECT_EQ(Document().UndoStack().Count(), 1) << "three pointer moves, one step";
    EXPECT_TRUE(Document().Modified());

    Document().Undo();
    Loop();
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchLeft), "240");
    EXPECT_EQ(Button(3)->Left(), 240) << "the canvas follows an undo";
    EXPECT_FALSE(Document().Modified());
}

TEST_F(DesignerWindow, EscapeAbandonsADragAndTheArrowKeysNudge) {
    Open();
    DragLaunchButton(40, 40, false);
    ASSERT_EQ(Button(3)->Left(), 280) << "the drag is under way";
    Post(form_->Canvas()->Handle(), WM_KEYDOWN, VK_ESCAPE, 0, 0);
    Loop();
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchLeft), "240");
    EXPECT_EQ(Button(3)->Left(), 240);
    EXPECT_FALSE(Document().CanUndo()) << "an abandoned drag leaves no step";
    // The release that follows is no drag of its own.
    Post(form_->Canvas()->Handle(), WM_LBUTTONUP, 0, 0, 0);
    Loop();
    EXPECT_FALSE(Document().CanUndo());

    Post(form_->Canvas()->Handle(), WM_KEYDOWN, VK_LEFT, 0, 0);
    Post(form_->Canvas()->Handle(), WM_KEYDOWN, VK_UP, 0, 0);
    Loop();
    EXPECT_EQ(Button(3)->Left(), 239);
    EXPECT_EQ(Button(3)->Top(), 239);
    EXPECT_EQ(Document().UndoStack().Count(), 2) << "each key press is a step";
}

TEST_F(DesignerWindow, AButtonIsHeldToThePlacesTheLauncherTakes) {
    Open();
    DragLaunchButton(-400, -400, true);
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchLeft), "0");
    EXPECT_EQ(Document().Menu().Text(SettingId::LaunchTop), "0");
    EXPECT_EQ(Button(3)->Left(), 0);
}

TEST_F(DesignerWindow, AMenuTheLauncherCannotBuildIsListedAndAProblemSelectsItsElement) {
    // Exact launcher text the launcher cannot read as a number.
    std::string ini;
    {
        std::ifstream in(folder_ + "\\menu.ini", std::ios::binary);
        ini.assign(std::istreambuf_iterator<char>(in), {});
    }
    const std::string place = "[CheckBox]";
    const size_t at = ini.find(place);
    ASSERT_NE(at, std::string::npos);
    const size_t left = ini.find("Left=205", at);
    ASSERT_NE(left, std::string::npos);
    ini.replace(left, 8, "Left=\"2x5\"");
    {
        std::ofstream out(folder_ + "\\menu.ini", std::ios::binary | std::ios::trunc);
        out << ini;
    }
    Open();
    EXPECT_FALSE(form_->Canvas()->BuildError().empty()) << "the launcher stops at that line";
    TListBox* problems = form_->ProblemsList();
    ASSERT_GE(problems->Items()->Count(), 2);
    EXPECT_EQ(problems->Items()->Get(0).rfind("Error: the launcher cannot build", 0), 0u)
        << problems->Items()->Get(0) << " / " << problems->Items()->Get(1);

    int checkBoxProblem = -1;
    for (int i = 0; i < problems->Items()->Count(); ++i)
        if (problems->Items()->Get(i).find("[CheckBox] Left") != std::string::npos)
            checkBoxProblem = i;
    ASSERT_GE(checkBoxProblem, 0) << "the model's check names the setting";
    RECT item{};
    SendMessageA(problems->Handle(), LB_GETITEMRECT, checkBoxProblem,
                 reinterpret_cast<LPARAM>(&item));
    Post(problems->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, item.left + 4, item.top + 2);
    Post(problems->Handle(), WM_LBUTTONUP, 0, item.left + 4, item.top + 2);
    Loop();
    EXPECT_EQ(Document().Selection(), ElementId::CheckBox);
}

TEST_F(DesignerWindow, SelectingAnElementOfTheOtherModeShowsThatMode) {
    Open();
    ASSERT_EQ(Document().Mode(), MenuMode::Launch);
    form_->SelectElement(ElementId::Notice);
    Loop();
    EXPECT_EQ(Document().Mode(), MenuMode::Requirement);
    EXPECT_TRUE(Menu().Notice->Visible());
    form_->SelectElement(ElementId::Options);
    Loop();
    EXPECT_EQ(Document().Mode(), MenuMode::Launch);
}

TEST_F(DesignerWindow, TheTestRunGetsTheContainerThatBuildWrites) {
    Open();
    const std::string built = folder_ + "\\built.ctr";
    Document().BuildContainer(built);
    std::ifstream in(built, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_GT(bytes.size(), 1000u);
    EXPECT_TRUE(ContainerBytesOfMenu(Document().Menu()) == bytes)
        << "Test must show the launcher the very container Build writes";
}

} // namespace

// The view keys work wherever the focus is: on every kind of panel field,
// also one holding text typed but not yet committed.
TEST_F(DesignerWindow, TheModeKeysWorkWhileAPanelFieldHasTheFocus) {
    Open();
    // Real keys go to the active window: the designer's.
    SetForegroundWindow(form_->Handle());
    form_->SelectElement(ElementId::Quit);
    PumpApplicationFor(200);
    const struct {
        const char* what;
        std::function<TWinControl*()> field;
        bool type;
    } fields[] = {
        {"the element chooser", [&] { return form_->Properties()->ElementChooser(); }, false},
        {"a text field", [&] { return form_->Properties()->Editor("Caption"); }, false},
        {"a check box", [&] { return form_->Properties()->Editor("Shown"); }, false},
        {"a text field being typed in", [&] { return form_->Properties()->Editor("Caption"); },
         true},
    };
    for (const auto& f : fields) {
        SCOPED_TRACE(f.what);
        TWinControl* field = f.field();
        ASSERT_NE(field, nullptr);
        ::SetFocus(field->Handle());
        ASSERT_TRUE(PumpApplicationUntil([&] { return field->Focused(); }));
        if (f.type)
            PressKey('X');
        PressKey('2', {VK_CONTROL});
        EXPECT_TRUE(PumpApplicationUntil([&] {
            return Document().Mode() == MenuMode::Requirement;
        })) << "Ctrl+2 did not show the requirement mode";
        PressKey('1', {VK_CONTROL});
        EXPECT_TRUE(PumpApplicationUntil([&] { return Document().Mode() == MenuMode::Launch; }))
            << "Ctrl+1 did not show the launch mode";
        PumpApplicationFor(100); // the panel is built anew for the mode
    }
}

// Every property label is as wide as its text, whatever the element.
TEST_F(DesignerWindow, NoPropertyLabelIsCut) {
    Open();
    for (ElementId id : {ElementId::None, ElementId::Launch, ElementId::CheckBox,
                         ElementId::Options, ElementId::Notice}) {
        form_->SelectElement(id);
        PumpApplicationFor(100);
        std::vector<TWinControl*> containers{form_->Properties()};
        int labels = 0;
        while (!containers.empty()) {
            TWinControl* container = containers.back();
            containers.pop_back();
            for (int i = 0; i < container->ControlCount(); ++i) {
                TControl* child = container->Controls(i);
                if (auto* windowed = dynamic_cast<TWinControl*>(child))
                    containers.push_back(windowed);
                auto* label = dynamic_cast<TLabel*>(child);
                if (!label || !label->Visible())
                    continue;
                ++labels;
                HDC screen = GetDC(nullptr);
                HGDIOBJ old = SelectObject(screen, label->Font()->Handle());
                const std::string text = label->Caption();
                RECT extent{0, 0, 0, 0};
                DrawTextA(screen, text.c_str(), static_cast<int>(text.size()), &extent,
                          DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
                SelectObject(screen, old);
                ReleaseDC(nullptr, screen);
                EXPECT_GE(label->Width(), extent.right) << "cut: " << text;
            }
        }
        EXPECT_GT(labels, 3) << "element " << static_cast<int>(id);
    }
}
