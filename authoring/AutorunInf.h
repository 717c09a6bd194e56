// The autorun.inf at the root of a medium: which program Windows starts (or
// offers in its AutoPlay dialog) when the disc is inserted, the icon and the
// label Explorer shows for the drive.
#pragma once

#include <string>

struct AutorunSettings {
    std::string launcherName; // "Setup.exe": the program at the root
    std::string iconName;     // an .ico at the root; "" uses the launcher's own icon
    std::string label;        // "" writes no label line
    std::string action;       // AutoPlay's text for the open command; "" writes none
};

// The file's bytes: "[autorun]" and one "key=value" line each, every line
// ending in CR LF (the form Windows' profile reader expects). No UseAutoPlay
// line: on a disc, where autorun is still honoured, the launcher starts
// itself or is offered first in AutoPlay, and nothing more is asked.
std::string AutorunInfText(const AutorunSettings& settings);

// What keeps text from standing in an autorun.inf value, or "": control
// characters and a ';' (it would start a comment) are refused.
std::string AutorunValueProblem(const std::string& text);
