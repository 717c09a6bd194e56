#include "LauncherInstall.h"

#include <gtest/gtest.h>

#include <stdexcept>

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

ToolRun RunCtrpack(const std::string& arguments, const std::string& logPath) {
    SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
    HANDLE log = CreateFileA(logPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit,
                             CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (log == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot write " + logPath);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = log;
    startup.hStdError = log;
    std::string commandLine = "\"" + std::string(OVALYN_CTRPACK_EXE) + "\" " + arguments;
    PROCESS_INFORMATION process{};
    const BOOL started = CreateProcessA(OVALYN_CTRPACK_EXE, commandLine.data(), nullptr, nullptr,
                                        TRUE, 0, nullptr, nullptr, &startup, &process);
    CloseHandle(log);
    if (!started)
        throw std::runtime_error("cannot start " + std::string(OVALYN_CTRPACK_EXE));
    CloseHandle(process.hThread);
    ToolRun run;
    const bool ended = WaitForSingleObject(process.hProcess, kLauncherTimeoutMs) == WAIT_OBJECT_0;
    if (!ended)
        TerminateProcess(process.hProcess, 99);
    GetExitCodeProcess(process.hProcess, &run.exitCode);
    CloseHandle(process.hProcess);
    EXPECT_TRUE(ended) << "ctrpack " << arguments << " did not end";
    run.output = ReadFileBytes(logPath);
    return run;
}
