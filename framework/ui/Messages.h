// The message record every control's window procedure works on, and the
// framework's own notifications that travel through the same procedure.
#pragma once

#include <windows.h>

// One message as the window procedure receives it. Result is what the window
// procedure answers; handlers that answer a message set it and do not pass
// the message on.
struct TMessage {
    UINT Msg = 0;
    WPARAM WParam = 0;
    LPARAM LParam = 0;
    LRESULT Result = 0;
};

// Notifications between controls (never sent by the system). They lie above
// WM_APP's range in the block private to the framework.
constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 2;
constexpr UINT CM_COLORCHANGED = CM_BASE + 3;
constexpr UINT CM_FONTCHANGED = CM_BASE + 4;
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 5;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 6;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 7;
// The caption (window text) changed.
constexpr UINT CM_TEXTCHANGED = CM_BASE + 8;
// The pointer entered / left the control (sent from the application's idle
// processing; LParam carries nothing).
constexpr UINT CM_MOUSEENTER = CM_BASE + 9;
constexpr UINT CM_MOUSELEAVE = CM_BASE + 10;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 11;
constexpr UINT CM_ENTER = CM_BASE + 12;
constexpr UINT CM_EXIT = CM_BASE + 13;

// Notifications a parent reflects back to the child window they concern
// (WM_COMMAND, WM_CTLCOLOR*, WM_DRAWITEM), so the child control handles its own.
constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
