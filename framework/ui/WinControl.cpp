#include "framework/ui/WinControl.h"

#include <windowsx.h>

#include <algorithm>
#include <unordered_map>

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/ScopeExit.h"
#include "framework/ui/Application.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/Form.h"
#include "framework/ui/GraphicControl.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/WindowClasses.h"

namespace {
// The control whose CreateWindowExA call is running: the first message of the
// new window attaches it (some arrive before CreateWindowExA returns).
TWinControl* creatingControl = nullptr;

std::unordered_map<HWND, TWinControl*>& WindowMap() {
    static std::unordered_map<HWND, TWinControl*> windows;
    return windows;
}

bool IsMouseMessage(UINT msg) {
    return msg >= WM_MOUSEFIRST && msg <= WM_MBUTTONDBLCLK;
}

bool IsFrameworkMessage(UINT msg) {
    return msg >= CM_BASE && msg < CN_BASE + 0x400;
}
} // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner) {}

TWinControl::~TWinControl() {
    Destroying();
    mouse_capture::Forget(this);
    DestroyComponents();
    // Children owned elsewhere stay alive but lose their parent.
    while (!controls_.empty())
        controls_.back()->SetParent(nullptr);
    DestroyHandle();
}

TWinControl* TWinControl::FindControl(HWND window) {
    if (!window)
        return nullptr;
    auto found = WindowMap().find(window);
    return found == WindowMap().end() ? nullptr : found->second;
}

HWND TWinControl::Handle() {
    if (!handle_)
        CreateHandle();
    return handle_;
}

void TWinControl::AttachWindow(HWND window) {
    handle_ = window;
    WindowMap()[window] = this;
}

void TWinControl::WindowDestroyed() {
    if (handle_)
        WindowMap().erase(handle_);
    handle_ = nullptr;
    trackingLeave_ = false;
}

bool TWinControl::WantsDoubleClicks() const {
    return ControlStyle().Contains(csDoubleClicks);
}

void TWinControl::CreateParams(TCreateParams& params) {
    params.Caption = StoredText();
    params.Style = WS_CHILD | WS_CLIPSIBLINGS;
    if (ControlStyle().Contains(csAcceptsControls))
        params.Style |= WS_CLIPCHILDREN;
    if (Visible())
        params.Style |= WS_VISIBLE;
    if (!Enabled())
        params.Style |= WS_DISABLED;
    if (tabStop_)
        params.Style |= WS_TABSTOP;
    params.X = Left();
    params.Y = Top();
    params.Width = Width();
    params.Height = Height();
    params.WndParent = Parent() ? Parent()->Handle() : nullptr;
    params.WindowClass.style = CS_HREDRAW | CS_VREDRAW | (WantsDoubleClicks() ? CS_DBLCLKS : 0);
    params.WindowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    params.WinClassName = ClassName();
}

void TWinControl::CreateSubClass(TCreateParams& params, const char* controlClassName) {
    WNDCLASSA standard{};
    if (!GetClassInfoA(nullptr, controlClassName, &standard))
        throw EOSError(std::string("Fensterklasse ") + controlClassName + " ist unbekannt");
    defaultProc_ = standard.lpfnWndProc;
    UINT keep = params.WindowClass.style & CS_DBLCLKS;
    params.WindowClass = standard;
    params.WindowClass.style = (standard.style & ~CS_GLOBALCLASS) | keep;
}

void TWinControl::CreateWnd() {
    TCreateParams params;
    CreateParams(params);
    if (handle_)
        return; // making the parent's window made this one too
    if ((params.Style & WS_CHILD) && !params.WndParent)
        throw EInvalidOperation("Element '" + Name() +
                                "' hat kein \xFC"
                                "bergeordnetes Fenster");
    std::string className = window_classes::Register(params, &TWinControl::WindowProcedure);
    creatingControl = this;
    HWND window =
        CreateWindowExA(params.ExStyle, className.c_str(), params.Caption.c_str(), params.Style,
                        params.X, params.Y, params.Width, params.Height, params.WndParent, nullptr,
                        GetModuleHandleA(nullptr), params.Param);
    creatingControl = nullptr;
    if (!window)
        throw EOSError("Fenster f\xFCr '" + Name() + "' (" + className +
                       ") konnte nicht erzeugt werden, Fehler " + std::to_string(GetLastError()));
    if (handle_ != window)
        AttachWindow(window);
    SendMessageA(window, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), FALSE);
}

