// The whole-medium checks: names FAT32 and Joliet take, volume labels, icon
// files, autorun.inf's bytes, and the menu's program and shell targets found
// among the content, each problem naming the menu.ini setting.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "authoring/AutorunInf.h"
#include "authoring/IcoFile.h"
#include "authoring/MediumNames.h"
#include "authoring/MediumPlan.h"

namespace {

TEST(MediumNames, RefusesWhatFat32OrJolietCannotHold) {
    for (const char* good : {"DemoApp.exe", "data", "Read me.txt", "naïve.txt", "a.b.c", "com10",
                             "console.txt", "lpt0"})
        EXPECT_EQ(NameProblem(good), "") << good;
    const struct {
        std::string name;
        std::string expected;
    } bad[] = {
        {"a:b", "':'"},
        {"a;1", "';'"},
        {"what?", "'?'"},
        {std::string("tab\tname"), "control character"},
        {"trailing.", "ends in a dot"},
        {"trailing ", "ends in a dot or a blank"},
        {"aux.txt", "device name"},
        {"CON", "device name"},
        {"Lpt9.log", "device name"},
        {"com1", "device name"},
        {std::string(65, 'x'), "65 characters; Joliet keeps at most 64"},
        {"bad\xC3", "no valid UTF-8"},
        {"", "empty name"},
    };
    for (const auto& [name, expected] : bad)
        EXPECT_NE(NameProblem(name).find(expected), std::string::npos)
            << "\"" << name << "\": " << NameProblem(name);
}

TEST(MediumNames, CountsUtf16UnitsAndLimitsPathsByDepthAndLength) {
    EXPECT_EQ(Utf16Units("abc"), 3u);
    EXPECT_EQ(Utf16Units("\xC3\xA9"), 1u);         // é
    EXPECT_EQ(Utf16Units("\xF0\x9F\x98\x80"), 2u); // a surrogate pair
    EXPECT_EQ(Utf16Units("\xE2\x82"), std::string::npos);
    // 64 characters of which one is 4 bytes of UTF-8 but 2 units: 65 units.
    EXPECT_NE(NameProblem(std::string(63, 'x') + "\xF0\x9F\x98\x80"), "");
    EXPECT_EQ(NameProblem(std::string(62, 'x') + "\xF0\x9F\x98\x80"), "");

    EXPECT_EQ(PathProblem("1/2/3/4/5/6/7/8/file"), "");
    EXPECT_NE(PathProblem("1/2/3/4/5/6/7/8/9/file").find("9 folders deep"), std::string::npos);
    std::string longPath;
    for (int i = 0; i < 5; ++i)
        longPath += std::string(50, 'd') + "/";
    EXPECT_NE(PathProblem(longPath + "f").find("256 characters"), std::string::npos);
    EXPECT_NE(PathProblem("data/aux/x.dat").find("\"aux\""), std::string::npos);
}

TEST(MediumNames, VolumeLabelsFitIsoJolietAndFat32) {
    EXPECT_EQ(VolumeLabelProblem("OVALYN"), "");
    EXPECT_EQ(VolumeLabelProblem("DISC_1"), "");
    EXPECT_NE(VolumeLabelProblem("ovalyn").find("'o'"), std::string::npos);
    EXPECT_NE(VolumeLabelProblem("MY DISC").find("' '"), std::string::npos);
    EXPECT_NE(VolumeLabelProblem("ABCDEFGHIJKL").find("12 characters"), std::string::npos);
    EXPECT_NE(VolumeLabelProblem("").find("0 characters"), std::string::npos);
}

std::vector<uint8_t> Icon(uint16_t reserved, uint16_t type, uint16_t count, uint32_t imageSize,
                          uint32_t imageOffset, std::size_t fileSize) {
    std::vector<uint8_t> bytes(fileSize, 0);
    auto put = [&](std::size_t at, uint32_t value, int size) {
        for (int i = 0; i < size && at + i < bytes.size(); ++i)
            bytes[at + i] = static_cast<uint8_t>(value >> (8 * i));
    };
    put(0, reserved, 2);
    put(2, type, 2);
    put(4, count, 2);
    put(6 + 8, imageSize, 4);
    put(6 + 12, imageOffset, 4);
    return bytes;
}

TEST(IcoFile, TakesAnIconAndSaysWhatIsWrongWithOthers) {
    EXPECT_EQ(IcoProblem(Icon(0, 1, 1, 40, 22, 62)), "");
    EXPECT_NE(IcoProblem({0, 0, 1}).find("3 bytes"), std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 2, 1, 40, 22, 62)).find("type 1"), std::string::npos); // a cursor
    EXPECT_NE(IcoProblem(Icon(1, 1, 1, 40, 22, 62)).find("reserved 0"), std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 1, 0, 40, 22, 62)).find("count 0"), std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 1, 3, 40, 22, 40)).find("3 directory entries need 54 bytes"),
              std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 1, 1, 41, 22, 62)).find("image 1"), std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 1, 1, 0, 22, 62)).find("image 1"), std::string::npos);
    EXPECT_NE(IcoProblem(Icon(0, 1, 1, 10, 4, 62)).find("image 1"), std::string::npos);
}

