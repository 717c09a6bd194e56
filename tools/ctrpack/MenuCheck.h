// What the launcher would refuse in a menu, found before it ships: missing
// entries, pictures that are no valid bitmap, and configuration lines that
// are missing or fail their format or range on any road (launch mode,
// requirement mode, direct start, the clicks).
#pragma once

#include <string>
#include <vector>

#include "tools/ctrpack/MenuFolder.h"

// One text per problem, each naming where it is: "FILE:LINE: line N (what):
// ..." for a configuration file of its own, "SOURCE: line N (what): ..." for
// a container's entry, "SOURCE: ..." for an entry as a whole, "MENU: ..." for
// the menu (folder or container) as a whole. Empty when the launcher would
// take the menu as it is.
std::vector<std::string> CheckMenu(const std::string& menuName,
                                   const std::vector<MenuEntry>& entries);
