#include "framework/portable/Color.h"
#include "framework/portable/Text.h"

#include <array>
#include <cctype>

namespace {

struct NamedColor {
    TColor Value;
    const char* Name;
};

// Plain names first: for values with two names (clSilver/clLtGray) the first wins.
constexpr std::array<NamedColor, 42> kNamedColors{{
    {clBlack, "clBlack"},
    {clMaroon, "clMaroon"},
    {clGreen, "clGreen"},
    {clOlive, "clOlive"},
    {clNavy, "clNavy"},
    {clPurple, "clPurple"},
    {clTeal, "clTeal"},
    {clGray, "clGray"},
    {clSilver, "clSilver"},
    {clRed, "clRed"},
    {clLime, "clLime"},
    {clYellow, "clYellow"},
    {clBlue, "clBlue"},
    {clFuchsia, "clFuchsia"},
    {clAqua, "clAqua"},
    {clWhite, "clWhite"},
    {clScrollBar, "clScrollBar"},
    {clBackground, "clBackground"},
    {clActiveCaption, "clActiveCaption"},
    {clInactiveCaption, "clInactiveCaption"},
    {clMenu, "clMenu"},
    {clWindow, "clWindow"},
    {clWindowFrame, "clWindowFrame"},
    {clMenuText, "clMenuText"},
    {clWindowText, "clWindowText"},
    {clCaptionText, "clCaptionText"},
    {clActiveBorder, "clActiveBorder"},
    {clInactiveBorder, "clInactiveBorder"},
    {clAppWorkSpace, "clAppWorkSpace"},
    {clHighlight, "clHighlight"},
    {clHighlightText, "clHighlightText"},
    {clBtnFace, "clBtnFace"},
    {clBtnShadow, "clBtnShadow"},
    {clGrayText, "clGrayText"},
    {clBtnText, "clBtnText"},
    {clInactiveCaptionText, "clInactiveCaptionText"},
    {clBtnHighlight, "clBtnHighlight"},
    {cl3DDkShadow, "cl3DDkShadow"},
    {cl3DLight, "cl3DLight"},
    {clInfoText, "clInfoText"},
    {clInfoBk, "clInfoBk"},
    {clNone, "clNone"},
}};

// clDefault and the two aliases are accepted as names but never produced.
constexpr std::array<NamedColor, 3> kExtraNames{{
    {clDefault, "clDefault"},
    {clLtGray, "clLtGray"},
    {clDkGray, "clDkGray"},
}};

} // namespace

std::optional<std::string> ColorToIdent(TColor color) {
    for (const auto& entry : kNamedColors) {
        if (entry.Value == color)
            return std::string(entry.Name);
    }
    if (color == clDefault)
        return std::string("clDefault");
    return std::nullopt;
}

std::optional<TColor> IdentToColor(const std::string& ident) {
    for (const auto& entry : kNamedColors) {
        if (SameText(ident, entry.Name))
            return entry.Value;
    }
    for (const auto& entry : kExtraNames) {
        if (SameText(ident, entry.Name))
            return entry.Value;
    }
    return std::nullopt;
}
