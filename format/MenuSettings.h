// Every setting of a launcher menu, described once: which configuration line
// carries it, where it stands in menu.ini, how its text is read, its range,
// default, label and help text, and on which roads the launcher reads it. The
// menu.ini reader and writer, the configuration-list import and export, the
// checks and the designer's property panel all walk this one table.
//
// Names in menu.ini (sections and keys; both matched without regard to case):
//   [Window]    MinimumDirectX Caption Border FontName
//   [Install]   Shown Left Top Caption Open     (button group 1, requirement mode)
//   [Quit]      Shown Left Top Caption          (button group 2)
//   [Launch]    Shown Left Top Caption Program  (button group 3, launch mode)
//   [Web]       Shown Left Top Caption Open     (button group 4)
//   [Button5] ... [Button10]  Shown Left Top Caption (buttons without a command)
//   [Buttons]   FontSize Bold FontColor         (shared by every button)
//   [CheckBox]  Shown Caption Left Top FontSize Bold FontColor
//   [Notice]    Text Color Left Top Width Height FontSize Bold FontColor
//               ScrollBars WordWrap
//   [Sounds]    Start Enter Press Leave (event names) or Digits (the line as is)
//   [Options]   Width Left Top Color FontSize Bold FontColor Count Option1...
//   [Pictures]  Background Button ButtonPressed ButtonOver CheckBox
//               CheckBoxTicked
//   [Container] Line70 Lines Entries Entry9... (what the launcher never reads,
//               kept so a container taken apart builds again unchanged)
// A row's key is the one that carries the whole line; "companion" rows (Bold,
// the check box's Shown, the four sound events) set part of a line that
// another key carries and exist only in menu.ini.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

// One id per configuration line the launcher knows; the value is the line's
// 0-based index. Option lines (72 on) are a list of their own.
enum class SettingId : uint8_t {
    MinimumDirectX = 0,
    InstallShown = 1,
    InstallLeft,
    InstallTop,
    InstallCaption,
    QuitShown = 5,
    QuitLeft,
    QuitTop,
    QuitCaption,
    LaunchShown = 9,
    LaunchLeft,
    LaunchTop,
    LaunchCaption,
    WebShown = 13,
    WebLeft,
    WebTop,
    WebCaption,
    // Buttons 5 to 10: group g starts at line 4g - 3.
    Button5Shown = 17,
    Button10Caption = 40,
    WindowCaption = 41,
    InstallOpen = 42,
    LaunchProgram = 43,
    ButtonFontSize = 44,
    ButtonFontColor = 45,
    FontName = 46,
    CheckBoxCaption = 47,
    CheckBoxLeft,
    CheckBoxTop,
    WindowBorder = 50,
    NoticeColor = 51,
    NoticeLeft,
    NoticeTop,
    NoticeWidth,
    NoticeHeight,
    NoticeFontSize = 56,
    NoticeFontColor,
    NoticeScrollBars,
    NoticeWordWrap,
    Sounds = 60,
    WebOpen = 61,
    OptionsWidth = 62,
    OptionsLeft,
    OptionsTop,
    OptionsColor,
    OptionsFontSize,
    OptionsFontColor,
    CheckBoxFontSize = 68,
    CheckBoxFontColor = 69,
    Unread70 = 70,
    OptionCount = 71,
};

// Lines 0 to 71; option lines follow from line 72.
inline constexpr int kFixedLines = 72;
inline constexpr int kFirstOptionLine = 72;
inline constexpr int kButtonGroups = 10;

constexpr int LineOf(SettingId id) {
    return static_cast<int>(id);
}
// The four lines of a button group, in order.
inline constexpr int kButtonShown = 0;
inline constexpr int kButtonLeft = 1;
inline constexpr int kButtonTop = 2;
inline constexpr int kButtonCaption = 3;
// Line 4g - 3 + part of button group g (1 to 10).
constexpr SettingId ButtonSetting(int group, int part) {
    return static_cast<SettingId>(4 * group - 3 + part);
}
// The button group a line belongs to, 0 for a line of no group.
constexpr int ButtonGroupOfLine(int line) {
    return line >= 1 && line <= 4 * kButtonGroups ? (line + 3) / 4 : 0;
}

