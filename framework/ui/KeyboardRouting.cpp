#include "framework/ui/KeyboardRouting.h"

#include <algorithm>
#include <vector>

#include "framework/ui/Button.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Edit.h"
#include "framework/ui/Form.h"
#include "framework/ui/Label.h"
#include "framework/ui/MainMenu.h"
#include "framework/ui/Memo.h"

namespace keyboard_routing {
namespace {

// The control a key message is for: the window's own, or (for the edit
// field inside a combo box) its parent's.
TWinControl* TargetControl(HWND window) {
    TWinControl* control = TWinControl::FindControl(window);
    if (!control && window)
        control = TWinControl::FindControl(GetParent(window));
    return control;
}

bool IsTextField(TWinControl* control) {
    if (dynamic_cast<TEdit*>(control) || dynamic_cast<TMemo*>(control))
        return true;
    auto* combo = dynamic_cast<TComboBox*>(control);
    return combo && (combo->Style() == csDropDown || combo->Style() == csSimple);
}

// Text typed but not yet handed on. Fields without a commit (memo, combo
// box) count as always holding some: they keep their own undo.
bool HoldsUncommittedText(TWinControl* control) {
    if (auto* edit = dynamic_cast<TEdit*>(control))
        return edit->Modified();
    return true;
}

TButton* FindDefaultButton(TWinControl* container) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        auto* windowed = dynamic_cast<TWinControl*>(container->Controls(i));
        if (!windowed)
            continue;
        if (auto* button = dynamic_cast<TButton*>(windowed);
            button && button->Default() && button->CanFocus())
            return button;
        if (TButton* inner = FindDefaultButton(windowed))
            return inner;
    }
    return nullptr;
}

void CollectLabels(TWinControl* container, std::vector<TLabel*>& labels,
                   std::vector<TWinControl*>& fields) {
    for (int i = 0; i < container->ControlCount(); ++i) {
        TControl* child = container->Controls(i);
        if (auto* label = dynamic_cast<TLabel*>(child))
            labels.push_back(label);
        if (auto* windowed = dynamic_cast<TWinControl*>(child)) {
            fields.push_back(windowed);
            CollectLabels(windowed, labels, fields);
        }
    }
}

// The field whose label has key as its access key. A label's field is used
// only while it is still among the form's controls.
TWinControl* AccessKeyField(TCustomForm* form, WPARAM key) {
    std::vector<TLabel*> labels;
    std::vector<TWinControl*> fields;
    CollectLabels(form, labels, fields);
    for (TLabel* label : labels) {
        TWinControl* field = label->FocusControl();
        if (!field || static_cast<WPARAM>(label->AccessKey()) != key)
            continue;
        if (std::find(fields.begin(), fields.end(), field) != fields.end() && field->CanFocus())
            return field;
    }
    return nullptr;
}

bool IsModifierKey(WPARAM key) {
    return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU || key == VK_LSHIFT ||
           key == VK_RSHIFT || key == VK_LCONTROL || key == VK_RCONTROL || key == VK_LMENU ||
           key == VK_RMENU;
}

bool HandleReturn(MSG& msg, TWinControl* control, TCustomForm* form) {
    if (auto* button = dynamic_cast<TButton*>(control)) {
        // Enter on a focused button pushes it, as in a dialog.
        button->Click();
        return true;
    }
    if (dynamic_cast<TMemo*>(control) || !FindDefaultButton(form))
        return false;
    // The focused control sees Enter first (a TEdit commits); its handlers
    // may free windows, so the default button is looked up again afterwards.
    DispatchMessageA(&msg);
    TCustomForm* stillThere = GetParentForm(TargetControl(msg.hwnd));
    if (TButton* button = stillThere ? FindDefaultButton(stillThere) : nullptr)
        button->Click();
    return true;
}

} // namespace

bool ControlOwnsShortCut(TWinControl* focused, TShortCut shortCut) {
    if (!IsTextField(focused))
        return false;
    unsigned key = ShortCutKey(shortCut);
    bool ctrl = (shortCut & scCtrl) != 0;
    bool alt = (shortCut & scAlt) != 0;
    if (!ctrl && !alt) {
        if (key >= VK_F1 && key <= VK_F24)
            return false;
        if (key == VK_ESCAPE)
            return HoldsUncommittedText(focused);
        return true; // typing, Delete, Backspace, arrows, Shift+Insert
    }
    if (ctrl && !alt) {
        switch (key) {
        case 'C':
        case 'X':
        case 'V':
        case 'A':
        case VK_INSERT:
        case VK_LEFT:
        case VK_RIGHT:
        case VK_HOME:
        case VK_END:
        case VK_BACK:
        case VK_DELETE:
            return true;
        case 'Z':
        case 'Y':
            return HoldsUncommittedText(focused);
        default:
            return false;
        }
    }
    if (alt && !ctrl && key == VK_BACK)
        return HoldsUncommittedText(focused);
    return false;
}

bool PreTranslate(MSG& msg) {
    if (msg.message != WM_KEYDOWN && msg.message != WM_SYSKEYDOWN)
        return false;
    if (IsModifierKey(msg.wParam))
        return false;
    TWinControl* control = TargetControl(msg.hwnd);
    TCustomForm* form = GetParentForm(control);
    if (!form)
        return false;
    TShortCut shortCut = ShortCutFromKeyState(static_cast<unsigned>(msg.wParam));
    if (TMainMenu* menu = form->Menu()) {
        TMenuItem* item = menu->FindShortCut(shortCut);
        if (item && !ControlOwnsShortCut(control, shortCut)) {
            if (auto* edit = dynamic_cast<TEdit*>(control); edit && edit->Modified()) {
                edit->Commit();
                // The commit may have changed the menu (or freed the item).
                item = form->Menu() ? form->Menu()->FindShortCut(shortCut) : nullptr;
            }
            if (item)
                item->Click();
            return true;
        }
    }
    if (msg.message == WM_KEYDOWN && shortCut == ShortCut(VK_RETURN))
        return HandleReturn(msg, control, form);
    if (msg.message == WM_SYSKEYDOWN &&
        shortCut == ShortCut(static_cast<unsigned>(msg.wParam), scAlt))
        if (TWinControl* field = AccessKeyField(form, msg.wParam)) {
            field->SetFocus();
            return true;
        }
    return false;
}

} // namespace keyboard_routing
