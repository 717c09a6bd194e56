// TControl: the base of everything that has a place on a form: bounds,
// visibility, caption, colour, font, mouse handling and dragging. Windowless
// controls (TGraphicControl) derive from it directly; windowed ones from
// TWinControl.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "framework/graphics/NotifyEvent.h"
#include "framework/portable/Color.h"
#include "framework/portable/Types.h"
#include "framework/runtime/Component.h"
#include "framework/runtime/Set.h"
#include "framework/ui/Messages.h"
#include "framework/ui/TextAlignment.h"

class TFont;
class TWinControl;

enum TMouseButton : std::uint8_t { mbLeft, mbRight, mbMiddle };

enum TShiftStateItem { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TShiftState = TSet<TShiftStateItem>;

// The order of the items fixes their bit values: csCaptureMouse, csClickEvents,
// csSetCaption, csDoubleClicks and csReplicatable together are 0x8AA.
enum TControlStyleItem {
    csAcceptsControls,
    csCaptureMouse,
    csDesignInteractive,
    csClickEvents,
    csFramed,
    csSetCaption,
    csOpaque,
    csDoubleClicks,
    csFixedWidth,
    csFixedHeight,
    csNoDesignVisible,
    csReplicatable,
    csNoStdEvents,
    csDisplayDragImage,
    csReflector,
    csActionClient,
    csMenuEvents
};
using TControlStyle = TSet<TControlStyleItem>;

enum TControlStateItem {
    csLButtonDown, // the left button was pressed on this control and is still held
    csClicked,     // the press may still become a click (not the second press of a double click)
    csPalette,
    csReadingState,
    csAlignmentNeeded,
    csFocusing,
    csCreating,
    csPaintCopy,
    csCustomPaint,
    csDestroyingHandle,
    csDocking
};
using TControlState = TSet<TControlStateItem>;

enum TDragMode : std::uint8_t { dmManual, dmAutomatic };
enum TDragState : std::uint8_t { dsDragEnter, dsDragLeave, dsDragMove };

// Cursor identifiers: 0 and negative values are the framework's stock cursors.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeNESW = -6;
constexpr TCursor crSizeNS = -7;
constexpr TCursor crSizeNWSE = -8;
constexpr TCursor crSizeWE = -9;
constexpr TCursor crUpArrow = -10;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crDrag = -12;
constexpr TCursor crNoDrop = -13;
constexpr TCursor crNo = -18;
constexpr TCursor crAppStart = -19;
constexpr TCursor crHandPoint = -21;
constexpr TCursor crSizeAll = -22;

using TMouseEvent =
    std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TStartDragEvent = std::function<void(TObject* sender)>;
// target is the control the drag ended over that accepted it, or nullptr.
using TEndDragEvent = std::function<void(TObject* sender, TObject* target, int x, int y)>;
using TDragDropEvent = std::function<void(TObject* sender, TObject* source, int x, int y)>;
using TDragOverEvent = std::function<void(TObject* sender, TObject* source, int x, int y,
                                          TDragState state, bool& accept)>;

class TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    const char* ClassName() const override { return "TControl"; }

    // Bounds in the parent's client coordinates (a form: screen coordinates).
    // They work before a window exists and are kept across window re-creation.
    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int left) { SetBounds(left, top_, width_, height_); }
    void SetTop(int top) { SetBounds(left_, top, width_, height_); }
    void SetWidth(int width) { SetBounds(left_, top_, width, height_); }
    void SetHeight(int height) { SetBounds(left_, top_, width_, height); }
    virtual void SetBounds(int left, int top, int width, int height);
    TRect BoundsRect() const { return Bounds(left_, top_, width_, height_); }

    // The client area: for a plain control its whole rectangle at (0, 0).
    virtual TRect ClientRect() const;
    int ClientWidth() const { return ClientRect().Width(); }
    int ClientHeight() const { return ClientRect().Height(); }
    virtual void SetClientWidth(int width);
    virtual void SetClientHeight(int height);

    TPoint ClientToScreen(TPoint point) const;
    TPoint ScreenToClient(TPoint point) const;
    // The screen position of the client area's top-left corner.
    virtual TPoint ClientOrigin() const;

    bool Visible() const { return visible_; }
    virtual void SetVisible(bool visible);
    void Show() { SetVisible(true); }
    void Hide() { SetVisible(false); }
    // Visible itself and every parent up to a top-level window visible.
    bool Showing() const;

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool enabled);

    TWinControl* Parent() const { return parent_; }
    // Moves the control into parent's list of controls (nullptr takes it out);
    // a windowed control's window is created again under the new parent when
    // it is next needed.
    virtual void SetParent(TWinControl* parent);

    // The caption is the control's window text (so screen readers name every
    // control). Setting a different text sends CM_TEXTCHANGED.
    std::string Caption() const { return GetTextBuf(); }
    void SetCaption(const std::string& caption) { SetTextBuf(caption); }
    std::string Text() const { return GetTextBuf(); }
    void SetText(const std::string& text) { SetTextBuf(text); }

    // Renames the component; with csSetCaption, a caption equal to the old
    // name follows the new name. (Hides TComponent::SetName.)
    void SetName(const std::string& name);

    TColor Color() const { return color_; }
    virtual void SetColor(TColor color);
    bool ParentColor() const { return parentColor_; }
    void SetParentColor(bool parentColor);

    // The control's own font (owned). Until it is changed the control shows
    // its parent's font (ParentFont true); SetFont copies the argument.
    TFont* Font() const { return font_.get(); }
    void SetFont(TFont* font);
    bool ParentFont() const { return parentFont_; }
    void SetParentFont(bool parentFont);

    TCursor Cursor() const { return cursor_; }
    void SetCursor(TCursor cursor) { cursor_ = cursor; }
    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& hint) { hint_ = hint; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool showHint);
    bool ParentShowHint() const { return parentShowHint_; }
    void SetParentShowHint(bool parentShowHint);

    TControlStyle ControlStyle() const { return controlStyle_; }
    void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
    TControlState ControlState() const { return controlState_; }
    void SetControlState(TControlState state) { controlState_ = state; }

    TDragMode DragMode() const { return dragMode_; }
    void SetDragMode(TDragMode mode) { dragMode_ = mode; }
    TCursor DragCursor() const { return dragCursor_; }
    void SetDragCursor(TCursor cursor) { dragCursor_ = cursor; }
    // Starts dragging this control: captures the mouse, shows DragCursor and
    // fires OnStartDrag. The release of the left button ends the drag.
    void BeginDrag(bool immediate = true);
    // Ends a drag; with drop the control under the pointer that accepts it
    // receives OnDragDrop. OnEndDrag fires either way.
    void EndDrag(bool drop);
    bool Dragging() const;

    // Requests a repaint of the control's area.
    virtual void Invalidate();
    // Paints pending invalid areas now.
    virtual void Update();
    void Repaint();

    // Sends a message straight to the control's WndProc and returns its result.
    LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
    // The control's message handling: a default that dispatches to the
    // virtual handlers below. Descendants override it for messages of their own
    // and call the inherited version for the rest.
    virtual void WndProc(TMessage& message);

    // Text flags adjusted for the reading order: left-to-right, so unchanged.
    unsigned DrawTextBiDiModeFlags(unsigned flags) const { return flags; }

    // Whether this control holds the mouse capture (for a windowless control:
    // its parent's window holds it on its behalf).
    bool MouseCapture() const;
    void SetMouseCapture(bool capture);

    TNotifyEvent OnClick;
    TNotifyEvent OnDblClick;
    TMouseEvent OnMouseDown;
    TMouseEvent OnMouseUp;
    TMouseMoveEvent OnMouseMove;
    TStartDragEvent OnStartDrag;
    TEndDragEvent OnEndDrag;
    TDragDropEvent OnDragDrop;
    TDragOverEvent OnDragOver;

    // Raised by the framework's mouse handling; public so a parent window can
    // route the messages of its windowless children to them.
    void MouseMessage(TMessage& message);

