#include "format/MenuSettings.h"

#include <array>
#include <cstdint>

namespace {

constexpr int64_t kMin32 = INT32_MIN;
constexpr int64_t kMax32 = INT32_MAX;
constexpr uint8_t kMenu = kLaunchMode | kRequirementMode;

using K = SettingKind;
using P = KeyPart;
using S = SettingId;

// A button group's four lines. Buttons left out of menu.ini are hidden; the
// default places stack them down the left edge (the install and launch
// buttons share a place: the launcher never shows both).
#define OVALYN_BUTTON(g, section, top, name)                                                       \
    {ButtonSetting(g, 0),                                                                          \
     P::Whole,                                                                                     \
     section,                                                                                      \
     "Shown",                                                                                      \
     K::Boolean,                                                                                   \
     0,                                                                                            \
     0,                                                                                            \
     "0",                                                                                          \
     "button " #g " shown",                                                                        \
     "Whether the " name " is shown (yes/no).",                                                    \
     kMenu},                                                                                       \
        {ButtonSetting(g, 1),                                                                      \
         P::Whole,                                                                                 \
         section,                                                                                  \
         "Left",                                                                                   \
         K::Integer,                                                                               \
         0,                                                                                        \
         65535,                                                                                    \
         "20",                                                                                     \
         "button " #g " Left",                                                                     \
         "Distance of the " name " from the window's left edge.",                                  \
         kMenu},                                                                                   \
        {ButtonSetting(g, 2),                                                                      \
         P::Whole,                                                                                 \
         section,                                                                                  \
         "Top",                                                                                    \
         K::Integer,                                                                               \
         0,                                                                                        \
         65535,                                                                                    \
         top,                                                                                      \
         "button " #g " Top",                                                                      \
         "Distance of the " name " from the window's top edge.",                                   \
         kMenu},                                                                                   \
    {                                                                                              \
        ButtonSetting(g, 3), P::Whole, section, "Caption", K::Text, 0, 0, "",                      \
            "button " #g " caption", "Text on the " name ".", kMenu                                \
    }

constexpr SettingInfo kTable[] = {
    {S::MinimumDirectX, P::Whole, "Window", "MinimumDirectX", K::Text, 0, 0, "",
     "lowest DirectX version",
     "Installed DirectX versions below this text (compared byte by byte) get the notice and the "
     "install button instead of the launch button; empty: every version passes.",
     kLaunchMode | kRequirementMode | kDirectStart, kEmptyPassesAll},
    OVALYN_BUTTON(1, "Install", "20", "install button (requirement mode only)"),
    OVALYN_BUTTON(2, "Quit", "100", "quit button"),
    OVALYN_BUTTON(3, "Launch", "20", "launch button (launch mode only)"),
    OVALYN_BUTTON(4, "Web", "60", "web button"),
    OVALYN_BUTTON(5, "Button5", "140", "free button 5"),
    OVALYN_BUTTON(6, "Button6", "180", "free button 6"),
    OVALYN_BUTTON(7, "Button7", "220", "free button 7"),
    OVALYN_BUTTON(8, "Button8", "260", "free button 8"),
    OVALYN_BUTTON(9, "Button9", "300", "free button 9"),
    OVALYN_BUTTON(10, "Button10", "340", "free button 10"),
    {S::WindowCaption, P::Whole, "Window", "Caption", K::Text, 0, 0, "", "window caption",
     "Title of the window (seen in the task bar, and in the caption bar with a border).", kMenu},
    {S::InstallOpen, P::Whole, "Install", "Open", K::Text, 0, 0, "", "install button target",
     "File, folder or address the install button opens through the shell.", kOnClick},
    {S::LaunchProgram, P::Whole, "Launch", "Program", K::Text, 0, 0, "", "program",
     "Program started by the launch button, relative to the launcher's folder; may carry its "
     "own arguments after a blank.",
     kOnClick | kDirectStart},
    {S::ButtonFontSize, P::Whole, "Buttons", "FontSize", K::BoldFontSize, -65535, 65535, "9",
     "button font size", "Font size of every button caption, in points.", kMenu},
    {S::ButtonFontColor, P::Whole, "Buttons", "FontColor", K::Colour, kMin32, kMax32, "$00000000",
     "button font colour", "Colour of every button caption (#RRGGBB).", kMenu, kReadPerShownButton},
    {S::FontName, P::Whole, "Window", "FontName", K::Text, 0, 0, "Tahoma", "font name",
     "Font of the buttons, the check box and the option list.", kMenu},
    {S::CheckBoxCaption, P::Whole, "CheckBox", "Caption", K::Text, 0, 0, "Start directly next time",
     "check box caption", "Text beside the check box.", kMenu},
    {S::CheckBoxLeft, P::Whole, "CheckBox", "Left", K::Integer, kMin32, kMax32, "20",
     "check box Left", "Distance of the check box from the window's left edge.", kMenu},
    {S::CheckBoxTop, P::Whole, "CheckBox", "Top", K::Integer, kMin32, kMax32, "380",
     "check box Top", "Distance of the check box from the window's top edge.", kMenu},
    {S::WindowBorder, P::Whole, "Window", "Border", K::Switch, 0, 0, "-1", "window border",
     "yes: a framed window with a caption bar; no: only the background picture.", kMenu},
    {S::NoticeColor, P::Whole, "Notice", "Color", K::Colour, kMin32, kMax32, "$00FFFFFF",
     "notice colour", "Background colour of the notice box (#RRGGBB).", kRequirementMode},
    {S::NoticeLeft, P::Whole, "Notice", "Left", K::Integer, kMin32, kMax32, "140", "notice Left",
     "Distance of the notice box from the window's left edge.", kRequirementMode},
    {S::NoticeTop, P::Whole, "Notice", "Top", K::Integer, kMin32, kMax32, "20", "notice Top",
     "Distance of the notice box from the window's top edge.", kRequirementMode},
    {S::NoticeWidth, P::Whole, "Notice", "Width", K::Integer, kMin32, kMax32, "300", "notice Width",
     "Width of the notice box.", kRequirementMode},
    {S::NoticeHeight, P::Whole, "Notice", "Height", K::Integer, kMin32, kMax32, "120",
     "notice Height", "Height of the notice box.", kRequirementMode},
    {S::NoticeFontSize, P::Whole, "Notice", "FontSize", K::BoldFontSize, -kMax32, kMax32, "9",
     "notice font size", "Font size of the notice text, in points.", kRequirementMode},
    {S::NoticeFontColor, P::Whole, "Notice", "FontColor", K::Colour, kMin32, kMax32, "$00000000",
     "notice font colour", "Colour of the notice text (#RRGGBB).", kRequirementMode},
    {S::NoticeScrollBars, P::Whole, "Notice", "ScrollBars", K::ScrollBars, kMin32, kMax32, "0",
     "notice scroll bars", "Scroll bars of the notice box: none, vertical, horizontal or both.",
     kRequirementMode},
    {S::NoticeWordWrap, P::Whole, "Notice", "WordWrap", K::Switch, 0, 0, "-1", "notice word wrap",
     "yes: long notice lines wrap; no: they scroll.", kRequirementMode},
    {S::Sounds, P::Whole, "Sounds", "Digits", K::SoundDigits, 0, 0, "0000", "sound digits",
     "The launcher's four sound digits as they are; instead of Start, Enter, Press and Leave.",
     kLaunchMode | kRequirementMode},
    {S::WebOpen, P::Whole, "Web", "Open", K::Text, 0, 0, "", "web button target",
     "File, folder or address the web button opens through the shell.", kOnClick},
    {S::OptionsWidth, P::Whole, "Options", "Width", K::Integer, kMin32, kMax32, "160",
     "option list Width", "Width of the option list.", kMenu},
    {S::OptionsLeft, P::Whole, "Options", "Left", K::Integer, kMin32, kMax32, "20",
     "option list Left", "Distance of the option list from the window's left edge.", kMenu},
    {S::OptionsTop, P::Whole, "Options", "Top", K::Integer, kMin32, kMax32, "410",
     "option list Top", "Distance of the option list from the window's top edge.", kMenu},
    {S::OptionsColor, P::Whole, "Options", "Color", K::Colour, kMin32, kMax32, "$00FFFFFF",
     "option list colour", "Background colour of the option list (#RRGGBB).", kMenu},
    {S::OptionsFontSize, P::Whole, "Options", "FontSize", K::BoldFontSize, -kMax32, kMax32, "9",
     "option list font size", "Font size of the option list, in points.", kMenu},
    {S::OptionsFontColor, P::Whole, "Options", "FontColor", K::Colour, -kMax32, kMax32, "$00000000",
     "option list font colour",
     "Colour of the option list's text (#RRGGBB; the launcher drops a minus sign).", kMenu,
     kAbsoluteValue},
    {S::CheckBoxFontSize, P::Whole, "CheckBox", "FontSize", K::BoldFontSize, kMin32, kMax32, "9",
     "check box font size", "Font size of the check box caption, in points.", kMenu,
     kSignedFontSize},
    {S::CheckBoxFontColor, P::Whole, "CheckBox", "FontColor", K::CheckBoxColour, kMin32, kMax32,
     "0", "check box font colour",
     "Colour of the check box caption (#RRGGBB, not black: black hides the check box).", kMenu,
     kShownInLaunchMode},
    {S::Unread70, P::Whole, "Container", "Line70", K::Unread, 0, 0, "", "line 70",
     "A line the launcher never reads, kept as it is.", 0},
    {S::OptionCount, P::Whole, "Options", "Count", K::Integer, kMin32, kMax32, "0",
     "number of options",
     "How many Option lines the launcher reads; left out: as many as there are. With fewer "
     "than two the list stays hidden and empty.",
     kMenu | kDirectStart},
    // Companions: keys that set part of a line another key carries.
    {S::ButtonFontSize, P::Bold, "Buttons", "Bold", K::BoldFontSize, 0, 0, "", "button font bold",
     "yes: bold button captions.", kMenu},
    {S::NoticeFontSize, P::Bold, "Notice", "Bold", K::BoldFontSize, 0, 0, "", "notice font bold",
     "yes: bold notice text.", kRequirementMode},
    {S::OptionsFontSize, P::Bold, "Options", "Bold", K::BoldFontSize, 0, 0, "",
     "option list font bold", "yes: bold option list.", kMenu},
    {S::CheckBoxFontSize, P::Bold, "CheckBox", "Bold", K::BoldFontSize, 0, 0, "",
     "check box font bold",
     "yes: bold check box caption (the launcher then passes the size "
     "on as a negative number).",
     kMenu},
    {S::CheckBoxFontColor, P::Shown, "CheckBox", "Shown", K::CheckBoxColour, 0, 0, "",
     "check box shown", "Whether the check box is shown in launch mode (yes/no).", kLaunchMode},
    {S::Sounds, P::StartSound, "Sounds", "Start", K::SoundDigits, 0, 0, "", "start sound",
     "System sound played when the launcher starts (SYSTEMSTART ... SYSTEMDEFAULT or none).",
     kLaunchMode | kRequirementMode},
    {S::Sounds, P::EnterSound, "Sounds", "Enter", K::SoundDigits, 0, 0, "", "enter sound",
     "System sound played when the pointer enters a button.", kMenu},
    {S::Sounds, P::PressSound, "Sounds", "Press", K::SoundDigits, 0, 0, "", "press sound",
     "System sound played when a button is pressed.", kMenu},
    {S::Sounds, P::LeaveSound, "Sounds", "Leave", K::SoundDigits, 0, 0, "", "leave sound",
     "System sound played when the pointer leaves a button.", kMenu},
};
#undef OVALYN_BUTTON

constexpr bool LinesInOrder() {
    for (int i = 0; i < kFixedLines; ++i)
        if (LineOf(kTable[i].id) != i || kTable[i].part != KeyPart::Whole)
            return false;
    for (std::size_t i = kFixedLines; i < std::size(kTable); ++i)
        if (kTable[i].part == KeyPart::Whole)
            return false;
    return true;
}
static_assert(LinesInOrder(), "rows 0 to 71 are the lines in order, companions after them");

constexpr std::string_view kSoundNames[] = {
    "none",           "SYSTEMSTART",       "SYSTEMEXIT",    "SYSTEMHAND",    "SYSTEMASTERISK",
    "SYSTEMQUESTION", "SYSTEMEXCLAMATION", "SYSTEMWELCOME", "SYSTEMDEFAULT", "NoName"};

constexpr std::string_view kYesNo[] = {"yes", "no"};
constexpr std::string_view kScrollBars[] = {"none", "vertical", "horizontal", "both"};

char Lower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

} // namespace

