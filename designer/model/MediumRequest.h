// The designer's "Build medium" form as the options of a medium: the fields
// the author filled in become the same options ctrpack media takes, and the
// medium is laid out by the authoring library, so both refuse the same media
// with the same lines.
#pragma once

#include <string>

struct MediumFields {
    std::string outFolder;
    std::string launcherName; // "" for Launcher.exe
    std::string content;      // "" for a medium without content files
    std::string label;
    std::string icon;
};

// Lays out the saved menu folder as a medium with launcher (the Launcher.exe
// to copy). Returns the report for a box: where the medium is, then any
// warnings. DesignError listing every problem, one per line, when the medium
// is refused (nothing is then written) or a file cannot be written.
std::string BuildMediumFromFields(const MediumFields& fields, const std::string& menuFolder,
                                  const std::string& launcher);
