// The value forms of menu.ini shared by its reader and writer: the friendly
// forms (yes/no, #RRGGBB, scroll bar names), the quoting that keeps a text
// exact, and the defaults that depend on whether a section is present.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "authoring/MenuDocument.h"
#include "format/MenuSettings.h"

// Sections in the order the writer puts them.
extern const std::string_view kMenuIniSections[18];

// The number after prefix in a key such as "Option12" (no leading zero, at
// most nine digits), or nullopt.
std::optional<int> NumberAfter(std::string_view key, std::string_view prefix);
// [Install], [Quit], [Launch], [Web] and [Button5] to [Button10].
bool IsButtonSection(std::string_view section);
// "#RRGGBB" as the launcher's colour value 0x00BBGGRR, or nullopt.
std::optional<uint32_t> HashColour(std::string_view value);
// The launcher's colour value 0x00BBGGRR as "#RRGGBB".
std::string HashText(uint32_t colour);
// yes or no in any case, or nullopt.
std::optional<bool> YesNo(std::string_view value);
// One or more decimal digits and nothing else.
bool PlainDigits(std::string_view text);

// The launcher text a one-key value gives: a quoted value as it stands, a
// friendly form turned into launcher text, anything else as it stands.
std::string SimpleText(SettingKind kind, const std::string& value, bool quoted);
// text as written in menu.ini so that SimpleText gives it back: plain where
// that reads back the same, quoted otherwise.
std::string Verbatim(SettingKind kind, const std::string& text);
// The friendly form of text where reading it gives text back, else Verbatim.
std::string Friendly(SettingKind kind, const std::string& text);
// [Container] LineEnds: the list's line ends from line 0 on as runs,
// "CRLF", "LF" or "CR" each with "*N" for N lines in a row, and a last
// "none" for a last line without an end ("LF*74" or "CRLF*41, LF, none").
std::string LineEndsText(const std::vector<LineEnd>& ends);
// The ends the text gives, or nullopt with error set.
std::optional<std::vector<LineEnd>> ParseLineEnds(std::string_view text, std::string& error);

// A line's default text with its section present or left out: a button or
// the check box left out is hidden, and a hidden button needs no place.
std::string DefaultText(const SettingInfo& row, bool present);
