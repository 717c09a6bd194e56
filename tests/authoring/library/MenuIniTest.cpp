// menu.ini and the launcher's configuration texts: any menu written out and
// read back keeps every text byte for byte (quirky values included), the
// friendly forms and defaults give the texts the launcher reads, and every
// mistake is one problem naming the line, section and key.
#include <gtest/gtest.h>

#include <random>

#include "authoring/MenuCheck.h"
#include "authoring/MenuIni.h"

namespace {

// Texts that look like friendly forms, need quotes, or are the launcher's own
// odd spellings.
const char* const kTrickyTexts[] = {
    "",       "0",         "-1",         "-1 ",       " -1",       "1",         "yes",
    "No",     "True",      "$FF",        "$00FF00FF", "$00ff00ff", "#FF0000",   "#ff0000",
    "-0",     "-10",       "10",         "010",       "-010",      "$FFFFFFF6", "0x0A",
    "65535",  "1234",      "9999",       "0000",      "12",        "1234 rest", "\"quoted\"",
    "\"",     " lead",     "trail ",     "a;b",       "none",      "vertical",  "SYSTEMSTART",
    "NoName", "\xE9t\xE9", "=",          "[x]",       "; no note", "#010000",   "16777215",
    "both",   "\t",        "-2147483648"};

std::string Pick(std::mt19937& random) {
    return kTrickyTexts[random() % std::size(kTrickyTexts)];
}

MenuIniResult Read(const std::string& text, std::vector<Problem>& problems) {
    return ReadMenuIni("menu.ini", text, problems);
}

// The configuration list as text, for readable failures.
std::string ListText(const MenuDocument& menu) {
    const std::vector<uint8_t> bytes = menu.ConfigurationList();
    return std::string(bytes.begin(), bytes.end());
}

std::vector<std::string> ListLines(const MenuDocument& menu) {
    return LauncherLines(menu.ConfigurationList());
}

} // namespace

TEST(MenuIni, AnyMenuWrittenAndReadBackKeepsEveryTextAndEntry) {
    std::mt19937 random(20261208);
    for (int round = 0; round < 400; ++round) {
        MenuDocument menu;
        // Some lines keep their defaults, the rest get tricky texts.
        for (int line = 0; line < kFixedLines; ++line)
            if (random() % 3 != 0)
                menu.SetText(static_cast<SettingId>(line), Pick(random));
        const int tail = static_cast<int>(random() % 5);
        for (int i = 0; i < tail; ++i)
            menu.Tail().push_back(Pick(random));
        if (random() % 8 == 0)
            menu.SetFixedLinesPresent(static_cast<int>(random() % kFixedLines));
        if (random() % 2)
            menu.Notice().fileName = "notice.txt";
        for (int i = 0; i < kPictureCount; ++i)
            if (random() % 4 != 0)
                menu.Picture(PictureAt(i)).fileName = "p" + std::to_string(i) + ".bmp";
        const int entries = random() % 4 == 0 ? 1 + static_cast<int>(random() % 7) : 8;
        menu.SetEntriesBelowEight(entries);
        if (entries == 8)
            for (int i = static_cast<int>(random() % 3); i > 0; --i)
                menu.Extra().push_back({i % 2 ? "x" + std::to_string(i) + ".bin" : "", {}});

        const std::string ini = WriteMenuIni(menu);
        std::vector<Problem> problems;
        const MenuIniResult back = Read(ini, problems);
        ASSERT_TRUE(problems.empty()) << ini << ::testing::PrintToString(FormatAll(problems));
        ASSERT_EQ(ListText(back.menu), ListText(menu)) << ini;
        ASSERT_EQ(back.menu.EntryCount(), menu.EntryCount()) << ini;
        if (menu.EntryCount() >= 2 && !menu.Notice().bytes.empty()) {
            EXPECT_EQ(back.menu.Notice().fileName, menu.Notice().fileName);
        }
        for (int i = 0; i < kPictureCount && kFirstPictureEntry + i <= menu.EntryCount(); ++i)
            ASSERT_EQ(back.menu.Picture(PictureAt(i)).fileName, menu.Picture(PictureAt(i)).fileName)
                << ini;
        ASSERT_EQ(back.menu.Extra().size(), menu.Extra().size()) << ini;
        for (std::size_t i = 0; i < menu.Extra().size(); ++i)
            EXPECT_EQ(back.menu.Extra()[i].fileName, menu.Extra()[i].fileName);
    }
}

