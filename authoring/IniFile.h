// A small INI file of its own (no profile calls, so it builds everywhere):
// "[Section]" lines, "Key=value" lines and "; comment" lines. Every line is
// kept with its number and its text, so a file edited through Set keeps its
// comments and order. Bytes are CP1252 and pass through untouched.
//
// Values: blanks around the "=" and at the line's end are dropped. A value
// written between double quotes is taken exactly as it stands inside them
// (blanks, a leading quote, anything), so every text can be written. A ";"
// starts a comment only at the start of a line: values may hold ";" freely.
// Section and key names are matched without regard to case.
#pragma once

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "authoring/Problem.h"

class IniFile {
public:
    struct Entry {
        std::string key;
        std::string value; // without its quotes
        bool quoted = false;
        int line = 0; // 1-based
    };
    struct Section {
        std::string name;
        int line = 0; // of the "[Section]" line; 0 for one made by Set
        std::vector<Entry> entries;
        // The entries by their key in lower case, so that a file of many
        // keys reads and writes in linear time.
        std::unordered_map<std::string, int> keys;
    };

    IniFile() = default;
    // Reads text; every line that is not understood, a key outside any
    // section, and a section or key given twice become problems naming
    // fileName and the line (the second of a pair is left out).
    static IniFile Parse(const std::string& fileName, std::string_view text,
                         std::vector<Problem>& problems);

    const std::vector<Section>& Sections() const { return sections_; }
    const Section* FindSection(std::string_view name) const;
    const Entry* Find(std::string_view section, std::string_view key) const;

    // Replaces the key's value in place, or adds the key at the end of its
    // section (the section at the end of the file when it is new).
    void Set(std::string_view section, std::string_view key, std::string_view value);
    // As Set, with the value as it stands in the file (quoted or not).
    void SetWritten(std::string_view section, std::string_view key, std::string_view written);
    // Adds the section at the end unless it exists; returns its index.
    int AddSection(std::string_view name);
    // Adds a comment line at the end ("; " and text; empty text: a blank line).
    void AddComment(std::string_view text);
    // Takes the key's line out of the file; nothing when there is none.
    void Remove(std::string_view section, std::string_view key);

    // The file's text: every line as it was read, with its own line end (and
    // the byte order mark the file began with), so that a file read and
    // written again is the same byte for byte; lines set or added end as
    // the file's first line does (CR LF for a new file).
    std::string Text() const;

    // The value as it must be written so that Parse gives back exactly text.
    static std::string Written(std::string_view text);

private:
    struct Line {
        std::string text;
        int section = -1;         // index into sections_ of a "[Section]" or key line
        int entry = -1;           // index into the section's entries for a key line
        const char* end = "\r\n"; // as read: CR LF, LF, CR or none after the last line
    };
    void Rewrite(Line& line) const;
    // Inserts line at index; the line before it gets a line end if it had none.
    void InsertLine(std::size_t index, Line line);

    std::vector<Line> lines_;
    std::vector<Section> sections_;
    std::unordered_map<std::string, int> sectionIndex_; // by lower-case name
    bool byteOrderMark_ = false;
    const char* newline_ = "\r\n"; // the file's own, for the lines added
};
