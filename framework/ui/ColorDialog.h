// TColorDialog: the system colour picker (ChooseColorA). The sixteen custom
// colours the user mixes are kept by the object between runs.
#pragma once

#include <windows.h>

#include <commdlg.h>

#include <array>

#include "framework/portable/Color.h"

class TColorDialog {
public:
    // The colour shown selected when the dialog opens, and the user's choice
    // after Execute returned true. A system colour is resolved first.
    TColor Color = clBlack;
    // Open the dialog with the custom colour part already shown.
    bool FullOpen = false;

    std::array<COLORREF, 16>& CustomColors() { return customColors_; }

    // Runs the dialog, owned by owner (nullptr: the application's window);
    // true when the user chose a colour (then Color holds it).
    bool Execute(HWND owner = nullptr);

    // The structure Execute hands to ChooseColorA (points into this object).
    CHOOSECOLORA Build(HWND owner);

private:
    std::array<COLORREF, 16> customColors_{};
};
