// What the buttons, the check box and the option list do once the menu is on
// screen, and what "Config.log" holds afterwards.
#include "LauncherFixture.h"

#include <windows.h>

#include "TestContainer.h"
#include "framework/ui/ComboBox.h"
#include "launcher/Unit1.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"
#include "tests/support/MessagePump.h"

using Commands = LauncherFixture;

namespace {
std::string OnlyCommandLine(const TRecordingPlatform& platform) {
    std::vector<TRecordedCall> runs = platform.CallsOf("WinExec");
    EXPECT_EQ(runs.size(), 1u);
    return runs.empty() ? std::string() : runs[0].Args[0];
}
} // namespace

TEST_F(Commands, LaunchAddsTheChosenOptionsParametersAndWritesConfigLog) {
    Start();
    Form1->ComboBox1->SetItemIndex(1);
    Click(Button(3));
    EXPECT_EQ(OnlyCommandLine(Platform), Folder + "Game.exe -w -b two");
    EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[1], "1") << "SW_SHOWNORMAL";
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n1\r\n");
    EXPECT_TRUE(Terminated());
}

TEST_F(Commands, TickingTheCheckBoxRemembersTheDirectStart) {
    Start();
    Click(Form1->OvalynShapeCheckBoxButton1);
    EXPECT_TRUE(Form1->OvalynShapeCheckBoxButton1->Checked());
    EXPECT_TRUE(RememberChoice);
    Click(Button(3));
    EXPECT_EQ(ConfigLogText(), "-1\r\n-1\r\n0\r\n");
}

TEST_F(Commands, TickingTwiceForgetsItAgain) {
    Start();
    Click(Form1->OvalynShapeCheckBoxButton1);
    Click(Form1->OvalynShapeCheckBoxButton1);
    EXPECT_FALSE(RememberChoice);
    Click(Button(3));
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n0\r\n");
}

TEST_F(Commands, OptionLinesGiveTheirTextAfterTheFirstSemicolon) {
    const std::pair<const char*, const char*> cases[] = {
        {"Name;a;b c", " a;b c"}, {"Only a name", " "}, {"", " "}};
    for (auto [line, parameters] : cases) {
        SCOPED_TRACE(line);
        TearDown();
        SetUp();
        Config[72] = line;
        Start();
        Form1->LaunchProgram();
        EXPECT_EQ(OnlyCommandLine(Platform), Folder + "Game.exe -w" + parameters);
    }
}

TEST_F(Commands, WithoutAListOrASelectionNothingIsAdded) {
    Config[71] = "1";
    Start();
    Form1->LaunchProgram();
    EXPECT_EQ(OnlyCommandLine(Platform), Folder + "Game.exe -w");
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n-1\r\n");

    TearDown();
    SetUp();
    WriteConfigLog("0\r\n0\r\n5\r\n"); // beyond the three options
    Start();
    Form1->LaunchProgram();
    EXPECT_EQ(OnlyCommandLine(Platform), Folder + "Game.exe -w");
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n-1\r\n");
}

TEST_F(Commands, AFolderWithABlankIsQuotedSoNoDecoyRuns) {
    std::string folder = Folder + "My Game\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    UseFolder(folder);
    // The parent holds "My.exe", which an unquoted command would start.
    WriteFileBytes(folder + "..\\My.exe", "decoy");
    WriteFileBytes(folder + "Game.exe", "program");
    Start();
    Form1->LaunchProgram();
    EXPECT_EQ(OnlyCommandLine(Platform), "\"" + folder + "Game.exe\" -w -a");
}

TEST_F(Commands, TheShellButtonOpensLine42AndEnds) {
    DirectX->SetVersion("4.08");
    Start();
    Click(Button(1));
    std::vector<TRecordedCall> opened = Platform.CallsOf("ShellExecuteA");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Args[1], "open");
    EXPECT_EQ(opened[0].Args[2], "readme.txt") << "verbatim, no folder in front";
    EXPECT_EQ(opened[0].Args[3], "(null)");
    EXPECT_EQ(opened[0].Args[4], Folder) << "a relative target is found beside the launcher";
    EXPECT_EQ(opened[0].Args[5], "5");
    EXPECT_EQ(ConfigLogText(), "0\r\n0\r\n0\r\n")
        << "DirectX was too old; the hidden list is filled";
    EXPECT_TRUE(Terminated());
}

