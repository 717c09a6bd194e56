// TWinControl: a control with a window of its own. The window is created on
// demand (Handle()), destroyed with the control, and can be recreated with all
// its children (RecreateWnd) when a style changes; bounds, text and visibility
// live in the object and survive that.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "framework/ui/Control.h"
#include "framework/win32/Handles.h"

// What CreateWnd hands to CreateWindowExA. CreateParams fills it; descendants
// adjust it. WinClassName names the window class the framework registers
// from WindowClass (with the framework's window procedure); a standard control
// class is used through CreateSubClass.
struct TCreateParams {
    std::string Caption;
    DWORD Style = 0;
    DWORD ExStyle = 0;
    int X = 0;
    int Y = 0;
    int Width = 0;
    int Height = 0;
    HWND WndParent = nullptr;
    void* Param = nullptr;
    WNDCLASSA WindowClass{};
    std::string WinClassName;
};

class TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const char* ClassName() const override { return "TWinControl"; }

    // The window, created on first use (a child needs its parent's window,
    // which is created too). A child control without a parent raises
    // EInvalidOperation "Element '<Name>' hat kein übergeordnetes Fenster".
    HWND Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }
    void HandleNeeded() { (void)Handle(); }
    // Destroys the window and its children's windows and creates them again
    // (CreateWnd runs again), keeping bounds, text and visibility. Without a
    // window it does nothing.
    void RecreateWnd();

    // The child controls in the order they were added (which is also their
    // z-order: later ones lie on top).
    int ControlCount() const { return static_cast<int>(controls_.size()); }
    TControl* Controls(int index) const;
    bool ContainsControl(const TControl* control) const;
    // The visible child (windowless or windowed) whose rectangle holds the
    // client point, the top-most first; nullptr if none.
    TControl* ControlAtPos(TPoint clientPoint, bool allowDisabled = false) const;

    int TabOrder() const;
    void SetTabOrder(int order);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool tabStop);
    virtual bool CanFocus() const;
    bool Focused() const;
    virtual void SetFocus();

    TRect ClientRect() const override;
    TPoint ClientOrigin() const override;
    void SetBounds(int left, int top, int width, int height) override;
    void SetVisible(bool visible) override;
    void SetEnabled(bool enabled) override;
    void SetParent(TWinControl* parent) override;
    void Invalidate() override;
    // Requests a repaint of part of the client area (erasing it first).
    void InvalidateArea(const TRect& area);
    void Update() override;
    void WndProc(TMessage& message) override;

    // Sends every windowless child its part of a paint: each visible one that
    // meets dc's clip box paints with the DC's origin moved to its top-left
    // corner and clipped to its rectangle.
    void PaintControls(HDC dc);

    // The control that owns window, or nullptr for a window of no control.
    static TWinControl* FindControl(HWND window);

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;

protected:
    virtual void CreateParams(TCreateParams& params);
    // Creates the window from CreateParams (registering the window class the
    // first time) and attaches it to this object.
    virtual void CreateWnd();
    // Destroys the window (children's windows first).
    virtual void DestroyWnd();
    // CreateWnd, then the windows of the child controls in their order, then
    // the window is shown when Visible.
    virtual void CreateHandle();
    virtual void DestroyHandle();
    // Makes params a superclass of a standard window class ("EDIT",
    // "COMBOBOX", ...): messages the control does not answer go to that class's
    // own procedure.
    void CreateSubClass(TCreateParams& params, const char* controlClassName);

    void DefaultHandler(TMessage& message) override;
    std::string GetTextBuf() const override;
    void SetTextBuf(const std::string& text) override;
    void FontChanged() override;
    void ColorChanged() override;

    // Message handlers. A descendant answers a message by setting its Result
    // and not calling the inherited handler.
    virtual void WMEraseBkgnd(TMessage& message);
    virtual void WMPaint(TMessage& message);
    virtual void WMWindowPosChanging(TMessage& message);
    virtual void WMWindowPosChanged(TMessage& message);
    virtual void WMSetCursor(TMessage& message);
    // A notification (WM_COMMAND) or colour request (WM_CTLCOLOR*) reflected
    // from the parent as CN_COMMAND / CN_CTLCOLOR*.
    virtual void CNCommand(TMessage& message);
    virtual void CNCtlColor(TMessage& message);

    virtual void DoEnter();
    virtual void DoExit();

    // A brush of the control's Color (made on demand, remade when it changes),
    // for backgrounds and WM_CTLCOLOR* answers.
    HBRUSH ColorBrush();

    // Whether the window class gets CS_DBLCLKS: from csDoubleClicks.
    bool WantsDoubleClicks() const;
    // True while RecreateWnd destroys and creates the window again.
    bool Recreating() const { return recreating_; }

private:
    friend class TControl;
    static LRESULT CALLBACK WindowProcedure(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    void AttachWindow(HWND window);
    void WindowDestroyed();
    void InsertControl(TControl* control);
    void RemoveControl(TControl* control);
    void PlaceInZOrder();
    void CreateChildHandles();
    void ReflectToChild(TMessage& message, HWND child, UINT reflected);
    bool RouteToWindowless(TMessage& message);
    void MouseWindowMessage(TMessage& message);

    HWND handle_ = nullptr;
    WNDPROC defaultProc_ = nullptr;     // the standard class's procedure, for subclassed controls
    std::vector<TControl*> controls_;   // not owned; in z-order, bottom first
    std::vector<TWinControl*> tabList_; // not owned; windowed children in tab order
    bool tabStop_ = false;
    BrushHandle brush_;
    TColor brushColor_ = 0;
    bool trackingLeave_ = false;
    bool recreating_ = false;
};
