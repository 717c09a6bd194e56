// One configuration line as menu.ini's keys: the keys (and values) the writer
// gives a line's text, and the line a changed key gives when read back with
// the reader's own rules. The designer's property panel shows and edits a
// line key by key (FontSize and Bold, FontColor and Shown, the four sounds).
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "format/MenuSettings.h"

// The keys and their written values (friendly, plain or quoted) that menu.ini
// gives the line of row (a whole-line row) with text.
std::vector<std::pair<std::string, std::string>> MenuIniKeys(const SettingInfo& row,
                                                             const std::string& text);

// The value the key of row (a whole-line or companion row) has in menu.ini
// for its line's text; a key the line leaves out shows what reading it gives:
// "no" for Bold, "yes" for Shown, "none" for a sound, "" otherwise.
std::string MenuIniKeyValue(const SettingInfo& row, const std::string& lineText);

struct MenuIniKeyEdit {
    std::string text;  // the line's new launcher text
    std::string error; // empty when the reader takes the value
};
// The line that menu.ini gives when row's key is written as value (as an
// author types it: a friendly form, plain text, or "quoted" text taken
// exactly) and the line's other keys stay as lineText gives them. The value
// goes through the menu.ini reader itself, so a refused value gets the
// reader's message.
MenuIniKeyEdit EditMenuIniKey(const SettingInfo& row, const std::string& lineText,
                              const std::string& value);
