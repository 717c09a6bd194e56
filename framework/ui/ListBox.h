// TListBox: a list of texts over the standard LISTBOX window (one selection).
#pragma once

#include "framework/ui/BorderStyle.h"
#include "framework/ui/ControlStrings.h"
#include "framework/ui/WinControl.h"

class TListBox : public TWinControl {
public:
    explicit TListBox(TComponent* owner);
    ~TListBox() override;

    const char* ClassName() const override { return "TListBox"; }

    // The entries (owned); they survive window re-creation.
    TControlStrings* Items() { return &items_; }
    void SetItems(const TStringList& items) { items_.Assign(items); }
    void Clear() { items_.Clear(); }

    // The selected entry, -1 for none. Writing it fires no event; an index
    // outside the entries selects nothing.
    int ItemIndex() const;
    void SetItemIndex(int index);
    // The first visible entry.
    int TopIndex() const;
    void SetTopIndex(int index);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle style);
    // On: an entry longer than the list is wide wraps onto further lines, and
    // each entry is as high as its text.
    bool WordWrap() const { return wordWrap_; }
    void SetWordWrap(bool wordWrap);

    // OnClick fires when the user selects another entry, by mouse or by
    // keyboard (arrows, Home, End, typing a first letter); OnDblClick on a
    // double click on an entry.

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;
    void WndProc(TMessage& message) override;

private:
    void PutItemsIntoWindow();
    // With WordWrap: the height entry index needs at the list's width.
    void MeasureItem(int index);
    void DrawItem(const DRAWITEMSTRUCT& item);

    TControlStrings items_;
    int itemIndex_ = -1; // kept while there is no window
    int topIndex_ = 0;
    TBorderStyle borderStyle_ = bsSingle;
    bool wordWrap_ = false;
    int measuredWidth_ = -1; // the client width the entries were measured at
};
