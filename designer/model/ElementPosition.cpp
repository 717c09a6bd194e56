#include "designer/model/ElementPosition.h"

#include <algorithm>

#include "framework/portable/Convert.h"

std::optional<SettingId> LeftLine(ElementId id) {
    if (IsButton(id))
        return ButtonSetting(ButtonGroup(id), 1);
    switch (id) {
    case ElementId::CheckBox:
        return SettingId::CheckBoxLeft;
    case ElementId::Options:
        return SettingId::OptionsLeft;
    case ElementId::Notice:
        return SettingId::NoticeLeft;
    default:
        return std::nullopt;
    }
}

std::optional<SettingId> TopLine(ElementId id) {
    if (IsButton(id))
        return ButtonSetting(ButtonGroup(id), 2);
    switch (id) {
    case ElementId::CheckBox:
        return SettingId::CheckBoxTop;
    case ElementId::Options:
        return SettingId::OptionsTop;
    case ElementId::Notice:
        return SettingId::NoticeTop;
    default:
        return std::nullopt;
    }
}

std::optional<ElementPoint> ElementPosition(const MenuDocument& menu, ElementId id) {
    const auto left = LeftLine(id), top = TopLine(id);
    if (!left || !top)
        return std::nullopt;
    return ElementPoint{StrToIntDef(menu.Text(*left), 0), StrToIntDef(menu.Text(*top), 0)};
}

ElementPoint ClampPosition(ElementId id, ElementPoint wanted) {
    const auto left = LeftLine(id), top = TopLine(id);
    if (!left || !top)
        return wanted;
    const SettingInfo& x = Setting(*left);
    const SettingInfo& y = Setting(*top);
    return {std::clamp(wanted.x, x.low, x.high), std::clamp(wanted.y, y.low, y.high)};
}
