#include "authoring/MenuIni.h"

#include <optional>

#include "authoring/IniFile.h"
#include "framework/portable/Convert.h"

namespace {

using Entry = IniFile::Entry;

// Sections in the order the writer puts them.
constexpr std::string_view kSections[] = {"Window",   "Launch",   "Install",  "Web",     "Quit",
                                          "Button5",  "Button6",  "Button7",  "Button8", "Button9",
                                          "Button10", "Buttons",  "CheckBox", "Options", "Notice",
                                          "Sounds",   "Pictures", "Container"};

constexpr std::string_view kScrollBarNames[] = {"none", "vertical", "horizontal", "both"};

std::optional<int> NumberAfter(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || !SameName(key.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 3 || digits.front() == '0')
        return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

bool IsButtonSection(std::string_view section) {
    for (int g = 1; g <= kButtonGroups; ++g)
        if (SameName(Setting(ButtonSetting(g, 0)).section, section))
            return true;
    return false;
}

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

// "#RRGGBB" as the launcher's colour value 0x00BBGGRR.
std::optional<uint32_t> HashColour(std::string_view value) {
    if (value.size() != 7 || value[0] != '#')
        return std::nullopt;
    uint32_t rgb = 0;
    for (char c : value.substr(1)) {
        if (!IsHex(c))
            return std::nullopt;
        rgb = rgb * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

std::string HashText(uint32_t colour) {
    const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    return "#" + IntToHex(rgb, 6);
}

std::optional<bool> YesNo(std::string_view value) {
    if (SameName(value, "yes"))
        return true;
    if (SameName(value, "no"))
        return false;
    return std::nullopt;
}

bool PlainDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The launcher text of a value of a one-key setting.
std::string SimpleText(SettingKind kind, const std::string& value, bool quoted) {
    if (quoted)
        return value;
    switch (kind) {
    case SettingKind::Colour:
        if (const auto colour = HashColour(value))
            return "$" + IntToHex(*colour, 8);
        break;
    case SettingKind::CheckBoxColour:
        if (const auto colour = HashColour(value))
            return IntToStr(*colour);
        break;
    case SettingKind::Boolean:
    case SettingKind::Switch:
        if (const auto yes = YesNo(value))
            return *yes ? "-1" : "0";
        break;
    case SettingKind::ScrollBars:
        for (int i = 0; i < 4; ++i)
            if (SameName(value, kScrollBarNames[i]))
                return std::to_string(i);
        break;
    default:
        break;
    }
    return value;
}

// How text is written for a one-key setting: plain, or quoted when reading
// the plain value would give something else.
std::string Verbatim(SettingKind kind, const std::string& text) {
    const std::string written = IniFile::Written(text);
    if (written.size() == text.size() && SimpleText(kind, text, false) == text)
        return text;
    return "\"" + text + "\"";
}

// The friendly form of text where reading it gives text back, else Verbatim.
std::string Friendly(SettingKind kind, const std::string& text) {
    switch (kind) {
    case SettingKind::Boolean:
    case SettingKind::Switch:
        if (text == "-1")
            return "yes";
        if (text == "0")
            return "no";
        break;
    case SettingKind::ScrollBars:
        if (text.size() == 1 && text[0] >= '0' && text[0] <= '3')
            return std::string(kScrollBarNames[text[0] - '0']);
        break;
    case SettingKind::Colour: {
        int32_t value = 0;
        if (text.size() == 9 && text.compare(0, 3, "$00") == 0 && TryStrToInt(text, value) &&
            "$" + IntToHex(static_cast<uint32_t>(value), 8) == text)
            return HashText(static_cast<uint32_t>(value));
        break;
    }
    case SettingKind::CheckBoxColour: {
        int32_t value = 0;
        if (TryStrToInt(text, value) && value > 0 && value <= 0xFFFFFF && IntToStr(value) == text)
            return HashText(static_cast<uint32_t>(value));
        break;
    }
    default:
        break;
    }
    return Verbatim(kind, text);
}

// A line's default text with its section present or left out: a button or
// check box left out is hidden, and a hidden button needs no place.
std::string DefaultText(const SettingInfo& row, bool present) {
    if (IsButtonSection(row.section) && row.kind != SettingKind::Text)
        return present ? (row.kind == SettingKind::Boolean ? "-1" : std::string(row.text)) : "0";
    if (present && row.kind == SettingKind::CheckBoxColour)
        return "1";
    return std::string(row.text);
}

class Reader {
public:
    Reader(const std::string& fileName, std::vector<Problem>& problems)
        : fileName_(fileName), problems_(problems) {}

    MenuIniResult Read(std::string_view text) {
        ini_ = IniFile::Parse(fileName_, text, problems_);
        result_.origins.fromMenuIni = true;
        result_.origins.menu.file = fileName_;
        result_.origins.list.file = fileName_;
        CheckNames();
        for (int line = 0; line < kFixedLines; ++line)
            ReadLine(SettingTable()[line]);
        ReadOptions();
        ReadFiles();
        ReadContainer();
        return std::move(result_);
    }

private:
    const Entry* Find(std::string_view section, std::string_view key) const {
        return ini_.Find(section, key);
    }
    bool Present(std::string_view section) const { return ini_.FindSection(section) != nullptr; }

    SettingOrigin Origin(std::string_view section, std::string_view key, const Entry* entry) const {
        SettingOrigin origin{fileName_, 0, std::string(section), std::string(key),
                             entry != nullptr};
        if (entry)
            origin.line = entry->line, origin.key = entry->key;
        else if (const IniFile::Section* found = ini_.FindSection(section))
            origin.line = found->line;
        return origin;
    }

    void Report(const SettingOrigin& origin, std::string text) {
        problems_.push_back(origin.At(std::move(text)));
    }

    void CheckNames() {
        for (const IniFile::Section& section : ini_.Sections()) {
            bool known = false;
            for (std::string_view name : kSections)
                known = known || SameName(name, section.name);
            if (!known) {
                std::string names;
                for (std::string_view name : kSections)
                    names += (names.empty() ? "" : ", ") + std::string(name);
                Report({fileName_, section.line, section.name, ""},
                       "no such section; the sections are " + names);
                continue;
            }
            for (const Entry& entry : section.entries)
                if (!KnownKey(section.name, entry.key))
                    Report({fileName_, entry.line, section.name, entry.key},
                           "no such key; [" + section.name + "] takes " + KeysOf(section.name));
        }
    }

    static bool KnownKey(std::string_view section, std::string_view key) {
        if (FindSetting(section, key))
            return true;
        if (SameName(section, "Options"))
            return NumberAfter(key, "Option").value_or(0) >= 1;
        if (SameName(section, "Notice"))
            return SameName(key, "Text");
        if (SameName(section, "Pictures")) {
            for (int i = 0; i < kPictureCount; ++i)
                if (SameName(PictureKey(PictureAt(i)), key))
                    return true;
            return false;
        }
        if (SameName(section, "Container"))
            return SameName(key, "Lines") || SameName(key, "Entries") ||
                   NumberAfter(key, "Entry").value_or(0) > kLauncherEntries;
        return false;
    }

    static std::string KeysOf(std::string_view section) {
        std::string keys;
        auto add = [&](std::string_view key) {
            keys += (keys.empty() ? "" : ", ") + std::string(key);
        };
        for (const SettingInfo& row : SettingTable())
            if (SameName(row.section, section))
                add(row.key);
        if (SameName(section, "Options"))
            add("Option1, Option2, ...");
        if (SameName(section, "Notice"))
            add("Text");
        if (SameName(section, "Pictures"))
            for (int i = 0; i < kPictureCount; ++i)
                add(PictureKey(PictureAt(i)));
        if (SameName(section, "Container"))
            add("Lines, Entries, Entry9, Entry10, ...");
        return keys;
    }

    // A companion key's yes/no, reported when it is neither.
    std::optional<bool> Flag(const SettingInfo& row, const Entry* entry) {
        if (!entry)
            return std::nullopt;
        const auto yes = entry->quoted ? std::nullopt : YesNo(entry->value);
        if (!yes)
            Report(Origin(row.section, row.key, entry),
                   "\"" + entry->value + "\" is neither yes nor no");
        return yes;
    }

    const SettingInfo& Companion(SettingId id, KeyPart part) const {
        for (const SettingInfo& row : SettingTable())
            if (row.id == id && row.part == part)
                return row;
        return Setting(id);
    }

    void ReadLine(const SettingInfo& row) {
        const Entry* entry = Find(row.section, row.key);
        SettingOrigin& origin = result_.origins.lines[LineOf(row.id)];
        origin = Origin(row.section, row.key, entry);
        std::string text = DefaultText(row, Present(row.section));
        if (entry)
            text = SimpleText(row.kind, entry->value, entry->quoted);

        if (row.kind == SettingKind::BoldFontSize) {
            const SettingInfo& boldRow = Companion(row.id, KeyPart::Bold);
            const Entry* boldEntry = Find(boldRow.section, boldRow.key);
            if (!entry && boldEntry)
                origin = Origin(boldRow.section, boldRow.key, boldEntry);
            if (const auto bold = Flag(boldRow, boldEntry)) {
                if (!PlainDigits(text) || (entry && entry->quoted))
                    Report(origin, "\"" + text +
                                       "\" cannot be combined with Bold; write FontSize as a plain "
                                       "number of points, or the launcher's text alone (-12 is 12 "
                                       "bold)");
                else if (*bold && text.find_first_not_of('0') == std::string::npos)
                    Report(origin, "a font size of 0 cannot be bold; give a size");
                else if (*bold)
                    text = "-" + text;
            }
        } else if (row.kind == SettingKind::CheckBoxColour) {
            const SettingInfo& shownRow = Companion(row.id, KeyPart::Shown);
            const Entry* shownEntry = Find(shownRow.section, shownRow.key);
            if (!entry && shownEntry)
                origin = Origin(shownRow.section, shownRow.key, shownEntry);
            const auto shown = Flag(shownRow, shownEntry);
            if (shown == false) {
                if (entry && text != "0")
                    Report(origin, "a hidden check box takes no FontColor: the launcher hides it "
                                   "by giving it colour 0 (black); leave FontColor out");
                text = "0";
            } else if (text == "0" && (shown == true || (entry && !entry->quoted))) {
                Report(origin, "black (0) hides the check box; write Shown=no to hide it, or a "
                               "colour such as #010101 for nearly black text");
            }
        } else if (row.kind == SettingKind::SoundDigits) {
            std::string digits = text;
            bool named = false;
            for (KeyPart part : {KeyPart::StartSound, KeyPart::EnterSound, KeyPart::PressSound,
                                 KeyPart::LeaveSound}) {
                const SettingInfo& soundRow = Companion(row.id, part);
                const Entry* soundEntry = Find(soundRow.section, soundRow.key);
                if (!soundEntry)
                    continue;
                const SettingOrigin at = Origin(soundRow.section, soundRow.key, soundEntry);
                if (!named && !entry)
                    origin = at;
                named = true;
                const auto digit = SoundDigit(soundEntry->value);
                if (!digit) {
                    std::string names;
                    for (int d = 0; d <= 9; ++d)
                        names += (d ? ", " : "") + std::string(SoundName(d));
                    Report(at,
                           "\"" + soundEntry->value + "\" is no sound; the sounds are " + names);
                    continue;
                }
                const std::size_t index =
                    static_cast<std::size_t>(part) - static_cast<std::size_t>(KeyPart::StartSound);
                if (digits.size() >= 4)
                    digits[index] = static_cast<char>('0' + *digit);
            }
            if (named && entry)
                Report(origin, "Digits gives all four sounds; leave out Start, Enter, Press and "
                               "Leave or Digits");
            else
                text = digits;
        }
        result_.menu.SetText(row.id, std::move(text));
    }

    void ReadOptions() {
        const IniFile::Section* section = ini_.FindSection("Options");
        std::vector<const Entry*> options;
        if (section)
            for (const Entry& entry : section->entries)
                if (const auto number = NumberAfter(entry.key, "Option"); number && *number >= 1) {
                    if (options.size() < static_cast<std::size_t>(*number))
                        options.resize(static_cast<std::size_t>(*number));
                    options[static_cast<std::size_t>(*number - 1)] = &entry;
                }
        for (std::size_t i = 0; i < options.size(); ++i) {
            if (!options[i]) {
                Report(Origin("Options", "Option" + std::to_string(i + 1), nullptr),
                       "missing: options are numbered from Option1 without gaps (Option" +
                           std::to_string(options.size()) + " is given)");
                continue;
            }
            result_.menu.Tail().push_back(options[i]->value);
            result_.origins.tail.push_back(Origin("Options", options[i]->key, options[i]));
        }
        if (!Find("Options", "Count"))
            result_.menu.SetText(SettingId::OptionCount, std::to_string(options.size()));
    }

    void ReadFiles() {
        if (const Entry* text = Find("Notice", "Text"))
            result_.menu.Notice().fileName = text->value;
        result_.origins.notice = Origin("Notice", "Text", Find("Notice", "Text"));
        for (int i = 0; i < kPictureCount; ++i) {
            const PictureRole role = PictureAt(i);
            const Entry* entry = Find("Pictures", PictureKey(role));
            // The pressed and hovered looks default to the normal one.
            const int fallback =
                role == PictureRole::ButtonPressed || role == PictureRole::ButtonOver
                    ? 1
                    : (role == PictureRole::CheckBoxTicked ? 4 : -1);
            if (entry) {
                result_.menu.Picture(role).fileName = entry->value;
                result_.origins.pictures[i] = Origin("Pictures", PictureKey(role), entry);
            } else if (fallback >= 0) {
                result_.menu.Picture(role).fileName =
                    result_.menu.Picture(PictureAt(fallback)).fileName;
                result_.origins.pictures[i] = result_.origins.pictures[fallback];
            } else {
                result_.origins.pictures[i] = Origin("Pictures", PictureKey(role), nullptr);
            }
        }
    }

    std::optional<int> Count(const char* key, int low, int high) {
        const Entry* entry = Find("Container", key);
        if (!entry)
            return std::nullopt;
        int32_t value = 0;
        if (!PlainDigits(entry->value) || !TryStrToInt(entry->value, value) || value < low ||
            value > high) {
            Report(Origin("Container", key, entry), "\"" + entry->value + "\" is no number from " +
                                                        std::to_string(low) + " to " +
                                                        std::to_string(high));
            return std::nullopt;
        }
        return value;
    }

    void ReadContainer() {
        MenuDocument& menu = result_.menu;
        if (const auto lines = Count("Lines", 0, kFixedLines - 1)) {
            if (!menu.Tail().empty())
                Report(Origin("Container", "Lines", Find("Container", "Lines")),
                       "a list that ends before line 72 holds no options; leave out Lines or "
                       "the Option keys");
            menu.SetFixedLinesPresent(*lines);
            result_.origins.tail.clear();
        }
        const IniFile::Section* section = ini_.FindSection("Container");
        std::vector<const Entry*> extra;
        if (section)
            for (const Entry& entry : section->entries)
                if (const auto number = NumberAfter(entry.key, "Entry");
                    number && *number > kLauncherEntries) {
                    const auto index = static_cast<std::size_t>(*number - kLauncherEntries - 1);
                    if (extra.size() <= index)
                        extra.resize(index + 1);
                    extra[index] = &entry;
                }
        if (const auto entries = Count("Entries", 1, kLauncherEntries)) {
            if (!extra.empty())
                Report(Origin("Container", "Entries", Find("Container", "Entries")),
                       "a container of fewer than 8 entries has no Entry9 and on");
            menu.SetEntriesBelowEight(*entries);
            return;
        }
        for (std::size_t i = 0; i < extra.size(); ++i) {
            const std::string key = "Entry" + std::to_string(i + kLauncherEntries + 1);
            if (!extra[i])
                Report(Origin("Container", key, nullptr),
                       "missing: extra entries are numbered from Entry9 without gaps");
            else
                menu.Extra().push_back({extra[i]->value, {}});
        }
        if (menu.Extra().size() + kLauncherEntries > 255)
            Report(Origin("Container", "Entries", nullptr),
                   "a container holds at most 255 entries");
    }

    const std::string& fileName_;
    std::vector<Problem>& problems_;
    IniFile ini_;
    MenuIniResult result_;
};

// The keys and values that give one line's text.
std::vector<std::pair<std::string, std::string>> LineKeys(const SettingInfo& row,
                                                          const std::string& text) {
    switch (row.kind) {
    case SettingKind::BoldFontSize:
        if (text.size() > 1 && text[0] == '-' && PlainDigits(text.substr(1)) &&
            text.find_first_not_of('0', 1) != std::string::npos)
            return {{"FontSize", text.substr(1)}, {"Bold", "yes"}};
        return {{std::string(row.key), Verbatim(row.kind, text)}};
    case SettingKind::CheckBoxColour:
        if (text == "0")
            return {{"Shown", "no"}};
        return {{std::string(row.key), Friendly(row.kind, text)}};
    case SettingKind::SoundDigits:
        if (text.size() == 4 && PlainDigits(text)) {
            std::vector<std::pair<std::string, std::string>> keys;
            const char* events[] = {"Start", "Enter", "Press", "Leave"};
            for (int i = 0; i < 4; ++i)
                if (text[i] != '0')
                    keys.emplace_back(events[i], std::string(SoundName(text[i] - '0')));
            return keys;
        }
        return {{std::string(row.key), Verbatim(row.kind, text)}};
    default:
        return {{std::string(row.key), Friendly(row.kind, text)}};
    }
}

} // namespace

MenuIniResult ReadMenuIni(const std::string& fileName, std::string_view text,
                          std::vector<Problem>& problems) {
    return Reader(fileName, problems).Read(text);
}

std::string WriteMenuIni(const MenuDocument& menu) {
    IniFile ini;
    ini.AddComment("Launcher menu: built into a container with \"ctrpack build FOLDER OUT\".");
    const int fixed = menu.FixedLinesPresent();
    for (std::string_view section : kSections) {
        std::vector<std::pair<std::string, std::string>> keys;
        bool differsFromAbsent = false;
        for (int line = 0; line < fixed; ++line) {
            const SettingInfo& row = SettingTable()[line];
            if (!SameName(row.section, section) || row.id == SettingId::OptionCount)
                continue;
            const std::string& text = menu.Text(row.id);
            differsFromAbsent = differsFromAbsent || text != DefaultText(row, false);
            if (text != DefaultText(row, true))
                for (auto& key : LineKeys(row, text))
                    keys.push_back(std::move(key));
        }
        if (section == "Options") {
            const std::vector<std::string>& tail = menu.Tail();
            if (fixed > LineOf(SettingId::OptionCount) &&
                menu.Text(SettingId::OptionCount) != std::to_string(tail.size())) {
                keys.emplace_back(
                    "Count", Verbatim(SettingKind::Integer, menu.Text(SettingId::OptionCount)));
                differsFromAbsent = true;
            }
            for (std::size_t i = 0; i < tail.size(); ++i)
                keys.emplace_back("Option" + std::to_string(i + 1),
                                  Verbatim(SettingKind::Text, tail[i]));
            differsFromAbsent = differsFromAbsent || !tail.empty();
        } else if (section == "Notice") {
            if (menu.EntryCount() >= 2 && !menu.Notice().bytes.empty())
                keys.emplace_back("Text", Verbatim(SettingKind::Text, menu.Notice().fileName));
            differsFromAbsent = differsFromAbsent || !keys.empty();
        } else if (section == "Pictures") {
            for (int i = 0; i < kPictureCount && kFirstPictureEntry + i <= menu.EntryCount(); ++i)
                keys.emplace_back(std::string(PictureKey(PictureAt(i))),
                                  Verbatim(SettingKind::Text, menu.Picture(PictureAt(i)).fileName));
            differsFromAbsent = !keys.empty();
        } else if (section == "Container") {
            if (fixed < kFixedLines)
                keys.emplace_back("Lines", std::to_string(fixed));
            if (menu.EntryCount() < kLauncherEntries)
                keys.emplace_back("Entries", std::to_string(menu.EntryCount()));
            for (std::size_t i = 0; i < menu.Extra().size(); ++i)
                keys.emplace_back("Entry" + std::to_string(i + kLauncherEntries + 1),
                                  Verbatim(SettingKind::Text, menu.Extra()[i].fileName));
            differsFromAbsent = differsFromAbsent || !keys.empty();
        }
        if (!differsFromAbsent)
            continue;
        ini.AddSection(section);
        for (const auto& [key, value] : keys)
            ini.SetWritten(section, key, value);
    }
    return ini.Text();
}
