#include "framework/ui/MouseCapture.h"

#include "framework/ui/Control.h"
#include "framework/ui/WinControl.h"

namespace {
TControl* holder = nullptr; // not owned
drag_state::TDrag drag;
} // namespace

namespace mouse_capture {

HWND WindowOf(TControl* control) {
    if (auto* windowed = dynamic_cast<TWinControl*>(control))
        return windowed->Handle();
    return control->Parent() ? control->Parent()->Handle() : nullptr;
}

TControl* Holder() {
    if (!holder)
        return nullptr;
    auto* windowed = dynamic_cast<TWinControl*>(holder);
    TWinControl* window = windowed ? windowed : holder->Parent();
    if (!window || !window->HandleAllocated() || GetCapture() != window->Handle())
        holder = nullptr;
    return holder;
}

void Take(TControl* control) {
    HWND window = WindowOf(control);
    if (!window)
        return;
    holder = control;
    if (GetCapture() != window)
        SetCapture(window);
}

void Give(TControl* control) {
    if (holder != control)
        return;
    holder = nullptr;
    auto* windowed = dynamic_cast<TWinControl*>(control);
    TWinControl* window = windowed ? windowed : control->Parent();
    if (window && window->HandleAllocated() && GetCapture() == window->Handle())
        ReleaseCapture();
}

TControl* Lost(HWND window, HWND newCapture) {
    if (!holder || newCapture == window)
        return nullptr;
    auto* windowed = dynamic_cast<TWinControl*>(holder);
    TWinControl* holderWindow = windowed ? windowed : holder->Parent();
    if (!holderWindow || !holderWindow->HandleAllocated() || holderWindow->Handle() != window)
        return nullptr;
    TControl* lost = holder;
    holder = nullptr;
    return lost;
}

void Forget(TControl* control) {
    if (holder == control)
        Give(control);
    drag_state::Forget(control);
}

} // namespace mouse_capture

namespace drag_state {
TDrag& Current() {
    return drag;
}
void Forget(TControl* control) {
    if (drag.Source == control)
        drag = TDrag{};
    if (drag.Target == control) {
        drag.Target = nullptr;
        drag.Accepted = false;
    }
}
} // namespace drag_state
