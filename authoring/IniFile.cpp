#include "authoring/IniFile.h"

#include "format/MenuSettings.h"

namespace {

std::string Lower(std::string_view text) {
    std::string lower(text);
    for (char& c : lower)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return lower;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && IsBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

Problem SyntaxProblem(const std::string& fileName, int line, std::string text) {
    Problem problem;
    problem.file = fileName;
    problem.line = line;
    problem.text = std::move(text);
    return problem;
}

// A multi-byte UTF-8 character: a lead byte C2..F4 and its continuation
// bytes. CP1252 text almost never holds one ("Größe" is 47 72 F6 DF 65), while
// an editor that saved UTF-8 without a mark writes one for every accent.
bool HoldsUtf8Character(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        const std::size_t length = lead >= 0xC2 && lead <= 0xDF   ? 2
                                   : lead >= 0xE0 && lead <= 0xEF ? 3
                                   : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                                  : 0;
        if (length == 0 || i + length > text.size())
            continue;
        bool continued = true;
        for (std::size_t k = 1; k < length && continued; ++k)
            continued = (static_cast<unsigned char>(text[i + k]) & 0xC0) == 0x80;
        if (continued)
            return true;
    }
    return false;
}

} // namespace

IniFile IniFile::Parse(const std::string& fileName, std::string_view text,
                       std::vector<Problem>& problems) {
    IniFile file;
    bool utf8Reported = false; // one word on UTF-8 a file is enough
    // Editors that save UTF-8 mark it so; the launcher shows CP1252 bytes, so
    // UTF-8 text would come out garbled.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") {
        problems.push_back(SyntaxProblem(
            fileName, 1,
            "the file is saved as UTF-8 (it starts with a byte order mark); save it as "
            "Windows-1252 (ANSI), the code page the launcher shows"));
        text.remove_prefix(3);
        utf8Reported = true;
        file.byteOrderMark_ = true;
    }
    int number = 0;
    int current = -1; // the section key lines belong to
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        const bool lastLine = end == std::string_view::npos;
        if (lastLine)
            end = text.size();
        std::string_view raw = text.substr(start, end - start);
        start = end + 1;
        ++number;
        const char* lineEnd = lastLine ? "" : "\n";
        if (!raw.empty() && raw.back() == '\r') {
            raw.remove_suffix(1);
            lineEnd = lastLine ? "\r" : "\r\n";
        }
        if (number == 1 && !lastLine)
            file.newline_ = lineEnd;
        Line line{std::string(raw), -1, -1, lineEnd};
        const std::string_view body = Trimmed(raw);
        auto bad = [&](std::string what) {
            problems.push_back(SyntaxProblem(fileName, number, std::move(what)));
            file.lines_.push_back(std::move(line));
        };
        if (!utf8Reported && HoldsUtf8Character(raw)) {
            utf8Reported = true;
            Problem problem = SyntaxProblem(
                fileName, number,
                "the text looks saved as UTF-8 (an accented letter there is two bytes, shown "
                "as two letters); the launcher shows Windows-1252 (ANSI): save the file so");
            problem.severity = Severity::Warning;
            problems.push_back(std::move(problem));
        }
        if (raw.find('\0') != std::string_view::npos) {
            bad("holds a NUL byte; menu.ini is text");
            continue;
        }
        if (raw.find('\r') != std::string_view::npos) {
            bad("holds a carriage return inside the line; lines end with CR LF or LF");
            continue;
        }
        if (body.empty() || body.front() == ';') {
            file.lines_.push_back(std::move(line));
            continue;
        }
        if (body.front() == '[') {
            const std::string_view name =
                body.back() == ']' ? Trimmed(body.substr(1, body.size() - 2)) : std::string_view();
            if (name.empty()) {
                bad("\"" + std::string(body) + "\" is no section name; write [Name]");
                current = -1;
                continue;
            }
            if (const Section* earlier = file.FindSection(name)) {
                bad("[" + std::string(name) + "] appears again (first at line " +
                    std::to_string(earlier->line) + "); each section once");
                current = -1; // its keys are left out with it, reported once
                continue;
            }
            current = static_cast<int>(file.sections_.size());
            file.sections_.push_back({std::string(name), number, {}, {}});
            file.sectionIndex_.emplace(Lower(name), current);
            line.section = current;
            file.lines_.push_back(std::move(line));
            continue;
        }
        const std::size_t equals = body.find('=');
        if (equals == std::string_view::npos || Trimmed(body.substr(0, equals)).empty()) {
            bad("\"" + std::string(body) + "\" is neither [Section], Key=value nor a ; comment");
            continue;
        }
        const std::string key(Trimmed(body.substr(0, equals)));
        std::string_view value = Trimmed(body.substr(equals + 1));
        if (current < 0) {
            if (file.sections_.empty())
                bad(key + " stands before the first [Section]");
            else
                file.lines_.push_back(std::move(line)); // under a refused section
            continue;
        }
        Section& section = file.sections_[static_cast<std::size_t>(current)];
        if (const auto earlier = section.keys.find(Lower(key)); earlier != section.keys.end()) {
            bad("[" + section.name + "] " + key + " is given again (first at line " +
                std::to_string(section.entries[static_cast<std::size_t>(earlier->second)].line) +
                "); each key once");
            continue;
        }
        Entry entry{key, {}, false, number};
        if (!value.empty() && value.front() == '"') {
            if (value.size() < 2 || value.back() != '"') {
                bad("[" + section.name + "] " + key +
                    ": the quoted value has no closing \"; write Key=\"text\"");
                continue;
            }
            value = value.substr(1, value.size() - 2);
            entry.quoted = true;
        }
        entry.value = std::string(value);
        line.section = current;
        line.entry = static_cast<int>(section.entries.size());
        section.keys.emplace(Lower(entry.key), line.entry);
        section.entries.push_back(std::move(entry));
        file.lines_.push_back(std::move(line));
    }
    return file;
}

