// Dragging a control with the mouse: BeginDrag captures the mouse, the
// pointer's moves find the control below (which may accept a drop through
// OnDragOver), and the release ends the drag.
#include "framework/ui/Control.h"
#include "framework/ui/Cursors.h"
#include "framework/ui/MouseCapture.h"
#include "framework/ui/WinControl.h"

void TControl::BeginDrag(bool) {
    drag_state::TDrag& drag = drag_state::Current();
    if (drag.Source)
        return;
    drag = drag_state::TDrag{this, nullptr, false};
    SetMouseCapture(true);
    ::SetCursor(CursorHandle(dragCursor_));
    DoStartDrag();
}

bool TControl::Dragging() const {
    return drag_state::Current().Source == this;
}

void TControl::DragMouseMove(TPoint screenPoint) {
    drag_state::TDrag& drag = drag_state::Current();
    TControl* target = FindControlAtScreen(screenPoint);
    if (target == this)
        target = nullptr; // a control is never dropped on itself
    if (target != drag.Target) {
        if (TControl* previous = drag.Target) {
            bool ignored = false;
            TPoint p = previous->ScreenToClient(screenPoint);
            previous->DragOver(this, p.X, p.Y, dsDragLeave, ignored);
        }
        drag.Target = target;
        drag.Accepted = false;
        if (target) {
            TPoint p = target->ScreenToClient(screenPoint);
            target->DragOver(this, p.X, p.Y, dsDragEnter, drag.Accepted);
        }
    } else if (target) {
        TPoint p = target->ScreenToClient(screenPoint);
        drag.Accepted = false;
        target->DragOver(this, p.X, p.Y, dsDragMove, drag.Accepted);
    }
    // The handlers may have ended the drag or freed the target.
    if (drag_state::Current().Source == this)
        ::SetCursor(CursorHandle(drag.Target && drag.Accepted ? dragCursor_ : crNoDrop));
}

void TControl::DragRelease(TPoint screenPoint) {
    DragMouseMove(screenPoint);
    if (Dragging())
        EndDrag(true);
}

void TControl::EndDrag(bool drop) {
    drag_state::TDrag drag = drag_state::Current();
    if (drag.Source != this)
        return;
    drag_state::Current() = drag_state::TDrag{};
    SetMouseCapture(false);
    POINT cursor{};
    GetCursorPos(&cursor);
    TPoint screenPoint = Point(cursor.x, cursor.y);
    TControl* target = drop && drag.Accepted ? drag.Target : nullptr;
    if (target) {
        // Watch the target while it handles the drop: it may free itself.
        drag_state::Current().Target = target;
        TPoint p = target->ScreenToClient(screenPoint);
        target->DragDrop(this, p.X, p.Y);
        if (drag_state::Current().Target != target)
            target = nullptr;
        drag_state::Current() = drag_state::TDrag{};
    }
    TPoint p = target ? target->ScreenToClient(screenPoint) : Point(0, 0);
    DoEndDrag(target, p.X, p.Y);
}

void TControl::DoStartDrag() {
    if (OnStartDrag)
        OnStartDrag(this);
}

void TControl::DoEndDrag(TObject* target, int x, int y) {
    if (OnEndDrag)
        OnEndDrag(this, target, x, y);
}

void TControl::DragOver(TObject* source, int x, int y, TDragState state, bool& accept) {
    // Only a control with an OnDragOver handler takes drops; the handler decides.
    accept = static_cast<bool>(OnDragOver);
    if (OnDragOver)
        OnDragOver(this, source, x, y, state, accept);
}

void TControl::DragDrop(TObject* source, int x, int y) {
    if (OnDragDrop)
        OnDragDrop(this, source, x, y);
}
