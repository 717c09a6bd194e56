// Controls and windowed controls: ownership, windows made on demand and made
// again, z-order, caption and font inheritance.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "UiTestSupport.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Canvas.h"
#include "framework/graphics/Font.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "framework/win32/Handles.h"

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

namespace {
bool HasVisibleStyle(HWND window) {
    return (GetWindowLongA(window, GWL_STYLE) & WS_VISIBLE) != 0;
}

// The children's windows from the top of the z-order down.
std::vector<HWND> ChildWindowsTopFirst(HWND parent) {
    std::vector<HWND> windows;
    for (HWND w = GetWindow(parent, GW_CHILD); w; w = WindowBelow(w))
        windows.push_back(w);
    return windows;
}

RecordingControl* AddChild(TWinControl& parent, TComponent* owner, bool visible) {
    auto* child = new RecordingControl(owner);
    child->SetVisible(visible);
    child->SetParent(&parent);
    child->SetBounds(10, 10, 40, 30);
    return child;
}
} // namespace

TEST(HiddenChild, GetsNoWindowWithTheParentsWindowButOnceShown) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    auto* shown = AddChild(form, &form, true);
    auto* hidden = AddChild(form, &form, false);

    form.HandleNeeded();
    EXPECT_TRUE(shown->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_EQ(hidden->CreateWndCount, 0);

    hidden->SetVisible(true);
    ASSERT_TRUE(hidden->HandleAllocated());
    EXPECT_EQ(hidden->CreateWndCount, 1);
    EXPECT_EQ(GetParent(hidden->Handle()), form.Handle());
    EXPECT_TRUE(HasVisibleStyle(hidden->Handle()));
}

TEST(HiddenChild, ParentedUnderALiveWindowWaitsUntilItsHandleIsAskedFor) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    form.HandleNeeded();
    auto* shown = AddChild(form, &form, true);
    auto* hidden = AddChild(form, &form, false);
    EXPECT_TRUE(shown->HandleAllocated());
    EXPECT_FALSE(hidden->HandleAllocated());

    HWND window = hidden->Handle();
    ASSERT_TRUE(IsWindow(window));
    EXPECT_EQ(GetParent(window), form.Handle());
    EXPECT_FALSE(HasVisibleStyle(window)) << "asked for, not shown";
    EXPECT_EQ(hidden->CreateWndCount, 1);
    hidden->SetVisible(true);
    EXPECT_EQ(hidden->Handle(), window);
    EXPECT_TRUE(HasVisibleStyle(window));
}

TEST(HiddenChild, MovedToAnotherLiveParentLosesItsWindowAndGetsNoNewOne) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    auto* panel = new RecordingControl(&form, {csAcceptsControls});
    panel->SetParent(&form);
    form.HandleNeeded();
    auto* child = AddChild(form, &form, true);
    HWND old = child->Handle();
    child->SetVisible(false);

    child->SetParent(panel);
    EXPECT_FALSE(IsWindow(old));
    EXPECT_FALSE(child->HandleAllocated());
    child->SetVisible(true);
    ASSERT_TRUE(child->HandleAllocated());
    EXPECT_EQ(GetParent(child->Handle()), panel->Handle());
}

TEST(HiddenChild, WindowMadeLateTakesItsPlaceInTheZOrder) {
    ScopedTestApplication app;
    TForm form(nullptr);
    form.AfterConstruction();
    std::vector<RecordingControl*> children;
    for (int i = 0; i < 4; ++i)
        children.push_back(AddChild(form, &form, i % 2 == 0)); // 1 and 3 hidden
    form.HandleNeeded();
    ASSERT_EQ(ChildWindowsTopFirst(form.Handle()),
              (std::vector<HWND>{children[2]->Handle(), children[0]->Handle()}));

    children[3]->SetVisible(true); // the last control: on top
    children[1]->Handle();         // between its neighbours, though still hidden
    EXPECT_EQ(ChildWindowsTopFirst(form.Handle()),
              (std::vector<HWND>{children[3]->Handle(), children[2]->Handle(),
                                 children[1]->Handle(), children[0]->Handle()}));
}

