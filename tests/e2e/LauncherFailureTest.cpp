// The real Launcher.exe when things go wrong outside it: a program that is not
// there (on a click and on the direct start), and a folder where "Config.log"
// cannot be written, as on a CD, whose choice goes to the per-user file and
// brings the direct start from there on the next run.
#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "launcher/UserConfigLogName.h"
#include "tests/launcher/TestContainer.h"

namespace {

constexpr DWORD kTimeoutMs = kLauncherTimeoutMs;

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

std::vector<std::string> ConfigWithMissingProgram() {
    std::vector<std::string> lines = TestConfig();
    lines.at(43) = "NotThere.exe -exit";
    return lines;
}

// The first window of the launcher that is on screen, of the class if given
// (a message box is "#32770"), or of any other class.
HWND WaitForShownWindow(TProcess& launcher, bool messageBox) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs && launcher.Running()) {
        for (HWND window : launcher.Windows()) {
            char name[64] = {};
            GetClassNameA(window, name, sizeof name);
            RECT rect;
            if ((std::string(name) == "#32770") == messageBox && GetWindowRect(window, &rect) &&
                rect.right > 0)
                return window;
        }
        Sleep(50);
    }
    return nullptr;
}

// The per-user "Config.log" the launcher keeps for a menu in folder; removed
// (with its folder, when that is left empty) when the object goes.
class TUserConfigLog {
public:
    explicit TUserConfigLog(const std::string& folder) {
        char appData[MAX_PATH] = {};
        if (FAILED(SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, SHGFP_TYPE_CURRENT,
                                    appData)))
            throw std::runtime_error("no local application data folder");
        // Named after the volume's serial and the menu's path within it.
        char point[MAX_PATH * 2] = {};
        if (!GetVolumePathNameA(folder.c_str(), point, sizeof point))
            throw std::runtime_error("no volume for " + folder);
        std::string mount = point;
        if (mount.back() != '\\')
            mount += '\\';
        DWORD serial = 0;
        GetVolumeInformationA(mount.c_str(), nullptr, 0, &serial, nullptr, nullptr, nullptr, 0);
        folder_ = std::string(appData) + "\\" + kUserConfigLogFolder + "\\";
        path_ = folder_ + UserConfigLogName(serial, PathWithinVolume(folder, mount));
        DeleteFileA(path_.c_str());
    }
    ~TUserConfigLog() {
        DeleteFileA(path_.c_str());
        RemoveDirectoryA(folder_.c_str());
    }
    TUserConfigLog(const TUserConfigLog&) = delete;
    TUserConfigLog& operator=(const TUserConfigLog&) = delete;
    const std::string& Path() const { return path_; }

private:
    std::string folder_, path_;
};

} // namespace

TEST(LauncherFailure, AMissingProgramIsReportedAndTheMenuStaysWithoutAWrite) {
    TTempFolder folder("missing program");
    Install(folder.Path(), "0\r\n-1\r\n1\r\n", ConfigWithMissingProgram());

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND window = WaitForShownWindow(launcher, false);
    ASSERT_NE(window, nullptr) << "no menu window";
    Sleep(300);
    POINT launch = ButtonCentre(window, 3);
    ClickAt(launch.x, launch.y);

    HWND box = WaitForShownWindow(launcher, true);
    ASSERT_NE(box, nullptr) << "no error box";
    const std::string text = DialogText(box);
    EXPECT_TRUE(Holds(text, "\"" + folder.Path() + "NotThere.exe\" -exit -fullscreen")) << text;
    EXPECT_TRUE(Holds(text, "file not found")) << text;
    ASSERT_TRUE(PressDialogButton(box, "OK"));
    Sleep(300);
    EXPECT_TRUE(launcher.Running()) << "the launcher ended after a start that failed";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "0\r\n-1\r\n1\r\n");

    POINT quit = ButtonCentre(window, 2);
    ClickAt(quit.x, quit.y);
    EXPECT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the menu did not stay usable";
}

TEST(LauncherFailure, AFailedDirectStartIsReportedAndThenShowsTheMenu) {
    TTempFolder folder("missingdirect");
    Install(folder.Path(), "-1\r\n-1\r\n2\r\n", ConfigWithMissingProgram());

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND box = WaitForShownWindow(launcher, true);
    ASSERT_NE(box, nullptr) << "no error box";
    const std::string text = DialogText(box);
    EXPECT_TRUE(Holds(text, folder.Path() + "NotThere.exe -exit -safe -nosound")) << text;
    EXPECT_TRUE(Holds(text, "file not found")) << text;
    ASSERT_TRUE(PressDialogButton(box, "OK"));

    HWND window = WaitForShownWindow(launcher, false);
    ASSERT_NE(window, nullptr) << "nothing on screen after the failed direct start";
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640) << "the menu was built";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "-1\r\n-1\r\n2\r\n");
    Sleep(300);
    POINT quit = ButtonCentre(window, 2);
    ClickAt(quit.x, quit.y);
    EXPECT_TRUE(launcher.WaitForExit(kTimeoutMs));
}

TEST(LauncherFailure, AFolderThatCannotBeWrittenKeepsTheChoicePerUserForTheNextStart) {
    TTempFolder folder("readonly");
    Install(folder.Path());
    // A folder of that name refuses the file, as a CD would.
    ASSERT_TRUE(CreateDirectoryA((folder.Path() + "Config.log").c_str(), nullptr));
    TUserConfigLog userFile(folder.Path());
    const std::string expectedCommand = folder.Path() + "DemoApp.exe -exit -window";
    {
        TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
        HWND window = WaitForShownWindow(launcher, false);
        ASSERT_NE(window, nullptr) << "no menu window";
        Sleep(300);
        POINT tick = CheckBoxPoint(window);
        ClickAt(tick.x, tick.y);
        Sleep(200);
        POINT launch = ButtonCentre(window, 3);
        ClickAt(launch.x, launch.y);
        ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the launcher did not end (an error box?)";
    }
    ASSERT_TRUE(WaitForFile(folder.Path() + "DemoApp.run.txt", kTimeoutMs));
    EXPECT_EQ(Record(folder.Path() + "DemoApp.run.txt").at(0), expectedCommand);
    EXPECT_EQ(ReadFileBytes(userFile.Path()), "-1\r\n-1\r\n0\r\n");

    ASSERT_TRUE(DeleteFileA((folder.Path() + "DemoApp.run.txt").c_str()));
    bool ended = false;
    bool seenOnScreen = RunShowedAWindow(folder.Path() + "Launcher.exe", folder.Path(), ended);
    ASSERT_TRUE(ended) << "the second start did not end by itself";
    EXPECT_FALSE(seenOnScreen) << "the second start showed a window";
    ASSERT_TRUE(WaitForFile(folder.Path() + "DemoApp.run.txt", kTimeoutMs));
    EXPECT_EQ(Record(folder.Path() + "DemoApp.run.txt").at(0), expectedCommand);
}
