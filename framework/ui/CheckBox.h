// TCheckBox: a check box over the standard BUTTON window (BS_AUTOCHECKBOX).
#pragma once

#include "framework/ui/WinControl.h"

class TCheckBox : public TWinControl {
public:
    explicit TCheckBox(TComponent* owner);

    const char* ClassName() const override { return "TCheckBox"; }

    // Kept while there is no window. Writing it fires no event (the designer
    // shows model values without feeding them back as edits).
    bool Checked() const;
    void SetChecked(bool checked);

    // OnClick fires when the user toggles the box (mouse or space bar), after
    // Checked changed.

protected:
    void CreateParams(TCreateParams& params) override;
    void CreateWnd() override;
    void DestroyWnd() override;
    void CNCommand(TMessage& message) override;
    void CNCtlColor(TMessage& message) override;

private:
    bool checked_ = false; // kept while there is no window
};