TEST(AutorunInf, WritesCrLfLinesWithTheLaunchersIconOrTheNamedOne) {
    EXPECT_EQ(AutorunInfText({"Setup.exe", "", "OVALYN", "Ovalyn Demo"}),
              "[autorun]\r\nopen=Setup.exe\r\nicon=Setup.exe,0\r\nlabel=OVALYN\r\n"
              "action=Ovalyn Demo\r\n");
    EXPECT_EQ(AutorunInfText({"Launcher.exe", "disc.ico", "", ""}),
              "[autorun]\r\nopen=Launcher.exe\r\nicon=disc.ico\r\n");
    EXPECT_NE(AutorunValueProblem("a;b").find("';'"), std::string::npos);
    EXPECT_NE(AutorunValueProblem("a\nb").find("control"), std::string::npos);
    EXPECT_EQ(AutorunValueProblem("Start the game"), "");
}

TEST(MediumPath, ResolvesTargetsBelowTheLauncherOnly) {
    EXPECT_EQ(MediumPath("DemoApp.exe"), "demoapp.exe");
    EXPECT_EQ(MediumPath("bin\\Game.exe"), "bin/game.exe");
    EXPECT_EQ(MediumPath(".\\bin\\..\\Setup.exe"), "setup.exe");
    EXPECT_EQ(MediumPath("..\\Other.exe"), "");
    EXPECT_EQ(MediumPath("C:\\Windows\\notepad.exe"), "");
    EXPECT_EQ(MediumPath(""), "");
}

TEST(ProgramPart, SplitsProgramFromArgumentsAsTheLauncherDoes) {
    auto onMedium = [](const std::string& path) {
        return path == "my game/run.exe" || path == "setup.exe" || path == "tool.exe";
    };
    EXPECT_EQ(ProgramPart("My Game\\Run.exe -fast", onMedium), "My Game\\Run.exe");
    EXPECT_EQ(ProgramPart("Setup.exe /q", onMedium), "Setup.exe");
    EXPECT_EQ(ProgramPart("tool -x", onMedium), "tool"); // ".exe" added, as Windows does
    EXPECT_EQ(ProgramPart("Missing.exe -x", onMedium), "Missing.exe");
}

// A menu whose start button (and, when asked, install and web buttons) is
// shown, with origins as menu.ini gives them.
struct MediumMenu {
    MenuDocument menu;
    MenuOrigins origins;

    MediumMenu() {
        for (int line = 0; line < kFixedLines; ++line) {
            SettingOrigin& origin = origins.lines[line];
            origin.file = "menu/menu.ini";
            origin.line = line + 1;
            origin.configLine = line;
        }
        Set(SettingId::LaunchShown, "-1", "Launch", "Shown");
        Set(SettingId::LaunchProgram, "DemoApp.exe -window", "Launch", "Program");
        Set(SettingId::InstallShown, "0", "Install", "Shown");
        Set(SettingId::WebShown, "0", "Web", "Shown");
        Set(SettingId::InstallOpen, "", "Install", "Open");
        Set(SettingId::WebOpen, "https://example.com/", "Web", "Open");
    }
    void Set(SettingId id, std::string text, std::string section, std::string key) {
        menu.SetText(id, std::move(text));
        origins.lines[LineOf(id)].section = std::move(section);
        origins.lines[LineOf(id)].key = std::move(key);
    }
};

