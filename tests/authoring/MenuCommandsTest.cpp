// ctrpack build and ctrpack check on menu folders and containers: what they
// accept, what they report (with line numbers), and that a refused build
// leaves nothing behind.
#include <gtest/gtest.h>

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "tests/runtime/TempFolder.h"

namespace fs = std::filesystem;

namespace {

struct RunResult {
    int exitCode = -1;
    std::string out, err;
};

std::string Quote(const std::string& word) {
    std::string quoted = "'";
    for (char c : word)
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return quoted + "'";
}

std::string Text(const std::vector<uint8_t>& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

const std::string kDemoMenu = std::string(OVALYN_SOURCE_DIR) + "/demo/menu";

std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos)
            end = text.size();
        std::string line = text.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

std::string JoinCrLf(const std::vector<std::string>& lines) {
    std::string text;
    for (const std::string& line : lines)
        text += line + "\r\n";
    return text;
}

// The demo's entries as numbered files, whichever form the demo is kept in.
const char* const kEntryFiles[] = {"1-config.txt",   "2-notice.txt",          "3-background.bmp",
                                   "4-button.bmp",   "5-button-pressed.bmp",  "6-button-over.bmp",
                                   "7-checkbox.bmp", "8-checkbox-checked.bmp"};

std::vector<std::string> ReadBack(const std::string& container);

class MenuCommands : public ::testing::Test {
public:
    // A numbered-file copy of the demo menu to spoil.
    void SetUp() override {
        menu = work.File("menu");
        fs::create_directories(menu);
        const std::string demo = logs.File("demo.ctr");
        ASSERT_EQ(Run({"build", kDemoMenu, demo}).exitCode, 0);
        const std::vector<std::string> entries = ReadBack(demo);
        ASSERT_EQ(entries.size(), 8u);
        for (int i = 0; i < 8; ++i)
            work.Write(std::string("menu/") + kEntryFiles[i], entries[i]);
        config = SplitLines(entries[0]);
    }

    void WriteConfig() const { work.Write("menu/1-config.txt", JoinCrLf(config)); }

    RunResult Run(const std::vector<std::string>& args) const {
        std::string command = Quote(CTRPACK_EXE);
        for (const std::string& arg : args)
            command += " " + Quote(arg);
        command += " >" + Quote(logs.File("out")) + " 2>" + Quote(logs.File("err"));
        const int status = std::system(command.c_str());
        RunResult result;
        result.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
        result.out = Text(ReadWholeFile(logs.File("out")));
        result.err = Text(ReadWholeFile(logs.File("err")));
        return result;
    }

    // The check's report for the spoiled menu: its problem lines.
    std::vector<std::string> Problems() {
        WriteConfig();
        RunResult result = Run({"check", menu});
        EXPECT_EQ(result.err, "");
        std::vector<std::string> lines = SplitLines(result.out);
        EXPECT_EQ(result.exitCode,
                  lines.size() == 1 && lines[0].find("takes this menu") != std::string::npos ? 0
                                                                                             : 1)
            << result.out;
        return lines;
    }

    std::string OnlyProblem() {
        std::vector<std::string> lines = Problems();
        EXPECT_EQ(lines.size(), 1u) << ::testing::PrintToString(lines);
        return lines.empty() ? std::string() : lines[0];
    }

    TempFolder work, logs;
    std::string menu;
    std::vector<std::string> config;
};

std::vector<std::string> ReadBack(const std::string& container) {
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = container;
    reader.ReadAmount();
    std::vector<std::string> entries;
    // Entries as the launcher reads them: extracted, then descrambled.
    for (int n = 1; n <= reader.Amount; ++n) {
        reader.FileNo = static_cast<uint8_t>(n);
        auto stream = reader.ExtractFileStream();
        if (!stream)
            break;
        ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
        entries.emplace_back(reinterpret_cast<const char*>(stream->Memory()),
                             static_cast<std::size_t>(stream->Size()));
    }
    return entries;
}

} // namespace

TEST_F(MenuCommands, TheDemoMenuPassesAndANumberedFolderBuildsEntryForEntry) {
    RunResult check = Run({"check", kDemoMenu});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("takes this menu (8 entries, 75 configuration lines)"),
              std::string::npos)
        << check.out;

    const std::string out = work.File("L-Ctnr.ctr");
    RunResult build = Run({"build", menu, out});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    std::vector<std::string> entries = ReadBack(out);
    ASSERT_EQ(entries.size(), 8u);
    for (int i = 0; i < 8; ++i)
        EXPECT_EQ(entries[i], Text(ReadWholeFile(menu + "/" + kEntryFiles[i]))) << kEntryFiles[i];
    EXPECT_EQ(Run({"check", out}).exitCode, 0) << "the built container passes too";
}

