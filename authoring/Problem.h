// A problem found in a menu, as data: the tool prints it as one line, the
// designer lists it and selects what it names.
#pragma once

#include <string>
#include <vector>

enum class Severity { Error, Warning };

struct Problem {
    Severity severity = Severity::Error;
    std::string file; // where it came from: a file, or "CONTAINER entry N"
    int line = 0;     // 1-based line in file; 0 = the file or the menu as a whole
    // The menu.ini section and key, or an empty section with the place in the
    // launcher's own terms as key ("line 44 (button font size)").
    std::string section;
    std::string key;
    std::string text; // what is wrong; what is allowed
    // The configuration line it is about (a SettingId for lines 0 to 71, an
    // option line from 72), so a designer can select the setting; -1: none.
    int configLine = -1;

    // "FILE:LINE: [Section] Key: text", leaving out what is unknown.
    std::string Format() const;
};

bool HasErrors(const std::vector<Problem>& problems);
// The number of errors among the problems.
int ErrorCount(const std::vector<Problem>& problems);
// Each problem's Format(), in order.
std::vector<std::string> FormatAll(const std::vector<Problem>& problems);
