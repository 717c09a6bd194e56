#include "designer/model/LineCheck.h"

#include "authoring/MenuCheck.h"

MenuOrigins MenuIniOrigins(const std::string& file) {
    MenuOrigins origins;
    origins.fromMenuIni = true;
    origins.menu.file = file;
    origins.list.file = file;
    for (int line = 0; line < kFixedLines; ++line) {
        const SettingInfo& row = SettingTable()[line];
        origins.lines[line] = {file,  0,   std::string(row.section), std::string(row.key),
                               false, line};
    }
    for (int i = 0; i < kPictureCount; ++i)
        origins.pictures[i] = {file, 0, "Pictures", std::string(PictureKey(PictureAt(i))), false};
    origins.notice = {file, 0, "Notice", "Text", false};
    return origins;
}

std::string LineProblem(const MenuDocument& menu, SettingId id, const std::string& text) {
    // Only the lines matter: the copy leaves out notice and pictures.
    MenuDocument lines;
    for (int line = 0; line < kFixedLines; ++line)
        lines.SetText(static_cast<SettingId>(line), menu.Text(static_cast<SettingId>(line)));
    lines.SetText(id, text);
    // Requirement mode reads the most lines, and the shared button colour is
    // read once a button is shown.
    if (id != SettingId::MinimumDirectX)
        lines.SetText(SettingId::MinimumDirectX, "~");
    const SettingId shown = id == ButtonSetting(2, 0) ? ButtonSetting(4, 0) : ButtonSetting(2, 0);
    lines.SetText(shown, "-1");
    lines.Tail() = menu.Tail();
    lines.SetText(SettingId::OptionCount, std::to_string(menu.Tail().size()));
    if (id == SettingId::OptionCount)
        lines.SetText(id, text);
    static const MenuOrigins origins = MenuIniOrigins("menu.ini");
    for (const Problem& problem : CheckMenu(lines, origins))
        if (problem.configLine == LineOf(id) && problem.severity == Severity::Error)
            return problem.text;
    return "";
}
