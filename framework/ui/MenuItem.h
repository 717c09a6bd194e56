// TMenuItem: one entry of a main menu (or a drop-down under one): caption
// with "&" marking the access key, an optional shortcut shown after a tab,
// OnClick, Enabled, Checked. A caption of "-" is a separator. Items own the
// items added under them through AddItem; an item added with Add is owned by
// whoever created it, and leaves its parent when freed.
#pragma once

#include <string>
#include <vector>

#include "framework/graphics/NotifyEvent.h"
#include "framework/runtime/Component.h"
#include "framework/ui/ShortCut.h"

class TMainMenu;

class TMenuItem : public TComponent {
public:
    explicit TMenuItem(TComponent* owner);
    ~TMenuItem() override;

    const char* ClassName() const override { return "TMenuItem"; }

    const std::string& Caption() const { return caption_; }
    void SetCaption(const std::string& caption);
    bool IsSeparator() const { return caption_ == "-"; }
    TShortCut ShortCut() const { return shortCut_; }
    void SetShortCut(TShortCut shortCut);
    // A disabled item is greyed and neither its click nor its shortcut fires.
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool enabled);
    bool Checked() const { return checked_; }
    void SetChecked(bool checked);
    bool Visible() const { return visible_; }
    void SetVisible(bool visible);

    // The sub-items in menu order.
    int Count() const { return static_cast<int>(items_.size()); }
    TMenuItem* Items(int index) const;
    TMenuItem* Parent() const { return parent_; }
    // Appends item (taking it out of its former parent). Ownership unchanged.
    void Add(TMenuItem* item);
    // Creates an item owned by this one and appends it.
    TMenuItem* AddItem(const std::string& caption, TShortCut shortCut = scNone,
                       TNotifyEvent onClick = nullptr);
    void Remove(TMenuItem* item);
    int IndexOf(const TMenuItem* item) const;

    // The WM_COMMAND identifier of this item (unique in the process).
    unsigned Command() const { return command_; }
    // The item with a command identifier, or nullptr.
    static TMenuItem* FindCommand(unsigned command);
    // This item or a sub-item with the shortcut, visible and enabled along the
    // way; nullptr if none.
    TMenuItem* FindShortCut(TShortCut shortCut);
    // The menu this item (or its top-most parent) belongs to.
    TMainMenu* Menu() const;

    // Fires OnClick when the item is enabled.
    virtual void Click();

    TNotifyEvent OnClick;

private:
    friend class TMainMenu;
    void Changed(bool structure);

    std::string caption_;
    TShortCut shortCut_ = scNone;
    bool enabled_ = true;
    bool checked_ = false;
    bool visible_ = true;
    std::vector<TMenuItem*> items_; // not owned (see above)
    TMenuItem* parent_ = nullptr;
    TMainMenu* menu_ = nullptr; // set on the root item only
    unsigned command_ = 0;
};
