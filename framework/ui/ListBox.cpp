#include "framework/ui/ListBox.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    items_.SetTarget({
        [this](int index, const std::string& text) {
            if (HandleAllocated()) {
                WPARAM at = index == items_.Count() - 1 ? static_cast<WPARAM>(-1)
                                                        : static_cast<WPARAM>(index);
                SendMessageA(Handle(), LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str()));
            } else if (itemIndex_ >= index && index < items_.Count() - 1) {
                ++itemIndex_;
            }
        },
        [this](int index) {
            if (HandleAllocated())
                SendMessageA(Handle(), LB_DELETESTRING, static_cast<WPARAM>(index), 0);
            else if (itemIndex_ == index)
                itemIndex_ = -1;
            else if (itemIndex_ > index)
                --itemIndex_;
        },
        [this] {
            itemIndex_ = -1;
            topIndex_ = 0;
            PutItemsIntoWindow();
        },
    });
}

TListBox::~TListBox() {
    items_.SetTarget({});
}

void TListBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "LISTBOX");
    // LBS_NOINTEGRALHEIGHT: the list keeps the height it is given.
    params.Style |= WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT;
    if (borderStyle_ == bsSingle)
        params.ExStyle |= WS_EX_CLIENTEDGE;
}

void TListBox::CreateWnd() {
    TWinControl::CreateWnd();
    PutItemsIntoWindow();
}

void TListBox::DestroyWnd() {
    if (HandleAllocated()) {
        itemIndex_ = ItemIndex();
        topIndex_ = TopIndex();
    }
    TWinControl::DestroyWnd();
}

void TListBox::PutItemsIntoWindow() {
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    SendMessageA(window, WM_SETREDRAW, FALSE, 0);
    SendMessageA(window, LB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_.Strings().Lines())
        SendMessageA(window, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, LB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
    SendMessageA(window, LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
    SendMessageA(window, WM_SETREDRAW, TRUE, 0);
    InvalidateRect(window, nullptr, TRUE);
}

int TListBox::ItemIndex() const {
    if (!HandleAllocated())
        return itemIndex_;
    LRESULT index = SendMessageA(const_cast<TListBox*>(this)->Handle(), LB_GETCURSEL, 0, 0);
    return index == LB_ERR ? -1 : static_cast<int>(index);
}

void TListBox::SetItemIndex(int index) {
    if (index < 0 || index >= items_.Count())
        index = -1;
    itemIndex_ = index;
    // LB_SETCURSEL sends no notification, so no OnClick fires.
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

int TListBox::TopIndex() const {
    if (!HandleAllocated())
        return topIndex_;
    return static_cast<int>(
        SendMessageA(const_cast<TListBox*>(this)->Handle(), LB_GETTOPINDEX, 0, 0));
}

void TListBox::SetTopIndex(int index) {
    topIndex_ = index < 0 ? 0 : index;
    if (HandleAllocated())
        SendMessageA(Handle(), LB_SETTOPINDEX, static_cast<WPARAM>(topIndex_), 0);
}

void TListBox::SetBorderStyle(TBorderStyle style) {
    if (style != bsNone)
        style = bsSingle;
    if (borderStyle_ == style)
        return;
    borderStyle_ = style;
    RecreateWnd();
}

void TListBox::CNCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
    case LBN_SELCHANGE:
        // Only the user's choices arrive here: LB_SETCURSEL sends nothing.
        itemIndex_ = ItemIndex();
        Click();
        break;
    case LBN_DBLCLK:
        DblClick();
        break;
    default:
        break;
    }
}

void TListBox::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}
