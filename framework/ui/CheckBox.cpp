#include "framework/ui/CheckBox.h"

#include "framework/graphics/Color.h"
#include "framework/graphics/Font.h"

TCheckBox::TCheckBox(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 97, 17);
    SetTabStop(true);
    SetColor(clBtnFace);
}

void TCheckBox::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= BS_AUTOCHECKBOX;
}

void TCheckBox::CreateWnd() {
    TWinControl::CreateWnd();
    SendMessageA(Handle(), BM_SETCHECK, checked_ ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::DestroyWnd() {
    if (HandleAllocated())
        checked_ = SendMessageA(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
    TWinControl::DestroyWnd();
}

bool TCheckBox::Checked() const {
    if (!HandleAllocated())
        return checked_;
    return SendMessageA(const_cast<TCheckBox*>(this)->Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void TCheckBox::SetChecked(bool checked) {
    checked_ = checked;
    // BM_SETCHECK sends no BN_CLICKED, so no OnClick fires.
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

void TCheckBox::CNCommand(TMessage& message) {
    if (HIWORD(message.WParam) != BN_CLICKED)
        return;
    checked_ = Checked();
    Click();
}

void TCheckBox::CNCtlColor(TMessage& message) {
    HDC dc = reinterpret_cast<HDC>(message.WParam);
    SetTextColor(dc, ColorToColorRef(Font()->Color()));
    SetBkColor(dc, ColorToColorRef(Color()));
    message.Result = reinterpret_cast<LRESULT>(ColorBrush());
}