TEST_F(MenuCommands, OnlyNumberedNamesAreEntriesAndTheyMayNotLeaveGaps) {
    work.Write("menu/README.md", "not an entry");
    work.Write("menu/01-x.txt", "leading zero: not an entry");
    work.Write("menu/9x-y", "no dash after the number: not an entry");
    work.Write("menu/9-extra.bin", "entry 9, which the launcher never reads");
    RunResult build = Run({"build", menu, work.File("a.ctr")});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    EXPECT_EQ(ReadBack(work.File("a.ctr")).size(), 9u);

    work.Write("menu/11-gap.bin", "entry 11 without 10");
    RunResult gap = Run({"build", menu, work.File("b.ctr")});
    EXPECT_NE(gap.exitCode, 0);
    EXPECT_NE(gap.err.find("no file for entry 10"), std::string::npos) << gap.err;
    EXPECT_FALSE(fs::exists(work.File("b.ctr")));

    fs::remove(fs::path(menu) / "11-gap.bin");
    work.Write("menu/9-twin.bin", "a second entry 9");
    RunResult twin = Run({"build", menu, work.File("c.ctr")});
    EXPECT_NE(twin.exitCode, 0);
    EXPECT_NE(twin.err.find("gives entry 9 like"), std::string::npos) << twin.err;
    EXPECT_EQ(SplitLines(twin.err).size(), 1u) << twin.err;
}

TEST_F(MenuCommands, AFolderWithoutEntriesOrAMissingOneIsRefused) {
    RunResult empty = Run({"check", logs.Path()});
    EXPECT_NE(empty.exitCode, 0);
    EXPECT_NE(empty.err.find("holds no entry files"), std::string::npos) << empty.err;
    RunResult missing = Run({"check", work.File("nothing here")});
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("nothing here"), std::string::npos) << missing.err;
}

TEST_F(MenuCommands, CheckNamesTheFileLineAndTheConfigurationLine) {
    config[44] = "big";
    EXPECT_EQ(OnlyProblem(), menu + "/1-config.txt:45: line 44 (button font size): \"big\" is no "
                                    "integer; write a whole number from -65535 to 65535");
}

TEST_F(MenuCommands, CheckFindsEveryValueOutsideItsFormatOrRange) {
    struct Case {
        int line;
        const char* value;
        const char* expected; // part of the one problem, or nullptr for none
    };
    const Case cases[] = {
        {5, "maybe", "(button 2 shown): \"maybe\" is no Boolean"},
        {5, "tRuE", nullptr},
        {6, "-1", "(button 2 Left): -1 lies outside 0..65535"},
        {39, "65536", "(button 10 Top): 65536 lies outside"},
        {39, "$FFFF", nullptr},
        {44, "-65536", "(button font size): -65536 lies outside"},
        {44, "-65535", nullptr},
        {45, "white", "(button font colour): \"white\" is no integer"},
        {48, "1.5", "(check box Left)"},
        {56, "-2147483648", "(notice font size): -2147483648 lies outside"},
        {58, "", "(notice scroll bars): \"\" is no integer"},
        {60, "123", "(sound digits): \"123\" does not begin with four digits"},
        {60, "12a4", "does not begin with four digits"},
        {60, "1234 and words", nullptr},
        {67, "-2147483648", "(option list font colour)"},
        {69, "$FF", "is a colour but no decimal number"},
        {69, "0", nullptr},
        {71, "x", "(number of options): \"x\" is no integer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.line) + " = \"" + c.value + "\"");
        std::vector<std::string> saved = config;
        config[c.line] = c.value;
        if (c.expected) {
            std::string problem = OnlyProblem();
            EXPECT_NE(problem.find(":" + std::to_string(c.line + 1) + ": line " +
                                   std::to_string(c.line) + " "),
                      std::string::npos)
                << problem;
            EXPECT_NE(problem.find(c.expected), std::string::npos) << problem;
        } else {
            std::vector<std::string> lines = Problems();
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];
        }
        config = saved;
    }
}

TEST_F(MenuCommands, TheButtonFontColourMattersOnlyWhenAButtonIsShown) {
    config[45] = "white";
    for (int g = 1; g <= 10; ++g)
        config[4 * g - 3] = "0";
    std::vector<std::string> lines = Problems();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];
}

