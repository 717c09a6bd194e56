// The mouse driven by the real pointer: presses, clicks on release, double
// clicks, the capture, pointer enter/leave through window regions, dragging.
#include <gtest/gtest.h>

#include "UiTestSupport.h"
#include "framework/ui/GraphicControl.h"

namespace {

using Events = std::vector<std::string>;

// A borderless form at (100, 100) with one control at (20, 20), 60 x 40.
class MouseFixture : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeShownForm(100, 100, 300, 200);
        control = new RecordingControl(form.get());
        control->SetParent(form.get());
        control->SetBounds(20, 20, 60, 40);
        control->HandleNeeded();
        MovePointer(10, 10); // start outside the form
    }
    void TearDown() override {
        ReleaseLeft();
        form.reset();
    }
    // Screen position of a point of the control.
    POINT OnControl(int x, int y) const { return POINT{100 + 20 + x, 100 + 20 + y}; }
    void MoveOnControl(int x, int y) {
        POINT p = OnControl(x, y);
        MovePointer(p.x, p.y);
    }

    ScopedTestApplication app;
    std::unique_ptr<TestForm> form;
    RecordingControl* control = nullptr;
};

Events Without(Events events, const std::string& dropped) {
    events.erase(std::remove(events.begin(), events.end(), dropped), events.end());
    return events;
}

Events Presses(const Events& events) {
    return Without(Without(events, "Enter"), "Leave");
}

} // namespace

TEST_F(MouseFixture, LeftPressCapturesAndReleaseInsideClicksBeforeMouseUp) {
    MoveOnControl(30, 20);
    PressLeft();
    EXPECT_TRUE(control->HeldDuringLastDown);
    EXPECT_TRUE(control->ControlState().Contains(csLButtonDown));
    EXPECT_EQ(GetCapture(), control->Handle());
    EXPECT_TRUE(control->MouseCapture());

    ReleaseLeft();
    EXPECT_EQ(Presses(control->Events), (Events{"DownL", "Click", "UpL"}));
    EXPECT_FALSE(control->ControlState().Contains(csLButtonDown));
    EXPECT_EQ(GetCapture(), nullptr);
}

TEST_F(MouseFixture, ReleaseOutsideTheControlGivesMouseUpButNoClick) {
    MoveOnControl(30, 20);
    PressLeft();
    MovePointer(100 + 200, 100 + 150); // over the form, away from the control
    EXPECT_TRUE(control->ControlState().Contains(csLButtonDown));
    ReleaseLeft();
    EXPECT_EQ(Presses(control->Events), (Events{"DownL", "UpL"}));
    EXPECT_EQ(control->Count("Click"), 0);
}

TEST_F(MouseFixture, RightPressGivesMouseDownOnly) {
    MoveOnControl(30, 20);
    PressRight();
    EXPECT_FALSE(control->ControlState().Contains(csLButtonDown));
    EXPECT_NE(GetCapture(), control->Handle());
    ReleaseRight();
    EXPECT_EQ(Presses(control->Events), (Events{"DownR", "UpR"}));
}

TEST_F(MouseFixture, SecondPressOfADoubleClickGivesDblClickAndNoClick) {
    MoveOnControl(30, 20);
    PressLeft();
    ReleaseLeft();
    PressLeft();
    EXPECT_TRUE(control->HeldDuringLastDown); // the second press still holds the button
    ReleaseLeft();
    EXPECT_EQ(Presses(control->Events),
              (Events{"DownL", "Click", "UpL", "DblClick", "DownL", "UpL"}));
}

TEST_F(MouseFixture, WithoutDoubleClicksBothPressesClick) {
    auto* single = new RecordingControl(form.get(), {csCaptureMouse, csClickEvents});
    single->SetParent(form.get());
    single->SetBounds(150, 20, 60, 40);
    single->HandleNeeded();
    MovePointer(100 + 170, 100 + 40);
    PressLeft();
    ReleaseLeft();
    PressLeft();
    ReleaseLeft();
    EXPECT_EQ(Presses(single->Events), (Events{"DownL", "Click", "UpL", "DownL", "Click", "UpL"}));
}

