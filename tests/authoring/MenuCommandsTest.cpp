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
const char* const kEntryFiles[] = {"1-config.txt",   "2-notice.txt",         "3-background.bmp",
                                   "4-button.bmp",   "5-button-pressed.bmp", "6-button-over.bmp",
                                   "7-checkbox.bmp", "8-checkbox-checked.bmp"};

std::vector<std::string> ReadBack(const std::string& container);

class MenuCommands : public ::testing::Test {
protected:
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
