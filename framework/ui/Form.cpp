#include "framework/ui/Form.h"

#include <algorithm>

#include "framework/runtime/Exceptions.h"
#include "framework/ui/Application.h"
#include "framework/ui/MainMenu.h"

namespace {
const char* const cannotFocus =
    "Ein unsichtbares oder deaktiviertes Fenster kann nicht den Fokus erhalten";
}

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner), canvas_(*this) {
    SetControlStyle(
        {csAcceptsControls, csCaptureMouse, csClickEvents, csSetCaption, csDoubleClicks});
    visible_ = false;
    SetColor(clBtnFace);
    SetParentFont(false);
    SetBounds(0, 0, 320, 240);
    BeginLoading();
}

TCustomForm::~TCustomForm() {
    Destroying();
    try {
        DoDestroy();
    } catch (...) {
        if (Application)
            Application->HandleException();
    }
    // The components go first, while the form is still whole.
    DestroyComponents();
    canvas_.ReleaseWindowDc();
    DestroyHandle();
    if (menu_)
        menu_->form_ = nullptr;
}

void TCustomForm::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    // Everything created while the stored layout is built is part of it.
    if (operation == opInsert && ComponentState().Contains(csLoading))
        component->BeginLoading();
    if (operation == opRemove && component == activeControl_)
        activeControl_ = nullptr;
}

void TCustomForm::AfterConstruction() {
    if (ComponentState().Contains(csLoading))
        EndLoading();
    try {
        DoCreate();
    } catch (...) {
        // The form stays as far as OnCreate built it; the error is shown.
        if (!Application)
            throw;
        Application->HandleException();
    }
}

void TCustomForm::Loaded() {
    TWinControl::Loaded();
    if (pendingClientWidth_ >= 0 || pendingClientHeight_ >= 0) {
        int width = pendingClientWidth_ >= 0 ? pendingClientWidth_ : ClientWidth();
        int height = pendingClientHeight_ >= 0 ? pendingClientHeight_ : ClientHeight();
        pendingClientWidth_ = pendingClientHeight_ = -1;
        ResizeForClient(width, height);
    }
}

void TCustomForm::FrameStyle(DWORD& style, DWORD& exStyle) const {
    style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
    exStyle = 0;
    switch (borderStyle_) {
    case bsNone:
        style |= WS_POPUP;
        break;
    case bsSingle:
        style |= WS_CAPTION;
        break;
    case bsSizeable:
        style |= WS_CAPTION | WS_THICKFRAME;
        break;
    case bsDialog:
        style |= WS_POPUP | WS_CAPTION;
        exStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
        break;
    case bsToolWindow:
        style |= WS_CAPTION;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    case bsSizeToolWin:
        style |= WS_CAPTION | WS_THICKFRAME;
        exStyle |= WS_EX_TOOLWINDOW;
        break;
    }
    if (borderStyle_ == bsNone)
        return;
    if (borderIcons_.Contains(biSystemMenu))
        style |= WS_SYSMENU;
    if (borderStyle_ == bsSingle || borderStyle_ == bsSizeable) {
        if (borderIcons_.Contains(biMinimize))
            style |= WS_MINIMIZEBOX;
        if (borderIcons_.Contains(biMaximize))
            style |= WS_MAXIMIZEBOX;
    }
}

void TCustomForm::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    DWORD style = 0;
    DWORD exStyle = 0;
    FrameStyle(style, exStyle);
    params.Style = style | (Enabled() ? 0 : WS_DISABLED);
    params.ExStyle = exStyle;
    params.WndParent = nullptr;
}

void TCustomForm::CreateHandle() {
    TWinControl::CreateHandle();
    if (menu_)
        AttachMenu();
    if (Visible() && HandleAllocated() && !IsWindowVisible(Handle()))
        ShowWindow(Handle(), SW_SHOWNORMAL);
}

void TCustomForm::DestroyWnd() {
    canvas_.ReleaseWindowDc();
    active_ = false;
    // DestroyWindow would destroy the menu shown on the window: the menu
    // belongs to its TMainMenu and outlives the window.
    if (HandleAllocated() && GetMenu(Handle()))
        ::SetMenu(Handle(), nullptr);
    TWinControl::DestroyWnd();
}

void TCustomForm::SetBorderStyle(TFormBorderStyle style) {
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    RecreateWnd();
}

void TCustomForm::SetBorderIcons(TBorderIcons icons) {
    if (borderIcons_ == icons)
        return;
    borderIcons_ = icons;
    RecreateWnd();
}

