#include "authoring/MenuDocument.h"

#include <algorithm>

#include "framework/runtime/StringList.h"

MenuDocument::MenuDocument() {
    for (int line = 0; line < kFixedLines; ++line)
        lines_[line] = std::string(SettingTable()[line].text);
}

void MenuDocument::SetFixedLinesPresent(int count) {
    fixedPresent_ = std::clamp(count, 0, kFixedLines);
    if (fixedPresent_ < kFixedLines)
        tail_.clear();
}

const MenuFileData& MenuDocument::Picture(PictureRole role) const {
    return pictures_[static_cast<int>(role)];
}

MenuFileData& MenuDocument::Picture(PictureRole role) {
    return pictures_[static_cast<int>(role)];
}

int MenuDocument::EntryCount() const {
    return entriesBelowEight_ < kLauncherEntries
               ? entriesBelowEight_
               : kLauncherEntries + static_cast<int>(extra_.size());
}

void MenuDocument::SetEntriesBelowEight(int count) {
    entriesBelowEight_ = std::clamp(count, 1, kLauncherEntries);
    if (entriesBelowEight_ < kLauncherEntries)
        extra_.clear();
}

std::vector<uint8_t> MenuDocument::ConfigurationList() const {
    std::string text;
    for (int line = 0; line < fixedPresent_; ++line)
        text += lines_[line] + "\r\n";
    for (const std::string& line : tail_)
        text += line + "\r\n";
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::vector<std::vector<uint8_t>> MenuDocument::Entries() const {
    std::vector<std::vector<uint8_t>> entries;
    entries.push_back(ConfigurationList());
    entries.push_back(notice_.bytes);
    for (const MenuFileData& picture : pictures_)
        entries.push_back(picture.bytes);
    entries.resize(static_cast<std::size_t>(std::min(entriesBelowEight_, kLauncherEntries)));
    for (const MenuFileData& entry : extra_)
        entries.push_back(entry.bytes);
    return entries;
}

std::vector<std::string> LauncherLines(const std::vector<uint8_t>& bytes) {
    TStringList list;
    list.SetText(std::string(bytes.begin(), bytes.end()));
    std::vector<std::string> lines;
    lines.reserve(static_cast<std::size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i)
        lines.push_back(list[i]);
    return lines;
}

std::string ExactListProblem(const std::vector<uint8_t>& bytes) {
    std::size_t start = 0;
    int line = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') {
            if (bytes[end] == 0)
                return "line " + std::to_string(line) +
                       " holds a NUL byte, which a menu.ini value cannot hold";
            ++end;
        }
        if (end == bytes.size())
            return "line " + std::to_string(line) +
                   " has no line end; only lists whose every line ends with CR LF are kept "
                   "exactly";
        if (bytes[end] == '\n' || end + 1 == bytes.size() || bytes[end + 1] != '\n')
            return "line " + std::to_string(line) + " ends with a lone " +
                   (bytes[end] == '\n' ? "LF" : "CR") +
                   "; only lists whose every line ends with CR LF are kept exactly";
        start = end + 2;
        ++line;
    }
    return {};
}

MenuDocument MenuFromEntries(const std::string& source, std::vector<std::vector<uint8_t>> entries,
                             bool exact) {
    if (entries.empty())
        throw ConversionError(source + ": holds no entries; entry 1 is the configuration list");
    if (const std::string problem = exact ? ExactListProblem(entries[0]) : std::string();
        !problem.empty())
        throw ConversionError(source + " entry 1: " + problem);
    MenuDocument menu;
    const std::vector<std::string> lines = LauncherLines(entries[0]);
    const int fixed = static_cast<int>(std::min<std::size_t>(lines.size(), kFixedLines));
    for (int line = 0; line < fixed; ++line)
        menu.SetText(static_cast<SettingId>(line), lines[static_cast<std::size_t>(line)]);
    menu.SetFixedLinesPresent(fixed);
    menu.Tail().assign(lines.begin() + fixed, lines.end());

    menu.SetEntriesBelowEight(static_cast<int>(std::min<std::size_t>(entries.size(), 8)));
    if (entries.size() > 1)
        menu.Notice().bytes = std::move(entries[1]);
    for (int i = 0; i < kPictureCount; ++i)
        if (entries.size() > static_cast<std::size_t>(kFirstPictureEntry - 1 + i))
            menu.Picture(PictureAt(i)).bytes = std::move(entries[kFirstPictureEntry - 1 + i]);
    for (std::size_t n = kLauncherEntries; n < entries.size(); ++n)
        menu.Extra().push_back({{}, std::move(entries[n])});
    return menu;
}
