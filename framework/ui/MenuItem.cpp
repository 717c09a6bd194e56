#include "framework/ui/MenuItem.h"

#include <algorithm>
#include <unordered_map>

#include "framework/runtime/Exceptions.h"
#include "framework/ui/MainMenu.h"

namespace {
// Menu command identifiers are 16 bits wide in WM_COMMAND; 0 means none.
constexpr unsigned firstCommand = 1;
constexpr unsigned lastCommand = 0xFFFF;

std::unordered_map<unsigned, TMenuItem*>& Commands() {
    static std::unordered_map<unsigned, TMenuItem*> commands;
    return commands;
}

unsigned NewCommand(TMenuItem* item) {
    static unsigned next = firstCommand;
    auto& commands = Commands();
    if (commands.size() >= lastCommand - firstCommand + 1)
        throw EInvalidOperation("Zu viele Men\xFC"
                                "eintr\xE4ge");
    while (commands.count(next))
        next = next == lastCommand ? firstCommand : next + 1;
    unsigned command = next;
    next = next == lastCommand ? firstCommand : next + 1;
    commands[command] = item;
    return command;
}
} // namespace

TMenuItem::TMenuItem(TComponent* owner) : TComponent(owner), command_(NewCommand(this)) {}

TMenuItem::~TMenuItem() {
    Commands().erase(command_);
    // Sub-items owned elsewhere stay alive but lose their parent.
    for (TMenuItem* item : items_)
        item->parent_ = nullptr;
    items_.clear();
    if (parent_)
        parent_->Remove(this);
}

TMenuItem* TMenuItem::FindCommand(unsigned command) {
    auto found = Commands().find(command);
    return found == Commands().end() ? nullptr : found->second;
}

TMenuItem* TMenuItem::Items(int index) const {
    if (index < 0 || index >= Count())
        throw EListError("Listenindex \xFC"
                         "berschreitet das Maximum (" +
                         std::to_string(index) + ")");
    return items_[static_cast<std::size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
    auto found = std::find(items_.begin(), items_.end(), item);
    return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

void TMenuItem::Add(TMenuItem* item) {
    if (!item)
        return;
    for (TMenuItem* up = this; up; up = up->parent_)
        if (up == item)
            throw EInvalidOperation("Ein Men\xFC"
                                    "eintrag kann nicht unter sich selbst liegen");
    if (item->parent_)
        item->parent_->Remove(item);
    items_.push_back(item);
    item->parent_ = this;
    Changed(true);
}

TMenuItem* TMenuItem::AddItem(const std::string& caption, TShortCut shortCut,
                              TNotifyEvent onClick) {
    auto* item = new TMenuItem(this);
    item->caption_ = caption;
    item->shortCut_ = shortCut;
    item->OnClick = std::move(onClick);
    Add(item);
    return item;
}

void TMenuItem::Remove(TMenuItem* item) {
    auto found = std::find(items_.begin(), items_.end(), item);
    if (found == items_.end())
        return;
    items_.erase(found);
    item->parent_ = nullptr;
    Changed(true);
}

TMainMenu* TMenuItem::Menu() const {
    const TMenuItem* root = this;
    while (root->parent_)
        root = root->parent_;
    return root->menu_;
}

void TMenuItem::Changed(bool structure) {
    if (TMainMenu* menu = Menu())
        menu->ItemChanged(this, structure);
}

void TMenuItem::SetCaption(const std::string& caption) {
    if (caption_ == caption)
        return;
    caption_ = caption;
    Changed(true);
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
    if (shortCut_ == shortCut)
        return;
    shortCut_ = shortCut;
    Changed(true);
}

void TMenuItem::SetEnabled(bool enabled) {
    if (enabled_ == enabled)
        return;
    enabled_ = enabled;
    Changed(false);
}

void TMenuItem::SetChecked(bool checked) {
    if (checked_ == checked)
        return;
    checked_ = checked;
    Changed(false);
}

void TMenuItem::SetVisible(bool visible) {
    if (visible_ == visible)
        return;
    visible_ = visible;
    Changed(true);
}

TMenuItem* TMenuItem::FindShortCut(TShortCut shortCut) {
    if (!visible_ || !enabled_ || shortCut == scNone)
        return nullptr;
    if (shortCut_ == shortCut && !IsSeparator())
        return this;
    for (TMenuItem* item : items_)
        if (TMenuItem* found = item->FindShortCut(shortCut))
            return found;
    return nullptr;
}

void TMenuItem::Click() {
    if (enabled_ && OnClick)
        OnClick(this);
}