TEST_F(MenuCommands, MissingLinesAreReportedOnceWithTheOptionLinesTheyNeed) {
    const std::vector<std::string> demo = config;
    config.resize(73); // the demo has three options: lines 72 to 74
    EXPECT_EQ(OnlyProblem(), menu + "/1-config.txt: lines 73 to 74 are missing: the list has 73 "
                                    "lines, the launcher reads up to line 74 (3 option lines "
                                    "from line 72)");
    config.resize(50);
    EXPECT_NE(OnlyProblem().find("lines 50 to 71 are missing"), std::string::npos);
    config = demo;
    config.resize(72);
    config[71] = "1"; // one option: no option line is read
    std::vector<std::string> lines = Problems();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];
}

TEST_F(MenuCommands, PicturesMustBeValidBitmapsAndAllEightEntriesPresent) {
    work.Write("menu/7-checkbox.bmp", "BM but nothing more");
    std::string problem = OnlyProblem();
    EXPECT_NE(problem.find("7-checkbox.bmp: the check box picture is no valid bitmap: "),
              std::string::npos)
        << problem;

    fs::remove(fs::path(menu) / "8-checkbox-checked.bmp");
    fs::remove(fs::path(menu) / "7-checkbox.bmp");
    EXPECT_EQ(OnlyProblem(), menu + ": holds 6 entries; the launcher reads entries 1 to 8");
}

TEST_F(MenuCommands, CheckReadsContainersAsTheLauncherDoes) {
    config[60] = "12";
    work.Write("menu/3-background.bmp", "no picture");
    WriteConfig();
    const std::string out = work.File("bad.ctr");
    ASSERT_EQ(Run({"build", menu, out, "--no-check"}).exitCode, 0);
    RunResult check = Run({"check", out});
    EXPECT_EQ(check.exitCode, 1);
    std::vector<std::string> lines = SplitLines(check.out);
    ASSERT_EQ(lines.size(), 2u) << check.out;
    EXPECT_EQ(lines[0], out + " entry 1: line 60 (sound digits): \"12\" does not begin with "
                              "four digits 0 to 9; write four digits, one per sound");
    EXPECT_NE(lines[1].find(out + " entry 3: the background picture is no valid bitmap"),
              std::string::npos)
        << lines[1];
}

TEST_F(MenuCommands, ARefusedBuildListsTheProblemsAndWritesNothing) {
    config[6] = "-3";
    config[69] = "$FF";
    WriteConfig();
    const std::string out = work.File("L-Ctnr.ctr");
    RunResult build = Run({"build", menu, out});
    EXPECT_EQ(build.exitCode, 1);
    EXPECT_EQ(build.out, "");
    std::vector<std::string> lines = SplitLines(build.err);
    ASSERT_EQ(lines.size(), 3u) << build.err;
    EXPECT_NE(lines[0].find("line 6 (button 2 Left)"), std::string::npos);
    EXPECT_NE(lines[1].find("line 69 (check box font colour)"), std::string::npos);
    EXPECT_NE(lines[2].find("2 problem(s)"), std::string::npos);
    EXPECT_FALSE(fs::exists(out));
    EXPECT_EQ(fs::directory_iterator(work.Path())->path().filename(), "menu")
        << "no temporary file left";
}

TEST_F(MenuCommands, EmptyPicturesPassAsTheLauncherTakesThem) {
    work.Write("menu/3-background.bmp", "");
    work.Write("menu/6-button-over.bmp", "");
    std::vector<std::string> lines = Problems();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];
}

TEST_F(MenuCommands, AContainersEntriesAboveEightAreNeverRead) {
    work.Write("menu/9-extra.bin", "entry 9");
    work.Write("menu/10-more.bin", "entry 10");
    const std::string out = work.File("ten.ctr");
    ASSERT_EQ(Run({"build", menu, out}).exitCode, 0);
    // Entry 10 said to start at 0 leaves entry 9 ending before it begins.
    std::vector<uint8_t> bytes = ReadWholeFile(out);
    const std::size_t slot10 = bytes.size() - 2 - 4 * 10 + 4 * 9;
    std::fill(bytes.begin() + static_cast<std::ptrdiff_t>(slot10),
              bytes.begin() + static_cast<std::ptrdiff_t>(slot10 + 4), 0);
    work.Write("ten.ctr", bytes);
    EXPECT_ANY_THROW(ReadBack(out)) << "entry 9 cannot be read";

    RunResult check = Run({"check", out});
    EXPECT_EQ(check.exitCode, 0) << check.out << check.err;
    EXPECT_NE(check.out.find("takes this menu (10 entries, 75 configuration lines)"),
              std::string::npos)
        << check.out;
}

