// The designer's Test command: the menu as it is now (saved or not) is built
// into a container in a fresh temporary folder beside a copy of the real
// launcher, and that launcher is started there, so the author sees exactly
// what end users will.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class MenuDocument;

// Builds and starts; returns the folder. DesignError naming what failed (the
// menu's errors, a missing launcher, a file that cannot be written, a
// launcher that does not start).
std::string RunMenuTest(const MenuDocument& menu, const std::string& launcherPath);
// Launcher.exe beside the designer's own program.
std::string LauncherBesideDesigner();
