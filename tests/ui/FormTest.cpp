// Forms and the application: frame sizes, the two-step creation with its
// error box, the message loop and termination, activation and focus.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "framework/ui/ComboBox.h"

namespace {

SIZE ClientSize(HWND window) {
    RECT r{};
    GetClientRect(window, &r);
    return SIZE{r.right, r.bottom};
}

SIZE OuterSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return SIZE{r.right - r.left, r.bottom - r.top};
}

} // namespace

TEST(FormBorder, SingleBorderSetsOuterSizeFromClientSize) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.SetBorderIcons({biSystemMenu});
    form.SetClientWidth(562);
    form.SetClientHeight(239);
    form.AfterConstruction();
    EXPECT_GT(form.Width(), 562);
    EXPECT_GT(form.Height(), 239);

    HWND window = form.Handle();
    SIZE client = ClientSize(window);
    EXPECT_EQ(client.cx, 562);
    EXPECT_EQ(client.cy, 239);
    SIZE outer = OuterSize(window);
    EXPECT_EQ(outer.cx, form.Width());
    EXPECT_EQ(outer.cy, form.Height());
    LONG style = GetWindowLongA(window, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, WS_CAPTION);
    EXPECT_TRUE(style & WS_SYSMENU);
    EXPECT_FALSE(style & (WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX));
}

// A picture larger than the screen still gets a client area of exactly its
// size, whether the window is made at that size or resized to it later, and
// with or without a frame.
TEST(FormBorder, ClientSizeLargerThanTheScreenIsKeptExactly) {
    const int wide = GetSystemMetrics(SM_CXSCREEN) + 640;
    const int high = GetSystemMetrics(SM_CYSCREEN) + 56;
    for (TFormBorderStyle border : {bsNone, bsSingle, bsSizeable}) {
        SCOPED_TRACE(static_cast<int>(border));
        ScopedTestApplication app;
        TForm madeLarge(nullptr);
        madeLarge.SetBorderStyle(border);
        madeLarge.SetClientWidth(wide);
        madeLarge.SetClientHeight(high);
        madeLarge.AfterConstruction();
        SIZE client = ClientSize(madeLarge.Handle());
        EXPECT_EQ(client.cx, wide);
        EXPECT_EQ(client.cy, high);
        EXPECT_EQ(madeLarge.ClientWidth(), wide);
        EXPECT_EQ(madeLarge.ClientHeight(), high);

        TForm resized(nullptr);
        resized.SetBorderStyle(border);
        resized.AfterConstruction();
        resized.SetBounds(10, 10, 300, 200);
        HWND window = resized.Handle();
        resized.SetClientWidth(wide);
        resized.SetClientHeight(high);
        client = ClientSize(window);
        EXPECT_EQ(client.cx, wide);
        EXPECT_EQ(client.cy, high);
        SIZE outer = OuterSize(window);
        EXPECT_EQ(outer.cx, resized.Width());
        EXPECT_EQ(outer.cy, resized.Height());
    }
}

TEST(FormBorder, ClientSizeReadWithTheLayoutFollowsTheFinalBorderStyle) {
    ScopedTestApplication app;
    TForm form(nullptr);
    // The layout sets the client size before the border (default: sizeable).
    form.SetClientWidth(200);
    form.SetClientHeight(100);
    form.SetBorderStyle(bsNone);
    form.AfterConstruction();
    EXPECT_EQ(form.Width(), 200);
    EXPECT_EQ(form.Height(), 100);
}

TEST(FormBorder, NoBorderOnALiveWindowRecreatesItAndKeepsTheOuterSize) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.SetBorderStyle(bsSingle);
    form.AfterConstruction();
    form.SetBounds(50, 60, 400, 300);
    HWND before = form.Handle();

    form.SetBorderStyle(bsNone);
    HWND after = form.Handle();
    EXPECT_NE(after, before);
    EXPECT_FALSE(IsWindow(before));
    LONG style = GetWindowLongA(after, GWL_STYLE);
    EXPECT_TRUE(style & WS_POPUP);
    EXPECT_FALSE(style & WS_CAPTION);
    SIZE client = ClientSize(after);
    EXPECT_EQ(client.cx, 400);
    EXPECT_EQ(client.cy, 300);
    EXPECT_EQ(form.ClientWidth(), 400);

    form.SetClientWidth(640);
    form.SetClientHeight(480);
    EXPECT_EQ(form.Width(), 640);
    EXPECT_EQ(OuterSize(after).cy, 480);
    RECT r{};
    GetWindowRect(after, &r);
    EXPECT_EQ(r.left, 50);
    EXPECT_EQ(r.top, 60);
}

namespace {

// A form whose stored layout holds one control and whose OnCreate runs the
// test's handler.
class LayoutForm : public TForm {
public:
    explicit LayoutForm(TComponent* owner) : TForm(owner) {
        Combo = new TComboBox(this);
        Combo->SetName("ComboBox1");
        Combo->SetParent(this);
        LoadingSeen = Combo->ComponentState().Contains(csLoading) &&
                      Combo->ComponentState().Contains(csReading);
        OnCreate = [this](TObject* sender) {
            LoadingLeftInCreate = Combo->ComponentState().Contains(csLoading);
            MainFormInCreate = Application->MainForm() == this;
            if (CreateHandler)
                CreateHandler(sender);
        };
        OnShow = [this](TObject*) {
            ++Shows;
            VisibleAtShow = Visible();
        };
    }
    static inline std::function<void(TObject*)> CreateHandler;
    TComboBox* Combo;
    bool LoadingSeen = false;
    bool LoadingLeftInCreate = true;
    bool MainFormInCreate = false;
    bool VisibleAtShow = false;
    int Shows = 0;
};

} // namespace

