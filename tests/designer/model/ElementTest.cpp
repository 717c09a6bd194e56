// Elements: which configuration line belongs to which element, what each
// element lists in the property panel, when the launcher shows it, and the
// recent-files list.
#include <gtest/gtest.h>

#include <set>

#include "designer/model/DesignElement.h"
#include "designer/model/ElementPosition.h"
#include "designer/model/ElementProperties.h"
#include "designer/model/RecentFiles.h"

namespace {

TEST(ElementOfLine, EveryConfigurationLineHasItsElement) {
    EXPECT_EQ(ElementOfLine(-1), ElementId::None);
    EXPECT_EQ(ElementOfLine(0), ElementId::None) << "MinimumDirectX";
    for (int g = 1; g <= kButtonGroups; ++g)
        for (int part = 0; part < 4; ++part)
            EXPECT_EQ(ElementOfLine(4 * g - 3 + part), ButtonElement(g))
                << "line " << 4 * g - 3 + part;
    const std::pair<SettingId, ElementId> expected[] = {
        {SettingId::WindowCaption, ElementId::None},
        {SettingId::InstallOpen, ElementId::Install},
        {SettingId::LaunchProgram, ElementId::Launch},
        {SettingId::ButtonFontSize, ElementId::None},
        {SettingId::ButtonFontColor, ElementId::None},
        {SettingId::FontName, ElementId::None},
        {SettingId::CheckBoxCaption, ElementId::CheckBox},
        {SettingId::CheckBoxLeft, ElementId::CheckBox},
        {SettingId::CheckBoxTop, ElementId::CheckBox},
        {SettingId::WindowBorder, ElementId::None},
        {SettingId::NoticeColor, ElementId::Notice},
        {SettingId::NoticeLeft, ElementId::Notice},
        {SettingId::NoticeTop, ElementId::Notice},
        {SettingId::NoticeWidth, ElementId::Notice},
        {SettingId::NoticeHeight, ElementId::Notice},
        {SettingId::NoticeFontSize, ElementId::Notice},
        {SettingId::NoticeFontColor, ElementId::Notice},
        {SettingId::NoticeScrollBars, ElementId::Notice},
        {SettingId::NoticeWordWrap, ElementId::Notice},
        {SettingId::Sounds, ElementId::None},
        {SettingId::WebOpen, ElementId::Web},
        {SettingId::OptionsWidth, ElementId::Options},
        {SettingId::OptionsLeft, ElementId::Options},
        {SettingId::OptionsTop, ElementId::Options},
        {SettingId::OptionsColor, ElementId::Options},
        {SettingId::OptionsFontSize, ElementId::Options},
        {SettingId::OptionsFontColor, ElementId::Options},
        {SettingId::CheckBoxFontSize, ElementId::CheckBox},
        {SettingId::CheckBoxFontColor, ElementId::CheckBox},
        {SettingId::Unread70, ElementId::None},
        {SettingId::OptionCount, ElementId::Options},
    };
    ASSERT_EQ(std::size(expected), static_cast<std::size_t>(kFixedLines - 41));
    for (const auto& [id, element] : expected)
        EXPECT_EQ(ElementOfLine(LineOf(id)), element) << "line " << LineOf(id);
    EXPECT_EQ(ElementOfLine(72), ElementId::Options);
    EXPECT_EQ(ElementOfLine(500), ElementId::Options);
}

TEST(ElementOfLine, EveryPanelRowOfAnElementBelongsToIt) {
    for (ElementId id : AllElements()) {
        if (id == ElementId::None)
            continue;
        for (const Property& property : ElementProperties(id))
            if (property.kind == PropertyKind::Setting && !property.sharedByButtons) {
                EXPECT_EQ(ElementOfLine(LineOf(property.setting->id)), id)
                    << ElementName(id) << ": " << property.label;
            }
    }
}

TEST(ElementProperties, PanelRowsFollowOneOrderAndFitTheirEditors) {
    const std::vector<Property>& launch = ElementProperties(ElementId::Launch);
    ASSERT_GE(launch.size(), 8u);
    EXPECT_EQ(launch[0].label, "Caption");
    EXPECT_EQ(launch[2].label, "Left");
    EXPECT_EQ(launch[3].label, "Top");
    EXPECT_EQ(launch[0].setting->id, SettingId::LaunchCaption);
    EXPECT_EQ(launch.back().setting->id, SettingId::LaunchProgram);
    EXPECT_EQ(launch.back().editor, EditorKind::File);
    int shared = 0;
    for (const Property& property : launch)
        if (property.sharedByButtons) {
            ++shared;
            EXPECT_NE(property.help.find("every button"), std::string::npos) << property.label;
            EXPECT_NE(property.label.find("all buttons"), std::string::npos);
        }
    EXPECT_EQ(shared, 3) << "font size, bold and font colour are shared";

    const std::vector<Property>& window = ElementProperties(ElementId::None);
    std::set<std::string> labels;
    int pictures = 0;
    for (const Property& property : window) {
        EXPECT_TRUE(labels.insert(property.label).second) << "twice: " << property.label;
        pictures += property.kind == PropertyKind::Picture ? 1 : 0;
        if (property.kind == PropertyKind::Setting && property.setting->id == SettingId::FontName) {
            EXPECT_EQ(property.editor, EditorKind::FontName);
        }
        if (property.kind == PropertyKind::Setting && property.setting->id == SettingId::Sounds) {
            EXPECT_EQ(property.editor, EditorKind::Sound);
        }
    }
    EXPECT_EQ(pictures, kPictureCount);
    EXPECT_EQ(window.back().kind, PropertyKind::NoticeText);

    const std::vector<Property>& box = ElementProperties(ElementId::CheckBox);
    EXPECT_EQ(box[1].setting->part, KeyPart::Shown);
    EXPECT_EQ(box[1].editor, EditorKind::YesNo);
    EXPECT_EQ(ElementProperties(ElementId::Options)[0].kind, PropertyKind::OptionList);
    EXPECT_EQ(ElementProperties(ElementId::Notice)[0].kind, PropertyKind::NoticeText);
}

TEST(ElementShown, FollowsTheLaunchersRulesForEachMode) {
    MenuDocument menu;
    menu.SetText(ButtonSetting(1, 0), "-1");
    menu.SetText(ButtonSetting(3, 0), "-1");
    menu.SetText(ButtonSetting(2, 0), "True");
    menu.SetText(ButtonSetting(10, 0), "-1");
    EXPECT_TRUE(ElementShown(menu, ElementId::Launch, MenuMode::Launch));
    EXPECT_FALSE(ElementShown(menu, ElementId::Launch, MenuMode::Requirement));
    EXPECT_TRUE(ElementShown(menu, ElementId::Install, MenuMode::Requirement));
    EXPECT_FALSE(ElementShown(menu, ElementId::Install, MenuMode::Launch));
    EXPECT_TRUE(ElementShown(menu, ElementId::Quit, MenuMode::Requirement));
    EXPECT_TRUE(ElementShown(menu, ElementId::Button10, MenuMode::Launch));
    EXPECT_FALSE(ElementShown(menu, ElementId::Web, MenuMode::Launch)) << "Shown is 0";

    menu.SetText(SettingId::CheckBoxFontColor, "0");
    EXPECT_FALSE(ElementShown(menu, ElementId::CheckBox, MenuMode::Launch));
    menu.SetText(SettingId::CheckBoxFontColor, "255");
    EXPECT_TRUE(ElementShown(menu, ElementId::CheckBox, MenuMode::Launch));
    EXPECT_FALSE(ElementShown(menu, ElementId::CheckBox, MenuMode::Requirement));

    menu.SetText(SettingId::OptionCount, "1");
    EXPECT_FALSE(ElementShown(menu, ElementId::Options, MenuMode::Launch)) << "one option: hidden";
    menu.SetText(SettingId::OptionCount, "2");
    EXPECT_TRUE(ElementShown(menu, ElementId::Options, MenuMode::Launch));
    EXPECT_FALSE(ElementShown(menu, ElementId::Options, MenuMode::Requirement));
    EXPECT_TRUE(ElementShown(menu, ElementId::Notice, MenuMode::Requirement));
    EXPECT_FALSE(ElementShown(menu, ElementId::Notice, MenuMode::Launch));
    EXPECT_TRUE(ElementShown(menu, ElementId::None, MenuMode::Launch));
}

TEST(ElementPosition, ReadsTheLinesAndClampsToTheLaunchersRanges) {
    MenuDocument menu;
    menu.SetText(ButtonSetting(2, 1), "$10");
    menu.SetText(ButtonSetting(2, 2), "30");
    EXPECT_EQ(ElementPosition(menu, ElementId::Quit), (ElementPoint{16, 30}));
    EXPECT_FALSE(ElementPosition(menu, ElementId::None).has_value());
    EXPECT_EQ(ClampPosition(ElementId::Quit, {-5, 70000}), (ElementPoint{0, 65535}));
    EXPECT_EQ(ClampPosition(ElementId::Quit, {65535, 0}), (ElementPoint{65535, 0}));
    EXPECT_EQ(ClampPosition(ElementId::CheckBox, {-5, 5000000000}), (ElementPoint{-5, INT32_MAX}));
    EXPECT_EQ(ClampPosition(ElementId::Notice, {-5000000000, 1}), (ElementPoint{INT32_MIN, 1}));
}

TEST(RecentFiles, MostRecentFirstUniqueWithoutCaseAndCapped) {
    RecentFiles recent;
    for (int i = 1; i <= 10; ++i)
        recent.Add("C:\\Menus\\m" + std::to_string(i));
    ASSERT_EQ(recent.Items().size(), kMaxRecentFiles);
    EXPECT_EQ(recent.Items().front(), "C:\\Menus\\m10");
    EXPECT_EQ(recent.Items().back(), "C:\\Menus\\m3");
    recent.Add("c:\\menus\\M5");
    EXPECT_EQ(recent.Items().front(), "c:\\menus\\M5");
    EXPECT_EQ(recent.Items().size(), kMaxRecentFiles) << "moved, not added twice";
    recent.Remove("C:\\MENUS\\m10");
    EXPECT_EQ(recent.Items().size(), kMaxRecentFiles - 1);

    const RecentFiles back = RecentFiles::FromText(recent.ToText());
    EXPECT_EQ(back.Items(), recent.Items());
    const RecentFiles damaged = RecentFiles::FromText("a\r\n\r\nb\nA\n");
    EXPECT_EQ(damaged.Items(), (std::vector<std::string>{"a", "b"}));
}

} // namespace
