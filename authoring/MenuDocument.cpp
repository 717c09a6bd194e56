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

void MenuDocument::SetLineEnds(std::vector<LineEnd> ends) {
    while (!ends.empty() && ends.back() == LineEnd::CrLf)
        ends.pop_back();
    lineEnds_ = std::move(ends);
}

std::vector<uint8_t> MenuDocument::ConfigurationList() const {
    const std::size_t count = static_cast<std::size_t>(fixedPresent_) + tail_.size();
    std::string text;
    for (std::size_t i = 0; i < count; ++i) {
        text += i < static_cast<std::size_t>(fixedPresent_) ? lines_[i] : tail_[i - fixedPresent_];
        const LineEnd end = i < lineEnds_.size() ? lineEnds_[i] : LineEnd::CrLf;
        // A line without an end can only be the last one: the next would join it.
        if (end == LineEnd::Lf)
            text += '\n';
        else if (end == LineEnd::Cr)
            text += '\r';
        else if (end == LineEnd::CrLf || i + 1 < count)
            text += "\r\n";
    }
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
    return list.TakeLines();
}

std::string ExactListProblem(const std::vector<uint8_t>& bytes) {
    int line = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (bytes[i] == 0)
            return "line " + std::to_string(line) +
                   " holds a NUL byte, which a menu.ini value cannot hold";
        const bool crlf = bytes[i] == '\r' && i + 1 < bytes.size() && bytes[i + 1] == '\n';
        if (bytes[i] == '\r' || bytes[i] == '\n')
            ++line;
        i += crlf ? 1 : 0;
    }
    return {};
}

std::vector<LineEnd> ListLineEnds(const std::vector<uint8_t>& bytes) {
    // The launcher's own split (TStringList::SetText): CR LF, lone CR and
    // lone LF each end a line; text after the last end is a line without one.
    std::vector<LineEnd> ends;
    bool allCrLf = true;
    std::size_t start = 0;
    while (start < bytes.size()) {
        std::size_t end = start;
        while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n')
            ++end;
        LineEnd kind = LineEnd::None;
        if (end < bytes.size() && bytes[end] == '\r' && end + 1 < bytes.size() &&
            bytes[end + 1] == '\n') {
            kind = LineEnd::CrLf;
            start = end + 2;
        } else {
            kind = end == bytes.size() ? LineEnd::None
                                       : (bytes[end] == '\n' ? LineEnd::Lf : LineEnd::Cr);
            start = end + 1;
        }
        allCrLf = allCrLf && kind == LineEnd::CrLf;
        ends.push_back(kind);
    }
    if (allCrLf)
        ends.clear();
    return ends;
}

MenuDocument MenuFromEntries(const std::string& source, std::vector<std::vector<uint8_t>> entries,
                             bool exact) {
    if (entries.empty())
        throw ConversionError(source + ": holds no entries; entry 1 is the configuration list");
    if (const std::string problem = exact ? ExactListProblem(entries[0]) : std::string();
        !problem.empty())
        throw ConversionError(source + " entry 1: " + problem);
    MenuDocument menu;
    std::vector<std::string> lines = LauncherLines(entries[0]);
    const int fixed = static_cast<int>(std::min<std::size_t>(lines.size(), kFixedLines));
    for (int line = 0; line < fixed; ++line)
        menu.SetText(static_cast<SettingId>(line),
                     std::move(lines[static_cast<std::size_t>(line)]));
    menu.SetFixedLinesPresent(fixed);
    menu.Tail().assign(std::make_move_iterator(lines.begin() + fixed),
                       std::make_move_iterator(lines.end()));
    menu.SetLineEnds(ListLineEnds(entries[0]));

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
