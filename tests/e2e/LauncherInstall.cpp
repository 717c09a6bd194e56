#include "LauncherInstall.h"

#include "ProcessDriver.h"
#include "tests/launcher/TestContainer.h"

std::vector<std::string> TestConfig() {
    std::vector<std::string> lines = DemoConfigLines();
    lines.at(43) = "DemoApp.exe -exit";
    lines.at(60) = "0000";
    return lines;
}

void Install(const std::string& folder, const std::string& configLog,
             const std::vector<std::string>& configLines) {
    CopyFileOrThrow(OVALYN_LAUNCHER_EXE, folder + "Launcher.exe");
    CopyFileOrThrow(OVALYN_DEMOAPP_EXE, folder + "DemoApp.exe");
    WriteContainer(folder + "L-Ctnr.ctr", DemoEntries(configLines));
    if (!configLog.empty())
        WriteFileBytes(folder + "Config.log", configLog);
}

std::vector<std::string> Record(const std::string& path) {
    return SplitLines(ReadFileBytes(path));
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT point{x, y};
    ClientToScreen(window, &point);
    return point;
}

POINT ButtonCentre(HWND window, int group) {
    std::vector<std::string> lines = TestConfig();
    int left = std::stoi(lines.at(4 * group - 2));
    int top = std::stoi(lines.at(4 * group - 1));
    return ClientToScreenPoint(window, left + 80, top + 18);
}

POINT CheckBoxPoint(HWND window) {
    std::vector<std::string> lines = TestConfig();
    return ClientToScreenPoint(window, std::stoi(lines.at(48)) + 115, std::stoi(lines.at(49)) + 12);
}

bool RunShowedAWindow(const std::string& launcher, const std::string& workingFolder, bool& ended) {
    TProcess process(launcher, workingFolder);
    bool seenOnScreen = false;
    DWORD start = GetTickCount();
    while (process.Running() && GetTickCount() - start < kLauncherTimeoutMs) {
        for (HWND window : process.Windows()) {
            RECT rect;
            if (GetWindowRect(window, &rect) && rect.right > 0)
                seenOnScreen = true;
        }
        Sleep(5);
    }
    ended = !process.Running();
    return seenOnScreen;
}