TEST(MenuIni, FriendlyFormsBecomeTheLaunchersTexts) {
    std::vector<Problem> problems;
    const MenuIniResult read = Read("[Window]\n"
                                    "Border=no\n"
                                    "[Launch]\n"
                                    "Caption=Play\n"
                                    "[Quit]\n"
                                    "Shown=no\n"
                                    "[Buttons]\n"
                                    "FontSize=12\n"
                                    "Bold=yes\n"
                                    "FontColor=#FF8000\n"
                                    "[CheckBox]\n"
                                    "FontColor=#0000ff\n"
                                    "FontSize=8\n"
                                    "Bold=YES\n"
                                    "[Notice]\n"
                                    "ScrollBars=both\n"
                                    "WordWrap=no\n"
                                    "Color=\"#FFFFFF\"\n"
                                    "[Sounds]\n"
                                    "Start=systemstart\n"
                                    "Leave=NoName\n"
                                    "[Options]\n"
                                    "Option1=Windowed;-window\n"
                                    "Option2=\" padded \"\n",
                                    problems);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    const MenuDocument& menu = read.menu;
    EXPECT_EQ(menu.Text(SettingId::WindowBorder), "0");
    EXPECT_EQ(menu.Text(SettingId::LaunchShown), "-1") << "a button named is shown";
    EXPECT_EQ(menu.Text(SettingId::LaunchCaption), "Play");
    EXPECT_EQ(menu.Text(SettingId::QuitShown), "0");
    EXPECT_EQ(menu.Text(SettingId::WebShown), "0") << "a button left out is hidden";
    EXPECT_EQ(menu.Text(SettingId::ButtonFontSize), "-12");
    EXPECT_EQ(menu.Text(SettingId::ButtonFontColor), "$000080FF") << "#RRGGBB is $00BBGGRR";
    EXPECT_EQ(menu.Text(SettingId::CheckBoxFontColor), "16711680") << "decimal for the check box";
    EXPECT_EQ(menu.Text(SettingId::CheckBoxFontSize), "-8");
    EXPECT_EQ(menu.Text(SettingId::NoticeScrollBars), "3");
    EXPECT_EQ(menu.Text(SettingId::NoticeWordWrap), "0");
    EXPECT_EQ(menu.Text(SettingId::NoticeColor), "#FFFFFF") << "quoted: the exact text";
    EXPECT_EQ(menu.Text(SettingId::Sounds), "1009");
    EXPECT_EQ(menu.Text(SettingId::OptionCount), "2");
    EXPECT_EQ(menu.Tail(), (std::vector<std::string>{"Windowed;-window", " padded "}));
}

