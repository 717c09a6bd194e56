// Border styles of forms and of controls with a frame.
#pragma once

#include <cstdint>

enum TFormBorderStyle : std::uint8_t {
    bsNone,     // WS_POPUP: no border, no caption bar
    bsSingle,   // fixed single border with a caption bar
    bsSizeable, // sizing border with a caption bar
    bsDialog,   // dialog frame with a caption bar
    bsToolWindow,
    bsSizeToolWin
};
// Controls with a border choose between bsNone and bsSingle.
using TBorderStyle = TFormBorderStyle;
