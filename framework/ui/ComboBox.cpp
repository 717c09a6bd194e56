#include "framework/ui/ComboBox.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

namespace {
// Height of the dropped-down list below the selection field.
int ListHeight(int itemHeight, int count) {
    return (itemHeight > 0 ? itemHeight : 16) * count + 2;
}
} // namespace

TComboBox::TComboBox(TComponent* owner) : TWinControl(owner) {
    SetControlStyle({csFixedHeight});
    SetBounds(0, 0, 145, 21);
    SetTabStop(true);
    items_.SetTarget({
        [this](int index, const std::string& text) {
            if (HandleAllocated()) {
                WPARAM at = index == items_.Count() - 1 ? static_cast<WPARAM>(-1)
                                                        : static_cast<WPARAM>(index);
                SendMessageA(Handle(), CB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str()));
            } else if (itemIndex_ >= index && index < items_.Count() - 1) {
                ++itemIndex_;
            }
        },
        [this](int index) {
            if (HandleAllocated())
                SendMessageA(Handle(), CB_DELETESTRING, static_cast<WPARAM>(index), 0);
            else if (itemIndex_ == index)
                itemIndex_ = -1;
            else if (itemIndex_ > index)
                --itemIndex_;
        },
        [this] {
            itemIndex_ = -1;
            PutItemsIntoWindow();
        },
    });
}

TComboBox::~TComboBox() {
    items_.SetTarget({});
}

void TComboBox::Clear() {
    items_.Clear();
}

void TComboBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "COMBOBOX");
    params.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
    switch (style_) {
    case csSimple:
        params.Style |= CBS_SIMPLE;
        break;
    case csDropDown:
        params.Style |= CBS_DROPDOWN;
        break;
    default: // the owner-drawn styles are shown as plain lists
        params.Style |= CBS_DROPDOWNLIST;
        break;
    }
    if (style_ != csSimple)
        params.Height = Height() + ListHeight(itemHeight_, dropDownCount_);
}

void TComboBox::CreateWnd() {
    TWinControl::CreateWnd();
    if (itemHeight_ > 0)
        SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, itemHeight_);
    PutItemsIntoWindow();
}

void TComboBox::DestroyWnd() {
    if (HandleAllocated())
        itemIndex_ = static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0));
    TWinControl::DestroyWnd();
}

void TComboBox::PutItemsIntoWindow() {
    if (!HandleAllocated())
        return;
    HWND window = Handle();
    SendMessageA(window, CB_RESETCONTENT, 0, 0);
    for (const std::string& item : items_.Strings().Lines())
        SendMessageA(window, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
    SendMessageA(window, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
}

int TComboBox::ItemIndex() const {
    if (!HandleAllocated())
        return itemIndex_;
    LRESULT index = SendMessageA(const_cast<TComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0);
    return index == CB_ERR ? -1 : static_cast<int>(index);
}

void TComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= items_.Count())
        index = -1;
    itemIndex_ = index;
    // CB_SETCURSEL sends no notification, so no OnClick or OnChange fires.
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void TComboBox::StyleChanged() {
    RecreateWnd();
}

void TComboBox::SetStyle(TComboBoxStyle style) {
    if (style_ == style)
        return;
    style_ = style;
    StyleChanged();
}

int TComboBox::ItemHeight() const {
    if (itemHeight_ > 0 || !HandleAllocated())
        return itemHeight_;
    return static_cast<int>(
        SendMessageA(const_cast<TComboBox*>(this)->Handle(), CB_GETITEMHEIGHT, 0, 0));
}

void TComboBox::SetItemHeight(int height) {
    if (height <= 0)
        return;
    itemHeight_ = height;
    if (HandleAllocated())
        SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, height);
}

void TComboBox::SetDropDownCount(int count) {
    if (count < 1 || count == dropDownCount_)
        return;
    dropDownCount_ = count;
    if (HandleAllocated())
        SetBounds(Left(), Top(), Width(), Height());
}

void TComboBox::SetBounds(int left, int top, int width, int height) {
    UpdateBoundsFields(left, top, width, height);
    if (!HandleAllocated())
        return;
    int windowHeight =
        style_ == csSimple ? height : height + ListHeight(itemHeight_, dropDownCount_);
    SetWindowPos(Handle(), nullptr, left, top, width, windowHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TComboBox::Change() {
    if (OnChange)
        OnChange(this);
}

void TComboBox::CNCommand(TMessage& message) {
    switch (HIWORD(message.WParam)) {
    case CBN_SELCHANGE:
        // Only the user's picks arrive here: CB_SETCURSEL sends nothing.
        itemIndex_ = ItemIndex();
        Click();
        Change();
        break;
    case CBN_EDITCHANGE:
        Change();
        break;
    case CBN_DROPDOWN:
        if (OnDropDown)
            OnDropDown(this);
        break;
    case CBN_CLOSEUP:
        if (OnCloseUp)
            OnCloseUp(this);
        break;
    default:
        break;
    }
}

void TComboBox::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}

void TComboBox::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
        // From the combo box's own edit field or list.
        CNCtlColor(message);
        return;
    default:
        TWinControl::WndProc(message);
    }
}
