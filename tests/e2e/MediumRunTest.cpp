// The Windows ctrpack lays the demo menu out as a medium, and the launcher,
// renamed Setup.exe on that medium, starts the demo program from it when its
// launch button is clicked with the real pointer. A medium whose content
// lacks the program is refused with the line naming the setting, and nothing
// is written.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "tests/launcher/TestContainer.h"

namespace {

const std::string kDemoMenu = std::string(OVALYN_SOURCE_DIR) + "/demo/menu";
// demo/menu/menu.ini: [Launch] Left=240 Top=240, a 160 x 36 button picture.
constexpr int kLaunchCentreX = 240 + 80;
constexpr int kLaunchCentreY = 240 + 18;

// Without a trailing backslash: the C runtime reads \" as a quote inside the word.
std::string Quoted(std::string path) {
    while (path.size() > 3 && path.back() == '\\')
        path.pop_back();
    return "\"" + path + "\"";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// Closes the demo program's window (it stays open when started without
// -exit) and waits until it is gone, so its folder can be removed.
void CloseDemoApp() {
    for (int i = 0; i < 100; ++i) {
        HWND window = FindWindowA("OvalynDemoApp", nullptr);
        if (!window)
            return;
        PostMessageA(window, WM_CLOSE, 0, 0);
        Sleep(50);
    }
    ADD_FAILURE() << "the demo program's window did not close";
}

} // namespace

TEST(MediumRun, CtrpackLaysOutTheMediumAndItsSetupStartsTheProgram) {
    TTempFolder work("medium");
    const std::string content = work.Path() + "content\\";
    const std::string medium = work.Path() + "OVALYN\\";
    ASSERT_TRUE(CreateDirectoryA(content.c_str(), nullptr));
    CopyFileOrThrow(OVALYN_DEMOAPP_EXE, content + "DemoApp.exe");

    const ToolRun run = RunCtrpack(
        "media " + Quoted(kDemoMenu) + " " + Quoted(medium) + " --content " + Quoted(content) +
            " --launcher-name Setup.exe --label OVALYN --launcher " + Quoted(OVALYN_LAUNCHER_EXE),
        work.Path() + "ctrpack.log");
    ASSERT_EQ(run.exitCode, 0u) << run.output;
    for (const char* name : {"Setup.exe", "L-Ctnr.ctr", "DemoApp.exe", "autorun.inf"})
        EXPECT_TRUE(Exists(medium + name)) << name << " is missing from the medium\n" << run.output;
    EXPECT_FALSE(Exists(medium + "Launcher.exe")) << "the launcher kept its own name";
    EXPECT_EQ(ReadFileBytes(medium + "Setup.exe"), ReadFileBytes(OVALYN_LAUNCHER_EXE));
    const std::string autorun = ReadFileBytes(medium + "autorun.inf");
    EXPECT_NE(autorun.find("open=Setup.exe\r\n"), std::string::npos) << autorun;
    EXPECT_NE(autorun.find("label=OVALYN\r\n"), std::string::npos) << autorun;

    {
        TProcess setup(medium + "Setup.exe", medium);
        HWND window = setup.WaitForWindow(kLauncherTimeoutMs);
        ASSERT_NE(window, nullptr) << "Setup.exe showed no menu window";
        char caption[256] = {};
        GetWindowTextA(window, caption, sizeof caption);
        EXPECT_STREQ(caption, "Ovalyn Demo Adventure");
        Sleep(300);
        const POINT launch = ClientToScreenPoint(window, kLaunchCentreX, kLaunchCentreY);
        ClickAt(launch.x, launch.y);
        EXPECT_TRUE(setup.WaitForExit(kLauncherTimeoutMs)) << "the launch did not end Setup.exe";
    }
    const bool ran = WaitForFile(medium + "DemoApp.run.txt", kLauncherTimeoutMs);
    CloseDemoApp();
    ASSERT_TRUE(ran) << "the demo program did not start from the medium";
    const std::vector<std::string> record = Record(medium + "DemoApp.run.txt");
    ASSERT_FALSE(record.empty());
    // The demo's own choice (option "windowed") from the medium's folder.
    EXPECT_EQ(record[0], medium + "DemoApp.exe -window");
}

TEST(MediumRun, CtrpackRefusesContentWithoutTheProgramAndWritesNothing) {
    TTempFolder work("medium");
    const std::string content = work.Path() + "content\\";
    const std::string medium = work.Path() + "OVALYN\\";
    ASSERT_TRUE(CreateDirectoryA(content.c_str(), nullptr));
    WriteFileBytes(content + "Readme.txt", "no program here");

    const ToolRun run = RunCtrpack(
        "media " + Quoted(kDemoMenu) + " " + Quoted(medium) + " --content " + Quoted(content) +
            " --launcher-name Setup.exe --label OVALYN --launcher " + Quoted(OVALYN_LAUNCHER_EXE),
        work.Path() + "ctrpack.log");
    EXPECT_NE(run.exitCode, 0u) << run.output;
    EXPECT_NE(run.output.find("menu.ini:25: [Launch] Program: \"DemoApp.exe\" is not in the "
                              "content folder"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("nothing written"), std::string::npos) << run.output;
    EXPECT_FALSE(Exists(medium)) << "the refused medium's folder was made";
}