void TWinControl::CreateHandle() {
    if (handle_)
        return;
    if (Parent()) {
        Parent()->HandleNeeded();
        if (handle_)
            return;
    }
    TControlState state = ControlState();
    SetControlState(TControlState(state).Include(csCreating));
    ScopeExit created([this] { SetControlState(ControlState().Exclude(csCreating)); });
    CreateWnd();
    PlaceInZOrder();
    CreateChildHandles();
}

// A hidden child gets its window when it is shown or its handle is asked
// for: creating windows nobody sees is most of a skinned form's start-up.
void TWinControl::CreateChildHandles() {
    std::vector<TControl*> children = controls_;
    for (TControl* child : children)
        if (auto* windowed = dynamic_cast<TWinControl*>(child); windowed && windowed->Visible())
            windowed->CreateHandle();
}

void TWinControl::PlaceInZOrder() {
    if (!Parent() || !handle_)
        return;
    const std::vector<TControl*>& siblings = Parent()->controls_;
    auto self = std::find(siblings.begin(), siblings.end(), this);
    HWND above = HWND_TOP;
    for (auto it = self == siblings.end() ? self : self + 1; it != siblings.end(); ++it) {
        auto* windowed = dynamic_cast<TWinControl*>(*it);
        if (windowed && windowed->handle_) {
            above = windowed->handle_;
            break;
        }
    }
    // Later controls lie above earlier ones: place this one just below the
    // next sibling that has a window.
    SetWindowPos(handle_, above, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

void TWinControl::DestroyHandle() {
    if (!handle_)
        return;
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it)
        if (auto* windowed = dynamic_cast<TWinControl*>(*it))
            windowed->DestroyHandle();
    DestroyWnd();
}

void TWinControl::DestroyWnd() {
    if (!handle_)
        return;
    SetStoredText(TWinControl::GetTextBuf());
    HWND window = handle_;
    DestroyWindow(window);
    if (handle_ == window)
        WindowDestroyed();
}

void TWinControl::RecreateWnd() {
    if (!handle_)
        return;
    recreating_ = true;
    ScopeExit recreated([this] { recreating_ = false; });
    DestroyHandle();
    CreateHandle();
}

TControl* TWinControl::Controls(int index) const {
    if (index < 0 || index >= ControlCount())
        throw EListError("Listenindex \xFC"
                         "berschreitet das Maximum (" +
                         std::to_string(index) + ")");
    return controls_[static_cast<std::size_t>(index)];
}

bool TWinControl::ContainsControl(const TControl* control) const {
    for (const TControl* c = control; c; c = c->Parent())
        if (c == this)
            return true;
    return false;
}

TControl* TWinControl::ControlAtPos(TPoint clientPoint, bool allowDisabled) const {
    for (auto it = controls_.rbegin(); it != controls_.rend(); ++it) {
        TControl* child = *it;
        if (child->Visible() && (allowDisabled || child->Enabled()) &&
            child->BoundsRect().Contains(clientPoint))
            return child;
    }
    return nullptr;
}

void TWinControl::InsertControl(TControl* control) {
    controls_.push_back(control);
    control->parent_ = this;
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        tabList_.push_back(windowed);
    else if (control->Visible())
        InvalidateArea(control->BoundsRect());
}

void TWinControl::RemoveControl(TControl* control) {
    if (TCustomForm* form = GetParentForm(this))
        form->ControlRemoved(control);
    auto found = std::find(controls_.begin(), controls_.end(), control);
    if (found == controls_.end())
        return;
    controls_.erase(found);
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), control), tabList_.end());
    control->parent_ = nullptr;
    if (!dynamic_cast<TWinControl*>(control) && control->Visible())
        InvalidateArea(control->BoundsRect());
}

int TWinControl::TabOrder() const {
    if (!Parent())
        return -1;
    const auto& list = Parent()->tabList_;
    auto found = std::find(list.begin(), list.end(), this);
    return found == list.end() ? -1 : static_cast<int>(found - list.begin());
}

void TWinControl::SetTabOrder(int order) {
    if (!Parent())
        return;
    auto& list = Parent()->tabList_;
    auto found = std::find(list.begin(), list.end(), this);
    if (found == list.end())
        return;
    list.erase(found);
    int position = std::clamp(order, 0, static_cast<int>(list.size()));
    list.insert(list.begin() + position, this);
}

void TWinControl::SetTabStop(bool tabStop) {
    if (tabStop_ == tabStop)
        return;
    tabStop_ = tabStop;
    if (handle_) {
        LONG style = GetWindowLongA(handle_, GWL_STYLE);
        style = tabStop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
        SetWindowLongA(handle_, GWL_STYLE, style);
    }
}