TEST_F(MenuCommands, WithAnEmptyLine0TheRequirementModeNeverComes) {
    // Every installed version passes an empty line 0: the notice's lines and
    // the shell button of line 42 (group 1) are never used.
    config[0] = "";
    config[51] = "dark blue";
    config[58] = "none";
    for (int g = 2; g <= 10; ++g)
        config[4 * g - 3] = "0";
    config[45] = "white";
    std::vector<std::string> lines = Problems();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];

    config[0] = "4";
    lines = Problems();
    ASSERT_EQ(lines.size(), 3u) << ::testing::PrintToString(lines);
    EXPECT_NE(lines[0].find("line 45 (button font colour)"), std::string::npos) << lines[0];
    EXPECT_NE(lines[1].find("line 51 (notice colour)"), std::string::npos) << lines[1];
    EXPECT_NE(lines[2].find("line 58 (notice scroll bars)"), std::string::npos) << lines[2];
}

TEST_F(MenuCommands, AShownValueThatDependsOnTheDecimalSeparatorIsReported) {
    for (const char* shown : {"0.5", "1,5"}) {
        SCOPED_TRACE(shown);
        config[9] = shown;
        std::string problem = OnlyProblem();
        EXPECT_NE(problem.find("line 9 (button 3 shown)"), std::string::npos) << problem;
        EXPECT_NE(problem.find("decimal separator"), std::string::npos) << problem;
    }
    config[9] = "2E1";
    std::vector<std::string> lines = Problems();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_NE(lines[0].find("takes this menu"), std::string::npos) << lines[0];
}

namespace {

// Packs the entries (scrambled, as the launcher reads them) into a container.
void Pack(const MenuCommands& test, const std::string& out,
          const std::vector<std::string>& entries) {
    fs::create_directories(test.work.File("entries"));
    std::vector<std::string> args = {"pack", out};
    for (std::size_t i = 0; i < entries.size(); ++i)
        args.push_back(test.work.Write("entries/" + std::to_string(i + 1), entries[i]));
    ASSERT_EQ(test.Run(args).exitCode, 0);
}

} // namespace

TEST_F(MenuCommands, DecompiledContainersBuildAgainEntryForEntry) {
    std::vector<std::string> entries = ReadBack(logs.File("demo.ctr"));
    // Quirky texts the launcher reads as they stand, an unread line 70, one
    // option with lines after it, an empty picture and entries above 8.
    std::vector<std::string> quirky = config;
    quirky[44] = "$FFFFFFF6";
    quirky[45] = "$FF";
    quirky[50] = "-1 ";
    quirky[47] = "\"quoted\" ";
    quirky[69] = "$FF";
    quirky[70] = "unread; kept";
    quirky[71] = "1";
    quirky.push_back("");
    quirky.push_back("yes");
    std::vector<std::string> odd = entries;
    odd[0] = JoinCrLf(quirky);
    odd[5] = "";
    odd.insert(odd.end(), {"nine", "", "eleven"});
    Pack(*this, work.File("odd.ctr"), odd);
    // A container shorter than the launcher needs, with a short list.
    Pack(*this, work.File("short.ctr"), {JoinCrLf({"4", "1", "20"}), "notice", ""});

    for (const char* name : {"demo", "odd", "short"}) {
        SCOPED_TRACE(name);
        const std::string original = std::string(name) == "demo"
                                         ? logs.File("demo.ctr")
                                         : work.File(name + std::string(".ctr"));
        const std::string folder = work.File(std::string("decompiled-") + name);
        RunResult decompile = Run({"decompile", original, folder});
        ASSERT_EQ(decompile.exitCode, 0) << decompile.err;
        ASSERT_TRUE(fs::exists(folder + "/menu.ini"));
        const std::string rebuilt = work.File(std::string("rebuilt-") + name + ".ctr");
        RunResult build = Run({"build", folder, rebuilt, "--no-check"});
        ASSERT_EQ(build.exitCode, 0) << build.err;
        EXPECT_EQ(ReadBack(rebuilt), ReadBack(original))
            << Text(ReadWholeFile(folder + "/menu.ini"));
    }
    EXPECT_EQ(Run({"check", work.File("decompiled-demo")}).exitCode, 0)
        << "the demo's menu.ini passes the check as the demo does";
    const std::string oddIni = Text(ReadWholeFile(work.File("decompiled-odd/menu.ini")));
    EXPECT_NE(oddIni.find("Border=\"-1 \""), std::string::npos) << oddIni;
    EXPECT_NE(oddIni.find("Entry10=\r\n"), std::string::npos) << oddIni;
    EXPECT_NE(oddIni.find("ButtonOver=\r\n"), std::string::npos) << oddIni;
    EXPECT_EQ(Text(ReadWholeFile(work.File("decompiled-odd/entry11.bin"))), "eleven");
}

