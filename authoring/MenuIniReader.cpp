#include "authoring/MenuIni.h"

#include <algorithm>

#include "authoring/IniFile.h"
#include "authoring/MenuIniValues.h"
#include "framework/portable/Convert.h"

namespace {

using Entry = IniFile::Entry;

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
            for (std::string_view name : kMenuIniSections)
                known = known || SameName(name, section.name);
            if (!known) {
                std::string names;
                for (std::string_view name : kMenuIniSections)
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
                   SameName(key, "LineEnds") ||
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
            add("Lines, LineEnds, Entries, Entry9, Entry10, ...");
        return keys;
    }

    // A companion key's yes/no, reported when it is neither.
    std::optional<bool> Flag(const SettingInfo& row, const Entry* entry) {
        if (!entry)
            return std::nullopt;
        const auto yes = entry->quoted ? std::nullopt : YesNo(entry->value);
        if (!yes) {
            SettingOrigin at = Origin(row.section, row.key, entry);
            at.configLine = LineOf(row.id);
            Report(at, "\"" + entry->value + "\" is neither yes nor no");
        }
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
        // Every key that gives part of the line names the line for a designer.
        auto locate = [&](const SettingInfo& part, const Entry* given) {
            SettingOrigin at = Origin(part.section, part.key, given);
            at.configLine = LineOf(row.id);
            return at;
        };
        SettingOrigin& origin = result_.origins.lines[LineOf(row.id)];
        origin = locate(row, entry);
        std::string text = DefaultText(row, Present(row.section));
        if (entry)
            text = SimpleText(row.kind, entry->value, entry->quoted);

        if (row.kind == SettingKind::BoldFontSize) {
            const SettingInfo& boldRow = Companion(row.id, KeyPart::Bold);
            const Entry* boldEntry = Find(boldRow.section, boldRow.key);
            if (!entry && boldEntry)
                origin = locate(boldRow, boldEntry);
            if (const auto bold = Flag(boldRow, boldEntry)) {
                // Said at Bold, so that a FontSize the launcher cannot read
                // is reported at its own line as well.
                if (!PlainDigits(text) || (entry && entry->quoted))
                    Report(locate(boldRow, boldEntry),
                           "Bold needs a plain FontSize, and \"" + text +
                               "\" is none; write FontSize as a number of points, or leave out "
                               "Bold and write the launcher's text alone (-12 is 12 bold)");
                else if (*bold && text.find_first_not_of('0') == std::string::npos)
                    Report(origin, "a font size of 0 cannot be bold; give a size");
                else if (*bold)
                    text = "-" + text;
            }
        } else if (row.kind == SettingKind::CheckBoxColour) {
            const SettingInfo& shownRow = Companion(row.id, KeyPart::Shown);
            const Entry* shownEntry = Find(shownRow.section, shownRow.key);
            if (!entry && shownEntry)
                origin = locate(shownRow, shownEntry);
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
                const SettingOrigin at = locate(soundRow, soundEntry);
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

    // The numbered keys of a section (Option1, Entry9, ...) in number order;
    // the first number missing below the highest is reported, and only the
    // keys before it count. Numbers may be large, so nothing is sized by them.
    std::vector<const Entry*> Numbered(const char* sectionName, const char* prefix, int first,
                                       const char* what) {
        std::vector<std::pair<int, const Entry*>> found;
        if (const IniFile::Section* section = ini_.FindSection(sectionName))
            for (const Entry& entry : section->entries)
                if (const auto number = NumberAfter(entry.key, prefix); number && *number >= first)
                    found.emplace_back(*number, &entry);
        std::sort(found.begin(), found.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        std::vector<const Entry*> keys;
        for (const auto& [number, entry] : found) {
            const int expected = first + static_cast<int>(keys.size());
            if (number != expected) {
                Report(Origin(sectionName, prefix + std::to_string(expected), nullptr),
                       std::string("missing: ") + what + " are numbered from " + prefix +
                           std::to_string(first) + " without gaps (" + entry->key + " is given)");
                break;
            }
            keys.push_back(entry);
        }
        return keys;
    }

    void ReadOptions() {
        for (const Entry* option : Numbered("Options", "Option", 1, "options")) {
            result_.menu.Tail().push_back(option->value);
            result_.origins.tail.push_back(Origin("Options", option->key, option));
        }
        if (!Find("Options", "Count"))
            result_.menu.SetText(SettingId::OptionCount,
                                 std::to_string(result_.menu.Tail().size()));
    }

    void ReadFiles() {
        if (const Entry* text = Find("Notice", "Text"))
            result_.menu.Notice().fileName = text->value;
        result_.origins.notice = Origin("Notice", "Text", Find("Notice", "Text"));
        for (int i = 0; i < kPictureCount; ++i) {
            const PictureRole role = PictureAt(i);
            const Entry* entry = Find("Pictures", PictureKey(role));
            // The pressed and hovered looks default to the normal one.
            const PictureRole fallback = PictureFallback(role);
            if (entry) {
                result_.menu.Picture(role).fileName = entry->value;
                result_.origins.pictures[i] = Origin("Pictures", PictureKey(role), entry);
            } else if (fallback != role) {
                result_.menu.Picture(role).fileName = result_.menu.Picture(fallback).fileName;
                result_.origins.pictures[i] = result_.origins.pictures[static_cast<int>(fallback)];
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

    // After Lines and the options: the ends must match the lines there are.
    void ReadLineEnds() {
        const Entry* entry = Find("Container", "LineEnds");
        if (!entry)
            return;
        std::string error;
        std::optional<std::vector<LineEnd>> ends = ParseLineEnds(entry->value, error);
        const SettingOrigin origin = Origin("Container", "LineEnds", entry);
        if (!ends) {
            Report(origin, error);
            return;
        }
        MenuDocument& menu = result_.menu;
        const std::size_t lines =
            static_cast<std::size_t>(menu.FixedLinesPresent()) + menu.Tail().size();
        if (ends->size() > lines) {
            Report(origin, "gives the ends of " + std::to_string(ends->size()) +
                               " lines, but the list has " + std::to_string(lines));
            return;
        }
        if (!ends->empty() && ends->back() == LineEnd::None && ends->size() != lines) {
            Report(origin, "none is the end of the list's last line, line " +
                               std::to_string(lines - 1) + ", but comes at line " +
                               std::to_string(ends->size() - 1));
            return;
        }
        menu.SetLineEnds(std::move(*ends));
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
        ReadLineEnds();
        result_.origins.entries = Origin("Container", "Entries", Find("Container", "Entries"));
        const auto entries = Count("Entries", 1, kLauncherEntries);
        const std::vector<const Entry*> extra =
            Numbered("Container", "Entry", kLauncherEntries + 1, "extra entries");
        if (entries) {
            if (!extra.empty())
                Report(Origin("Container", "Entries", Find("Container", "Entries")),
                       "a container of fewer than 8 entries has no Entry9 and on");
            menu.SetEntriesBelowEight(*entries);
            return;
        }
        for (const Entry* entry : extra) {
            menu.Extra().push_back({entry->value, {}});
            result_.origins.extra.push_back(Origin("Container", entry->key, entry));
        }
        if (menu.Extra().size() + kLauncherEntries > kMaxContainerEntries)
            Report(result_.origins.extra[kMaxContainerEntries - kLauncherEntries],
                   "a container holds at most 255 entries");
    }

    const std::string& fileName_;
    std::vector<Problem>& problems_;
    IniFile ini_;
    MenuIniResult result_;
};

} // namespace

MenuIniResult ReadMenuIni(const std::string& fileName, std::string_view text,
                          std::vector<Problem>& problems) {
    return Reader(fileName, problems).Read(text);
}
