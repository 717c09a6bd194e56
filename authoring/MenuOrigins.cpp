#include "authoring/MenuOrigins.h"

Problem SettingOrigin::At(std::string text, Severity severity) const {
    Problem problem;
    problem.severity = severity;
    problem.file = file;
    problem.line = line;
    problem.section = section;
    problem.key = key;
    problem.text = std::move(text);
    problem.configLine = configLine;
    return problem;
}

MenuOrigins ListOrigins(const std::string& menuName, const std::string& source, bool isFile,
                        int tailLines) {
    MenuOrigins origins;
    origins.menu.file = menuName;
    origins.list.file = source;
    for (int line = 0; line < kFixedLines; ++line) {
        SettingOrigin& origin = origins.lines[line];
        origin.file = source;
        origin.line = isFile ? line + 1 : 0;
        origin.configLine = line;
        origin.key =
            "line " + std::to_string(line) + " (" + std::string(SettingTable()[line].label) + ")";
    }
    for (int i = 0; i < tailLines; ++i) {
        const int line = kFirstOptionLine + i;
        origins.tail.push_back(
            {source, isFile ? line + 1 : 0, "",
             "line " + std::to_string(line) + " (option " + std::to_string(i + 1) + ")"});
    }
    return origins;
}
