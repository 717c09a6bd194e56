// TColor: a 32-bit colour, 0x00BBGGRR (red in the lowest byte). A value whose
// high byte is 0x80 names a system colour by its index (low byte); it becomes
// RGB only when resolved on Windows (framework/graphics/Color.h).
#pragma once

#include <cstdint>
#include <optional>
#include <string>

using TColor = int32_t;

namespace color_detail {
constexpr TColor System(int index) {
    return static_cast<TColor>(0x80000000u | unsigned(index));
}
} // namespace color_detail

// Plain colours.
constexpr TColor clBlack = 0x000000;
constexpr TColor clMaroon = 0x000080;
constexpr TColor clGreen = 0x008000;
constexpr TColor clOlive = 0x008080;
constexpr TColor clNavy = 0x800000;
constexpr TColor clPurple = 0x800080;
constexpr TColor clTeal = 0x808000;
constexpr TColor clGray = 0x808080;
constexpr TColor clSilver = 0xC0C0C0;
constexpr TColor clRed = 0x0000FF;
constexpr TColor clLime = 0x00FF00;
constexpr TColor clYellow = 0x00FFFF;
constexpr TColor clBlue = 0xFF0000;
constexpr TColor clFuchsia = 0xFF00FF;
constexpr TColor clAqua = 0xFFFF00;
constexpr TColor clLtGray = 0xC0C0C0;
constexpr TColor clDkGray = 0x808080;
constexpr TColor clWhite = 0xFFFFFF;

// Special values: "no colour" and "the control's default".
constexpr TColor clNone = 0x1FFFFFFF;
constexpr TColor clDefault = 0x20000000;

// System colours (index = the COLOR_xxx constant of the platform).
constexpr TColor clScrollBar = color_detail::System(0);
constexpr TColor clBackground = color_detail::System(1);
constexpr TColor clActiveCaption = color_detail::System(2);
constexpr TColor clInactiveCaption = color_detail::System(3);
constexpr TColor clMenu = color_detail::System(4);
constexpr TColor clWindow = color_detail::System(5);
constexpr TColor clWindowFrame = color_detail::System(6);
constexpr TColor clMenuText = color_detail::System(7);
constexpr TColor clWindowText = color_detail::System(8);
constexpr TColor clCaptionText = color_detail::System(9);
constexpr TColor clActiveBorder = color_detail::System(10);
constexpr TColor clInactiveBorder = color_detail::System(11);
constexpr TColor clAppWorkSpace = color_detail::System(12);
constexpr TColor clHighlight = color_detail::System(13);
constexpr TColor clHighlightText = color_detail::System(14);
constexpr TColor clBtnFace = color_detail::System(15);
constexpr TColor clBtnShadow = color_detail::System(16);
constexpr TColor clGrayText = color_detail::System(17);
constexpr TColor clBtnText = color_detail::System(18);
constexpr TColor clInactiveCaptionText = color_detail::System(19);
constexpr TColor clBtnHighlight = color_detail::System(20);
constexpr TColor cl3DDkShadow = color_detail::System(21);
constexpr TColor cl3DLight = color_detail::System(22);
constexpr TColor clInfoText = color_detail::System(23);
constexpr TColor clInfoBk = color_detail::System(24);

constexpr bool IsSystemColor(TColor color) {
    return (static_cast<uint32_t>(color) & 0xFF000000u) == 0x80000000u;
}
constexpr int SystemColorIndex(TColor color) {
    return static_cast<int>(color & 0xFF);
}

// Channel access of a plain colour.
constexpr uint8_t ColorRed(TColor c) {
    return static_cast<uint8_t>(c & 0xFF);
}
constexpr uint8_t ColorGreen(TColor c) {
    return static_cast<uint8_t>((c >> 8) & 0xFF);
}
constexpr uint8_t ColorBlue(TColor c) {
    return static_cast<uint8_t>((c >> 16) & 0xFF);
}
constexpr TColor RGBColor(uint8_t r, uint8_t g, uint8_t b) {
    return static_cast<TColor>(r | (g << 8) | (b << 16));
}

// The colour names ("clRed", "clBtnFace", ...). Name lookup ignores case.
std::optional<std::string> ColorToIdent(TColor color);
std::optional<TColor> IdentToColor(const std::string& ident);
