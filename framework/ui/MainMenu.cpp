#include "framework/ui/MainMenu.h"

#include "framework/runtime/Exceptions.h"
#include "framework/ui/Form.h"

TMainMenu::TMainMenu(TComponent* owner) : TComponent(owner) {
    items_.menu_ = this;
}

TMainMenu::~TMainMenu() {
    items_.menu_ = nullptr;
    if (form_)
        form_->SetMenu(nullptr);
    DestroyMenuHandle();
}

void TMainMenu::DestroyMenuHandle() {
    if (handle_)
        DestroyMenu(handle_); // the drop-downs go with it
    handle_ = nullptr;
}

HMENU TMainMenu::Handle() {
    if (!handle_)
        handle_ = BuildPopup(items_);
    return handle_;
}

HMENU TMainMenu::BuildPopup(TMenuItem& parent) {
    HMENU menu = &parent == &items_ ? CreateMenu() : CreatePopupMenu();
    if (!menu)
        throw EOSError("Men\xFC konnte nicht erzeugt werden, Fehler " +
                       std::to_string(GetLastError()));
    try {
        for (TMenuItem* item : parent.items_) {
            if (!item->Visible())
                continue;
            if (item->IsSeparator()) {
                AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
                continue;
            }
            std::string text = item->Caption();
            if (item->ShortCut() != scNone)
                text += "\t" + ShortCutToText(item->ShortCut());
            UINT flags = MF_STRING | (item->Enabled() ? MF_ENABLED : MF_GRAYED) |
                         (item->Checked() ? MF_CHECKED : MF_UNCHECKED);
            UINT_PTR id = item->Command();
            if (item->Count() > 0) {
                flags |= MF_POPUP;
                id = reinterpret_cast<UINT_PTR>(BuildPopup(*item));
            }
            AppendMenuA(menu, flags, id, text.c_str());
        }
    } catch (...) {
        DestroyMenu(menu);
        throw;
    }
    return menu;
}

void TMainMenu::ItemChanged(TMenuItem* item, bool structure) {
    if (!handle_)
        return;
    if (structure || item->Count() > 0) {
        // Captions and the tree are simplest made anew; the window shows the
        // new menu before the old one goes.
        HMENU old = handle_;
        handle_ = nullptr;
        Handle();
        if (form_)
            form_->AttachMenu();
        DestroyMenu(old);
        return;
    }
    EnableMenuItem(handle_, item->Command(),
                   MF_BYCOMMAND | (item->Enabled() ? MF_ENABLED : MF_GRAYED));
    CheckMenuItem(handle_, item->Command(),
                  MF_BYCOMMAND | (item->Checked() ? MF_CHECKED : MF_UNCHECKED));
    if (form_ && form_->HandleAllocated())
        DrawMenuBar(form_->Handle());
}

bool TMainMenu::DispatchCommand(unsigned command) {
    TMenuItem* item = TMenuItem::FindCommand(command);
    if (!item || item->Menu() != this)
        return false;
    item->Click();
    return true;
}
