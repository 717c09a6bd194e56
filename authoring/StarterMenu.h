// The small working menu that `ctrpack new` writes: a menu.ini and the
// pictures it names, drawn here so the tool needs no picture files of its own.
// The pictures are PNG files with an alpha channel, the way authors' own
// drawing programs save them.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct StarterFile {
    std::string name; // a plain file name, no folder
    std::vector<uint8_t> bytes;
};

// Every file of the starter menu, menu.ini first.
std::vector<StarterFile> StarterMenuFiles();