TRect TCustomForm::ClientRect() const {
    if (HandleAllocated())
        return TWinControl::ClientRect();
    DWORD style = 0;
    DWORD exStyle = 0;
    FrameStyle(style, exStyle);
    RECT frame{0, 0, 0, 0};
    AdjustWindowRectEx(&frame, style, menu_ != nullptr, exStyle);
    return Rect(0, 0, Width() - (frame.right - frame.left), Height() - (frame.bottom - frame.top));
}

void TCustomForm::ResizeForClient(int clientWidth, int clientHeight) {
    int frameWidth = Width() - ClientWidth();
    int frameHeight = Height() - ClientHeight();
    SetBounds(Left(), Top(), clientWidth + frameWidth, clientHeight + frameHeight);
}

void TCustomForm::SetClientWidth(int width) {
    if (ComponentState().Contains(csLoading))
        pendingClientWidth_ = width;
    ResizeForClient(width, ClientHeight());
}

void TCustomForm::SetClientHeight(int height) {
    if (ComponentState().Contains(csLoading))
        pendingClientHeight_ = height;
    ResizeForClient(ClientWidth(), height);
}

void TCustomForm::SetVisible(bool visible) {
    if (visible) {
        visible_ = true;
        HWND window = Handle(); // a new window is shown as it is made
        if (!IsWindowVisible(window))
            ShowWindow(window, SW_SHOWNORMAL);
    } else {
        visible_ = false;
        if (HandleAllocated())
            ShowWindow(Handle(), SW_HIDE);
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TCustomForm::Hide() {
    SetVisible(false);
}

TModalResult TCustomForm::ShowModal() {
    if (modal_)
        throw EInvalidOperation("Das Formular wird bereits modal angezeigt");
    HWND owner = GetActiveWindow();
    if (owner == (HandleAllocated() ? Handle() : nullptr))
        owner = nullptr;
    // Disabled before the form shows, so no click reaches the owner between.
    const bool ownerWasEnabled = owner && !EnableWindow(owner, FALSE);
    modal_ = true;
    modalResult_ = mrNone;
    try {
        Show();
    } catch (...) {
        modalResult_ = mrCancel;
        if (Application)
            Application->HandleException();
    }
    while (modalResult_ == mrNone) {
        // As in the application's own loop, an error in a handler is shown
        // and the form goes on.
        try {
            Application->HandleMessage();
        } catch (...) {
            Application->HandleException();
        }
        if (Application->Terminated())
            modalResult_ = mrCancel;
    }
    modal_ = false;
    // The owner is enabled before the form hides, so Windows activates it
    // rather than some other program's window.
    if (ownerWasEnabled)
        EnableWindow(owner, TRUE);
    Hide();
    if (owner && IsWindow(owner))
        SetActiveWindow(owner);
    return modalResult_;
}

bool TCustomForm::CloseQuery() {
    bool canClose = true;
    if (OnCloseQuery)
        OnCloseQuery(this, canClose);
    return canClose;
}

void TCustomForm::DoClose(TCloseAction& action) {
    if (OnClose)
        OnClose(this, action);
}

void TCustomForm::Close() {
    if (!CloseQuery())
        return;
    TCloseAction action = caHide;
    DoClose(action);
    if (action == caNone)
        return;
    if (modal_) {
        // ShowModal hides the form when its loop ends.
        modalResult_ = mrCancel;
        return;
    }
    if (Application && Application->MainForm() == this) {
        Application->Terminate();
        return;
    }
    switch (action) {
    case caHide:
        Hide();
        break;
    case caMinimize:
        if (HandleAllocated())
            ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case caFree:
        if (Application)
            Application->ReleaseForm(this);
        else
            Hide();
        break;
    default:
        break;
    }
}

void TCustomForm::SetMenu(TMainMenu* menu) {
    if (menu_ == menu)
        return;
    if (menu_)
        menu_->form_ = nullptr;
    if (menu && menu->form_)
        menu->form_->SetMenu(nullptr);
    menu_ = menu;
    if (menu)
        menu->form_ = this;
    AttachMenu();
}

void TCustomForm::AttachMenu() {
    if (!HandleAllocated())
        return;
    ::SetMenu(Handle(), menu_ ? menu_->Handle() : nullptr);
    DrawMenuBar(Handle());
}

TCanvas* TCustomForm::Canvas() {
    return canvas_.Canvas();
}

void TCustomForm::WMPaint(TMessage&) {
    canvas_.Paint([this](HDC dc) {
        Paint();
        PaintControls(dc);
    });
}

void TCustomForm::WMWindowPosChanged(TMessage& message) {
    TWinControl::WMWindowPosChanged(message);
}

void TCustomForm::WMActivateApp(TMessage& message) {
    DefaultHandler(message);
}

void TCustomForm::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_ACTIVATE: {
        bool becomingActive = LOWORD(message.WParam) != WA_INACTIVE;
        DefaultHandler(message); // focuses the form's window
        active_ = becomingActive;
        if (becomingActive) {
            if (activeControl_ && activeControl_->CanFocus())
                ::SetFocus(activeControl_->Handle());
            Activate();
        } else {
            Deactivate();
        }
        return;
    }
    case WM_ACTIVATEAPP:
        WMActivateApp(message);
        return;
    case WM_SHOWWINDOW:
        DefaultHandler(message);
        // Shown or hidden by ShowWindow itself (not because an owner was
        // minimised), and not while the window is only being made anew.
        if (message.LParam == 0 && !Recreating()) {
            if (message.WParam)
                DoShow();
            else
                DoHide();
        }
        return;
    case WM_COMMAND:
        // From the menu bar (HIWORD 0) or an accelerator (1): no control window.
        if (message.LParam == 0 && HIWORD(message.WParam) <= 1 && menu_ &&
            menu_->DispatchCommand(LOWORD(message.WParam))) {
            message.Result = 0;
            return;
        }
        TWinControl::WndProc(message);
        return;
    case WM_CLOSE:
        Close();
        message.Result = 0;
        return;
    case WM_GETMINMAXINFO: {
        DefaultHandler(message);
        // A framed window is otherwise held to a little more than the screen,
        // so a client area larger than the screen would come out cut down.
        // The size the form itself asks for is always allowed.
        auto* limits = reinterpret_cast<MINMAXINFO*>(message.LParam);
        if (limits) {
            limits->ptMaxTrackSize.x = std::max<LONG>(limits->ptMaxTrackSize.x, Width());
            limits->ptMaxTrackSize.y = std::max<LONG>(limits->ptMaxTrackSize.y, Height());
        }
        return;
    }
    default:
        TWinControl::WndProc(message);
    }
}

