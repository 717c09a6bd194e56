// The real Launcher.exe, copied with a container into temporary folders and
// started as its own process: the menu window on screen, a click with the real
// pointer, the program it starts (DemoApp, which records how it was started),
// "Config.log", the missing-container box and the direct start.
#include <gtest/gtest.h>

#include <windows.h>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "tests/launcher/TestContainer.h"

namespace {
constexpr DWORD kTimeoutMs = kLauncherTimeoutMs;
} // namespace

TEST(LauncherRun, LaunchButtonStartsTheProgramInsideAFolderWithABlank) {
    TTempFolder parent("launch");
    std::string folder = parent.Path() + "My Game\\";
    ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr));
    Install(folder, "0\r\n-1\r\n1\r\n"); // option 1 remembered, no direct start
    // Started unquoted, "...\My Game\DemoApp.exe" would run this one instead.
    CopyFileOrThrow(OVALYN_DEMOAPP_EXE, parent.Path() + "My.exe");

    TProcess launcher(folder + "Launcher.exe", parent.Path());
    HWND window = launcher.WaitForWindow(kTimeoutMs);
    ASSERT_NE(window, nullptr) << "no menu window";

    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "Ovalyn Demo Adventure");
    RECT client, outer;
    GetClientRect(window, &client);
    GetWindowRect(window, &outer);
    EXPECT_EQ(client.right, 640);
    EXPECT_EQ(client.bottom, 480);
    int outerWidth = outer.right - outer.left, outerHeight = outer.bottom - outer.top;
    EXPECT_GT(outerWidth, 640) << "the fixed border stays with line 50 \"-1\"";
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - outerWidth) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - outerHeight) / 2);

    Sleep(300);
    POINT launch = ButtonCentre(window, 3);
    ClickAt(launch.x, launch.y);
    ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the launch did not end the launcher";

    ASSERT_TRUE(WaitForFile(folder + "DemoApp.run.txt", kTimeoutMs)) << "the program did not run";
    std::vector<std::string> record = Record(folder + "DemoApp.run.txt");
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(record[0], "\"" + folder + "DemoApp.exe\" -exit -fullscreen");
    EXPECT_EQ(record[1], "1") << "started with show state SW_SHOWNORMAL";
    EXPECT_EQ(ReadFileBytes(parent.Path() + "My.run.txt"), "")
        << "the decoy outside the folder ran";
    EXPECT_EQ(ReadFileBytes(folder + "Config.log"), "0\r\n-1\r\n1\r\n");
}

TEST(LauncherRun, RememberedDirectStartShowsNoMenuAndStartsTheProgram) {
    TTempFolder folder("direct");
    Install(folder.Path(), "-1\r\n-1\r\n2\r\n");

    bool ended = false;
    bool seenOnScreen = RunShowedAWindow(folder.Path() + "Launcher.exe", folder.Path(), ended);
    ASSERT_TRUE(ended) << "the direct start did not end the launcher";
    EXPECT_FALSE(seenOnScreen) << "a window of the launcher showed on the screen";

    ASSERT_TRUE(WaitForFile(folder.Path() + "DemoApp.run.txt", kTimeoutMs));
    std::vector<std::string> record = Record(folder.Path() + "DemoApp.run.txt");
    ASSERT_EQ(record.size(), 2u);
    // No blank in the path: the command is the folder, line 43 and the option.
    EXPECT_EQ(record[0], folder.Path() + "DemoApp.exe -exit -safe -nosound");
    EXPECT_EQ(record[1], "1");
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "-1\r\n-1\r\n2\r\n");
}

TEST(LauncherRun, MissingContainerShowsTheErrorBoxAndEnds) {
    TTempFolder folder("missing");
    CopyFileOrThrow(OVALYN_LAUNCHER_EXE, folder.Path() + "Launcher.exe");

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND box = launcher.WaitForWindow(kTimeoutMs, "#32770");
    ASSERT_NE(box, nullptr) << "no message box";
    std::string text = DialogText(box);
    EXPECT_NE(text.find("File L-CTNR.CTR is missing."), std::string::npos) << text;
    EXPECT_NE(text.find("Program terminates!"), std::string::npos) << text;
    EXPECT_LT(text.find("missing."), text.find("Program")) << text;
    ASSERT_TRUE(PressDialogButton(box, "OK"));
    EXPECT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the launcher did not end after OK";
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "Config.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(LauncherRun, ShiftHeldAtStartShowsTheMenuDespiteDirectStart) {
    TTempFolder folder("shift");
    Install(folder.Path(), "-1\r\n-1\r\n0\r\n");

    SendKey(VK_SHIFT, true);
    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND window = launcher.WaitForWindow(kTimeoutMs);
    SendKey(VK_SHIFT, false);
    ASSERT_NE(window, nullptr) << "no menu window";
    RECT rect;
    GetWindowRect(window, &rect);
    EXPECT_GE(rect.left, 0) << "the menu lies out of view";

    Sleep(300);
    POINT quit = ButtonCentre(window, 2);
    ClickAt(quit.x, quit.y);
    ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the quit button did not end the launcher";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "DemoApp.run.txt"), "") << "the program started";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "-1\r\n-1\r\n0\r\n")
        << "quit writes nothing";
}