bool TWinControl::CanFocus() const {
    if (!GetParentForm(this) && Parent())
        return false;
    for (const TControl* c = this; c; c = c->Parent())
        if (!c->Visible() || !c->Enabled())
            return false;
    return true;
}

bool TWinControl::Focused() const {
    if (!handle_)
        return false;
    HWND focus = GetFocus();
    return focus == handle_ || (focus && IsChild(handle_, focus));
}

void TWinControl::SetFocus() {
    if (!CanFocus())
        throw EInvalidOperation("Ein unsichtbares oder deaktiviertes Fenster kann nicht den "
                                "Fokus erhalten");
    TCustomForm* form = GetParentForm(this);
    if (form && form != this) {
        form->SetActiveControl(this);
        return;
    }
    ::SetFocus(Handle());
}

void TWinControl::DoEnter() {
    if (ComponentState().Contains(csDestroying))
        return;
    if (TCustomForm* form = GetParentForm(this); form && form != this)
        form->FocusChanged(this);
    if (OnEnter)
        OnEnter(this);
}

void TWinControl::DoExit() {
    if (ComponentState().Contains(csDestroying))
        return;
    if (OnExit)
        OnExit(this);
}

TRect TWinControl::ClientRect() const {
    if (!handle_)
        return TControl::ClientRect();
    RECT r{};
    GetClientRect(handle_, &r);
    return Rect(r.left, r.top, r.right, r.bottom);
}

TPoint TWinControl::ClientOrigin() const {
    if (!handle_)
        return TControl::ClientOrigin();
    POINT origin{0, 0};
    ::ClientToScreen(handle_, &origin);
    return Point(origin.x, origin.y);
}

void TWinControl::SetBounds(int left, int top, int width, int height) {
    UpdateBoundsFields(left, top, width, height);
    if (handle_)
        SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TWinControl::SetVisible(bool visible) {
    if (Visible() == visible)
        return;
    visible_ = visible;
    if (handle_) {
        SetWindowPos(handle_, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE |
                         (visible ? SWP_SHOWWINDOW : SWP_HIDEWINDOW));
    } else if (visible && Parent() && Parent()->HandleAllocated()) {
        HandleNeeded();
    }
    Perform(CM_VISIBLECHANGED, visible ? 1 : 0);
}

void TWinControl::SetEnabled(bool enabled) {
    if (Enabled() == enabled)
        return;
    enabled_ = enabled;
    if (handle_)
        EnableWindow(handle_, enabled);
    Invalidate();
    Perform(CM_ENABLEDCHANGED);
}

void TWinControl::SetParent(TWinControl* parent) {
    if (parent == Parent())
        return;
    // The window belongs to the old parent's window; a new one is made under
    // the new parent.
    DestroyHandle();
    TControl::SetParent(parent);
    if (parent && parent->HandleAllocated() && Visible())
        HandleNeeded();
}

void TWinControl::Invalidate() {
    if (handle_)
        InvalidateRect(handle_, nullptr, !ControlStyle().Contains(csOpaque));
}

void TWinControl::InvalidateArea(const TRect& area) {
    if (!handle_)
        return;
    RECT r{area.Left, area.Top, area.Right, area.Bottom};
    InvalidateRect(handle_, &r, TRUE);
}

void TWinControl::Update() {
    if (handle_)
        UpdateWindow(handle_);
}

std::string TWinControl::GetTextBuf() const {
    if (!handle_)
        return StoredText();
    int length = GetWindowTextLengthA(handle_);
    std::string text(static_cast<std::size_t>(std::max(length, 0)) + 1, '\0');
    int copied = GetWindowTextA(handle_, text.data(), static_cast<int>(text.size()));
    text.resize(static_cast<std::size_t>(std::max(copied, 0)));
    return text;
}

void TWinControl::SetTextBuf(const std::string& text) {
    if (!handle_) {
        TControl::SetTextBuf(text);
        return;
    }
    if (GetTextBuf() == text && StoredText() == text)
        return;
    SetStoredText(text);
    SetWindowTextA(handle_, text.c_str());
    Perform(CM_TEXTCHANGED);
}

void TWinControl::FontChanged() {
    if (handle_)
        SendMessageA(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font()->Handle()), TRUE);
    for (TControl* child : controls_)
        child->TakeParentFont();
    TControl::FontChanged();
}

