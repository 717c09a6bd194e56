#include "format/LaunchCommand.h"

namespace {

// True when the last path component has no extension, so that Windows would
// try the name with ".exe" added.
bool LacksExtension(const std::string& path) {
    std::string::size_type nameStart = path.find_last_of("\\/:");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    return path.find('.', nameStart) == std::string::npos;
}

bool NamesFile(const std::string& path, const TFileExistsQuery& fileExists) {
    return fileExists(path) || (LacksExtension(path) && fileExists(path + ".exe"));
}

} // namespace

OptionEntry SplitOptionLine(const std::string& optionLine) {
    const std::string::size_type semicolon = optionLine.find(';');
    if (semicolon == std::string::npos)
        return {optionLine, ""};
    return {optionLine.substr(0, semicolon), optionLine.substr(semicolon + 1)};
}

std::string JoinOptionLine(const OptionEntry& option) {
    return option.parameters.empty() ? option.name : option.name + ";" + option.parameters;
}

std::string OptionName(const std::string& optionLine) {
    return SplitOptionLine(optionLine).name;
}

std::string OptionParameters(const std::string& optionLine) {
    return " " + SplitOptionLine(optionLine).parameters;
}

std::string::size_type ProgramNameLength(const std::string& program,
                                         const TFileExistsQuery& namesFile) {
    std::string::size_type firstWordEnd = std::string::npos;
    std::string::size_type pos = 0;
    while (pos < program.size()) {
        std::string::size_type wordStart = program.find_first_not_of(' ', pos);
        if (wordStart == std::string::npos)
            break;
        std::string::size_type wordEnd = program.find(' ', wordStart);
        if (wordEnd == std::string::npos)
            wordEnd = program.size();
        if (firstWordEnd == std::string::npos)
            firstWordEnd = wordEnd;
        if (namesFile(program.substr(0, wordEnd)))
            return wordEnd;
        pos = wordEnd;
    }
    return firstWordEnd == std::string::npos ? program.size() : firstWordEnd;
}

std::string BuildLaunchCommand(const std::string& folder, const std::string& program,
                               const std::string& parameters, const TFileExistsQuery& fileExists) {
    std::string::size_type nameLength = ProgramNameLength(
        program, [&](const std::string& name) { return NamesFile(folder + name, fileExists); });
    std::string programPath = folder + program.substr(0, nameLength);
    if (programPath.find(' ') == std::string::npos)
        return folder + program + parameters;
    return "\"" + programPath + "\"" + program.substr(nameLength) + parameters;
}

ShellTargetKind ClassifyShellTarget(const std::string& target) {
    if (target.empty())
        return ShellTargetKind::Empty;
    const std::string::size_type colon = target.find(':');
    if (colon == 1)
        return ShellTargetKind::Rooted; // a drive
    if (colon != std::string::npos && colon >= 2) {
        bool scheme = true;
        for (std::string::size_type i = 0; i < colon && scheme; ++i) {
            const char c = target[i];
            const bool letter = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
            scheme =
                letter || (i > 0 && ((c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.'));
        }
        if (scheme)
            return ShellTargetKind::Address;
    }
    if (target[0] == '\\' || target[0] == '/')
        return ShellTargetKind::Rooted;
    return ShellTargetKind::Relative;
}
