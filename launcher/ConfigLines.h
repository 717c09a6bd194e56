// The configuration list's lines by meaning (0-based line numbers). Button
// group g (1 to 10) has lines 4g - 3 to 4g: shown, left, top, caption.
#pragma once

enum ConfigLine : int {
    lnDirectXVersion = 0,
    lnCaption = 41,
    lnShellTarget1 = 42,
    lnProgram = 43,
    lnButtonFontSize = 44,
    lnButtonFontColor = 45,
    lnFontName = 46,
    lnCheckBoxCaption = 47,
    lnCheckBoxLeft = 48,
    lnCheckBoxTop = 49,
    lnBorder = 50,
    lnMemoColor = 51,
    lnMemoLeft = 52,
    lnMemoTop = 53,
    lnMemoWidth = 54,
    lnMemoHeight = 55,
    lnMemoFontSize = 56,
    lnMemoFontColor = 57,
    lnMemoScrollBars = 58,
    lnMemoWordWrap = 59,
    lnSoundDigits = 60,
    lnShellTarget4 = 61,
    lnOptionsWidth = 62,
    lnOptionsLeft = 63,
    lnOptionsTop = 64,
    lnOptionsColor = 65,
    lnOptionsFontSize = 66,
    lnOptionsFontColor = 67,
    lnCheckBoxFontSize = 68,
    lnCheckBoxFontColor = 69,
    lnOptionCount = 71,
    lnFirstOption = 72
};
