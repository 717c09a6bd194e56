// The settings table and the checks against the launcher's reading of each
// configuration line: which lines are integers, Booleans, sound digits or
// free text, which are read only in requirement mode, and which picture
// sizes must match.
#include <gtest/gtest.h>

#include <set>

#include "authoring/MenuCheck.h"

namespace {

// A 24-bit BMP of the given size (pixels left black).
std::vector<uint8_t> Bmp(int width, int height) {
    const int stride = (width * 3 + 3) / 4 * 4;
    const uint32_t size = 54 + static_cast<uint32_t>(stride * height);
    std::vector<uint8_t> bmp(size, 0);
    auto put32 = [&](std::size_t at, uint32_t value) {
        for (int i = 0; i < 4; ++i)
            bmp[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    bmp[0] = 'B', bmp[1] = 'M';
    put32(2, size);
    put32(10, 54);
    put32(14, 40);
    put32(18, static_cast<uint32_t>(width));
    put32(22, static_cast<uint32_t>(height));
    bmp[26] = 1, bmp[28] = 24;
    return bmp;
}

// A menu the launcher takes in either mode, every button shown.
MenuDocument ShownMenu() {
    MenuDocument menu;
    menu.SetText(SettingId::MinimumDirectX, "9"); // requirement mode possible
    for (int g = 1; g <= kButtonGroups; ++g)
        menu.SetText(ButtonSetting(g, 0), "-1");
    menu.SetText(SettingId::CheckBoxFontColor, "255");
    for (int i = 0; i < kPictureCount; ++i)
        menu.Picture(PictureAt(i)).bytes = Bmp(4, 3);
    return menu;
}

} // namespace

TEST(MenuCheck, EachLineIsCheckedAsTheLauncherReadsIt) {
    // The launcher converts these lines to integers, these as Booleans (the
    // shown flags), line 60 as four digits; it takes every other line as text.
    std::set<int> integers = {44, 45, 48, 49, 51, 52, 53, 54, 55, 56, 57,
                              58, 62, 63, 64, 65, 66, 67, 68, 69, 71};
    std::set<int> booleans;
    for (int g = 1; g <= kButtonGroups; ++g) {
        booleans.insert(4 * g - 3);
        integers.insert(4 * g - 2);
        integers.insert(4 * g - 1);
    }
    const MenuOrigins origins = ListOrigins("m", "m/1-config.txt", true, 0);
    ASSERT_TRUE(CheckMenu(ShownMenu(), origins).empty())
        << ::testing::PrintToString(FormatAll(CheckMenu(ShownMenu(), origins)));
    for (int line = 0; line < kFixedLines; ++line) {
        SCOPED_TRACE(line);
        MenuDocument menu = ShownMenu();
        menu.SetText(static_cast<SettingId>(line), "x");
        const std::vector<std::string> problems = FormatAll(CheckMenu(menu, origins));
        const bool read = integers.count(line) || booleans.count(line) || line == 60;
        ASSERT_EQ(problems.size(), read ? 1u : 0u) << ::testing::PrintToString(problems);
        if (!read)
            continue;
        const std::string where =
            "m/1-config.txt:" + std::to_string(line + 1) + ": line " + std::to_string(line) + " (";
        EXPECT_EQ(problems[0].rfind(where, 0), 0u) << problems[0];
        const std::string kind = integers.count(line)   ? "is no integer"
                                 : booleans.count(line) ? "is no Boolean"
                                                        : "does not begin with four digits";
        EXPECT_NE(problems[0].find(kind), std::string::npos) << problems[0];
    }
}

TEST(MenuCheck, TheNoticeIsCheckedOnlyWhereRequirementModeCanCome) {
    const MenuOrigins origins = ListOrigins("m", "m entry 1", false, 0);
    for (int line = 51; line <= 58; ++line) {
        MenuDocument menu = ShownMenu();
        menu.SetText(static_cast<SettingId>(line), "x");
        EXPECT_EQ(CheckMenu(menu, origins).size(), 1u) << line;
        menu.SetText(SettingId::MinimumDirectX, "");
        EXPECT_TRUE(CheckMenu(menu, origins).empty()) << line;
    }
}

TEST(MenuCheck, PicturesOfOneControlMustHaveOneSize) {
    MenuDocument menu = ShownMenu();
    menu.Picture(PictureRole::ButtonOver).bytes = Bmp(5, 3);
    menu.Picture(PictureRole::CheckBoxTicked).bytes = Bmp(4, 2);
    menu.Picture(PictureRole::Background).bytes = Bmp(640, 480); // its own size
    MenuOrigins origins = ListOrigins("m", "m entry 1", false, 0);
    for (int i = 0; i < kPictureCount; ++i)
        origins.pictures[i].file = "m entry " + std::to_string(kFirstPictureEntry + i);
    EXPECT_EQ(FormatAll(CheckMenu(menu, origins)),
              (std::vector<std::string>{
                  "m entry 6: the button under the pointer picture is 5 x 3 but the button "
                  "picture is 4 x 3; the three button pictures must have one size",
                  "m entry 8: the ticked check box picture is 4 x 2 but the check box picture is "
                  "4 x 3; the two check box pictures must have one size"}));
}

TEST(MenuCheck, EveryMenuIniKeyIsOneRowAndTheLinesAreInOrder) {
    std::set<std::string> keys;
    for (const SettingInfo& row : SettingTable()) {
        const std::string name = std::string(row.section) + "/" + std::string(row.key);
        EXPECT_TRUE(keys.insert(name).second) << name << " twice";
        EXPECT_EQ(FindSetting(row.section, row.key), &row) << name;
        EXPECT_FALSE(row.label.empty()) << name;
        EXPECT_FALSE(row.help.empty()) << name;
    }
    EXPECT_EQ(FindSetting("launch", "PROGRAM")->id, SettingId::LaunchProgram);
    EXPECT_EQ(FindSetting("Launch", "Open"), nullptr);
    for (int digit = 0; digit <= 9; ++digit)
        EXPECT_EQ(SoundDigit(SoundName(digit)), digit);
    // Choices name the launcher's values in order, as the designer lists them.
    EXPECT_EQ(Choices(Setting(SettingId::NoticeScrollBars))[3], "both");
    EXPECT_EQ(Choices(*FindSetting("Sounds", "Leave"))[1], "SYSTEMSTART");
    EXPECT_EQ(Choices(*FindSetting("Buttons", "Bold"))[0], "yes");
    EXPECT_TRUE(Choices(Setting(SettingId::Sounds)).empty()) << "Digits is free text";
}

// A long line is worth a warning; a notice the box would take seconds to lay
// out keeps the menu from showing, and is refused.
TEST(MenuCheck, ANoticeThatLaysOutSlowlyIsAWarningOneThatHoldsTheMenuUpAnError) {
    MenuDocument menu = ShownMenu();
    MenuOrigins origins = ListOrigins("m", "m entry 1", false, 0);
    origins.notice.file = "m entry 2";
    std::string text;
    for (int line = 0; line < 200; ++line)
        text += std::string(5000, 'x') + "\r\n";
    menu.Notice().bytes.assign(text.begin(), text.end());
    EXPECT_EQ(FormatAll(CheckMenu(menu, origins)),
              std::vector<std::string>{
                  "m entry 2: the notice (200 lines, 1000000 characters, the longest 5000) would "
                  "keep the menu waiting about 13.3 s while the notice box lays it out; at most "
                  "5.0 s: shorten it, and break long lines"});
    text = std::string(1000000, 'x');
    menu.Notice().bytes.assign(text.begin(), text.end());
    EXPECT_TRUE(HasErrors(CheckMenu(menu, origins))) << "one line of a million characters";

    text = "short\r\n" + std::string(6000, 'x') + "\r\nend";
    menu.Notice().bytes.assign(text.begin(), text.end());
    const std::vector<Problem> problems = CheckMenu(menu, origins);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].severity, Severity::Warning);
    EXPECT_EQ(problems[0].Format(),
              "m entry 2: warning: line 2 of the notice has 6000 characters, which the notice box "
              "lays out slowly; break it into lines of at most 2000");
    menu.SetText(SettingId::MinimumDirectX, "");
    EXPECT_TRUE(CheckMenu(menu, origins).empty()) << "never shown without requirement mode";
}
