// menu.ini: the menu's settings under names authors read, turned into the
// launcher's configuration texts and back.
//
// Values. Every key accepts the text the launcher reads, as it is ("$FF",
// "-12", "True"). Some kinds also take a friendly form, turned into launcher
// text: yes/no for shown and for the "-1" switches (-1 and 0), #RRGGBB for
// colours ($00BBGGRR, or decimal for the check box), none/vertical/
// horizontal/both for scroll bars, sound event names for the sound digits.
// A value in double quotes is always the launcher's text exactly, never a
// friendly form.
//
// Lines that carry two settings. The font sizes (FontSize + Bold: "-12" is 12
// bold), the check box's colour (FontColor + Shown: colour 0 hides it) and the
// sounds (Start, Enter, Press, Leave: four digits) are written from their two
// or four keys. Bold and Shown need a plain FontSize or FontColor to combine
// with; a line whose text they cannot give is written whole in the key that
// carries it (FontSize="$0C", FontColor=$FF, Digits=1234 and more).
//
// The writer writes the friendly form where reading it gives back the exact
// text, the plain text where that reads back the same, the quoted text
// otherwise; keys equal to their default are left out.
//
// Defaults. A key left out takes the table's default; a button section that
// is present is shown unless Shown=no, one left out is hidden (and placed at
// 0, 0: a hidden button needs no place); the check box is shown (in a nearly
// black #010000) when its section is present and hidden otherwise. Count
// defaults to the number of Option keys; ButtonPressed and ButtonOver default
// to Button's file, CheckBoxTicked to CheckBox's.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "authoring/Problem.h"

struct MenuIniResult {
    MenuDocument menu; // settings and the file names of notice, pictures and extra entries
    MenuOrigins origins;
};

// Reads menu.ini text. Syntax errors, unknown sections and keys, and values
// that give no launcher text become problems naming fileName and the line;
// the launcher's own checks are CheckMenu's.
MenuIniResult ReadMenuIni(const std::string& fileName, std::string_view text,
                          std::vector<Problem>& problems);

// menu.ini text that ReadMenuIni turns back into exactly menu's texts and
// entry layout; the notice, pictures and extra entries are named by their
// fileName (an empty entry by an empty value).
std::string WriteMenuIni(const MenuDocument& menu);

// text (a menu.ini as its author wrote it) changed so that it reads as menu:
// only the lines of the settings that read differently are rewritten in
// place, keys it lacks are added at the end of their section, and every
// other line (comments, blank lines, order, spelling, line ends) stays byte
// for byte. Where that cannot give menu, the whole of WriteMenuIni(menu).
std::string UpdateMenuIni(std::string_view text, const MenuDocument& menu);
