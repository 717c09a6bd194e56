#include "framework/ui/ListBox.h"

#include <algorithm>

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"
#include "framework/ui/Messages.h"
#include "framework/win32/Handles.h"

namespace {
constexpr int kWrapPadding = 2;     // above, below and beside a wrapped entry's text
constexpr int kMaxItemHeight = 255; // the most LB_SETITEMHEIGHT takes
constexpr UINT kWrapFlags = DT_WORDBREAK | DT_NOPREFIX | DT_EXPANDTABS;
} // namespace

TListBox::TListBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 121, 97);
    SetTabStop(true);
    items_.SetTarget({
        [this](int index, const std::string& text) {
            if (HandleAllocated()) {
                WPARAM at = index == items_.Count() - 1 ? static_cast<WPARAM>(-1)
                                                        : static_cast<WPARAM>(index);
                SendMessageA(Handle(), LB_INSERTSTRING, at, reinterpret_cast<LPARAM>(text.c_str()));
                MeasureItem(index);
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
    if (wordWrap_)
        params.Style |= LBS_OWNERDRAWVARIABLE;
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
    for (int i = 0; i < items_.Count(); ++i)
        MeasureItem(i);
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

void TListBox::SetWordWrap(bool wordWrap) {
    if (wordWrap_ == wordWrap)
        return;
    wordWrap_ = wordWrap;
    RecreateWnd();
}

void TListBox::MeasureItem(int index) {
    if (!wordWrap_ || !HandleAllocated() || index < 0 || index >= items_.Count())
        return;
    HWND window = Handle();
    RECT client{};
    GetClientRect(window, &client);
    measuredWidth_ = client.right;
    WindowDc dc = WindowDc::Client(window);
    ScopedSelect font(dc.get(), Font()->Handle());
    const std::string& text = items_.Strings()[index];
    const std::string shown = text.empty() ? std::string(" ") : text;
    RECT bounds{0, 0, std::max(1, static_cast<int>(client.right) - 2 * kWrapPadding), 0};
    DrawTextA(dc.get(), shown.c_str(), static_cast<int>(shown.size()), &bounds,
              kWrapFlags | DT_CALCRECT);
    const int height =
        std::clamp(static_cast<int>(bounds.bottom) + 2 * kWrapPadding, 1, kMaxItemHeight);
    SendMessageA(window, LB_SETITEMHEIGHT, static_cast<WPARAM>(index), height);
}

void TListBox::DrawItem(const DRAWITEMSTRUCT& item) {
    if (item.itemID == static_cast<UINT>(-1) || static_cast<int>(item.itemID) >= items_.Count())
        return;
    RECT area = item.rcItem;
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    FillRect(item.hDC, &area, selected ? GetSysColorBrush(COLOR_HIGHLIGHT) : ColorBrush());
    SetBkMode(item.hDC, TRANSPARENT);
    SetTextColor(item.hDC,
                 selected ? GetSysColor(COLOR_HIGHLIGHTTEXT) : ColorToColorRef(Font()->Color()));
    ScopedSelect font(item.hDC, Font()->Handle());
    const std::string& text = items_.Strings()[static_cast<int>(item.itemID)];
    RECT bounds = area;
    InflateRect(&bounds, -kWrapPadding, -kWrapPadding);
    DrawTextA(item.hDC, text.c_str(), static_cast<int>(text.size()), &bounds, kWrapFlags);
    if (item.itemState & ODS_FOCUS)
        DrawFocusRect(item.hDC, &area);
}

void TListBox::WndProc(TMessage& message) {
    if (message.Msg == CN_DRAWITEM) {
        DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(message.LParam));
        message.Result = TRUE;
        return;
    }
    TWinControl::WndProc(message);
    // A list of another width wraps its entries anew.
    if (message.Msg == WM_SIZE && wordWrap_ && HandleAllocated()) {
        RECT client{};
        GetClientRect(Handle(), &client);
        if (client.right != measuredWidth_) {
            for (int i = 0; i < items_.Count(); ++i)
                MeasureItem(i);
            InvalidateRect(Handle(), nullptr, TRUE);
        }
    }
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
