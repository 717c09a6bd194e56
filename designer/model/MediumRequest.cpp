#include "designer/model/MediumRequest.h"

#include "authoring/MediumBuild.h"
#include "designer/model/DesignError.h"

namespace {

// Leading and trailing blanks a pasted path or label brings along.
std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t\r\n");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Lines(const std::vector<Problem>& problems, Severity only) {
    std::string lines;
    for (const Problem& problem : problems)
        if (problem.severity == only)
            lines += (only == Severity::Error ? "Error: " : "Warning: ") + problem.Format() + "\n";
    return lines;
}

} // namespace

std::string BuildMediumFromFields(const MediumFields& fields, const std::string& menuFolder,
                                  const std::string& launcher) {
    MediaOptions options;
    options.menuFolder = menuFolder;
    options.outFolder = Trimmed(fields.outFolder);
    if (options.outFolder.empty())
        throw DesignError("The medium needs an output folder (a new or empty folder).");
    if (!Trimmed(fields.launcherName).empty())
        options.launcherName = Trimmed(fields.launcherName);
    options.launcher = launcher;
    options.content = Trimmed(fields.content);
    options.label = Trimmed(fields.label);
    options.icon = Trimmed(fields.icon);

    const MediumOutcome outcome = BuildMedium(options);
    const std::string warnings = Lines(outcome.problems, Severity::Warning);
    if (!outcome.written)
        throw DesignError(Lines(outcome.problems, Severity::Error) + warnings +
                          std::to_string(ErrorCount(outcome.problems)) +
                          " problem(s) on the medium; nothing written.");
    return "The medium is in " + options.outFolder + " (start " + options.launcherName + ").\n" +
           warnings;
}
