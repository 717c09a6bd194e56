// Where each part of a MenuDocument came from, so that a problem names the
// file, line, section and key an author has to change.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/Problem.h"

struct SettingOrigin {
    std::string file;
    int line = 0; // 0: not on a line of its own (a default, or a container entry)
    std::string section;
    std::string key;
    bool given = true;   // false: the menu.ini left it out and it took its default
    int configLine = -1; // the configuration line it gives, -1 for none

    // A problem with this origin.
    Problem At(std::string text, Severity severity = Severity::Error) const;
};

struct MenuOrigins {
    SettingOrigin menu; // the menu as a whole: its folder or container
    SettingOrigin list; // the configuration list as a whole
    std::array<SettingOrigin, kFixedLines> lines;
    std::vector<SettingOrigin> tail; // lines from 72 on
    SettingOrigin notice;
    std::array<SettingOrigin, kPictureCount> pictures;
    std::vector<SettingOrigin> extra; // entries 9 and on
    SettingOrigin entries;            // what sets how many entries there are
    bool fromMenuIni = false;         // names are menu.ini keys rather than launcher lines
};

// Origins for a configuration list read from source: a file of its own
// (isFile: its line numbers are named) or a container entry. The menu is
// menuName; pictures are named by their entries' sources.
MenuOrigins ListOrigins(const std::string& menuName, const std::string& source, bool isFile,
                        int tailLines);
