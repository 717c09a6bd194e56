// Controls and windowed controls: ownership, windows made on demand and made
// again, z-order, caption and font inheritance.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/Memo.h"

namespace {

std::vector<std::string> destroyed;

class NotedControl : public TCustomControl {
public:
    NotedControl(TComponent* owner, const std::string& name) : TCustomControl(owner) {
        SetName(name);
    }
    ~NotedControl() override { destroyed.push_back(Name()); }
};

class NotedComponent : public TComponent {
public:
    NotedComponent(TComponent* owner, const std::string& name) : TComponent(owner) {
        SetName(name);
    }
    ~NotedComponent() override { destroyed.push_back(Name()); }
};

HWND WindowBelow(HWND window) {
    return GetWindow(window, GW_HWNDNEXT);
}

} // namespace

TEST(Ownership, OwnerFreesControlsAndComponentsInCreationOrder) {
    ScopedTestApplication app;
    destroyed.clear();
    auto* form = new TForm(nullptr);
    for (const char* name : {"B", "A", "C"}) {
        auto* control = new NotedControl(form, name);
        control->SetParent(form);
    }
    new NotedComponent(form, "D");
    form->AfterConstruction();
    form->HandleNeeded(); // windows exist, so their destruction is exercised too
    delete form;
    EXPECT_EQ(destroyed, (std::vector<std::string>{"B", "A", "C", "D"}));
}

TEST(Ownership, ChildOwnedElsewhereOutlivesItsParentWithoutParent) {
    ScopedTestApplication app;
    auto owner = std::make_unique<TComponent>(nullptr);
    auto* child = new RecordingControl(owner.get());
    {
        TForm form(nullptr);
        form.AfterConstruction();
        child->SetParent(&form);
        child->HandleNeeded();
        EXPECT_EQ(form.ControlCount(), 1);
    }
    EXPECT_EQ(child->Parent(), nullptr);
    EXPECT_FALSE(child->HandleAllocated());
}

TEST(Handles, WindowIsMadeOnDemandTogetherWithTheParentsWindow) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    auto* child = new RecordingControl(&form);
    child->SetParent(&form);
    child->SetBounds(10, 20, 30, 40);
    EXPECT_FALSE(child->HandleAllocated());
    EXPECT_FALSE(form.HandleAllocated());

    HWND window = child->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_TRUE(form.HandleAllocated());
    EXPECT_EQ(GetParent(window), form.Handle());
    EXPECT_EQ(child->CreateWndCount, 1);
    EXPECT_EQ(TWinControl::FindControl(window), child);
    RECT r{};
    GetWindowRect(window, &r);
    MapWindowPoints(HWND_DESKTOP, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right - r.left, 30);
    EXPECT_EQ(r.bottom - r.top, 40);
}

TEST(Handles, ChildWithoutParentRaisesNamingTheControl) {
    ScopedTestApplication app;
    RecordingControl orphan(nullptr);
    orphan.SetName("Button1");
    try {
        orphan.Handle();
        FAIL() << "no exception";
    } catch (const EInvalidOperation& error) {
        EXPECT_EQ(error.Message(), "Element 'Button1' hat kein \xFC"
                                   "bergeordnetes Fenster");
    }
    EXPECT_FALSE(orphan.HandleAllocated());
}

TEST(Handles, RecreateWndKeepsBoundsTextAndVisibilityAndRemakesChildren) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    auto* panel = new RecordingControl(form.get(), {csAcceptsControls});
    panel->SetParent(form.get());
    panel->SetBounds(5, 6, 150, 100);
    panel->SetCaption("Panel text");
    auto* inner = new RecordingControl(form.get());
    inner->SetParent(panel);
    inner->SetBounds(7, 8, 20, 10);
    auto* hidden = new RecordingControl(form.get());
    hidden->SetParent(panel);
    hidden->SetVisible(false);
    HWND oldPanel = panel->Handle();
    HWND oldInner = inner->Handle();

    panel->RecreateWnd();

    ASSERT_NE(panel->Handle(), oldPanel);
    EXPECT_FALSE(IsWindow(oldPanel));
    EXPECT_FALSE(IsWindow(oldInner));
    EXPECT_EQ(panel->CreateWndCount, 2);
    EXPECT_EQ(inner->CreateWndCount, 2);
    char text[64]{};
    GetWindowTextA(panel->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "Panel text");
    EXPECT_EQ(panel->BoundsRect(), Bounds(5, 6, 150, 100));
    EXPECT_EQ(GetParent(inner->Handle()), panel->Handle());
    EXPECT_EQ(inner->BoundsRect(), Bounds(7, 8, 20, 10));
    EXPECT_TRUE(IsWindowVisible(inner->Handle()));
    EXPECT_FALSE(IsWindowVisible(hidden->Handle()));
}

