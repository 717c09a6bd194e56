// How a launch's command line is put together, and what it quotes.
#include <gtest/gtest.h>

#include <set>

#include "format/LaunchCommand.h"

namespace {

// A file system that holds exactly the given files.
TFileExistsQuery Files(std::set<std::string> files) {
    return [files](const std::string& path) { return files.count(path) > 0; };
}

} // namespace

TEST(OptionLine, SplitsAtTheFirstSemicolonOnly) {
    EXPECT_EQ(OptionName("Windowed;-window"), "Windowed");
    EXPECT_EQ(OptionParameters("Windowed;-window -x"), " -window -x");
    EXPECT_EQ(OptionName("A;b;c"), "A");
    EXPECT_EQ(OptionParameters("A;b;c"), " b;c");
    EXPECT_EQ(OptionName("No parameters"), "No parameters");
    EXPECT_EQ(OptionParameters("No parameters"), " ");
    EXPECT_EQ(OptionName(""), "");
    EXPECT_EQ(OptionParameters(""), " ");
    EXPECT_EQ(OptionName(";only"), "");
    EXPECT_EQ(OptionParameters(";only"), " only");
}

TEST(LaunchCommand, WithoutABlankInThePathTheTextIsJoinedUnchanged) {
    auto none = Files({});
    EXPECT_EQ(BuildLaunchCommand("C:\\Games\\", "Game.exe", "", none), "C:\\Games\\Game.exe");
    EXPECT_EQ(BuildLaunchCommand("C:\\Games\\", "Game.exe -x", " -y z", none),
              "C:\\Games\\Game.exe -x -y z");
    // The program's own arguments may hold blanks: they lie after the name.
    auto game = Files({"C:\\Games\\Game.exe"});
    EXPECT_EQ(BuildLaunchCommand("C:\\Games\\", "Game.exe a b", " ", game),
              "C:\\Games\\Game.exe a b ");
}

TEST(LaunchCommand, AFolderWithABlankIsQuotedWithTheProgram) {
    auto files = Files({"C:\\My Game\\Game.exe", "C:\\My.exe"});
    EXPECT_EQ(BuildLaunchCommand("C:\\My Game\\", "Game.exe", "", files),
              "\"C:\\My Game\\Game.exe\"");
    EXPECT_EQ(BuildLaunchCommand("C:\\My Game\\", "Game.exe -w", " -safe", files),
              "\"C:\\My Game\\Game.exe\" -w -safe");
}

TEST(LaunchCommand, AProgramNameWithBlanksIsFoundShortestFirst) {
    auto files = Files({"C:\\G\\Big Game.exe", "C:\\G\\Big Game Editor.exe"});
    EXPECT_EQ(BuildLaunchCommand("C:\\G\\", "Big Game.exe -x", "", files),
              "\"C:\\G\\Big Game.exe\" -x");
    // Windows adds ".exe" to a name without an extension, so the search does too.
    auto bare = Files({"C:\\G\\Big Game.exe"});
    EXPECT_EQ(BuildLaunchCommand("C:\\G\\", "Big Game -x", "", bare), "\"C:\\G\\Big Game\" -x");
    // "Big" names no file, "Big Game.exe" does: never "Big" alone.
    auto shorter = Files({"C:\\G\\Big Game.exe", "C:\\G\\Big.txt"});
    EXPECT_EQ(BuildLaunchCommand("C:\\G\\", "Big Game.exe", "", shorter),
              "\"C:\\G\\Big Game.exe\"");
}

TEST(LaunchCommand, WhenNoFileMatchesTheFirstWordIsTheProgram) {
    auto none = Files({});
    EXPECT_EQ(BuildLaunchCommand("C:\\My Game\\", "Game.exe -x", " -y", none),
              "\"C:\\My Game\\Game.exe\" -x -y");
    // Then the program's path has no blank of its own: the text stays as joined.
    EXPECT_EQ(BuildLaunchCommand("C:\\G\\", "Big Game.exe", "", none), "C:\\G\\Big Game.exe");
    // A folder alone (empty line 43) is still quoted when it holds a blank.
    EXPECT_EQ(BuildLaunchCommand("C:\\My Game\\", "", "", none), "\"C:\\My Game\\\"");
}

TEST(OptionLine, SplitAndJoinGiveTheLineBack) {
    EXPECT_EQ(SplitOptionLine("A;b;c"), (OptionEntry{"A", "b;c"}));
    EXPECT_EQ(SplitOptionLine("Plain"), (OptionEntry{"Plain", ""}));
    for (const char* line : {"Windowed;-window", "A;b;c", "Plain", "", ";only"})
        EXPECT_EQ(JoinOptionLine(SplitOptionLine(line)), line);
}

TEST(ShellTarget, OnlyPlainPathsAreRelative) {
    const struct {
        const char* target;
        ShellTargetKind kind;
    } cases[] = {{"", ShellTargetKind::Empty},
                 {"https://example.org/", ShellTargetKind::Address},
                 {"mailto:a@b.c", ShellTargetKind::Address},
                 {"C:\\Docs\\manual.pdf", ShellTargetKind::Rooted},
                 {"c:manual.pdf", ShellTargetKind::Rooted},
                 {"\\\\server\\share\\a.pdf", ShellTargetKind::Rooted},
                 {"\\Docs\\a.pdf", ShellTargetKind::Rooted},
                 {"Docs\\manual.pdf", ShellTargetKind::Relative},
                 {"DirectX\\DXSETUP.exe", ShellTargetKind::Relative},
                 {"readme.txt", ShellTargetKind::Relative},
                 {"..\\up.txt", ShellTargetKind::Relative},
                 {"1a:b", ShellTargetKind::Relative}};
    for (const auto& c : cases)
        EXPECT_EQ(ClassifyShellTarget(c.target), c.kind) << c.target;
}