TEST(MenuIni, TheSmallestMenuGivesAListTheLauncherTakes) {
    std::vector<Problem> problems;
    MenuIniResult read = Read("[Window]\nCaption=My game\n[Launch]\nProgram=game.exe\n[Quit]\n"
                              "[Pictures]\nBackground=bg.bmp\nButton=button.png\n",
                              problems);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    EXPECT_EQ(ListLines(read.menu).size(), 72u);
    EXPECT_EQ(read.menu.Picture(PictureRole::ButtonOver).fileName, "button.png")
        << "the other button looks default to the normal one";
    EXPECT_EQ(read.menu.Picture(PictureRole::CheckBoxShape).fileName, "");
    // With stand-in pictures the launcher's checks pass on the defaults.
    const std::vector<uint8_t> bmp = {'B', 'M', 0x3A, 0, 0, 0, 0, 0, 0, 0, 0x36, 0, 0, 0,  0x28,
                                      0,   0,   0,    1, 0, 0, 0, 1, 0, 0, 0,    1, 0, 24, 0,
                                      0,   0,   0,    0, 4, 0, 0, 0, 0, 0, 0,    0, 0, 0,  0,
                                      0,   0,   0,    0, 0, 0, 0, 0, 0, 0, 0,    0, 0};
    for (PictureRole role : {PictureRole::Background, PictureRole::ButtonShape,
                             PictureRole::ButtonPressed, PictureRole::ButtonOver})
        read.menu.Picture(role).bytes = bmp;
    EXPECT_TRUE(CheckMenu(read.menu, read.origins).empty())
        << ::testing::PrintToString(FormatAll(CheckMenu(read.menu, read.origins)));
}

TEST(MenuIni, EveryMistakeIsOneLineWithSectionKeyAndWhatIsAllowed) {
    std::vector<Problem> problems;
    Read("[Windw]\n"           // 1
         "Caption=x\n"         // 2
         "[Launch]\n"          // 3
         "Captoin=Play\n"      // 4
         "[Buttons]\n"         // 5
         "FontSize=$0C\n"      // 6
         "Bold=yes\n"          // 7
         "[Notice]\n"          // 8
         "Bold=maybe\n"        // 9
         "[CheckBox]\n"        // 10
         "Shown=no\n"          // 11
         "FontColor=#FF0000\n" // 12
         "[Sounds]\n"          // 13
         "Start=BEEP\n"        // 14
         "[Options]\n"         // 15
         "Option1=a\n"         // 16
         "Option3=c\n"         // 17
         "FontSize=0\n"        // 18
         "Bold=yes\n"          // 19
         "[Container]\n"       // 20
         "Entries=5\n"         // 21
         "Entry9=nine.bin\n",  // 22
         problems);
    const std::vector<std::string> expected = {
        "menu.ini:1: [Windw]: no such section; the sections are Window, Launch, Install, Web, "
        "Quit, Button5, Button6, Button7, Button8, Button9, Button10, Buttons, CheckBox, "
        "Options, Notice, Sounds, Pictures, Container",
        "menu.ini:4: [Launch] Captoin: no such key; [Launch] takes Shown, Left, Top, Caption, "
        "Program",
        "menu.ini:7: [Buttons] Bold: Bold needs a plain FontSize, and \"$0C\" is none; write "
        "FontSize as a number of points, or leave out Bold and write the launcher's text alone "
        "(-12 is 12 bold)",
        "menu.ini:9: [Notice] Bold: \"maybe\" is neither yes nor no",
        "menu.ini:14: [Sounds] Start: \"BEEP\" is no sound; the sounds are none, SYSTEMSTART, "
        "SYSTEMEXIT, SYSTEMHAND, SYSTEMASTERISK, SYSTEMQUESTION, SYSTEMEXCLAMATION, "
        "SYSTEMWELCOME, SYSTEMDEFAULT, NoName",
        "menu.ini:18: [Options] FontSize: a font size of 0 cannot be bold; give a size",
        "menu.ini:12: [CheckBox] FontColor: a hidden check box takes no FontColor: the launcher "
        "hides it by giving it colour 0 (black); leave FontColor out",
        "menu.ini:15: [Options] Option2: missing: options are numbered from Option1 without "
        "gaps (Option3 is given)",
        "menu.ini:21: [Container] Entries: a container of fewer than 8 entries has no Entry9 "
        "and on",
    };
    const std::vector<std::string> got = FormatAll(problems);
    EXPECT_EQ(got, expected);
}

