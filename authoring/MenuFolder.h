// A menu folder: the launcher's container as plain files, one per entry,
// named "N-anything" with N the entry number (1 to 255, no leading zero).
// Files of other names are not entries and are left out.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "authoring/MenuDocument.h"

struct MenuEntry {
    int number = 0;
    std::string source;  // where it came from, for messages: a file, or "CONTAINER entry N"
    bool isFile = false; // source is a file of its own, so its lines can be named in it
    std::vector<uint8_t> bytes;
};

// The entry number a file name gives, or 0 when the name is no entry's.
int MenuEntryNumber(const std::string& fileName);

// The folder's entries in number order. Raises AuthoringError naming the folder
// or the file when the folder cannot be read, two files give one number, a
// number is missing below the highest, or the container would outgrow its
// limits (read sizes are checked before any bytes are read).
std::vector<MenuEntry> ReadMenuFolder(const std::string& folder);

// The entries of a container that the launcher reads, descrambled (AuthoringError
// when one cannot be read); entriesHeld tells how many the container holds.
std::vector<MenuEntry> ReadMenuContainer(const std::string& container, int& entriesHeld);