TEST(Handles, LaterChildrenLieAboveEarlierOnesAlsoAfterRecreation) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    std::vector<RecordingControl*> children;
    for (int i = 0; i < 3; ++i) {
        auto* child = new RecordingControl(form.get());
        child->SetParent(form.get());
        child->SetBounds(10 + 5 * i, 10, 50, 50);
        children.push_back(child);
    }
    form->RecreateWnd();
    // Top of the z-order first: the last child, then the middle, then the first.
    HWND top = GetWindow(form->Handle(), GW_CHILD);
    EXPECT_EQ(top, children[2]->Handle());
    EXPECT_EQ(WindowBelow(top), children[1]->Handle());
    EXPECT_EQ(WindowBelow(WindowBelow(top)), children[0]->Handle());
    POINT overlap{30, 30};
    ClientToScreen(form->Handle(), &overlap);
    EXPECT_EQ(WindowFromPoint(overlap), children[2]->Handle());
}

TEST(Caption, IsTheWindowTextAndNotifiesChanges) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    struct CaptionWatcher : RecordingControl {
        using RecordingControl::RecordingControl;
        int changes = 0;
        void CMTextChanged(TMessage&) override { ++changes; }
    };
    auto* control = new CaptionWatcher(form.get());
    control->SetParent(form.get());
    control->SetCaption("before");
    control->HandleNeeded();
    control->SetCaption("after");
    control->SetCaption("after");
    char text[32]{};
    GetWindowTextA(control->Handle(), text, sizeof text);
    EXPECT_STREQ(text, "after");
    EXPECT_EQ(control->changes, 2);
    SetWindowTextA(control->Handle(), "typed");
    EXPECT_EQ(control->Caption(), "typed");
}

TEST(Caption, FollowsRenamesWhileItEqualsTheNameWithSetCaption) {
    ScopedTestApplication app;
    RecordingControl follows(nullptr, {csSetCaption});
    follows.SetName("Button1");
    EXPECT_EQ(follows.Caption(), "Button1");
    follows.SetName("Button2");
    EXPECT_EQ(follows.Caption(), "Button2");
    follows.SetCaption("Start");
    follows.SetName("Button3");
    EXPECT_EQ(follows.Caption(), "Start");

    RecordingControl plain(nullptr, {});
    plain.SetName("Other1");
    EXPECT_EQ(plain.Caption(), "");
}

TEST(Font, ChildShowsParentsFontUntilItsOwnIsChanged) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    form.Font()->SetName("Arial");
    form.Font()->SetHeight(-20);
    auto* child = new RecordingControl(&form);
    child->SetParent(&form);
    EXPECT_TRUE(child->ParentFont());
    EXPECT_EQ(child->Font()->Name(), "Arial");

    form.Font()->SetHeight(-24);
    EXPECT_EQ(child->Font()->Height(), -24);

    child->Font()->SetStyle({fsBold});
    EXPECT_FALSE(child->ParentFont());
    form.Font()->SetHeight(-30);
    EXPECT_EQ(child->Font()->Height(), -24);

    // A standard window shows the control's font (and a new one after a change).
    auto* memo = new TMemo(&form);
    memo->SetParent(&form);
    HWND window = memo->Handle();
    EXPECT_EQ(memo->Font()->Height(), -30);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)),
              memo->Font()->Handle());
    memo->Font()->SetHeight(-12);
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0)),
              memo->Font()->Handle());
}

namespace {
class PaintedSquare : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    int paints = 0;

protected:
    void Paint() override {
        ++paints;
        Canvas()->Brush().SetColor(clRed);
        Canvas()->FillRect(ClientRect());
    }
};

COLORREF PixelOfWindow(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    HDC memory = CreateCompatibleDC(dc);
    HBITMAP bitmap = CreateCompatibleBitmap(dc, 1, 1);
    HGDIOBJ old = SelectObject(memory, bitmap);
    BitBlt(memory, 0, 0, 1, 1, dc, x, y, SRCCOPY);
    COLORREF pixel = GetPixel(memory, 0, 0);
    SelectObject(memory, old);
    DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(window, dc);
    return pixel;
}
} // namespace

TEST(GraphicControl, IsPaintedByItsParentAtItsPlace) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    form->SetColor(clWhite);
    auto* square = new PaintedSquare(form.get());
    square->SetParent(form.get());
    square->SetBounds(40, 30, 20, 10);
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(30);
    EXPECT_GE(square->paints, 1);
    EXPECT_EQ(PixelOfWindow(form->Handle(), 45, 35), RGB(255, 0, 0));
    EXPECT_EQ(PixelOfWindow(form->Handle(), 30, 35), RGB(255, 255, 255));
    EXPECT_EQ(PixelOfWindow(form->Handle(), 61, 35), RGB(255, 255, 255));

    square->SetVisible(false);
    UpdateWindow(form->Handle());
    EXPECT_EQ(PixelOfWindow(form->Handle(), 45, 35), RGB(255, 255, 255));
}
