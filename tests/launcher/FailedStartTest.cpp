// Programs that do not start and shell targets that do not open: reported in
// the error box with the reason in words, and the user can choose again.
#include "LauncherFixture.h"

#include <windows.h>

#include <shellapi.h>

#include "TestContainer.h"
#include "framework/runtime/Streams.h"
#include "framework/ui/ComboBox.h"
#include "launcher/StartFailure.h"
#include "launcher/Unit1.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

using FailedStart = LauncherFixture;

namespace {
bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}
} // namespace

TEST_F(FailedStart, AProgramThatDoesNotStartIsReportedAndTheMenuStays) {
    Platform.WinExecAnswer = ERROR_FILE_NOT_FOUND;
    Start();
    Form1->ComboBox1->SetItemIndex(1);
    Click(Form1->OvalynShapeCheckBoxButton1);
    Click(Button(3));
    ASSERT_EQ(Boxes().size(), 1u);
    const std::string text = LastBoxText();
    EXPECT_TRUE(Holds(text, Folder + "Game.exe -w -b two")) << text;
    EXPECT_TRUE(Holds(text, "file not found")) << text;
    EXPECT_FALSE(ConfigLogExists()) << "a start that failed is no choice to remember";
    EXPECT_FALSE(FileExists(UserFile()));
    EXPECT_FALSE(Terminated());

    // The menu is still usable: the next try that starts ends as usual.
    Platform.WinExecAnswer = 33;
    Click(Button(3));
    EXPECT_EQ(Platform.Count("WinExec"), 2);
    EXPECT_EQ(ConfigLogText(), "-1\r\n-1\r\n1\r\n");
    EXPECT_TRUE(Terminated());
}

// WinExec fails up to 31, the shell up to 32; the causes are given in words.
TEST_F(FailedStart, TheAnswersThatMeanFailureAndTheirWords) {
    struct Case {
        UINT Answer;
        const char* Words; // nullptr: started
    } cases[] = {{0, "out of memory or resources"},
                 {ERROR_PATH_NOT_FOUND, "path not found"},
                 {ERROR_BAD_FORMAT, "not a valid program"},
                 {ERROR_ACCESS_DENIED, "access denied"},
                 {17, "error 17"},
                 {31, "no program is associated"},
                 {32, nullptr}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.Answer);
        TearDown();
        SetUp();
        Platform.WinExecAnswer = c.Answer;
        Start();
        Click(Button(3));
        EXPECT_EQ(Terminated(), c.Words == nullptr);
        if (c.Words)
            EXPECT_TRUE(Holds(LastBoxText(), c.Words)) << LastBoxText();
        else
            EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    }
    EXPECT_FALSE(ShellOpened(32));
    EXPECT_TRUE(ShellOpened(33));
    // A module handle high in the address space is a success, not a negative number.
    EXPECT_TRUE(ShellOpened(static_cast<uintptr_t>(0x80000000u)));
    EXPECT_EQ(StartFailureReason(32), "a library it needs was not found");
}

TEST_F(FailedStart, AFailedDirectStartIsReportedAndShowsTheMenuInLaunchMode) {
    WriteConfigLog("-1\r\n-1\r\n1\r\n");
    Config[60] = "1200";
    Platform.WinExecAnswer = ERROR_FILE_NOT_FOUND;
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Holds(LastBoxText(), Folder + "Game.exe -w -b two")) << LastBoxText();
    EXPECT_TRUE(Holds(LastBoxText(), "file not found")) << LastBoxText();
    EXPECT_FALSE(Terminated()) << "the user must be able to choose again";
    EXPECT_TRUE(Button(3)->Visible()) << "launch mode";
    EXPECT_FALSE(Button(1)->Visible());
    EXPECT_EQ(Form1->Caption(), "Test menu") << "the menu was built";
    EXPECT_GE(Form1->Left(), 0) << "the window came back into view";
    EXPECT_FALSE(Form1->OvalynShapeCheckBoxButton1->Checked());
    EXPECT_FALSE(AutoStart);
    EXPECT_FALSE(RememberChoice) << "follows the unticked check box";
    EXPECT_EQ(Sounds(), std::vector<std::string>{"SYSTEMSTART/1"}) << "sounds set up";
    EXPECT_TRUE(EnterSoundOn);
    EXPECT_EQ(Form1->ComboBox1->Items()->Count(), 3) << "the options are listed once";
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 1) << "the remembered option stays chosen";
    EXPECT_EQ(ConfigLogText(), "-1\r\n-1\r\n1\r\n") << "left as it was";

    // From the menu the user can try again, and choose the menu next time.
    Platform.WinExecAnswer = 33;
    Click(Button(3));
    EXPECT_TRUE(Terminated());
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n1\r\n");
}

TEST_F(FailedStart, AShellTargetThatDoesNotOpenIsReportedAndNothingIsWritten) {
    // Button 1, the installer of the requirement mode: no write, no end.
    DirectX->SetVersion("4.08");
    Platform.ShellExecuteAnswer = SE_ERR_NOASSOC;
    Start();
    Click(Button(1));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Holds(LastBoxText(), "readme.txt")) << LastBoxText();
    EXPECT_TRUE(Holds(LastBoxText(), "no program is associated with this file type"))
        << LastBoxText();
    EXPECT_FALSE(ConfigLogExists());
    EXPECT_FALSE(Terminated());

    // Button 4 stays open in any case; its failure is reported all the same.
    TearDown();
    SetUp();
    WriteConfigLog("0\r\n-1\r\n2\r\n");
    Platform.ShellExecuteAnswer = SE_ERR_FNF;
    Start();
    Click(Button(4));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Holds(LastBoxText(), "https://example.org/")) << LastBoxText();
    EXPECT_TRUE(Holds(LastBoxText(), "file not found")) << LastBoxText();
    EXPECT_FALSE(Terminated());
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n2\r\n");
}
