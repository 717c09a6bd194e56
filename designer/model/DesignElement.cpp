#include "designer/model/DesignElement.h"

#include "format/ButtonActions.h"
#include "framework/portable/Convert.h"

namespace {

constexpr std::string_view kNames[kElementCount] = {
    "Window",    "Install button", "Quit button", "Launch button", "Web button",
    "Button 5",  "Button 6",       "Button 7",    "Button 8",      "Button 9",
    "Button 10", "Check box",      "Option list", "Notice box"};

// The sections of the elements that are no button; a button's is its group's.
constexpr std::string_view kSections[kElementCount] = {
    "Window", "", "", "", "", "", "", "", "", "", "", "CheckBox", "Options", "Notice"};

bool Bool(const std::string& text) {
    bool value = false;
    return TryStrToBool(text, value) && value;
}

} // namespace

const std::array<ElementId, kElementCount>& AllElements() {
    static const std::array<ElementId, kElementCount> all = [] {
        std::array<ElementId, kElementCount> ids{};
        for (int i = 0; i < kElementCount; ++i)
            ids[i] = static_cast<ElementId>(i);
        return ids;
    }();
    return all;
}

std::string_view ElementName(ElementId id) {
    return kNames[static_cast<int>(id)];
}

std::string_view ElementSection(ElementId id) {
    if (IsButton(id))
        return Setting(ButtonSetting(ButtonGroup(id), kButtonShown)).section;
    return kSections[static_cast<int>(id)];
}

int ButtonGroup(ElementId id) {
    const int index = static_cast<int>(id);
    return index >= 1 && index <= kButtonGroups ? index : 0;
}

ElementId ButtonElement(int group) {
    return static_cast<ElementId>(group);
}

bool IsButton(ElementId id) {
    return ButtonGroup(id) != 0;
}

ElementId ElementOfLine(int line) {
    if (line >= kFirstOptionLine)
        return ElementId::Options;
    if (const int group = ButtonGroupOfLine(line))
        return ButtonElement(group);
    switch (line) {
    case LineOf(SettingId::InstallOpen):
        return ElementId::Install;
    case LineOf(SettingId::LaunchProgram):
        return ElementId::Launch;
    case LineOf(SettingId::WebOpen):
        return ElementId::Web;
    case LineOf(SettingId::CheckBoxCaption):
    case LineOf(SettingId::CheckBoxLeft):
    case LineOf(SettingId::CheckBoxTop):
    case LineOf(SettingId::CheckBoxFontSize):
    case LineOf(SettingId::CheckBoxFontColor):
        return ElementId::CheckBox;
    case LineOf(SettingId::OptionCount):
        return ElementId::Options;
    default:
        break;
    }
    if (line >= LineOf(SettingId::NoticeColor) && line <= LineOf(SettingId::NoticeWordWrap))
        return ElementId::Notice;
    if (line >= LineOf(SettingId::OptionsWidth) && line <= LineOf(SettingId::OptionsFontColor))
        return ElementId::Options;
    return ElementId::None;
}

bool ElementInMode(ElementId id, MenuMode mode) {
    if (IsButton(id))
        return (ButtonActionOf(ButtonGroup(id)).modes &
                (mode == MenuMode::Launch ? kLaunchMode : kRequirementMode)) != 0;
    switch (id) {
    case ElementId::Notice:
        return mode == MenuMode::Requirement;
    case ElementId::CheckBox:
    case ElementId::Options:
        return mode == MenuMode::Launch;
    default:
        return true;
    }
}

bool ElementShown(const MenuDocument& menu, ElementId id, MenuMode mode) {
    if (!ElementInMode(id, mode))
        return false;
    if (IsButton(id))
        return Bool(menu.Text(ButtonSetting(ButtonGroup(id), kButtonShown)));
    switch (id) {
    case ElementId::CheckBox:
        return Bool(menu.Text(SettingId::CheckBoxFontColor));
    case ElementId::Options: {
        int32_t count = 0;
        return TryStrToInt(menu.Text(SettingId::OptionCount), count) && count > 1;
    }
    default:
        return true;
    }
}