// How the launcher reads a line's text (and which friendly forms menu.ini
// accepts for it besides that text).
enum class SettingKind : uint8_t {
    Text,           // verbatim
    Integer,        // the runtime's integer conversion, within low..high
    Boolean,        // number (0 false) or True/False; menu.ini also yes/no
    Colour,         // integer $00BBGGRR; menu.ini also #RRGGBB
    Switch,         // exactly "-1" or anything else; menu.ini also yes/no
    ScrollBars,     // integer; menu.ini also none/vertical/horizontal/both
    BoldFontSize,   // integer, negative = bold; menu.ini FontSize + Bold
    CheckBoxColour, // decimal integer: colour, and 0 hides the check box
    SoundDigits,    // four digits; menu.ini Start/Enter/Press/Leave names
    Unread,         // kept, never read
};

// Which part of a line a menu.ini key sets.
enum class KeyPart : uint8_t {
    Whole,      // the line's text (or its friendly form)
    Bold,       // the sign of a BoldFontSize line
    Shown,      // whether the check box's colour is 0
    StartSound, // sound digits 1 to 4
    EnterSound,
    PressSound,
    LeaveSound,
};

// How the launcher's reading of a line departs from its kind, so the checks
// and the documentation need not know lines by number.
enum Quirk : uint8_t {
    kReadPerShownButton = 1, // read once for every shown button: with none shown, any text passes
    kAbsoluteValue = 2,      // the launcher takes the number's absolute value
    kSignedFontSize = 4,     // the size is passed on with its sign, and negative also means bold
    kShownInLaunchMode = 8,  // in launch mode the same text, read as a Boolean, shows the element
    kEmptyPassesAll = 16,    // an empty text lets every installed version pass
};

// Roads on which the launcher reads a line.
enum Road : uint8_t {
    kLaunchMode = 1,      // menu window, DirectX sufficient
    kRequirementMode = 2, // menu window, DirectX too old
    kDirectStart = 4,     // no menu: the remembered option is started
    kOnClick = 8,         // read when a button is clicked
};

struct SettingInfo {
    SettingId id;
    KeyPart part;
    std::string_view section;
    std::string_view key;
    SettingKind kind;
    int64_t low, high;      // Integer range of the launcher's reading
    std::string_view text;  // default launcher text when the key is left out
    std::string_view label; // short name used in messages ("button font size")
    std::string_view help;  // one sentence for authors
    uint8_t roads;          // Road bits; 0 = never read
    uint8_t quirks = 0;     // Quirk bits
};

// Every row, whole-line rows in line order first (row i is line i for i < 72),
// then the companion rows.
std::span<const SettingInfo> SettingTable();
const SettingInfo& Setting(SettingId id);
// The row for a menu.ini key, or nullptr (case-insensitive).
const SettingInfo* FindSetting(std::string_view section, std::string_view key);

// The words menu.ini takes for a row, in the order of the launcher values
// they stand for: yes/no (-1, 0) for shown, the switches and Bold; none,
// vertical, horizontal, both (0 to 3) for scroll bars; the sound names
// (digits 0 to 9) for the four sounds. Empty for rows without choices. The
// designer offers them in a drop-down list.
std::span<const std::string_view> Choices(const SettingInfo& row);

// The launcher's name for sound digits 1 to 8, "none" for 0 and "NoName" for
// 9 (on, without a name).
std::string_view SoundName(int digit);
// The digit of a sound name (any case), or nullopt.
std::optional<int> SoundDigit(std::string_view name);

// Case-insensitive ASCII comparison, as menu.ini names are matched.
bool SameName(std::string_view a, std::string_view b);
