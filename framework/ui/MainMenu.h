// TMainMenu: the menu bar of a form, built as an HMENU from its items. The
// form shows it through TCustomForm::SetMenu; WM_COMMAND from the bar and the
// items' shortcuts (framework/ui/KeyboardRouting.h) reach the items' OnClick.
#pragma once

#include <windows.h>

#include "framework/runtime/Component.h"
#include "framework/ui/MenuItem.h"

class TCustomForm;

class TMainMenu : public TComponent {
public:
    explicit TMainMenu(TComponent* owner);
    ~TMainMenu() override;

    const char* ClassName() const override { return "TMainMenu"; }

    // The root item; its sub-items are the entries of the bar.
    TMenuItem* Items() { return &items_; }

    // The menu's HMENU, built on demand and rebuilt after a change of the
    // items' structure or captions (the form's window gets the new one).
    // Owned by the menu: the form takes it off its window before the window
    // or the menu goes.
    HMENU Handle();
    bool HandleAllocated() const { return handle_ != nullptr; }

    // Runs the OnClick of the item with the command identifier if it belongs
    // to this menu and is enabled; false if there is no such item.
    bool DispatchCommand(unsigned command);
    // The enabled, visible item with the shortcut, or nullptr.
    TMenuItem* FindShortCut(TShortCut shortCut) { return items_.FindShortCut(shortCut); }

    // The form whose window shows the menu (set by TCustomForm::SetMenu).
    TCustomForm* Form() const { return form_; }

private:
    friend class TMenuItem;
    friend class TCustomForm;
    void ItemChanged(TMenuItem* item, bool structure);
    void DestroyMenuHandle();
    HMENU BuildPopup(TMenuItem& parent);

    TMenuItem items_{nullptr};
    HMENU handle_ = nullptr;
    TCustomForm* form_ = nullptr;
};
