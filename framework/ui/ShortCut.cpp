#include "framework/ui/ShortCut.h"

#include <windows.h>

namespace {
std::string KeyName(unsigned key) {
    if ((key >= 'A' && key <= 'Z') || (key >= '0' && key <= '9'))
        return std::string(1, static_cast<char>(key));
    if (key >= VK_F1 && key <= VK_F24)
        return "F" + std::to_string(key - VK_F1 + 1);
    if (key >= VK_NUMPAD0 && key <= VK_NUMPAD9)
        return "Num " + std::to_string(key - VK_NUMPAD0);
    switch (key) {
    case VK_BACK:
        return "Backspace";
    case VK_TAB:
        return "Tab";
    case VK_RETURN:
        return "Enter";
    case VK_ESCAPE:
        return "Esc";
    case VK_SPACE:
        return "Space";
    case VK_PRIOR:
        return "PgUp";
    case VK_NEXT:
        return "PgDn";
    case VK_END:
        return "End";
    case VK_HOME:
        return "Home";
    case VK_LEFT:
        return "Left";
    case VK_UP:
        return "Up";
    case VK_RIGHT:
        return "Right";
    case VK_DOWN:
        return "Down";
    case VK_INSERT:
        return "Ins";
    case VK_DELETE:
        return "Del";
    case VK_ADD:
        return "Num +";
    case VK_SUBTRACT:
        return "Num -";
    case VK_OEM_PLUS:
        return "+";
    case VK_OEM_MINUS:
        return "-";
    default:
        // Any other key by the name the keyboard layout gives it.
        break;
    }
    char name[64]{};
    LONG scan = static_cast<LONG>(MapVirtualKeyA(key, 0 /* MAPVK_VK_TO_VSC */)) << 16;
    if (scan != 0 && GetKeyNameTextA(scan, name, sizeof name) > 0)
        return name;
    return "Key " + std::to_string(key);
}
} // namespace

std::string ShortCutToText(TShortCut shortCut) {
    if (ShortCutKey(shortCut) == 0)
        return {};
    std::string text;
    if (shortCut & scCtrl)
        text += "Ctrl+";
    if (shortCut & scShift)
        text += "Shift+";
    if (shortCut & scAlt)
        text += "Alt+";
    return text + KeyName(ShortCutKey(shortCut));
}

TShortCut ShortCutFromKeyState(unsigned virtualKey) {
    TShortCut modifiers = 0;
    if (GetKeyState(VK_SHIFT) < 0)
        modifiers |= scShift;
    if (GetKeyState(VK_CONTROL) < 0)
        modifiers |= scCtrl;
    if (GetKeyState(VK_MENU) < 0)
        modifiers |= scAlt;
    return ShortCut(virtualKey, modifiers);
}
