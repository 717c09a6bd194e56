#include "designer/model/ElementProperties.h"

#include <map>

namespace {

const SettingInfo& Row(SettingId id, KeyPart part = KeyPart::Whole) {
    for (const SettingInfo& row : SettingTable())
        if (row.id == id && row.part == part)
            return row;
    return Setting(id);
}

EditorKind EditorOf(const SettingInfo& row) {
    if (row.part == KeyPart::Bold || row.part == KeyPart::Shown)
        return EditorKind::YesNo;
    if (row.part != KeyPart::Whole)
        return EditorKind::Sound;
    switch (row.id) {
    case SettingId::FontName:
        return EditorKind::FontName;
    case SettingId::LaunchProgram:
    case SettingId::InstallOpen:
    case SettingId::WebOpen:
        return EditorKind::File;
    default:
        break;
    }
    switch (row.kind) {
    case SettingKind::Integer:
    case SettingKind::BoldFontSize:
        return EditorKind::Number;
    case SettingKind::Boolean:
    case SettingKind::Switch:
        return EditorKind::YesNo;
    case SettingKind::Colour:
    case SettingKind::CheckBoxColour:
        return EditorKind::Colour;
    case SettingKind::ScrollBars:
        return EditorKind::Choice;
    default:
        return EditorKind::Text;
    }
}

class Builder {
public:
    Builder& Add(std::string label, SettingId id, KeyPart part = KeyPart::Whole) {
        const SettingInfo& row = Row(id, part);
        Property property;
        property.setting = &row;
        property.editor = EditorOf(row);
        property.label = std::move(label);
        property.help = std::string(row.help);
        property.sharedByButtons = row.section == "Buttons";
        if (property.sharedByButtons) {
            property.label += " (all buttons)";
            property.help += " Changes every button.";
        }
        properties_.push_back(std::move(property));
        return *this;
    }
    Builder& Special(std::string label, PropertyKind kind, EditorKind editor, std::string help) {
        Property property;
        property.kind = kind;
        property.editor = editor;
        property.label = std::move(label);
        property.help = std::move(help);
        properties_.push_back(std::move(property));
        return *this;
    }
    Builder& Font(SettingId size, SettingId colour) {
        return Add("Font size", size).Add("Bold", size, KeyPart::Bold).Add("Font colour", colour);
    }
    std::vector<Property> Done() { return std::move(properties_); }

private:
    std::vector<Property> properties_;
};

std::vector<Property> ButtonProperties(ElementId id) {
    const int g = ButtonGroup(id);
    Builder rows;
    rows.Add("Caption", ButtonSetting(g, kButtonCaption))
        .Add("Shown", ButtonSetting(g, kButtonShown))
        .Add("Left", ButtonSetting(g, kButtonLeft))
        .Add("Top", ButtonSetting(g, kButtonTop))
        .Font(SettingId::ButtonFontSize, SettingId::ButtonFontColor);
    if (id == ElementId::Install)
        rows.Add("Opens", SettingId::InstallOpen);
    if (id == ElementId::Web)
        rows.Add("Opens", SettingId::WebOpen);
    if (id == ElementId::Launch)
        rows.Add("Program", SettingId::LaunchProgram);
    return rows.Done();
}

std::vector<Property> WindowProperties() {
    Builder rows;
    rows.Add("Caption", SettingId::WindowCaption)
        .Add("Border", SettingId::WindowBorder)
        .Add("Minimum DirectX", SettingId::MinimumDirectX)
        .Add("Font name", SettingId::FontName)
        .Add("Program", SettingId::LaunchProgram)
        .Add("Install button opens", SettingId::InstallOpen)
        .Add("Web button opens", SettingId::WebOpen)
        .Add("Start sound", SettingId::Sounds, KeyPart::StartSound)
        .Add("Enter sound", SettingId::Sounds, KeyPart::EnterSound)
        .Add("Press sound", SettingId::Sounds, KeyPart::PressSound)
        .Add("Leave sound", SettingId::Sounds, KeyPart::LeaveSound);
    std::vector<Property> properties = rows.Done();
    for (int i = 0; i < kPictureCount; ++i) {
        Property picture;
        picture.kind = PropertyKind::Picture;
        picture.picture = PictureAt(i);
        picture.editor = EditorKind::Picture;
        std::string label(PictureLabel(picture.picture));
        label[0] = static_cast<char>(label[0] - 'a' + 'A');
        picture.label = label + " picture";
        picture.help = "A BMP, PNG or JPEG file; saved beside menu.ini.";
        properties.push_back(std::move(picture));
    }
    Property notice;
    notice.kind = PropertyKind::NoticeText;
    notice.editor = EditorKind::Notice;
    notice.label = "Notice text";
    notice.help = "The text of the notice box, shown in requirement mode.";
    properties.push_back(std::move(notice));
    return properties;
}

std::vector<Property> Build(ElementId id) {
    if (IsButton(id))
        return ButtonProperties(id);
    switch (id) {
    case ElementId::CheckBox:
        return Builder()
            .Add("Caption", SettingId::CheckBoxCaption)
            .Add("Shown", SettingId::CheckBoxFontColor, KeyPart::Shown)
            .Add("Left", SettingId::CheckBoxLeft)
            .Add("Top", SettingId::CheckBoxTop)
            .Font(SettingId::CheckBoxFontSize, SettingId::CheckBoxFontColor)
            .Done();
    case ElementId::Options:
        return Builder()
            .Special("Options", PropertyKind::OptionList, EditorKind::Options,
                     "The choices of the list: a name, and the parameters it adds to the "
                     "program's command line. The list shows from two options on.")
            .Add("Left", SettingId::OptionsLeft)
            .Add("Top", SettingId::OptionsTop)
            .Add("Width", SettingId::OptionsWidth)
            .Add("Colour", SettingId::OptionsColor)
            .Font(SettingId::OptionsFontSize, SettingId::OptionsFontColor)
            .Done();
    case ElementId::Notice:
        return Builder()
            .Special("Text", PropertyKind::NoticeText, EditorKind::Notice,
                     "The text of the notice box.")
            .Add("Left", SettingId::NoticeLeft)
            .Add("Top", SettingId::NoticeTop)
            .Add("Width", SettingId::NoticeWidth)
            .Add("Height", SettingId::NoticeHeight)
            .Add("Colour", SettingId::NoticeColor)
            .Font(SettingId::NoticeFontSize, SettingId::NoticeFontColor)
            .Add("Scroll bars", SettingId::NoticeScrollBars)
            .Add("Word wrap", SettingId::NoticeWordWrap)
            .Done();
    default:
        return WindowProperties();
    }
}

} // namespace

const std::vector<Property>& ElementProperties(ElementId id) {
    static const std::map<ElementId, std::vector<Property>> all = [] {
        std::map<ElementId, std::vector<Property>> map;
        for (ElementId element : AllElements())
            map[element] = Build(element);
        return map;
    }();
    return all.at(id);
}
