#include "skin/OvalynShapeCheckBoxButton.h"

#include "framework/graphics/Bitmap.h"

void TOvalynShapeCheckBoxButton::SetChecked(bool checked) {
    if (checked == checked_)
        return;
    checked_ = checked;
    Invalidate();
}

void TOvalynShapeCheckBoxButton::Click() {
    SetChecked(!checked_);
    TOvalynShapeButton::Click();
}

void TOvalynShapeCheckBoxButton::Paint() {
    TBitmap* chosen = Mask();
    if (checked_ || Pressed())
        chosen = PressedBmp();
    else if (MouseOver() && OverBmp()->Width() != 0)
        chosen = OverBmp();
    else if (!Enabled())
        chosen = DisabledBmp();
    PaintFace(*chosen);
}
