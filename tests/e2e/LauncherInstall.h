// A launcher installation in a temporary folder for end-to-end runs: the real
// Launcher.exe and DemoApp.exe beside a container made from the demo menu.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

inline constexpr DWORD kLauncherTimeoutMs = 15000;

// The demo menu, made quiet and with a program that records and ends.
std::vector<std::string> TestConfig();

// Launcher.exe, DemoApp.exe and a container of the configuration lines in
// folder, and a "Config.log" when configLog is not empty.
void Install(const std::string& folder, const std::string& configLog = "",
             const std::vector<std::string>& configLines = TestConfig());

// DemoApp's record (its command line and the show state it was given), one
// string a line; empty when it did not run.
std::vector<std::string> Record(const std::string& path);

POINT ClientToScreenPoint(HWND window, int x, int y);
// Centre of the demo's button group g (160 x 36 pictures) on the screen.
POINT ButtonCentre(HWND window, int group);
// A point on the demo's check box (lines 48 and 49) on the screen.
POINT CheckBoxPoint(HWND window);

// Runs the launcher until it ends; true when one of its windows came into
// view meanwhile (the direct start keeps its window left of the screen).
bool RunShowedAWindow(const std::string& launcher, const std::string& workingFolder, bool& ended);

struct ToolRun {
    DWORD exitCode = 0;
    std::string output; // standard output and error together
};

// Runs the Windows ctrpack with the arguments (the command first) and its
// output in a file; fails the test when it does not end.
ToolRun RunCtrpack(const std::string& arguments, const std::string& logPath);
