// What each of the menu's ten shaped buttons does, one row per button group:
// its command, the configuration line a click reads, how its press sound
// plays and in which modes it may be shown. The launcher's click and press
// handlers are entries into this table.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

#include "format/MenuSettings.h"

enum class ButtonCommand : uint8_t {
    None,       // only its look changes (groups 5 to 10)
    OpenAndEnd, // opens its target through the shell, writes "Config.log" and ends
    Quit,       // ends without writing "Config.log"
    Launch,     // starts the program with the chosen option, writes "Config.log" and ends
    Open,       // opens its target through the shell; the menu stays, nothing is written
};

// How the press sound plays. Sync holds the click until the sound has ended,
// so the quit and launch buttons act only after it.
enum class PressSound : uint8_t { Async, Sync };

struct ButtonAction {
    int group; // 1 to 10: lines 4g - 3 to 4g, and the button whose Tag is g
    ButtonCommand command;
    std::optional<SettingId> target; // the line a click reads
    PressSound press;
    uint8_t modes; // Road bits (kLaunchMode, kRequirementMode) in which it may be shown
};

// Groups 1 to 10 in order.
std::span<const ButtonAction> ButtonActions();
// The row of group 1 to 10.
const ButtonAction& ButtonActionOf(int group);