// Any list the launcher reads is kept, line ends and all, also a long one
// (its extra lines are Option keys); a NUL byte is refused.
TEST_F(MenuCommands, DecompileKeepsEveryListExactlyAndOverwritesNothing) {
    std::vector<std::string> entries = ReadBack(logs.File("demo.ctr"));
    std::string longList;
    for (int line = 0; line < 1200; ++line)
        longList += std::to_string(line) + (line % 3 ? "\n" : "\r");
    for (const std::string& list :
         {std::string("4\n1\r\n"), std::string("4\r\n1"), std::string("4\r1\r\r\n\n"), longList}) {
        entries[0] = list;
        Pack(*this, work.File("odd.ctr"), entries);
        fs::remove_all(work.File("odd"));
        RunResult taken = Run({"decompile", work.File("odd.ctr"), work.File("odd")});
        ASSERT_EQ(taken.exitCode, 0) << taken.err;
        RunResult built = Run({"build", "--no-check", work.File("odd"), work.File("odd2.ctr")});
        ASSERT_EQ(built.exitCode, 0) << built.err;
        EXPECT_EQ(ReadBack(work.File("odd2.ctr")), entries) << "the same entries again";
    }
    entries[0] = std::string("4\r\n1\0\r\n", 7);
    Pack(*this, work.File("nul.ctr"), entries);
    RunResult nul = Run({"decompile", work.File("nul.ctr"), work.File("out")});
    EXPECT_EQ(nul.exitCode, 1);
    EXPECT_EQ(nul.err, "ctrpack decompile: " + work.File("nul.ctr") +
                           " entry 1: line 1 holds a NUL byte, which a menu.ini value cannot "
                           "hold\n");
    EXPECT_FALSE(fs::exists(work.File("out")));

    ASSERT_EQ(Run({"decompile", logs.File("demo.ctr"), work.File("out")}).exitCode, 0);
    work.Write("out/background.bmp", "mine");
    fs::remove(work.File("out/menu.ini"));
    RunResult again = Run({"decompile", logs.File("demo.ctr"), work.File("out")});
    EXPECT_EQ(again.exitCode, 1);
    EXPECT_NE(again.err.find(": exists already; decompile into a new or empty folder"),
              std::string::npos)
        << again.err;
    EXPECT_EQ(Text(ReadWholeFile(work.File("out/background.bmp"))), "mine");
    EXPECT_FALSE(fs::exists(work.File("out/menu.ini")));
}

TEST_F(MenuCommands, AMenuIniWithAPngButtonBuildsWhatTheLauncherReads) {
    fs::create_directories(work.File("ini"));
    fs::copy_file(menu + "/3-background.bmp", work.File("ini/bg.bmp"));
    fs::copy_file(std::string(OVALYN_SOURCE_DIR) + "/tests/authoring/data/shape-rgba.png",
                  work.File("ini/button.png"));
    work.Write("ini/menu.ini", "[Window]\r\nCaption=Game\r\n[Launch]\r\nProgram=game.exe\r\n"
                               "[Quit]\r\nTop=60\r\n[Buttons]\r\nFontColor=#FFFFFF\r\n"
                               "[Pictures]\r\nBackground=bg.bmp\r\nButton=button.png\r\n");
    RunResult check = Run({"check", work.File("ini")});
    EXPECT_EQ(check.exitCode, 0) << check.out;
    EXPECT_NE(check.out.find("takes this menu (8 entries, 72 configuration lines)"),
              std::string::npos)
        << check.out;
    const std::string out = work.File("ini.ctr");
    RunResult build = Run({"build", work.File("ini"), out});
    ASSERT_EQ(build.exitCode, 0) << build.err;
    const std::vector<std::string> entries = ReadBack(out);
    ASSERT_EQ(entries.size(), 8u);
    const std::vector<std::string> lines = SplitLines(entries[0]);
    ASSERT_EQ(lines.size(), 72u);
    EXPECT_EQ(lines[9], "-1");
    EXPECT_EQ(lines[11], "20");
    EXPECT_EQ(lines[5], "-1");
    EXPECT_EQ(lines[7], "60");
    EXPECT_EQ(lines[43], "game.exe");
    EXPECT_EQ(lines[45], "$00FFFFFF");
    EXPECT_EQ(entries[2], Text(ReadWholeFile(work.File("ini/bg.bmp"))));
    EXPECT_EQ(entries[3].substr(0, 2), "BM") << "the PNG became a BMP";
    EXPECT_EQ(entries[4].substr(0, 54), entries[3].substr(0, 54))
        << "the pressed look defaults to the same picture (without the cut-away fuchsia)";
    EXPECT_EQ(Run({"check", out}).exitCode, 0);
}