TEST_F(MouseFixture, EnterAndLeaveFollowTheWindowRegion) {
    // Only the right half of the control remains: the left half is the form's.
    SetWindowRgn(control->Handle(), CreateRectRgn(30, 0, 60, 40), TRUE);
    MoveOnControl(10, 20);
    EXPECT_EQ(app.App().MouseControl(), form.get());
    EXPECT_EQ(control->Count("Enter"), 0);

    MoveOnControl(45, 20);
    EXPECT_EQ(app.App().MouseControl(), control);
    EXPECT_EQ(control->Events, (Events{"Enter"}));

    MoveOnControl(10, 20); // back over the cut-out half
    EXPECT_EQ(control->Events, (Events{"Enter", "Leave"}));
    EXPECT_EQ(app.App().MouseControl(), form.get());

    MovePointer(10, 10); // off the form altogether
    EXPECT_EQ(app.App().MouseControl(), nullptr);
}

TEST_F(MouseFixture, WhileCapturedOnlyTheCapturingControlHearsOfEnterAndLeave) {
    auto* other = new RecordingControl(form.get());
    other->SetParent(form.get());
    other->SetBounds(150, 20, 60, 40);
    other->HandleNeeded();
    MoveOnControl(30, 20);
    PressLeft();
    MovePointer(100 + 170, 100 + 40); // dragged off onto the other control
    EXPECT_EQ(control->Events, (Events{"Enter", "DownL", "Leave"}));
    EXPECT_EQ(other->Count("Enter"), 0);
    EXPECT_EQ(app.App().MouseControl(), nullptr);

    MoveOnControl(30, 20); // back while still held
    EXPECT_EQ(control->Count("Enter"), 2);

    MovePointer(100 + 170, 100 + 40);
    ReleaseLeft();
    EXPECT_TRUE(PumpUntil([&] { return other->Count("Enter") == 1; }));
    EXPECT_EQ(app.App().MouseControl(), other);
    EXPECT_EQ(control->Count("Click"), 0);
}

TEST_F(MouseFixture, ControlFreedUnderThePointerIsForgotten) {
    MoveOnControl(30, 20);
    ASSERT_EQ(app.App().MouseControl(), control);
    delete control;
    control = nullptr;
    EXPECT_EQ(app.App().MouseControl(), nullptr);
    PumpFor(30);
    app.App().CheckMouseControl();
    EXPECT_EQ(app.App().MouseControl(), form.get());
}

TEST_F(MouseFixture, AutomaticDragModeDragsInsteadOfPressing) {
    auto* target = new RecordingControl(form.get());
    target->SetParent(form.get());
    target->SetBounds(150, 20, 60, 40);
    target->HandleNeeded();
    TObject* dropped = nullptr;
    TObject* endTarget = nullptr;
    int starts = 0;
    int ends = 0;
    target->OnDragOver = [&](TObject*, TObject* source, int, int, TDragState, bool& accept) {
        accept = source == control;
    };
    target->OnDragDrop = [&](TObject*, TObject* source, int, int) { dropped = source; };
    control->SetDragMode(dmAutomatic);
    control->OnStartDrag = [&](TObject*) { ++starts; };
    control->OnEndDrag = [&](TObject*, TObject* t, int, int) {
        ++ends;
        endTarget = t;
    };

    MoveOnControl(30, 20);
    PressLeft();
    EXPECT_TRUE(control->Dragging());
    EXPECT_FALSE(control->ControlState().Contains(csLButtonDown));
    MovePointer(100 + 170, 100 + 40);
    ReleaseLeft();

    EXPECT_FALSE(control->Dragging());
    EXPECT_EQ(starts, 1);
    EXPECT_EQ(ends, 1);
    EXPECT_EQ(dropped, control);
    EXPECT_EQ(endTarget, target);
    EXPECT_EQ(Presses(control->Events), Events{});
}

namespace {
class ClickableSquare : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    Events events;

protected:
    void Click() override { events.push_back("Click"); }
    void MouseDown(TMouseButton, TShiftState, int x, int y) override {
        events.push_back("Down " + std::to_string(x) + "," + std::to_string(y));
    }
    void MouseEnter() override { events.push_back("Enter"); }
};
} // namespace

TEST_F(MouseFixture, WindowlessControlReceivesItsMouseAndPointerEvents) {
    auto* square = new ClickableSquare(form.get());
    square->SetControlStyle({csCaptureMouse, csClickEvents});
    square->SetParent(form.get());
    square->SetBounds(150, 100, 40, 40);
    MovePointer(100 + 155, 100 + 107);
    EXPECT_EQ(app.App().MouseControl(), square);
    PressLeft();
    EXPECT_EQ(GetCapture(), form->Handle()); // the parent's window holds it for the square
    ReleaseLeft();
    EXPECT_EQ(square->events, (Events{"Enter", "Down 5,7", "Click"}));
}