void TWinControl::ColorChanged() {
    for (TControl* child : controls_)
        child->TakeParentColor();
    TControl::ColorChanged();
}

HBRUSH TWinControl::ColorBrush() {
    if (!brush_ || brushColor_ != Color()) {
        brush_.reset(CreateSolidBrush(ColorToColorRef(Color())));
        brushColor_ = Color();
    }
    return brush_.get();
}

void TWinControl::PaintControls(HDC dc) {
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (!graphic || !graphic->Visible())
            continue;
        RECT bounds{child->Left(), child->Top(), child->Left() + child->Width(),
                    child->Top() + child->Height()};
        if (!RectVisible(dc, &bounds))
            continue;
        int saved = SaveDC(dc);
        POINT origin{};
        OffsetViewportOrgEx(dc, child->Left(), child->Top(), &origin);
        IntersectClipRect(dc, 0, 0, child->Width(), child->Height());
        ScopeExit restore([dc, saved] { RestoreDC(dc, saved); });
        graphic->PaintOn(dc);
    }
}

LRESULT CALLBACK TWinControl::WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    TWinControl* control = FindControl(window);
    if (!control && creatingControl) {
        control = creatingControl;
        creatingControl = nullptr;
        control->AttachWindow(window);
    }
    if (!control)
        return DefWindowProcA(window, msg, wParam, lParam);
    TMessage message{msg, wParam, lParam, 0};
    try {
        control->WndProc(message);
    } catch (...) {
        // No exception may unwind through the system's code that called us.
        if (Application)
            Application->HandleException();
    }
    return message.Result;
}

void TWinControl::DefaultHandler(TMessage& message) {
    if (!handle_ || IsFrameworkMessage(message.Msg))
        return;
    message.Result =
        defaultProc_
            ? CallWindowProcA(defaultProc_, handle_, message.Msg, message.WParam, message.LParam)
            : DefWindowProcA(handle_, message.Msg, message.WParam, message.LParam);
}

void TWinControl::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ERASEBKGND:
        WMEraseBkgnd(message);
        return;
    case WM_PAINT:
        WMPaint(message);
        return;
    case WM_WINDOWPOSCHANGING:
        WMWindowPosChanging(message);
        return;
    case WM_WINDOWPOSCHANGED:
        WMWindowPosChanged(message);
        return;
    case WM_SETCURSOR:
        WMSetCursor(message);
        return;
    case WM_COMMAND:
        if (message.LParam) {
            ReflectToChild(message, reinterpret_cast<HWND>(message.LParam), CN_COMMAND);
            return;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORLISTBOX:
        ReflectToChild(message, reinterpret_cast<HWND>(message.LParam), CN_BASE + message.Msg);
        return;
    case WM_DRAWITEM: {
        const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam);
        if (item && item->CtlType != ODT_MENU) {
            ReflectToChild(message, item->hwndItem, CN_DRAWITEM);
            return;
        }
        break;
    }
    case WM_SETFOCUS:
        DefaultHandler(message);
        DoEnter();
        return;
    case WM_KILLFOCUS:
        DefaultHandler(message);
        DoExit();
        return;
    case WM_CAPTURECHANGED:
        if (TControl* lost = mouse_capture::Lost(handle_, reinterpret_cast<HWND>(message.LParam)))
            lost->CaptureLost();
        DefaultHandler(message);
        return;
    case WM_MOUSELEAVE:
        trackingLeave_ = false;
        DefaultHandler(message);
        return;
    case WM_NCDESTROY:
        DefaultHandler(message);
        WindowDestroyed();
        return;
    case CN_COMMAND:
        CNCommand(message);
        return;
    case CN_CTLCOLOREDIT:
    case CN_CTLCOLORSTATIC:
    case CN_CTLCOLORLISTBOX:
        CNCtlColor(message);
        return;
    default:
        if (IsMouseMessage(message.Msg)) {
            MouseWindowMessage(message);
            return;
        }
        break;
    }
    TControl::WndProc(message);
}

void TWinControl::MouseWindowMessage(TMessage& message) {
    // Ask the system for a WM_MOUSELEAVE: it wakes the message loop when the
    // pointer leaves for another process's window, so the idle check runs.
    if (message.Msg == WM_MOUSEMOVE && !trackingLeave_ && handle_) {
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle_, 0};
        trackingLeave_ = TrackMouseEvent(&track) != FALSE;
    }
    DefaultHandler(message);
    if (!handle_)
        return;
    if (RouteToWindowless(message))
        return;
    MouseMessage(message);
}

