#include "framework/ui/Button.h"

TButton::TButton(TComponent* owner) : TWinControl(owner) {
    SetBounds(0, 0, 75, 25);
    SetTabStop(true);
}

void TButton::CreateParams(TCreateParams& params) {
    TWinControl::CreateParams(params);
    CreateSubClass(params, "BUTTON");
    params.Style |= default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::SetDefault(bool isDefault) {
    if (default_ == isDefault)
        return;
    default_ = isDefault;
    // BM_SETSTYLE switches the frame without a new window.
    if (HandleAllocated())
        SendMessageA(Handle(), BM_SETSTYLE, default_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, TRUE);
}

void TButton::Click() {
    TWinControl::Click();
}

void TButton::CNCommand(TMessage& message) {
    if (HIWORD(message.WParam) == BN_CLICKED)
        Click();
}
