// Laying out a menu as a ready medium, the work behind "ctrpack media", for
// any program that builds media (the command line and the designer).
#pragma once

#include <string>
#include <vector>

#include "authoring/MediumTools.h"
#include "authoring/Problem.h"

struct MediaOptions {
    std::string menuFolder, outFolder;
    std::string launcherName = "Launcher.exe";
    std::string launcher; // the Launcher.exe to copy; "" finds it (see LauncherLocation.h)
    std::string content, label, icon, image;
    bool sign = false;
    SigningRequest signing;
};

struct MediumOutcome {
    std::vector<Problem> problems; // everything found, warnings too
    bool written = false;          // false: an error among the problems, nothing written
    // Why no image was made although one was asked for (the folder is
    // written); "" when there is nothing to say.
    std::string imageNote;
};

// Checks the whole medium, then writes it when no error was found. A failure
// while writing removes what was written and raises AuthoringError naming the file.
MediumOutcome BuildMedium(const MediaOptions& options);
