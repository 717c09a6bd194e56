#include "framework/ui/Control.h"

#include <windowsx.h>

#include "framework/graphics/Font.h"
#include "framework/runtime/ScopeExit.h"
#include "framework/ui/Application.h"
#include "framework/ui/Form.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/WinControl.h"

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
    font_->OnChange = [this](TObject*) { FontObjectChanged(); };
}

TControl::~TControl() {
    Destroying();
    mouse_capture::Forget(this);
    if (Application)
        Application->ControlDestroyed(this);
    if (parent_)
        parent_->RemoveControl(this);
    font_->OnChange = nullptr;
}

void TControl::SetBounds(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    bool repaintParent = parent_ && visible_;
    if (repaintParent)
        Invalidate();
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    if (repaintParent)
        Invalidate();
    BoundsChanged();
}

void TControl::UpdateBoundsFields(int left, int top, int width, int height) {
    if (left == left_ && top == top_ && width == width_ && height == height_)
        return;
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
    BoundsChanged();
}

void TControl::BoundsChanged() {}

TRect TControl::ClientRect() const {
    return Rect(0, 0, width_, height_);
}

void TControl::SetClientWidth(int width) {
    SetWidth(width_ - ClientWidth() + width);
}

void TControl::SetClientHeight(int height) {
    SetHeight(height_ - ClientHeight() + height);
}

TPoint TControl::ClientOrigin() const {
    if (!parent_)
        return Point(left_, top_);
    TPoint origin = parent_->ClientOrigin();
    return Point(origin.X + left_, origin.Y + top_);
}

TPoint TControl::ClientToScreen(TPoint point) const {
    TPoint origin = ClientOrigin();
    return Point(point.X + origin.X, point.Y + origin.Y);
}

TPoint TControl::ScreenToClient(TPoint point) const {
    TPoint origin = ClientOrigin();
    return Point(point.X - origin.X, point.Y - origin.Y);
}

void TControl::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    // A windowless control shows or hides by repainting its area.
    if (parent_)
        parent_->InvalidateArea(BoundsRect());
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

bool TControl::Showing() const {
    if (!visible_)
        return false;
    return parent_ ? parent_->Showing() : true;
}

void TControl::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Invalidate();
    Perform(CM_ENABLEDCHANGED);
}

void TControl::SetParent(TWinControl* parent) {
    if (parent_ == parent)
        return;
    if (parent == this)
        throw EInvalidOperation("Ein Steuerelement kann nicht sein eigenes \xFC"
                                "bergeordnetes Element sein");
    if (parent_)
        parent_->RemoveControl(this);
    if (parent)
        parent->InsertControl(this);
    TakeParentFont();
    TakeParentColor();
}

void TControl::SetTextBuf(const std::string& text) {
    if (text == text_)
        return;
    text_ = text;
    Perform(CM_TEXTCHANGED);
}

void TControl::SetName(const std::string& name) {
    // A caption that still shows the component's name follows a rename, but
    // not while a stored layout is read (it sets the caption itself).
    bool captionFollows = controlStyle_.Contains(csSetCaption) &&
                          !ComponentState().Contains(csLoading) && GetTextBuf() == Name();
    TComponent::SetName(name);
    if (captionFollows)
        SetTextBuf(name);
}

void TControl::SetColor(TColor color) {
    parentColor_ = false;
    if (color_ == color)
        return;
    color_ = color;
    ColorChanged();
}

void TControl::SetParentColor(bool parentColor) {
    parentColor_ = parentColor;
    if (parentColor)
        TakeParentColor();
}

void TControl::TakeParentColor() {
    if (!parentColor_ || !parent_ || parent_->Color() == color_)
        return;
    color_ = parent_->Color();
    ColorChanged();
}

void TControl::ColorChanged() {
    Invalidate();
    Perform(CM_COLORCHANGED);
}

void TControl::SetFont(TFont* font) {
    if (font)
        font_->Assign(font); // OnChange: the font is now the control's own
}

void TControl::SetParentFont(bool parentFont) {
    parentFont_ = parentFont;
    if (parentFont)
        TakeParentFont();
}

void TControl::TakeParentFont() {
    if (!parentFont_ || !parent_)
        return;
    takingParentFont_ = true;
    ScopeExit taken([this] { takingParentFont_ = false; });
    font_->Assign(parent_->Font());
}

void TControl::FontObjectChanged() {
    if (!takingParentFont_)
        parentFont_ = false;
    FontChanged();
}

void TControl::FontChanged() {
    Invalidate();
    Perform(CM_FONTCHANGED);
}

void TControl::SetShowHint(bool showHint) {
    showHint_ = showHint;
    parentShowHint_ = false;
}

void TControl::SetParentShowHint(bool parentShowHint) {
    parentShowHint_ = parentShowHint;
    if (parentShowHint && parent_)
        showHint_ = parent_->ShowHint();
}

void TControl::Invalidate() {
    if (parent_ && visible_)
        parent_->InvalidateArea(BoundsRect());
}

void TControl::Update() {
    if (parent_)
        parent_->Update();
}

void TControl::Repaint() {
    Invalidate();
    Update();
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
    TMessage message{msg, wParam, lParam, 0};
    WndProc(message);
    return message.Result;
}

void TControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case CM_MOUSEENTER:
        MouseEnter();
        return;
    case CM_MOUSELEAVE:
        MouseLeave();
        return;
    case CM_TEXTCHANGED:
        CMTextChanged(message);
        return;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN:
    case WM_RBUTTONUP:
    case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN:
    case WM_MBUTTONUP:
    case WM_MBUTTONDBLCLK:
    case WM_MOUSEMOVE:
        MouseMessage(message);
        return;
    default:
        DefaultHandler(message);
    }
}

void TControl::DefaultHandler(TMessage&) {}

void TControl::CMTextChanged(TMessage&) {}

void TControl::Loaded() {
    TComponent::Loaded();
}

namespace {
TShiftState ShiftFromKeys(WPARAM keys) {
    TShiftState shift;
    if (keys & MK_SHIFT)
        shift.Include(ssShift);
    if (keys & MK_CONTROL)
        shift.Include(ssCtrl);
    if (keys & MK_LBUTTON)
        shift.Include(ssLeft);
    if (keys & MK_RBUTTON)
        shift.Include(ssRight);
    if (keys & MK_MBUTTON)
        shift.Include(ssMiddle);
    if (GetKeyState(VK_MENU) < 0)
        shift.Include(ssAlt);
    return shift;
}
} // namespace

void TControl::MouseMessage(TMessage& message) {
    int x = GET_X_LPARAM(message.LParam);
    int y = GET_Y_LPARAM(message.LParam);
    TShiftState shift = ShiftFromKeys(message.WParam);
    UINT msg = message.Msg;
    // Without csDoubleClicks the second press of a double click is a press.
    if (!controlStyle_.Contains(csDoubleClicks)) {
        if (msg == WM_LBUTTONDBLCLK)
            msg = WM_LBUTTONDOWN;
        else if (msg == WM_RBUTTONDBLCLK)
            msg = WM_RBUTTONDOWN;
        else if (msg == WM_MBUTTONDBLCLK)
            msg = WM_MBUTTONDOWN;
    }
    if (Dragging()) {
        if (msg == WM_MOUSEMOVE)
            DragMouseMove(ClientToScreen(Point(x, y)));
        else if (msg == WM_LBUTTONUP)
            DragRelease(ClientToScreen(Point(x, y)));
        return;
    }
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        bool second = msg == WM_LBUTTONDBLCLK;
        if (dragMode_ == dmAutomatic) {
            BeginDrag(true);
            return;
        }
        controlState_.Include(csLButtonDown);
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(true);
        // The second press of a double click never becomes a click.
        if (controlStyle_.Contains(csClickEvents) && !second)
            controlState_.Include(csClicked);
        if (second) {
            shift.Include(ssDouble);
            DblClick();
        }
        MouseDown(mbLeft, shift, x, y);
        return;
    }
    case WM_LBUTTONUP: {
        bool clicked = controlState_.Contains(csClicked);
        controlState_.Exclude(csLButtonDown).Exclude(csClicked);
        if (controlStyle_.Contains(csCaptureMouse))
            SetMouseCapture(false);
        if (clicked && ClientRect().Contains(Point(x, y)))
            Click();
        MouseUp(mbLeft, shift, x, y);
        return;
    }
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
        if (msg == WM_RBUTTONDBLCLK)
            shift.Include(ssDouble);
        MouseDown(mbRight, shift, x, y);
        return;
    case WM_RBUTTONUP:
        MouseUp(mbRight, shift, x, y);
        return;
    case WM_MBUTTONDOWN:
    case WM_MBUTTONDBLCLK:
        if (msg == WM_MBUTTONDBLCLK)
            shift.Include(ssDouble);
        MouseDown(mbMiddle, shift, x, y);
        return;
    case WM_MBUTTONUP:
        MouseUp(mbMiddle, shift, x, y);
        return;
    case WM_MOUSEMOVE:
        MouseMove(shift, x, y);
        return;
    default:
        return;
    }
}

void TControl::Click() {
    if (OnClick)
        OnClick(this);
}

void TControl::DblClick() {
    if (OnDblClick)
        OnDblClick(this);
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseDown)
        OnMouseDown(this, button, shift, x, y);
}

void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
    if (OnMouseUp)
        OnMouseUp(this, button, shift, x, y);
}

void TControl::MouseMove(TShiftState shift, int x, int y) {
    if (OnMouseMove)
        OnMouseMove(this, shift, x, y);
}

void TControl::MouseEnter() {}

void TControl::MouseLeave() {}

bool TControl::MouseCapture() const {
    return mouse_capture::Holder() == this;
}

void TControl::SetMouseCapture(bool capture) {
    if (capture)
        mouse_capture::Take(this);
    else
        mouse_capture::Give(this);
}

TControl* GetCaptureControl() {
    return mouse_capture::Holder();
}

TCustomForm* GetParentForm(const TControl* control) {
    if (!control)
        return nullptr;
    const TControl* top = control;
    while (top->Parent())
        top = top->Parent();
    return dynamic_cast<TCustomForm*>(const_cast<TControl*>(top));
}

TControl* FindControlAtScreen(TPoint screenPoint, bool allowDisabled) {
    HWND window = WindowFromPoint(POINT{screenPoint.X, screenPoint.Y});
    TWinControl* windowed = TWinControl::FindControl(window);
    if (!windowed)
        return nullptr;
    TControl* child = windowed->ControlAtPos(windowed->ScreenToClient(screenPoint), allowDisabled);
    // Windowed children are found by WindowFromPoint itself; only a windowless
    // child lies within the window found.
    if (child && !dynamic_cast<TWinControl*>(child))
        return child;
    return windowed;
}
