// Keys the application's message loop handles before the focused window
// sees them:
// - a menu shortcut of the focused control's form runs the item's OnClick,
//   wherever the focus lies on that form. A focused text field keeps the
//   keys it edits with: plain keys, Delete, Backspace and the clipboard keys
//   always; Ctrl+Z and Ctrl+Y only while it holds uncommitted text (its own
//   undo), otherwise they undo and redo the document. Before a shortcut runs,
//   a TEdit with uncommitted text commits it (saving includes what was typed).
// - Enter on a control that does not use it itself (not a button or a
//   multi-line edit) first lets the control see it (a TEdit commits), then
//   clicks the form's default button if it has one.
// - Alt with a label's access key ("&Output folder:") focuses the label's
//   field, unless a menu shortcut takes the key.
// Tab is handled by the loop itself (TCustomForm::SelectNext).
#pragma once

#include <windows.h>

#include "framework/ui/ShortCut.h"

class TWinControl;

namespace keyboard_routing {

// True when msg was handled and must not be translated or dispatched.
bool PreTranslate(MSG& msg);

// Whether a shortcut typed into focused goes to the control rather than to
// the form's menu (see above).
bool ControlOwnsShortCut(TWinControl* focused, TShortCut shortCut);

} // namespace keyboard_routing
