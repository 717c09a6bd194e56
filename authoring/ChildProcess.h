// Starting the Debian tools a medium needs (xorriso, osslsigncode) with an
// argument vector, never through a shell, so no name or label is ever read as
// shell syntax. The Windows build of ctrpack has none of them.
#pragma once

#include <string>
#include <vector>

struct ChildResult {
    int exitCode = -1;  // -1 when it ended on a signal
    std::string output; // standard output and error together, the last 16 KiB
};

// Whether programs can be started at all (false in the Windows build).
bool CanStartPrograms();
// The program's path on PATH, or "" when it is not there.
std::string FindOnPath(const std::string& program);
// Runs argv[0] (found on PATH) with the arguments, standard input empty, and
// waits for it. AuthoringError naming the program when it cannot be started.
ChildResult RunChild(const std::vector<std::string>& argv);