std::span<const SettingInfo> SettingTable() {
    return kTable;
}

const SettingInfo& Setting(SettingId id) {
    return kTable[LineOf(id)];
}

const SettingInfo* FindSetting(std::string_view section, std::string_view key) {
    for (const SettingInfo& row : kTable)
        if (SameName(row.section, section) && SameName(row.key, key))
            return &row;
    return nullptr;
}

std::span<const std::string_view> Choices(const SettingInfo& row) {
    if (row.part == KeyPart::Bold || row.part == KeyPart::Shown ||
        row.kind == SettingKind::Boolean || row.kind == SettingKind::Switch)
        return kYesNo;
    if (row.kind == SettingKind::ScrollBars)
        return kScrollBars;
    if (row.kind == SettingKind::SoundDigits && row.part != KeyPart::Whole)
        return kSoundNames;
    return {};
}

std::string_view SoundName(int digit) {
    return digit >= 0 && digit <= 9 ? kSoundNames[digit] : std::string_view();
}

std::optional<int> SoundDigit(std::string_view name) {
    for (int digit = 0; digit <= 9; ++digit)
        if (SameName(kSoundNames[digit], name))
            return digit;
    return std::nullopt;
}

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (Lower(a[i]) != Lower(b[i]))
            return false;
    return true;
}
