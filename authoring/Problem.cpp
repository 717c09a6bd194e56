#include "authoring/Problem.h"

std::string Problem::Format() const {
    std::string out = file;
    if (line > 0)
        out += ":" + std::to_string(line);
    // A problem of the menu as a whole, named by no file, starts with its text.
    if (!out.empty())
        out += ": ";
    if (severity == Severity::Warning)
        out += "warning: ";
    if (!section.empty())
        out += "[" + section + "] ";
    if (!key.empty())
        out += key + ": ";
    else if (!section.empty())
        out.back() = ':', out += ' ';
    return out + text;
}

bool HasErrors(const std::vector<Problem>& problems) {
    for (const Problem& problem : problems)
        if (problem.severity == Severity::Error)
            return true;
    return false;
}

std::vector<std::string> FormatAll(const std::vector<Problem>& problems) {
    std::vector<std::string> lines;
    for (const Problem& problem : problems)
        lines.push_back(problem.Format());
    return lines;
}

int ErrorCount(const std::vector<Problem>& problems) {
    int count = 0;
    for (const Problem& problem : problems)
        count += problem.severity == Severity::Error ? 1 : 0;
    return count;
}