TEST(FormCreation, LayoutIsReadInLoadingStateAndOnCreateSeesTheMainForm) {
    ScopedTestApplication app;
    LayoutForm::CreateHandler = nullptr;
    LayoutForm* form = nullptr;
    app.App().CreateForm(form);
    ASSERT_NE(form, nullptr);
    EXPECT_TRUE(form->LoadingSeen);
    EXPECT_FALSE(form->LoadingLeftInCreate);
    EXPECT_TRUE(form->MainFormInCreate);
    EXPECT_EQ(app.App().MainForm(), form);
    EXPECT_FALSE(form->ComponentState().Contains(csLoading));

    LayoutForm* second = nullptr;
    app.App().CreateForm(second);
    EXPECT_EQ(app.App().MainForm(), form);
}

TEST(FormCreation, ErrorInOnCreateIsShownInTheErrorBoxAndTheFormStillRuns) {
    ScopedTestApplication app;
    app.App().SetTitle("Launcher");
    int stepsDone = 0;
    LayoutForm::CreateHandler = [&](TObject*) {
        ++stepsDone;
        Application->Terminate(); // so Run ends after showing the form once
        throw ERangeError();
        ++stepsDone;
    };
    LayoutForm* form = nullptr;
    app.App().CreateForm(form);
    LayoutForm::CreateHandler = nullptr;

    EXPECT_EQ(stepsDone, 1);
    auto boxes = app.Calls().CallsOf("MessageBoxA");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Args[1], "Fehler bei Bereichspr\xFC"
                                "fung");
    EXPECT_EQ(boxes[0].Args[2], "Launcher");
    EXPECT_EQ(boxes[0].Args[3], std::to_string(MB_OK | MB_ICONSTOP));

    app.App().Run();
    EXPECT_TRUE(app.App().Terminated());
    EXPECT_EQ(form->Shows, 1);
    EXPECT_TRUE(form->VisibleAtShow);
    EXPECT_TRUE(IsWindowVisible(form->Handle()));
    EXPECT_EQ(form->Combo->Parent(), form); // built before the error: still there
}

TEST(FormCreation, TitleDefaultsToTheExecutableNameWithoutExtension) {
    ScopedTestApplication app;
    EXPECT_EQ(app.App().Title(), "test_ui");
}

TEST(MessageLoop, ClosingTheMainFormEndsRun) {
    ScopedTestApplication app;
    LayoutForm::CreateHandler = nullptr;
    LayoutForm* form = nullptr;
    app.App().CreateForm(form);
    form->OnShow = [&](TObject*) { PostMessageA(form->Handle(), WM_CLOSE, 0, 0); };
    app.App().Run();
    EXPECT_TRUE(app.App().Terminated());
}

TEST(MessageLoop, ErrorEscapingAHandlerIsShownAndTheLoopGoesOn) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    auto* control = new RecordingControl(form.get());
    control->SetParent(form.get());
    control->SetBounds(0, 0, 50, 50);
    control->OnMouseDown = [](TObject*, TMouseButton, TShiftState, int, int) {
        throw EConvertError("'x' ist kein g\xFCltiger Integerwert");
    };
    SendMessageA(control->Handle(), WM_RBUTTONDOWN, 0, MAKELPARAM(5, 5));
    auto boxes = app.Calls().CallsOf("MessageBoxA");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Args[1], "'x' ist kein g\xFCltiger Integerwert");

    // The window still works.
    SendMessageA(control->Handle(), WM_RBUTTONUP, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(control->Count("UpR"), 1);
}

TEST(MessageLoop, ErrorBoxHelperUsesTheFrameworksCaptionAndIcon) {
    ScopedTestApplication app;
    ShowErrorBox("File L-CTNR.CTR is missing.\r\nProgram terminates!");
    auto boxes = app.Calls().CallsOf("MessageBoxA");
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].Args[1], "File L-CTNR.CTR is missing.\r\nProgram terminates!");
    EXPECT_EQ(boxes[0].Args[2], "Fehler");
    EXPECT_EQ(boxes[0].Args[3], std::to_string(MB_OK | MB_ICONERROR));
}

TEST(Activation, ActivateAndPaintFireTheirEvents) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    int activations = 0;
    int paints = 0;
    form.OnActivate = [&](TObject*) { ++activations; };
    form.OnPaint = [&](TObject*) { ++paints; };
    form.SetBounds(100, 100, 200, 100);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(PumpUntil([&] { return activations > 0 && paints > 0; }));
    EXPECT_TRUE(form.Active());
}

TEST(Focus, ControlFocusedInOnShowHasTheFocusOnceTheFormIsShown) {
    ScopedTestApplication app;
    TForm form(nullptr);
    auto* first = new TComboBox(&form);
    first->SetParent(&form);
    auto* second = new TComboBox(&form);
    second->SetParent(&form);
    second->SetLeft(-(second->Width() + 30)); // out of view, still focusable
    int enters = 0;
    int exits = 0;
    second->OnEnter = [&](TObject*) { ++enters; };
    second->OnExit = [&](TObject*) { ++exits; };
    form.OnShow = [&](TObject*) { second->SetFocus(); };
    form.AfterConstruction();
    form.SetBounds(100, 100, 300, 200);
    form.Show();
    SetForegroundWindow(form.Handle());
    EXPECT_TRUE(PumpUntil([&] { return second->Focused(); }));
    EXPECT_EQ(form.ActiveControl(), second);
    EXPECT_EQ(enters, 1);

    first->SetFocus();
    PumpFor(20);
    EXPECT_TRUE(first->Focused());
    EXPECT_FALSE(second->Focused());
    EXPECT_EQ(exits, 1);

    second->SetVisible(false);
    EXPECT_FALSE(second->CanFocus());
    EXPECT_THROW(second->SetFocus(), EInvalidOperation);
}
