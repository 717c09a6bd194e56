// The names of the fonts installed for the screen, for font pickers.
#pragma once

#include <string>
#include <vector>

// Every font family of the screen once (EnumFontFamiliesExA over all
// character sets), sorted without regard to case; vertical variants ("@...")
// are left out.
std::vector<std::string> ScreenFontNames();
