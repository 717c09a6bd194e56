// The command line of a launch: the executable folder, the configured program
// (with any arguments of its own) and the chosen option's parameters. Pure
// text work; the file-system question is passed in so tests can answer it.
#pragma once

#include <functional>
#include <string>

using TFileExistsQuery = std::function<bool(const std::string& path)>;

// The text before an option line's first ";" (the whole line without one).
std::string OptionName(const std::string& optionLine);
// What a chosen option adds to the command line: one blank, then the text
// after the line's first ";" (only the blank when there is none).
std::string OptionParameters(const std::string& optionLine);

// The length of program's leading part that names the program file: the
// shortest run of leading words (up to a blank) for which namesFile holds,
// else the first word.
std::string::size_type ProgramNameLength(const std::string& program,
                                         const TFileExistsQuery& namesFile);

// folder + program + parameters, joined directly. Where that path would hold
// a blank, Windows would try each blank as the end of the program's name,
// starting with the shortest, and could start a program outside the folder
// ("C:\My Game\Game.exe" runs "C:\My.exe" when that exists). So the folder
// and the program's name are then quoted together. The name is the shortest
// run of program's leading words that names an existing file in the folder
// (also with ".exe" added, as Windows adds it), else its first word. Without
// a blank in that path the command is left exactly as joined.
std::string BuildLaunchCommand(const std::string& folder, const std::string& program,
                               const std::string& parameters, const TFileExistsQuery& fileExists);