TEST_F(Commands, TheSecondShellButtonOpensLine61AndStays) {
    WriteConfigLog("0\r\n-1\r\n2\r\n");
    Start();
    Click(Button(4));
    std::vector<TRecordedCall> opened = Platform.CallsOf("ShellExecuteA");
    ASSERT_EQ(opened.size(), 1u);
    EXPECT_EQ(opened[0].Args[2], "https://example.org/");
    EXPECT_EQ(opened[0].Args[4], "(null)") << "an address needs no folder";
    EXPECT_FALSE(Terminated());
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n2\r\n") << "unchanged";
}

TEST_F(Commands, QuitEndsWithoutWritingAnything) {
    Start();
    Click(Button(2));
    EXPECT_TRUE(Terminated());
    EXPECT_FALSE(ConfigLogExists());
    EXPECT_EQ(Platform.Count("WinExec"), 0);
}

TEST_F(Commands, AFailedWriteOnTheDirectStartIsReportedAndEnds) {
    WriteConfigLog("-1\r\n-1\r\n0\r\n");
    Platform.FolderPathAnswer = ""; // and no per-user file to take its place
    // Readable, but no one may write it while this handle is open.
    HANDLE lock = CreateFileA((Folder + "Config.log").c_str(), GENERIC_READ, FILE_SHARE_READ,
                              nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(lock, INVALID_HANDLE_VALUE);
    Start();
    CloseHandle(lock);
    EXPECT_EQ(Platform.Count("WinExec"), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(LastBoxText().find("Config.log"), std::string::npos) << LastBoxText();
    EXPECT_TRUE(Terminated()) << "the window is out of view: the launcher must end";
}

TEST_F(Commands, PointerAndPressSoundsFollowTheBindings) {
    Config[60] = "0456";
    Start();
    for (int n = 1; n <= 10; ++n) {
        SCOPED_TRACE(n);
        Platform.Calls.clear();
        TOvalynShapeButton* button = Button(n);
        button->OnMouseEnter(button);
        button->OnMouseDown(button, mbRight, {}, 0, 0);
        button->OnMouseLeave(button);
        // Buttons 2 and 3 wait for the press sound, so it ends before their click.
        std::string pressFlags = n == 2 || n == 3 ? "0" : "1";
        EXPECT_EQ(Sounds(),
                  (std::vector<std::string>{"SYSTEMASTERISK/1", "SYSTEMQUESTION/" + pressFlags,
                                            "SYSTEMEXCLAMATION/1"}));
    }
}

TEST_F(Commands, Digit9PlaysAnEmptyName) {
    Config[60] = "0900";
    Start();
    Button(3)->OnMouseEnter(Button(3));
    EXPECT_EQ(Sounds(), std::vector<std::string>{"/1"});
}

// ComboBox2 lies out of view; holding the focus there leaves no visible
// control with it, when the menu is shown and after every pick in the list.
TEST_F(Commands, TheOutOfViewListTakesTheFocusOnShowAndAfterAPick) {
    Start();
    Form1->Show();
    HWND hidden = Form1->ComboBox2->Handle();
    EXPECT_TRUE(PumpUntil([&] { return GetFocus() == hidden; })) << "focus on " << GetFocus();

    // A pick as the user makes it: the list has the focus, an arrow key moves
    // its selection, and the list's own notification reports the change.
    HWND options = Form1->ComboBox1->Handle();
    ::SetFocus(options);
    ASSERT_EQ(GetFocus(), options);
    SendMessageA(options, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 1);
    EXPECT_EQ(GetFocus(), hidden);
}
