#include "authoring/MenuIni.h"

#include <algorithm>

#include "authoring/IniFile.h"
#include "authoring/MenuIniKeys.h"
#include "authoring/MenuIniValues.h"

namespace {

// Rewriting what reads back differently goes round a few times at most: a
// change can make a default of another key matter (a section added, a
// picture that followed another's file).
constexpr int kPasses = 4;

// The keys of one configuration line: the one that carries it and its
// companions.
std::vector<const SettingInfo*> KeysOfLine(SettingId id) {
    std::vector<const SettingInfo*> keys;
    for (const SettingInfo& row : SettingTable())
        if (row.id == id)
            keys.push_back(&row);
    return keys;
}

class Updater {
public:
    Updater(IniFile& ini, const MenuDocument& menu) : ini_(ini), menu_(menu) {}

    // Rewrites every part whose reading differs from the menu; false when
    // nothing did.
    bool Mend(const MenuDocument& read) {
        bool changed = false;
        if (read.FixedLinesPresent() != menu_.FixedLinesPresent() ||
            read.EntryCount() != menu_.EntryCount() || read.LineEnds() != menu_.LineEnds() ||
            !SameExtras(read)) {
            Container();
            changed = true;
        }
        for (int line = 0; line < menu_.FixedLinesPresent(); ++line) {
            const SettingId id = static_cast<SettingId>(line);
            if (id == SettingId::OptionCount || read.Text(id) == menu_.Text(id))
                continue;
            Line(id);
            changed = true;
        }
        if (read.Tail() != menu_.Tail() ||
            read.Text(SettingId::OptionCount) != menu_.Text(SettingId::OptionCount)) {
            Options();
            changed = true;
        }
        if (read.Notice().fileName != menu_.Notice().fileName) {
            Set("Notice", "Text", menu_.Notice().fileName);
            changed = true;
        }
        for (int i = 0; i < kPictureCount && kFirstPictureEntry + i <= menu_.EntryCount(); ++i) {
            const PictureRole role = PictureAt(i);
            if (read.Picture(role).fileName == menu_.Picture(role).fileName)
                continue;
            Set("Pictures", PictureKey(role), menu_.Picture(role).fileName);
            changed = true;
        }
        return changed;
    }

private:
    void Set(std::string_view section, std::string_view key, const std::string& text) {
        ini_.SetWritten(section, key, Verbatim(SettingKind::Text, text));
    }

    bool SameExtras(const MenuDocument& read) const {
        if (read.Extra().size() != menu_.Extra().size())
            return false;
        for (std::size_t i = 0; i < read.Extra().size(); ++i)
            if (read.Extra()[i].fileName != menu_.Extra()[i].fileName)
                return false;
        return true;
    }

    // Every key of the line as the writer gives its text; the line's other
    // keys go.
    void Line(SettingId id) {
        const SettingInfo& row = Setting(id);
        const auto written = MenuIniKeys(row, menu_.Text(id));
        for (const SettingInfo* key : KeysOfLine(id)) {
            const auto given = std::find_if(written.begin(), written.end(), [&](const auto& pair) {
                return SameName(pair.first, key->key);
            });
            if (given != written.end())
                ini_.SetWritten(row.section, key->key, given->second);
            else
                ini_.Remove(row.section, key->key);
        }
    }

    void Options() {
        const std::vector<std::string>& tail = menu_.Tail();
        for (std::size_t i = 0; i < tail.size(); ++i)
            ini_.SetWritten("Options", "Option" + std::to_string(i + 1),
                            Verbatim(SettingKind::Text, tail[i]));
        if (const IniFile::Section* section = ini_.FindSection("Options")) {
            std::vector<std::string> beyond;
            for (const IniFile::Entry& entry : section->entries)
                if (NumberAfter(entry.key, "Option").value_or(0) > static_cast<int>(tail.size()))
                    beyond.push_back(entry.key);
            for (const std::string& key : beyond)
                ini_.Remove("Options", key);
        }
        const std::string& count = menu_.Text(SettingId::OptionCount);
        if (count == std::to_string(tail.size()))
            ini_.Remove("Options", "Count");
        else
            ini_.SetWritten("Options", "Count", Verbatim(SettingKind::Integer, count));
    }

    void Container() {
        if (menu_.FixedLinesPresent() < kFixedLines)
            ini_.SetWritten("Container", "Lines", std::to_string(menu_.FixedLinesPresent()));
        else
            ini_.Remove("Container", "Lines");
        if (menu_.LineEnds().empty())
            ini_.Remove("Container", "LineEnds");
        else
            ini_.SetWritten("Container", "LineEnds", LineEndsText(menu_.LineEnds()));
        if (menu_.EntryCount() < kLauncherEntries)
            ini_.SetWritten("Container", "Entries", std::to_string(menu_.EntryCount()));
        else
            ini_.Remove("Container", "Entries");
        std::vector<std::string> extra;
        if (const IniFile::Section* section = ini_.FindSection("Container"))
            for (const IniFile::Entry& entry : section->entries)
                if (NumberAfter(entry.key, "Entry").value_or(0) > kLauncherEntries)
                    extra.push_back(entry.key);
        for (const std::string& key : extra)
            ini_.Remove("Container", key);
        for (std::size_t i = 0; i < menu_.Extra().size(); ++i)
            Set("Container", "Entry" + std::to_string(i + kLauncherEntries + 1),
                menu_.Extra()[i].fileName);
    }

    IniFile& ini_;
    const MenuDocument& menu_;
};

// Whether reading text gives menu's texts, entry layout and file names.
bool ReadsAs(const MenuIniResult& read, const MenuDocument& menu) {
    if (read.menu.FixedLinesPresent() != menu.FixedLinesPresent() ||
        read.menu.EntryCount() != menu.EntryCount() || read.menu.Tail() != menu.Tail() ||
        read.menu.LineEnds() != menu.LineEnds() ||
        read.menu.Notice().fileName != menu.Notice().fileName ||
        read.menu.Extra().size() != menu.Extra().size())
        return false;
    for (int line = 0; line < kFixedLines; ++line)
        if (read.menu.Text(static_cast<SettingId>(line)) != menu.Text(static_cast<SettingId>(line)))
            return false;
    for (int i = 0; i < kPictureCount; ++i)
        if (read.menu.Picture(PictureAt(i)).fileName != menu.Picture(PictureAt(i)).fileName)
            return false;
    for (std::size_t i = 0; i < menu.Extra().size(); ++i)
        if (read.menu.Extra()[i].fileName != menu.Extra()[i].fileName)
            return false;
    return true;
}

} // namespace

std::string UpdateMenuIni(std::string_view text, const MenuDocument& menu) {
    std::vector<Problem> parsed, before;
    IniFile ini = IniFile::Parse("menu.ini", text, parsed);
    ReadMenuIni("menu.ini", text, before);
    Updater updater(ini, menu);
    for (int pass = 0; pass < kPasses; ++pass) {
        const std::string updated = ini.Text();
        std::vector<Problem> problems;
        const MenuIniResult read = ReadMenuIni("menu.ini", updated, problems);
        // The author's own mistakes stay where they are; the update adds none.
        if (ReadsAs(read, menu) && ErrorCount(problems) <= ErrorCount(before))
            return updated;
        if (!updater.Mend(read.menu))
            break;
    }
    return WriteMenuIni(menu);
}