const IniFile::Section* IniFile::FindSection(std::string_view name) const {
    const auto found = sectionIndex_.find(Lower(name));
    return found == sectionIndex_.end() ? nullptr
                                        : &sections_[static_cast<std::size_t>(found->second)];
}

const IniFile::Entry* IniFile::Find(std::string_view section, std::string_view key) const {
    const Section* found = FindSection(section);
    if (!found)
        return nullptr;
    const auto entry = found->keys.find(Lower(key));
    return entry == found->keys.end() ? nullptr
                                      : &found->entries[static_cast<std::size_t>(entry->second)];
}

std::string IniFile::Written(std::string_view text) {
    const bool plain =
        text.empty() || (!IsBlank(text.front()) && !IsBlank(text.back()) && text.front() != '"');
    return plain ? std::string(text) : "\"" + std::string(text) + "\"";
}

void IniFile::Rewrite(Line& line) const {
    const Entry& entry = sections_[static_cast<std::size_t>(line.section)]
                             .entries[static_cast<std::size_t>(line.entry)];
    line.text = entry.key + "=" + (entry.quoted ? "\"" + entry.value + "\"" : entry.value);
}

int IniFile::AddSection(std::string_view name) {
    if (const auto found = sectionIndex_.find(Lower(name)); found != sectionIndex_.end())
        return found->second;
    if (!lines_.empty() && !lines_.back().text.empty())
        InsertLine(lines_.size(), {""});
    const int index = static_cast<int>(sections_.size());
    sections_.push_back({std::string(name), 0, {}, {}});
    sectionIndex_.emplace(Lower(name), index);
    InsertLine(lines_.size(), {"[" + std::string(name) + "]", index});
    return index;
}

void IniFile::Set(std::string_view section, std::string_view key, std::string_view value) {
    SetWritten(section, key, Written(value));
}

void IniFile::SetWritten(std::string_view sectionName, std::string_view key,
                         std::string_view written) {
    const bool quoted = written.size() >= 2 && written.front() == '"' && written.back() == '"';
    const std::string value(quoted ? written.substr(1, written.size() - 2) : written);
    const int index = AddSection(sectionName);
    Section& section = sections_[static_cast<std::size_t>(index)];
    if (const auto found = section.keys.find(Lower(key)); found != section.keys.end()) {
        Entry& entry = section.entries[static_cast<std::size_t>(found->second)];
        entry.value = value;
        entry.quoted = quoted;
        for (Line& line : lines_)
            if (line.section == index && line.entry == found->second) {
                Rewrite(line);
                break;
            }
        return;
    }
    // After the section's last line (its header or its last key). Sections
    // grow at the end of the file as a rule, so the search from the end is
    // short.
    std::size_t at = lines_.size();
    while (at > 0 && lines_[at - 1].section != index)
        --at;
    section.keys.emplace(Lower(key), static_cast<int>(section.entries.size()));
    section.entries.push_back({std::string(key), value, quoted, 0});
    Line line{"", index, static_cast<int>(section.entries.size() - 1)};
    Rewrite(line);
    InsertLine(at, std::move(line));
}

void IniFile::InsertLine(std::size_t index, Line line) {
    if (index > 0 && *lines_[index - 1].end == '\0')
        lines_[index - 1].end = newline_;
    line.end = newline_;
    lines_.insert(lines_.begin() + static_cast<std::ptrdiff_t>(index), std::move(line));
}

void IniFile::AddComment(std::string_view text) {
    InsertLine(lines_.size(), {text.empty() ? std::string() : "; " + std::string(text)});
}

void IniFile::Remove(std::string_view sectionName, std::string_view key) {
    const auto sectionFound = sectionIndex_.find(Lower(sectionName));
    if (sectionFound == sectionIndex_.end())
        return;
    const int s = sectionFound->second;
    Section& section = sections_[static_cast<std::size_t>(s)];
    const auto keyFound = section.keys.find(Lower(key));
    if (keyFound == section.keys.end())
        return;
    const int removed = keyFound->second;
    for (std::size_t i = 0; i < lines_.size(); ++i) {
        if (lines_[i].section != s || lines_[i].entry != removed)
            continue;
        // A last line without a line end leaves its own (none) to the one before.
        if (i > 0 && i + 1 == lines_.size())
            lines_[i - 1].end = lines_[i].end;
        lines_.erase(lines_.begin() + static_cast<std::ptrdiff_t>(i));
        break;
    }
    section.entries.erase(section.entries.begin() + removed);
    section.keys.erase(keyFound);
    for (auto& [name, entry] : section.keys)
        entry -= entry > removed ? 1 : 0;
    for (Line& line : lines_)
        if (line.section == s && line.entry > removed)
            --line.entry;
}

std::string IniFile::Text() const {
    std::size_t size = 3;
    for (const Line& line : lines_)
        size += line.text.size() + 2;
    std::string text;
    text.reserve(size);
    if (byteOrderMark_)
        text += "\xEF\xBB\xBF";
    for (const Line& line : lines_) {
        text += line.text;
        text += line.end;
    }
    return text;
}