MediumLayout Layout(std::vector<ContentEntry> content) {
    MediumLayout layout;
    layout.launcherName = "Setup.exe";
    layout.contentFolder = "demo-content";
    layout.content = std::move(content);
    layout.label = "OVALYN";
    return layout;
}

std::vector<std::string> Lines(const std::vector<Problem>& problems) {
    return FormatAll(problems);
}

TEST(CheckMedium, TakesAMediumWhoseProgramIsInTheContent) {
    const MediumMenu menu;
    EXPECT_EQ(Lines(CheckMedium(Layout({{"DemoApp.exe", false}, {"data", true}}), menu.menu,
                                menu.origins)),
              std::vector<std::string>{});
}

TEST(CheckMedium, NamesTheMenuSettingOfAMissingProgramOrShellTarget) {
    MediumMenu menu;
    menu.Set(SettingId::InstallShown, "-1", "Install", "Shown");
    menu.Set(SettingId::InstallOpen, "redist\\dxsetup.exe", "Install", "Open");
    menu.Set(SettingId::WebShown, "-1", "Web", "Shown");
    menu.Set(SettingId::WebOpen, "C:\\Docs\\manual.pdf", "Web", "Open");
    EXPECT_EQ(Lines(CheckMedium(Layout({{"Other.exe", false}}), menu.menu, menu.origins)),
              (std::vector<std::string>{
                  "menu/menu.ini:44: [Launch] Program: \"DemoApp.exe\" is not in the content "
                  "folder \"demo-content\"; the launcher starts it from its own folder",
                  "menu/menu.ini:43: [Install] Open: \"redist\\dxsetup.exe\" is not in the "
                  "content folder \"demo-content\"; the button opens it beside the launcher",
                  "menu/menu.ini:62: warning: [Web] Open: \"C:\\Docs\\manual.pdf\" lies outside "
                  "the medium; not checked"}));
    // Found in a folder of the content, without regard to case: no problem.
    EXPECT_EQ(Lines(CheckMedium(Layout({{"demoapp.EXE", false}, {"Redist/DXSetup.exe", false}}),
                                menu.menu, menu.origins))
                  .size(),
              1u);
}

TEST(CheckMedium, ChecksTargetsOnlyOfShownButtons) {
    MediumMenu menu;
    menu.Set(SettingId::LaunchShown, "0", "Launch", "Shown");
    menu.Set(SettingId::InstallOpen, "missing.exe", "Install", "Open");
    EXPECT_EQ(Lines(CheckMedium(Layout({}), menu.menu, menu.origins)), std::vector<std::string>{});
}

TEST(CheckMedium, ReportsBadNamesCaseCollisionsLabelAndLauncherName) {
    const MediumMenu menu;
    MediumLayout layout = Layout({{"DemoApp.exe", false},
                                  {"aux.txt", false},
                                  {"a:b", false},
                                  {"SETUP.EXE", false},
                                  {"Data", true},
                                  {"data", false},
                                  {"AUTORUN.INF", false}});
    layout.label = "Ovalyn";
    layout.iconName = "disc.ico";
    std::vector<std::string> lines = Lines(CheckMedium(layout, menu.menu, menu.origins));
    const std::vector<std::string> expected = {
        "--label Ovalyn: the volume label holds 'v'",
        "demo-content/aux.txt: \"aux.txt\" is a device name",
        "demo-content/a:b: \"a:b\" holds ':'",
        "demo-content/SETUP.EXE: has the name of the launcher (--launcher-name Setup.exe)",
        "demo-content/data: has the name of demo-content/Data",
        "demo-content/AUTORUN.INF: has the name of autorun.inf",
    };
    ASSERT_EQ(lines.size(), expected.size()) << ::testing::PrintToString(lines);
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(lines[i].rfind(expected[i], 0), 0u) << lines[i];

    layout = Layout({{"DemoApp.exe", false}});
    layout.launcherName = "Setup.com";
    lines = Lines(CheckMedium(layout, menu.menu, menu.origins));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("must end in .exe"), std::string::npos) << lines[0];
}

} // namespace
