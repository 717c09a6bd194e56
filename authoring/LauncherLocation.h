// Which Launcher.exe a medium gets when the author names none: the one beside
// the ctrpack program (as a release unpacks them together), else the one the
// build tree that made ctrpack put beside its own container.
#pragma once

#include <string>

// explicitPath when given (it must exist); else the first that exists of
// Launcher.exe beside this program and the default baked in at build time.
// AuthoringError telling to pass --launcher when none is found.
std::string FindLauncher(const std::string& explicitPath);