TEST_F(MenuCommands, MenuIniMistakesAreOneLineEachAndNothingIsBuilt) {
    fs::create_directories(work.File("ini"));
    fs::copy_file(menu + "/3-background.bmp", work.File("ini/bg.bmp"));
    fs::copy_file(menu + "/4-button.bmp", work.File("ini/button.bmp"));
    fs::copy_file(menu + "/7-checkbox.bmp", work.File("ini/pressed.bmp"));
    const std::string ini = work.File("ini/menu.ini");
    work.Write("ini/menu.ini", "[Window]\nCaptoin=Game\n[Quit]\nLeft=-5\n[Sounds]\nStart=BEEP\n"
                               "[Pictures]\nBackground=bg.bmp\nButton=button.bmp\n"
                               "ButtonPressed=pressed.bmp\nButtonOver=missing.png\n");
    RunResult build = Run({"build", work.File("ini"), work.File("ini.ctr")});
    EXPECT_EQ(build.exitCode, 1);
    // Every mistake at once: what menu.ini cannot say, a file that cannot be
    // read, and what the launcher would refuse in the rest.
    std::vector<std::string> lines = SplitLines(build.err);
    ASSERT_EQ(lines.size(), 6u) << build.err;
    EXPECT_EQ(lines[0], ini + ":2: [Window] Captoin: no such key; [Window] takes MinimumDirectX, "
                              "Caption, FontName, Border");
    EXPECT_EQ(lines[1], ini + ":6: [Sounds] Start: \"BEEP\" is no sound; the sounds are none, "
                              "SYSTEMSTART, SYSTEMEXIT, SYSTEMHAND, SYSTEMASTERISK, "
                              "SYSTEMQUESTION, SYSTEMEXCLAMATION, SYSTEMWELCOME, SYSTEMDEFAULT, "
                              "NoName");
    EXPECT_EQ(lines[2].rfind(
                  ini + ":11: [Pictures] ButtonOver: " + work.File("ini") + "/missing.png: ", 0),
              0u)
        << lines[2];
    EXPECT_EQ(lines[3], ini + ":4: [Quit] Left: -5 lies outside 0..65535; write a whole number "
                              "from 0 to 65535");
    EXPECT_NE(lines[4].find(":10: [Pictures] ButtonPressed: the pressed button picture is "),
              std::string::npos)
        << lines[4];
    EXPECT_NE(lines[5].find("5 problem(s) in the menu folder; nothing written"), std::string::npos)
        << lines[5];
    EXPECT_EQ(lines[5].find("--no-check"), std::string::npos) << "skipping checks cannot help";
    EXPECT_FALSE(fs::exists(work.File("ini.ctr")));

    // Once menu.ini reads, the launcher's checks speak in its terms too.
    work.Write("ini/menu.ini", "[Quit]\nLeft=-5\n[Pictures]\nBackground=bg.bmp\n"
                               "Button=button.bmp\nButtonPressed=pressed.bmp\n");
    RunResult check = Run({"check", work.File("ini")});
    EXPECT_EQ(check.exitCode, 1);
    lines = SplitLines(check.out);
    ASSERT_EQ(lines.size(), 2u) << check.out;
    EXPECT_EQ(lines[0], ini + ":2: [Quit] Left: -5 lies outside 0..65535; write a whole number "
                              "from 0 to 65535");
    EXPECT_NE(lines[1].find(":6: [Pictures] ButtonPressed: the pressed button picture is "),
              std::string::npos)
        << lines[1];
    EXPECT_NE(lines[1].find("; the three button pictures must have one size"), std::string::npos)
        << lines[1];
}
