// The INI reader of menu.ini: what it takes as sections, keys and values,
// what it refuses (one problem per line, with the line's number), and that
// editing through Set keeps every other line.
#include <gtest/gtest.h>

#include "authoring/IniFile.h"

namespace {} // namespace

TEST(IniFile, ReadsSectionsKeysAndValuesWithTheirLines) {
    std::vector<Problem> problems;
    const IniFile ini = IniFile::Parse("m.ini",
                                       "; a comment\r\n"
                                       "[Window]\r\n"
                                       "  Caption =  My game  \r\n"
                                       "\r\n"
                                       "[launch]\n"
                                       "Program=bin\\game.exe -x;y\n"
                                       "Caption=\"  spaced \"\n"
                                       "Empty=\n"
                                       "Quote=\"\"quoted\"\"\n"
                                       "   ; an indented comment\n"
                                       "Last=\xE9t\xE9", // CP1252, no line end
                                       problems);
    EXPECT_TRUE(problems.empty()) << ::testing::PrintToString(FormatAll(problems));
    ASSERT_EQ(ini.Sections().size(), 2u);
    const IniFile::Entry* caption = ini.Find("WINDOW", "caption");
    ASSERT_NE(caption, nullptr);
    EXPECT_EQ(caption->value, "My game");
    EXPECT_EQ(caption->line, 3);
    EXPECT_EQ(ini.Find("Launch", "Program")->value, "bin\\game.exe -x;y") << "; inside a value";
    EXPECT_EQ(ini.Find("Launch", "Caption")->value, "  spaced ");
    EXPECT_TRUE(ini.Find("Launch", "Caption")->quoted);
    EXPECT_EQ(ini.Find("Launch", "Empty")->value, "");
    EXPECT_FALSE(ini.Find("Launch", "Empty")->quoted);
    EXPECT_EQ(ini.Find("Launch", "Quote")->value, "\"quoted\"");
    EXPECT_EQ(ini.Find("Launch", "Last")->value, "\xE9t\xE9");
    EXPECT_EQ(ini.Find("Launch", "Last")->line, 11);
    EXPECT_EQ(ini.Find("Window", "Program"), nullptr);
}

TEST(IniFile, EveryLineItCannotReadIsOneProblemNamingItsLine) {
    std::vector<Problem> problems;
    const IniFile ini = IniFile::Parse("m.ini",
                                       "Orphan=1\n"       // 1
                                       "[Window]\n"       // 2
                                       "just words\n"     // 3
                                       "=value\n"         // 4
                                       "Caption=\"open\n" // 5
                                       "Caption=a\n"      // 6
                                       "caption=b\n"      // 7
                                       "[]\n"             // 8
                                       "[window]\n"       // 9
                                       "Hidden=under a refused section\n"
                                       "[Other\n"    // 11
                                       "A=1\rB=2\n", // 12
                                       problems);
    const std::vector<std::string> expected = {
        "m.ini:1: Orphan stands before the first [Section]",
        "m.ini:3: \"just words\" is neither [Section], Key=value nor a ; comment",
        "m.ini:4: \"=value\" is neither [Section], Key=value nor a ; comment",
        "m.ini:5: [Window] Caption: the quoted value has no closing \"; write Key=\"text\"",
        "m.ini:7: [Window] caption is given again (first at line 6); each key once",
        "m.ini:8: \"[]\" is no section name; write [Name]",
        "m.ini:9: [window] appears again (first at line 2); each section once",
        "m.ini:11: \"[Other\" is no section name; write [Name]",
        "m.ini:12: holds a carriage return inside the line; lines end with CR LF or LF",
    };
    std::vector<std::string> got = FormatAll(problems);
    ASSERT_GE(got.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(got[i], expected[i]);
    EXPECT_EQ(ini.Find("Window", "Caption")->value, "a") << "the first of a pair counts";
    EXPECT_EQ(ini.Find("Window", "Hidden"), nullptr);
}

TEST(IniFile, ANulByteIsRefused) {
    std::vector<Problem> problems;
    const std::string text("[W]\nA=x\0y\n", 10);
    const IniFile ini = IniFile::Parse("m.ini", text, problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Format(), "m.ini:2: holds a NUL byte; menu.ini is text");
    EXPECT_EQ(ini.Find("W", "A"), nullptr);
}

TEST(IniFile, AUtf8FileIsToldToBeSavedAsAnsi) {
    std::vector<Problem> problems;
    const IniFile ini = IniFile::Parse("m.ini", "\xEF\xBB\xBF[W]\nA=\xC3\xA9\n", problems);
    ASSERT_EQ(problems.size(), 1u);
    EXPECT_EQ(problems[0].Format(), "m.ini:1: the file is saved as UTF-8 (it starts with a byte "
                                    "order mark); save it as Windows-1252 (ANSI), the code page "
                                    "the launcher shows");
    ASSERT_NE(ini.Find("W", "A"), nullptr) << "the rest is still read, for further problems";
}

TEST(IniFile, Utf8TextWithoutAMarkIsAWarningOnceAndWindows1252TextIsNot) {
    std::vector<Problem> problems;
    // "Größe" and "é" as Windows-1252 bytes: no UTF-8 character among them.
    IniFile::Parse("m.ini", "[W]\nA=Gr\xF6\xDF\x65 \xE9t\xE9\n", problems);
    EXPECT_TRUE(problems.empty()) << problems.front().Format();

    IniFile::Parse("m.ini", "[W]\nA=plain\nB=Caf\xC3\xA9\nC=\xC3\xBC\n", problems);
    ASSERT_EQ(problems.size(), 1u) << "one warning for the file, at its first UTF-8 line";
    EXPECT_EQ(problems[0].severity, Severity::Warning);
    EXPECT_EQ(problems[0].line, 3);
    EXPECT_NE(problems[0].text.find("UTF-8"), std::string::npos) << problems[0].text;
}

TEST(IniFile, WrittenValuesReadBackExactly) {
    for (const std::string text :
         {"", "plain", " lead", "trail ", "\"quoted\"", "\"half", "a;b", "x=y", "\t", "\xE9"}) {
        IniFile ini;
        ini.Set("S", "K", text);
        std::vector<Problem> problems;
        const IniFile back = IniFile::Parse("m.ini", ini.Text(), problems);
        EXPECT_TRUE(problems.empty()) << ini.Text();
        ASSERT_NE(back.Find("S", "K"), nullptr) << ini.Text();
        EXPECT_EQ(back.Find("S", "K")->value, text) << ini.Text();
    }
}

TEST(IniFile, SetKeepsCommentsOrderAndOtherLines) {
    std::vector<Problem> problems;
    IniFile ini = IniFile::Parse("m.ini",
                                 "; head\r\n[A]\r\nX=1 ; not a comment\r\n; between\r\n"
                                 "Y=2\r\n\r\n[B]\r\nZ=3\r\n",
                                 problems);
    ini.Set("a", "y", "20");
    ini.Set("A", "New", " spaced");
    ini.Set("C", "W", "4");
    EXPECT_EQ(ini.Text(), "; head\r\n[A]\r\nX=1 ; not a comment\r\n; between\r\nY=20\r\n"
                          "New=\" spaced\"\r\n\r\n[B]\r\nZ=3\r\n\r\n[C]\r\nW=4\r\n");
    EXPECT_EQ(ini.Find("A", "X")->value, "1 ; not a comment");
    EXPECT_EQ(ini.Find("A", "New")->value, " spaced");
}
