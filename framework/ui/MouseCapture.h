// Internal to the framework: which control holds the mouse capture and which
// one is being dragged. One user-interface thread, so plain state suffices.
#pragma once

#include <windows.h>

class TControl;

namespace mouse_capture {
// The control holding the capture, while its window still holds it.
TControl* Holder();
// The window that holds the capture on the control's behalf: its own for a
// windowed control, its parent's for a windowless one.
HWND WindowOf(TControl* control);
void Take(TControl* control);
void Give(TControl* control);
// The system moved the capture away from window: the holder (if it lies in
// that window) is returned and forgotten.
TControl* Lost(HWND window, HWND newCapture);
// control is going away.
void Forget(TControl* control);
} // namespace mouse_capture

namespace drag_state {
struct TDrag {
    TControl* Source = nullptr; // the control being dragged
    TControl* Target = nullptr; // the control under the pointer
    bool Accepted = false;      // Target accepts a drop of Source
};
TDrag& Current();
void Forget(TControl* control);
} // namespace drag_state
