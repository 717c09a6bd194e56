// Whether the launcher reads a line's new text: the model's own checks
// (CheckMenu), run for that one line whatever the mode, so a value that only
// requirement mode reads is checked while the author sees launch mode.
#pragma once

#include <string>

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"

// Origins of a menu.ini named file whose every line stands under its own key.
MenuOrigins MenuIniOrigins(const std::string& file);

// What the launcher would refuse in text as line id of menu; "" when it takes it.
std::string LineProblem(const MenuDocument& menu, SettingId id, const std::string& text);
