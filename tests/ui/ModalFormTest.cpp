// Modal forms: ShowModal's own message loop, the owner window disabled while
// it runs and active again after, and what ends it (ModalResult set by a
// button, closing the form, the application terminating).
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "framework/ui/Button.h"

namespace {

// A dialog with one button that ends it with mrOk; what the owner looked
// like while the dialog ran is written down when the button is pressed.
struct Dialog : TForm {
    explicit Dialog(TComponent* owner) : TForm(owner) {
        SetBounds(150, 150, 240, 120);
        ok = new TButton(this);
        ok->SetParent(this);
        ok->SetBounds(10, 10, 80, 24);
        ok->SetCaption("OK");
        ok->OnClick = [this](TObject*) {
            ++clicks;
            ownerEnabledInside = IsWindowEnabled(ownerWindow) != FALSE;
            visibleInside = IsWindowVisible(Handle()) != FALSE;
            SetModalResult(mrOk);
        };
    }
    TButton* ok = nullptr;
    HWND ownerWindow = nullptr;
    int clicks = 0;
    bool ownerEnabledInside = true;
    bool visibleInside = false;
};

struct ModalFixture : ::testing::Test {
    void SetUp() override {
        owner = MakeShownForm(40, 40, 300, 200);
        PumpUntil([&] { return GetActiveWindow() == owner->Handle(); });
        ASSERT_EQ(GetActiveWindow(), owner->Handle()) << "the owner form is not active";
        dialog = std::make_unique<Dialog>(nullptr);
        dialog->AfterConstruction();
        dialog->ownerWindow = owner->Handle();
    }
    void TearDown() override { DrainQueue(); }

    ScopedTestApplication app;
    std::unique_ptr<TestForm> owner;
    std::unique_ptr<Dialog> dialog;
};

TEST_F(ModalFixture, AButtonSettingModalResultEndsItWithTheOwnerDisabledMeanwhile) {
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->ok->Handle(), BM_CLICK, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(dialog->clicks, 1);
    EXPECT_TRUE(dialog->visibleInside);
    EXPECT_FALSE(dialog->ownerEnabledInside) << "the owner took input while the dialog ran";
    EXPECT_TRUE(IsWindowEnabled(owner->Handle())) << "the owner stayed disabled";
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
    EXPECT_FALSE(dialog->Modal());
    EXPECT_EQ(GetActiveWindow(), owner->Handle());

    // A second run starts afresh: the last result does not end it at once.
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_EQ(dialog->clicks, 1);
}

TEST_F(ModalFixture, ClosingTheFormIsCancelUnlessCloseQueryRefuses) {
    int asked = 0;
    dialog->OnCloseQuery = [&](TObject*, bool& canClose) {
        ++asked;
        canClose = asked > 1;
        if (!canClose) // refused: the dialog runs on until the button ends it
            PostMessageA(dialog->ok->Handle(), BM_CLICK, 0, 0);
    };
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(dialog->clicks, 1);

    dialog->OnCloseQuery = nullptr;
    dialog->OnClose = [](TObject*, TCloseAction& action) { action = caFree; };
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->Handle(), WM_CLOSE, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    // caFree does not free a modal form: its owner still holds it.
    app.App().ProcessMessages();
    EXPECT_FALSE(IsWindowVisible(dialog->Handle()));
}

TEST_F(ModalFixture, TheApplicationTerminatingEndsItAsCancel) {
    dialog->OnShow = [&](TObject*) { PostQuitMessage(0); };
    EXPECT_EQ(dialog->ShowModal(), mrCancel);
    EXPECT_TRUE(app.App().Terminated());
    EXPECT_TRUE(IsWindowEnabled(owner->Handle()));
}

TEST_F(ModalFixture, AnErrorInAHandlerIsShownAndTheDialogGoesOn) {
    dialog->ok->OnClick = [&](TObject*) {
        ++dialog->clicks;
        if (dialog->clicks == 1) {
            PostMessageA(dialog->ok->Handle(), BM_CLICK, 0, 0);
            throw EInvalidOperation("the first press fails");
        }
        dialog->SetModalResult(mrOk);
    };
    dialog->OnShow = [&](TObject*) { PostMessageA(dialog->ok->Handle(), BM_CLICK, 0, 0); };
    EXPECT_EQ(dialog->ShowModal(), mrOk);
    EXPECT_EQ(dialog->clicks, 2);
    bool shown = false;
    for (const TRecordedCall& call : app.Calls().CallsOf("MessageBoxA"))
        for (const std::string& arg : call.Args)
            shown = shown || arg.find("the first press fails") != std::string::npos;
    EXPECT_TRUE(shown) << "the error box was not shown";
}

} // namespace
