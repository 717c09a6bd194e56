// The check of a medium as a whole before anything is written: the files the
// menu starts and opens are on it, relative to the launcher, and every name
// on it holds on FAT32 and on a disc (ISO 9660 with Joliet), also against the
// others without regard to case. Each problem names the file, and the
// menu.ini line, section and key where a setting refers to it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"
#include "format/MenuEntries.h"

inline constexpr const char* kAutorunName = "autorun.inf";

// A file or folder of the content folder, by its path below that folder
// ('/' between names).
struct ContentEntry {
    std::string path;
    bool folder = false;
};

struct MediumLayout {
    std::string launcherName = "Launcher.exe";
    std::string contentFolder; // as the author named it, for messages
    std::vector<ContentEntry> content;
    std::string iconName; // the icon's name at the root; "" for none
    std::string label;    // "" for none
};

// Empty when the medium can be written. Errors and warnings (a shell target
// outside the medium cannot be checked) as Problems.
std::vector<Problem> CheckMedium(const MediumLayout& layout, const MenuDocument& menu,
                                 const MenuOrigins& origins);

// Where a launch or an "open" target lands on the medium: the text as the
// launcher joins it to its own folder, '\' and '/' both separating, "." and
// ".." resolved, case folded. Empty when it leaves the medium (a drive, a
// network path, ".." above the root) or names nothing.
std::string MediumPath(const std::string& target);

// The program part of a launch line, as the launcher takes it: the shortest
// run of leading words that names a file on the medium (also with ".exe"
// added to a name without extension, as Windows adds it), else the first
// word. exists answers for MediumPath results.
// (the launcher's own ProgramNameLength, with the medium's paths.)
std::string ProgramPart(const std::string& program,
                        const std::function<bool(const std::string& mediumPath)>& exists);