void TCustomForm::SetActiveControl(TWinControl* control) {
    if (control && (GetParentForm(control) != this ||
                    (!ComponentState().Contains(csLoading) && !control->CanFocus())))
        throw EInvalidOperation(cannotFocus);
    activeControl_ = control;
    if (control && HandleAllocated() && IsWindowVisible(Handle()) &&
        !ComponentState().Contains(csLoading))
        ::SetFocus(control->Handle());
}

void TCustomForm::FocusChanged(TWinControl* control) {
    activeControl_ = control;
}

void TCustomForm::ControlRemoved(TControl* control) {
    if (!activeControl_)
        return;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    if (activeControl_ == control || (windowed && windowed->ContainsControl(activeControl_)))
        activeControl_ = nullptr;
}

namespace {
// The focusable controls in tab order, depth first.
void CollectTabStops(TWinControl* container, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (int i = 0; i < container->ControlCount(); ++i)
        if (auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i)))
            children.push_back(windowed);
    std::stable_sort(children.begin(), children.end(),
                     [](TWinControl* a, TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* child : children) {
        if (child->TabStop() && child->CanFocus())
            out.push_back(child);
        CollectTabStops(child, out);
    }
}
} // namespace

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    std::vector<TWinControl*> stops;
    CollectTabStops(this, stops);
    if (stops.empty())
        return;
    auto found = std::find(stops.begin(), stops.end(), current);
    std::size_t index = 0;
    if (found == stops.end())
        index = forward ? 0 : stops.size() - 1;
    else if (forward)
        index = (static_cast<std::size_t>(found - stops.begin()) + 1) % stops.size();
    else
        index = (static_cast<std::size_t>(found - stops.begin()) + stops.size() - 1) % stops.size();
    stops[index]->SetFocus();
}

void TCustomForm::Activate() {
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (OnDeactivate)
        OnDeactivate(this);
}

void TCustomForm::Paint() {
    if (OnPaint)
        OnPaint(this);
}

void TCustomForm::DoCreate() {
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::DoDestroy() {
    if (OnDestroy)
        OnDestroy(this);
}

void TCustomForm::DoShow() {
    if (OnShow)
        OnShow(this);
}

void TCustomForm::DoHide() {
    if (OnHide)
        OnHide(this);
}