bool TWinControl::RouteToWindowless(TMessage& message) {
    TControl* target = nullptr;
    TControl* holder = mouse_capture::Holder();
    if (holder) {
        if (holder != this && holder->Parent() == this && !dynamic_cast<TWinControl*>(holder))
            target = holder;
    } else {
        TPoint point = Point(GET_X_LPARAM(message.LParam), GET_Y_LPARAM(message.LParam));
        TControl* child = ControlAtPos(point);
        if (child && !dynamic_cast<TWinControl*>(child))
            target = child;
    }
    if (!target)
        return false;
    TMessage routed = message;
    routed.LParam = MAKELPARAM(GET_X_LPARAM(message.LParam) - target->Left(),
                               GET_Y_LPARAM(message.LParam) - target->Top());
    target->WndProc(routed);
    message.Result = routed.Result;
    return true;
}

void TWinControl::ReflectToChild(TMessage& message, HWND child, UINT reflected) {
    TWinControl* target = FindControl(child);
    // A part of a standard control (the edit field of a combo box) speaks for it.
    if (!target && child) {
        HWND up = GetParent(child);
        if (up != handle_)
            target = FindControl(up);
    }
    if (target && target != this) {
        TMessage reflectedMessage{reflected, message.WParam, message.LParam, 0};
        target->WndProc(reflectedMessage);
        if (reflectedMessage.Result) {
            message.Result = reflectedMessage.Result;
            return;
        }
    }
    DefaultHandler(message);
}

void TWinControl::CNCommand(TMessage&) {}

void TWinControl::CNCtlColor(TMessage&) {}

void TWinControl::WMEraseBkgnd(TMessage& message) {
    if (defaultProc_) {
        DefaultHandler(message);
        return;
    }
    // The rectangles that opaque windowless children paint over are left
    // alone: erasing them first costs a second pass over the pixels (and,
    // on a large window, a visible flash of the form's colour).
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    const int saved = SaveDC(dc);
    for (TControl* child : controls_) {
        auto* graphic = dynamic_cast<TGraphicControl*>(child);
        if (graphic && graphic->Visible() && graphic->Opaque())
            ExcludeClipRect(dc, child->Left(), child->Top(), child->Left() + child->Width(),
                            child->Top() + child->Height());
    }
    RECT client{};
    GetClientRect(handle_, &client);
    FillRect(dc, &client, ColorBrush());
    RestoreDC(dc, saved);
    message.Result = 1;
}

void TWinControl::WMPaint(TMessage& message) {
    if (defaultProc_) {
        DefaultHandler(message);
        return;
    }
    PAINTSTRUCT paint{};
    HDC dc = BeginPaint(handle_, &paint);
    ScopeExit endPaint([&] { EndPaint(handle_, &paint); });
    PaintControls(dc);
}

void TWinControl::WMWindowPosChanging(TMessage& message) {
    DefaultHandler(message);
}

void TWinControl::WMWindowPosChanged(TMessage& message) {
    const auto* position = reinterpret_cast<const WINDOWPOS*>(message.LParam);
    if (handle_ && position &&
        (position->flags & (SWP_NOMOVE | SWP_NOSIZE)) != (SWP_NOMOVE | SWP_NOSIZE)) {
        RECT r{};
        GetWindowRect(handle_, &r);
        if (GetWindowLongA(handle_, GWL_STYLE) & WS_CHILD)
            MapWindowPoints(HWND_DESKTOP, GetParent(handle_), reinterpret_cast<POINT*>(&r), 2);
        UpdateBoundsFields(r.left, r.top, r.right - r.left, r.bottom - r.top);
    }
    DefaultHandler(message);
}

void TWinControl::WMSetCursor(TMessage& message) {
    if (LOWORD(message.LParam) == HTCLIENT && reinterpret_cast<HWND>(message.WParam) == handle_) {
        TCursor cursor = Cursor();
        POINT screen{};
        GetCursorPos(&screen);
        TControl* child = ControlAtPos(ScreenToClient(Point(screen.x, screen.y)));
        if (child && !dynamic_cast<TWinControl*>(child) && child->Cursor() != crDefault)
            cursor = child->Cursor();
        if (cursor != crDefault) {
            ::SetCursor(CursorHandle(cursor));
            message.Result = TRUE;
            return;
        }
    }
    DefaultHandler(message);
}

void TControl::CaptureLost() {
    controlState_.Exclude(csLButtonDown).Exclude(csClicked);
    if (Dragging())
        EndDrag(false);
}
