// What the launcher would refuse in a menu, found before it ships: entries it
// needs that are missing, pictures that are no valid bitmap or whose sizes do
// not match, and configuration lines that are missing or fail their format or
// range on any road (launch mode, requirement mode, direct start, the
// clicks). Range and format rules come from the settings table; the rules
// that join settings (which road reads what) are here.
#pragma once

#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"

// Empty when the launcher takes the menu as it is.
std::vector<Problem> CheckMenu(const MenuDocument& menu, const MenuOrigins& origins);