protected:
    virtual void Click();
    virtual void DblClick();
    virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
    virtual void MouseMove(TShiftState shift, int x, int y);
    // The pointer entered / left the control (CM_MOUSEENTER / CM_MOUSELEAVE).
    virtual void MouseEnter();
    virtual void MouseLeave();
    // The caption changed (CM_TEXTCHANGED).
    virtual void CMTextChanged(TMessage& message);
    // The control's font or colour changed (also when taken from the parent).
    virtual void FontChanged();
    virtual void ColorChanged();
    // Left, Top, Width or Height changed.
    virtual void BoundsChanged();
    virtual void DoStartDrag();
    virtual void DoEndDrag(TObject* target, int x, int y);
    virtual void DragOver(TObject* source, int x, int y, TDragState state, bool& accept);
    virtual void DragDrop(TObject* source, int x, int y);

    // What the message does when no handler answered it: nothing for a
    // windowless control; the window's original procedure for a windowed one.
    virtual void DefaultHandler(TMessage& message);

    // Reading and writing the caption; windowed controls keep it in the window.
    virtual std::string GetTextBuf() const { return text_; }
    virtual void SetTextBuf(const std::string& text);

    void Loaded() override;

    // Takes the parent's font / colour into this control when ParentFont /
    // ParentColor is set (called when the parent changes or its font does).
    void TakeParentFont();
    void TakeParentColor();
    // Stores new bounds without moving any window (used when the window
    // reports its own moves).
    void UpdateBoundsFields(int left, int top, int width, int height);

    // The stored text, for descendants that keep it in a window.
    const std::string& StoredText() const { return text_; }
    void SetStoredText(const std::string& text) { text_ = text; }

private:
    friend class TWinControl;
    friend class TCustomForm;
    void FontObjectChanged();
    // The system took the mouse capture away while a button was held.
    void CaptureLost();
    void DragMouseMove(TPoint screenPoint);
    void DragRelease(TPoint screenPoint);

    TWinControl* parent_ = nullptr; // not owned
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    bool visible_ = true;
    bool enabled_ = true;
    std::string text_;
    TColor color_ = clWindow;
    bool parentColor_ = false;
    std::unique_ptr<TFont> font_;
    bool parentFont_ = true;
    bool takingParentFont_ = false;
    TCursor cursor_ = crDefault;
    std::string hint_;
    bool showHint_ = false;
    bool parentShowHint_ = true;
    TControlStyle controlStyle_;
    TControlState controlState_;
    TDragMode dragMode_ = dmManual;
    TCursor dragCursor_ = crDrag;
};

// The form a control lies on (the top-most parent that is a form), or nullptr.
class TCustomForm;
TCustomForm* GetParentForm(const TControl* control);

// The control that holds the mouse capture (set through SetMouseCapture, a
// left press with csCaptureMouse, or a drag), or nullptr.
TControl* GetCaptureControl();

// The control of this process under a screen point: the window there
// (WindowFromPoint, which follows window regions) and, within it, a
// windowless child at that point. nullptr over other processes' windows.
TControl* FindControlAtScreen(TPoint screenPoint, bool allowDisabled = false);
