#include "authoring/MenuIniKeys.h"

#include "authoring/MenuIni.h"
#include "authoring/MenuIniValues.h"

std::vector<std::pair<std::string, std::string>> MenuIniKeys(const SettingInfo& row,
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

std::string MenuIniKeyValue(const SettingInfo& row, const std::string& lineText) {
    for (const auto& [key, value] : MenuIniKeys(Setting(row.id), lineText))
        if (SameName(key, row.key))
            return value;
    switch (row.part) {
    case KeyPart::Bold:
        return "no";
    case KeyPart::Shown:
        return "yes";
    case KeyPart::Whole:
        return "";
    default:
        return std::string(SoundName(0));
    }
}

MenuIniKeyEdit EditMenuIniKey(const SettingInfo& row, const std::string& lineText,
                              const std::string& value) {
    if (value.find_first_of("\r\n") != std::string::npos)
        return {lineText, "a value is one line; it holds a line break"};
    // The line's keys as menu.ini writes them, with this key replaced, read
    // back by the reader itself.
    std::string ini = "[" + std::string(row.section) + "]\r\n";
    for (const auto& [key, written] : MenuIniKeys(Setting(row.id), lineText))
        if (!SameName(key, row.key))
            ini += key + "=" + written + "\r\n";
    ini += std::string(row.key) + "=" + value + "\r\n";
    std::vector<Problem> problems;
    const MenuIniResult read = ReadMenuIni("menu.ini", ini, problems);
    for (const Problem& problem : problems)
        if (problem.severity == Severity::Error)
            return {lineText, problem.text};
    return {read.menu.Text(row.id), ""};
}
