// Keyboard shortcuts of menu items: a virtual key with modifier bits, as one
// 16-bit value (0 for none).
#pragma once

#include <cstdint>
#include <string>

using TShortCut = std::uint16_t;

constexpr TShortCut scShift = 0x2000;
constexpr TShortCut scCtrl = 0x4000;
constexpr TShortCut scAlt = 0x8000;
constexpr TShortCut scNone = 0;

// The shortcut of a virtual key (VK_*, 'A'...'Z', '0'...'9') with modifiers
// (scShift | scCtrl | scAlt).
constexpr TShortCut ShortCut(unsigned virtualKey, TShortCut modifiers = 0) {
    return static_cast<TShortCut>((virtualKey & 0xFF) | (modifiers & (scShift | scCtrl | scAlt)));
}
constexpr unsigned ShortCutKey(TShortCut shortCut) {
    return shortCut & 0xFFu;
}

// The text shown after a tab in the menu: "Ctrl+Z", "Ctrl+Shift+S", "F5",
// "Del". Empty for scNone.
std::string ShortCutToText(TShortCut shortCut);

// The shortcut of a key press: virtualKey with the modifiers held now
// (GetKeyState).
TShortCut ShortCutFromKeyState(unsigned virtualKey);
