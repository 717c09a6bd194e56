// TButton: a push button over the standard BUTTON window (BS_PUSHBUTTON).
#pragma once

#include "framework/ui/WinControl.h"

class TButton : public TWinControl {
public:
    explicit TButton(TComponent* owner);

    const char* ClassName() const override { return "TButton"; }

    // The default button of its form: drawn with the heavy frame
    // (BS_DEFPUSHBUTTON), and Enter pressed on a control of the form that
    // does not use Enter itself clicks it (see KeyboardRouting.h).
    bool Default() const { return default_; }
    void SetDefault(bool isDefault);

    // Fires OnClick as a press of the button does.
    void Click() override;

protected:
    void CreateParams(TCreateParams& params) override;
    void CNCommand(TMessage& message) override;

private:
    bool default_ = false;
};
