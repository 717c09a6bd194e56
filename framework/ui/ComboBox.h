// TComboBox: a drop-down list over the standard COMBOBOX window.
#pragma once

#include "framework/ui/Bevel.h"
#include "framework/ui/ControlStrings.h"
#include "framework/ui/WinControl.h"

enum TComboBoxStyle : std::uint8_t {
    csDropDown,     // an edit field with a list
    csSimple,       // an edit field with a list always shown
    csDropDownList, // a list only, no free text
    csOwnerDrawFixed,
    csOwnerDrawVariable
};

class TComboBox : public TWinControl {
public:
    explicit TComboBox(TComponent* owner);
    ~TComboBox() override;

    const char* ClassName() const override { return "TComboBox"; }

    // The entries (owned); they survive window re-creation.
    TControlStrings* Items() { return &items_; }
    void SetItems(const TStringList& items) { items_.Assign(items); }
    void Clear();

    // The selected entry, -1 for none. Writing it fires no event; an index
    // outside the entries selects nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);

    // Style changes on a live window create it again.
    TComboBoxStyle Style() const { return style_; }
    void SetStyle(TComboBoxStyle style);
    // Height of the entries in the list (and of the selection field).
    int ItemHeight() const;
    void SetItemHeight(int height);
    int DropDownCount() const { return dropDownCount_; }
    void SetDropDownCount(int count);

    // Stored with the layout; the standard window draws its own frame.
    TBevelCut BevelInner() const { return bevelInner_; }
    void SetBevelInner(TBevelCut cut) { bevelInner_ = cut; }
    TBevelCut BevelOuter() const { return bevelOuter_; }
    void SetBevelOuter(TBevelCut cut) { bevelOuter_ = cut; }
    TBevelKind BevelKind() const { return bevelKind_; }
    void SetBevelKind(TBevelKind kind) { bevelKind_ = kind; }

    // The height of a drop-down combo box is that of its selection field; the
    // window itself is made tall enough for the list.
    void SetBounds(int left, int top, int width, int height) override;

    // OnClick fires whenever the user picks another entry (not when code sets
    // ItemIndex); OnChange when the text of the selection field changes.
    TNotifyEvent OnChange;
    TNotifyEvent OnDropDown;
    TNotifyEvent OnCloseUp;

    void WndProc(TMessage& message) override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;
    virtual void Change();

private:
    void StyleChanged();
    void PutItemsIntoWindow();

    TControlStrings items_;
    int itemIndex_ = -1; // kept while there is no window
    TComboBoxStyle style_ = csDropDown;
    int itemHeight_ = 0; // 0: the font's
    int dropDownCount_ = 8;
    TBevelCut bevelInner_ = bvRaised;
    TBevelCut bevelOuter_ = bvLowered;
    TBevelKind bevelKind_ = bkNone;
};