TEST(HiddenChild, ParentsRecreationRemakesOnlyTheVisibleChildren) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    auto* shown = AddChild(*form, form.get(), true);
    auto* hidden = AddChild(*form, form.get(), true);
    HWND oldHidden = hidden->Handle();
    hidden->SetVisible(false);
    auto* later = AddChild(*form, form.get(), true);

    form->RecreateWnd();
    EXPECT_FALSE(IsWindow(oldHidden));
    EXPECT_EQ(shown->CreateWndCount, 2);
    EXPECT_EQ(later->CreateWndCount, 2);
    EXPECT_FALSE(hidden->HandleAllocated());
    EXPECT_EQ(hidden->CreateWndCount, 1);

    hidden->SetVisible(true);
    EXPECT_EQ(hidden->CreateWndCount, 2);
    EXPECT_EQ(GetParent(hidden->Handle()), form->Handle());
    EXPECT_EQ(ChildWindowsTopFirst(form->Handle()),
              (std::vector<HWND>{later->Handle(), hidden->Handle(), shown->Handle()}));
}

namespace {
constexpr COLORREF kSentinel = RGB(1, 2, 3); // no form or picture uses it
constexpr COLORREF kFormColour = RGB(40, 160, 80);
constexpr COLORREF kPictureColour = RGB(0, 0, 255);

// A 32-bit surface for WM_ERASEBKGND, pre-filled with the sentinel; its
// pixels are read from memory, whatever clip region the DC carries.
class EraseSurface {
public:
    EraseSurface(int width, int height) {
        surface_.SetPixelFormat(pf32bit);
        surface_.SetSize(width, height);
        Fill(kSentinel);
    }
    HDC Dc() { return surface_.Canvas().Handle(); }
    void Fill(COLORREF colour) {
        BrushHandle brush(CreateSolidBrush(colour));
        RECT all{0, 0, surface_.Width(), surface_.Height()};
        FillRect(Dc(), &all, brush.get());
    }
    COLORREF At(int x, int y) {
        const uint8_t* pixel = surface_.ScanLine(y) + 4 * x;
        return RGB(pixel[2], pixel[1], pixel[0]);
    }

private:
    TBitmap surface_;
};

void GivePicture(TImage& image, int width, int height) {
    TBitmap* bitmap = image.Picture()->Bitmap();
    bitmap->SetPixelFormat(pf24bit);
    bitmap->SetSize(width, height);
    bitmap->Canvas().Brush().SetColor(static_cast<TColor>(kPictureColour));
    bitmap->Canvas().FillRect(Rect(0, 0, width, height));
}

class EraseTest : public ::testing::Test {
protected:
    void SetUp() override {
        form.AfterConstruction();
        form.SetBorderStyle(bsNone);
        form.SetBounds(100, 100, 300, 200);
        form.SetColor(static_cast<TColor>(kFormColour));
        image = new TImage(&form);
        image->SetParent(&form);
        image->SetBounds(20, 10, 60, 40);
    }
    LRESULT Erase() {
        return SendMessageA(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.Dc()),
                            0);
    }
    // The pixels just outside the image and the far corner are erased; the
    // image's corners and middle keep the sentinel when it is left out.
    void ExpectErased(bool imageLeftOut) {
        for (POINT p : {POINT{19, 10}, POINT{80, 49}, POINT{20, 9}, POINT{79, 50}, POINT{299, 199}})
            EXPECT_EQ(surface.At(p.x, p.y), kFormColour) << "outside at " << p.x << "," << p.y;
        const COLORREF inside = imageLeftOut ? kSentinel : kFormColour;
        for (POINT p : {POINT{20, 10}, POINT{79, 49}, POINT{50, 30}})
            EXPECT_EQ(surface.At(p.x, p.y), inside) << "inside at " << p.x << "," << p.y;
    }
    ScopedTestApplication app;
    TForm form{nullptr};
    TImage* image = nullptr;
    EraseSurface surface{300, 200};
};
} // namespace

