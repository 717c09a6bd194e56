// "Config.log": the three lines that remember the user's last choice.
//   0  "-1" to start the program directly next time, else "0"
//   1  "-1" when DirectX sufficed at the time of writing, else "0"
//   2  the chosen option's index, "-1" for none
#pragma once

#include <cstdint>
#include <optional>
#include <string>

class TStringList;

inline constexpr const char* kConfigLogName = "Config.log";

struct TRememberedChoice {
    bool AutoStart = false; // line 0 is exactly "-1"
    int8_t SavedOption = 0; // line 2
};

// The choice the lines record, or nothing when they are damaged: fewer than
// three lines, or a line 2 that is no integer or lies outside -128..127.
// A damaged file counts as absent, so a half-written or foreign file can
// never start a program directly.
std::optional<TRememberedChoice> ParseConfigLog(const TStringList& lines);

// The three lines to write.
void FillConfigLog(TStringList& lines, bool rememberChoice, bool directXOk, int optionIndex);
