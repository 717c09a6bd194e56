#include "framework/ui/ColorDialog.h"

#include <commdlg.h>

#include "framework/graphics/Color.h"
#include "framework/ui/Application.h"

CHOOSECOLORA TColorDialog::Build(HWND owner) {
    CHOOSECOLORA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner ? owner : (Application ? Application->Handle() : nullptr);
    dialog.rgbResult = ColorToColorRef(Color);
    dialog.lpCustColors = customColors_.data();
    dialog.Flags = CC_RGBINIT | (FullOpen ? CC_FULLOPEN : 0);
    return dialog;
}

bool TColorDialog::Execute(HWND owner) {
    CHOOSECOLORA dialog = Build(owner);
    if (!ChooseColorA(&dialog))
        return false;
    Color = static_cast<TColor>(dialog.rgbResult);
    return true;
}