TEST_F(EraseTest, OpaqueImageRectangleIsLeftOut) {
    const struct {
        const char* what;
        int width, height;
        bool stretch;
    } opaque[] = {
        {"picture of the control's size", 60, 40, false},
        {"larger picture", 100, 80, false},
        {"smaller picture stretched", 30, 20, true},
    };
    for (const auto& c : opaque) {
        SCOPED_TRACE(c.what);
        GivePicture(*image, c.width, c.height);
        image->SetStretch(c.stretch);
        surface.Fill(kSentinel);
        EXPECT_EQ(Erase(), 1);
        ExpectErased(true);
    }
}

TEST_F(EraseTest, ImageThatLeavesPixelsUncoveredIsErasedUnder) {
    const struct {
        const char* what;
        int width, height;
        bool center;
    } uncovered[] = {
        {"empty picture", 0, 0, false},
        {"smaller picture", 30, 20, false},
        {"smaller picture centred", 30, 20, true},
        {"picture as wide but less high", 60, 39, false},
        {"picture as high but less wide", 59, 40, false},
    };
    for (const auto& c : uncovered) {
        SCOPED_TRACE(c.what);
        GivePicture(*image, c.width, c.height);
        image->SetCenter(c.center);
        surface.Fill(kSentinel);
        EXPECT_EQ(Erase(), 1);
        ExpectErased(false);
    }
}

TEST_F(EraseTest, HiddenImageIsErasedUnderAndOtherGraphicsToo) {
    GivePicture(*image, 60, 40);
    image->SetVisible(false);
    Erase();
    ExpectErased(false);

    // A windowless control that does not say it covers its rectangle.
    auto* square = new PaintedSquare(&form);
    square->SetParent(&form);
    square->SetBounds(20, 10, 60, 40);
    surface.Fill(kSentinel);
    Erase();
    ExpectErased(false);
}

TEST_F(EraseTest, EveryOpaqueImageIsLeftOutAndTheClipRegionIsRestored) {
    GivePicture(*image, 60, 40);
    auto* second = new TImage(&form);
    second->SetParent(&form);
    second->SetBounds(200, 150, 10, 10);
    GivePicture(*second, 10, 10);
    Erase();
    ExpectErased(true);
    EXPECT_EQ(surface.At(205, 155), kSentinel);
    EXPECT_EQ(surface.At(199, 155), kFormColour);

    // The caller's DC is as it was: drawing through it reaches the image's place.
    RegionHandle clip(CreateRectRgn(0, 0, 0, 0));
    EXPECT_EQ(GetClipRgn(surface.Dc(), clip.get()), 0) << "no clip region left behind";
    surface.Fill(RGB(9, 9, 9));
    EXPECT_EQ(surface.At(50, 30), RGB(9, 9, 9));
    EXPECT_EQ(surface.At(205, 155), RGB(9, 9, 9));
}

TEST(GraphicControl, OpaqueImageIsStillPaintedWhereTheEraseLeftOut) {
    ScopedTestApplication app;
    auto form = MakeShownForm();
    form->SetColor(clWhite);
    auto* image = new TImage(form.get());
    image->SetParent(form.get());
    image->SetBounds(40, 30, 20, 10);
    GivePicture(*image, 20, 10);
    ASSERT_TRUE(image->Opaque());
    RedrawWindow(form->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    PumpFor(30);
    EXPECT_EQ(PixelOfWindow(form->Handle(), 40, 30), kPictureColour);
    EXPECT_EQ(PixelOfWindow(form->Handle(), 59, 39), kPictureColour);
    EXPECT_EQ(PixelOfWindow(form->Handle(), 39, 30), RGB(255, 255, 255));
    EXPECT_EQ(PixelOfWindow(form->Handle(), 60, 39), RGB(255, 255, 255));

    // Once hidden, the form's colour is erased over its place again.
    image->SetVisible(false);
    UpdateWindow(form->Handle());
    EXPECT_EQ(PixelOfWindow(form->Handle(), 45, 35), RGB(255, 255, 255));
}
