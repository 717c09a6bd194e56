// TOvalynShapeCheckBoxButton: a shaped button with a two-state Checked. Each
// click toggles it before OnClick fires; while checked the box shows its
// pressed picture, even when disabled.
#pragma once

#include "skin/OvalynShapeButton.h"

class TOvalynShapeCheckBoxButton : public TOvalynShapeButton {
public:
    explicit TOvalynShapeCheckBoxButton(TComponent* owner) : TOvalynShapeButton(owner) {}
    const char* ClassName() const override { return "TOvalynShapeCheckBoxButton"; }

    bool Checked() const { return checked_; }
    // Repaints when the value changes; never fires OnClick or plays a sound.
    void SetChecked(bool checked);

protected:
    void Paint() override;
    void Click() override;

private:
    bool checked_ = false;
};
