#include "authoring/MenuIni.h"

#include "authoring/IniFile.h"
#include "authoring/MenuIniKeys.h"
#include "authoring/MenuIniValues.h"
#include "framework/portable/Convert.h"

std::string WriteMenuIni(const MenuDocument& menu) {
    IniFile ini;
    ini.AddComment("Launcher menu: built into a container with \"ctrpack build FOLDER OUT\".");
    const int fixed = menu.FixedLinesPresent();
    for (std::string_view section : kMenuIniSections) {
        std::vector<std::pair<std::string, std::string>> keys;
        bool differsFromAbsent = false;
        for (int line = 0; line < fixed; ++line) {
            const SettingInfo& row = SettingTable()[line];
            if (!SameName(row.section, section) || row.id == SettingId::OptionCount)
                continue;
            const std::string& text = menu.Text(row.id);
            differsFromAbsent = differsFromAbsent || text != DefaultText(row, false);
            if (text != DefaultText(row, true))
                for (auto& key : MenuIniKeys(row, text))
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
            if (!menu.LineEnds().empty())
                keys.emplace_back("LineEnds", LineEndsText(menu.LineEnds()));
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