TEST(MenuIni, ABlackCheckBoxAndTwoWaysOfGivingTheSoundsAreRefused) {
    std::vector<Problem> problems;
    Read("[CheckBox]\nFontColor=#000000\n[Sounds]\nDigits=1000\nEnter=SYSTEMHAND\n", problems);
    EXPECT_EQ(FormatAll(problems),
              (std::vector<std::string>{
                  "menu.ini:4: [Sounds] Digits: Digits gives all four sounds; leave out Start, "
                  "Enter, Press and Leave or Digits",
                  "menu.ini:2: [CheckBox] FontColor: black (0) hides the check box; write "
                  "Shown=no to hide it, or a colour such as #010101 for nearly black text"}));
}

TEST(MenuIni, TheLaunchersChecksNameTheMenuIniKey) {
    std::vector<Problem> problems;
    MenuIniResult read = Read("[Quit]\nLeft=-5\n[Buttons]\nFontColor=white\n"
                              "[CheckBox]\nFontColor=$FF\n[Options]\nCount=3\nOption1=a\n"
                              "[Pictures]\nBackground=\n",
                              problems);
    ASSERT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    const std::vector<Problem> checked = CheckMenu(read.menu, read.origins);
    ASSERT_EQ(checked.size(), 7u);
    EXPECT_EQ(checked[0].configLine, LineOf(SettingId::QuitLeft)) << "a designer selects it";
    EXPECT_EQ(checked[2].configLine, LineOf(SettingId::CheckBoxFontColor));
    EXPECT_EQ(checked[4].configLine, -1) << "a picture is no configuration line";
    EXPECT_EQ(FormatAll(checked),
              (std::vector<std::string>{
                  "menu.ini:2: [Quit] Left: -5 lies outside 0..65535; write a whole number from "
                  "0 to 65535",
                  "menu.ini:4: [Buttons] FontColor: \"white\" is no integer; write a colour "
                  "#RRGGBB or a whole number (decimal, or hexadecimal after $)",
                  "menu.ini:6: [CheckBox] FontColor: \"$FF\" is a colour but no decimal number, "
                  "which the check box's visibility needs in launch mode; write #RRGGBB or the "
                  "colour in decimal",
                  "menu.ini:8: [Options] Count: 3 options, but only 1 Option keys are given; "
                  "give Option1 to Option3, or leave Count out",
                  "menu.ini:11: [Pictures] Background: no background picture is named; write "
                  "Background=FILE",
                  "menu.ini:10: [Pictures] Button: no button picture is named; write Button=FILE",
                  "menu.ini:10: [Pictures] CheckBox: no check box picture is named; write "
                  "CheckBox=FILE",
              }));
}

TEST(MenuIni, TheContainerSectionKeepsWhatTheLauncherNeverReadsAndRefusesTheImpossible) {
    std::vector<Problem> problems;
    const MenuIniResult read = Read("[Container]\nLine70=kept\nEntry9=a.bin\nEntry10=\n", problems);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    EXPECT_EQ(read.menu.Text(SettingId::Unread70), "kept");
    EXPECT_EQ(read.menu.EntryCount(), 10);
    EXPECT_EQ(read.menu.Extra()[0].fileName, "a.bin");

    Read("[Options]\nOption1=a\n[Container]\nLines=80\nEntries=0\nEntry11=b.bin\n", problems);
    Read("[Options]\nOption1=a\n[Container]\nLines=50\n", problems);
    EXPECT_EQ(FormatAll(problems),
              (std::vector<std::string>{
                  "menu.ini:4: [Container] Lines: \"80\" is no number from 0 to 71",
                  "menu.ini:5: [Container] Entries: \"0\" is no number from 1 to 8",
                  "menu.ini:3: [Container] Entry9: missing: extra entries are numbered from "
                  "Entry9 without gaps (Entry11 is given)",
                  "menu.ini:4: [Container] Lines: a list that ends before line 72 holds no "
                  "options; leave out Lines or the Option keys",
              }));
}
