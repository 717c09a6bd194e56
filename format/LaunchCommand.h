// The command line of a launch: the executable folder, the configured program
// (with any arguments of its own) and the chosen option's parameters. Pure
// text work; the file-system question is passed in so tests can answer it.
#pragma once

#include <functional>
#include <string>

using TFileExistsQuery = std::function<bool(const std::string& path)>;

// An option line's two parts: the name shown in the option list and the
// parameters a launch with it adds.
struct OptionEntry {
    std::string name;
    std::string parameters;
    bool operator==(const OptionEntry&) const = default;
};

// The line split at its first ";" (all name without one).
OptionEntry SplitOptionLine(const std::string& optionLine);
// The line that splits into option: "name;parameters", or the name alone
// when there are no parameters.
std::string JoinOptionLine(const OptionEntry& option);

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

// How the shell takes an "open" target: an address (a scheme of two or more
// letters before ':', as "https:" or "mailto:"; one letter is a drive), a
// path from a root ("C:\...", "\\server\...", "\..."), or a path relative to
// the working folder. The launcher opens relative targets with its own
// folder as the working folder, so that they are found beside it wherever
// it was started from.
enum class ShellTargetKind { Empty, Address, Rooted, Relative };
ShellTargetKind ClassifyShellTarget(const std::string& target);
