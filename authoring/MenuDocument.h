// A whole launcher menu as plain values: every configuration line as the
// exact text the launcher will read, the option lines and whatever follows
// them, the notice text, the six pictures, and the entries above 8 that the
// launcher never reads. It converts to and from a container's entries without
// changing a byte, so a container taken apart and built again is the same.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "format/MenuEntries.h"
#include "format/MenuSettings.h"

// How a line of the configuration list ends. The launcher takes CR LF, a
// lone LF and a lone CR alike; the last line may have no end at all.
enum class LineEnd : uint8_t { CrLf, Lf, Cr, None };

struct MenuFileData {
    std::string fileName; // where it came from or goes to; "" when unnamed
    std::vector<uint8_t> bytes;
};

class MenuDocument {
public:
    // Every line at its default (the texts of a menu.ini left empty).
    MenuDocument();

    const std::string& Text(SettingId id) const { return lines_[LineOf(id)]; }
    void SetText(SettingId id, std::string text) { lines_[LineOf(id)] = std::move(text); }

    // Lines from 72 on: the option lines the launcher reads (as many as line
    // 71 says, when that is more than one), then anything after them.
    const std::vector<std::string>& Tail() const { return tail_; }
    std::vector<std::string>& Tail() { return tail_; }

    // How line i of the configuration list ends, for i within the list;
    // lines after it end in CR LF, and None counts only for the last line.
    // Empty for a list of CR LF lines alone.
    const std::vector<LineEnd>& LineEnds() const { return lineEnds_; }
    void SetLineEnds(std::vector<LineEnd> ends);

    // How many lines the configuration list has when it ends before line 72
    // (kFixedLines otherwise): lines from there on do not exist.
    int FixedLinesPresent() const { return fixedPresent_; }
    void SetFixedLinesPresent(int count);

    // Entry 2, the notice text, as its bytes.
    const MenuFileData& Notice() const { return notice_; }
    MenuFileData& Notice() { return notice_; }
    const MenuFileData& Picture(PictureRole role) const;
    MenuFileData& Picture(PictureRole role);
    // Entries 9 and on, as they are.
    const std::vector<MenuFileData>& Extra() const { return extra_; }
    std::vector<MenuFileData>& Extra() { return extra_; }

    // How many entries the container has: 1 to 8 when it ends early, else 8
    // plus the extra entries.
    int EntryCount() const;
    void SetEntriesBelowEight(int count); // 1..8; clears Extra when below 8

    // The configuration list as the launcher stores it: each line and CR LF.
    std::vector<uint8_t> ConfigurationList() const;
    // The container's entries 1..EntryCount() in order.
    std::vector<std::vector<uint8_t>> Entries() const;

private:
    std::array<std::string, kFixedLines> lines_;
    int fixedPresent_ = kFixedLines;
    std::vector<std::string> tail_;
    std::vector<LineEnd> lineEnds_;
    MenuFileData notice_;
    std::array<MenuFileData, kPictureCount> pictures_;
    std::vector<MenuFileData> extra_;
    int entriesBelowEight_ = kLauncherEntries;
};

// What keeps a configuration list from being held exactly (a NUL byte, which
// no menu.ini value holds); empty when it converts both ways.
std::string ExactListProblem(const std::vector<uint8_t>& bytes);
// How each line of the list ends, as the launcher splits it; empty when every
// line ends in CR LF.
std::vector<LineEnd> ListLineEnds(const std::vector<uint8_t>& bytes);
// The lines as the launcher loads them (a lone CR or LF also ends a line).
std::vector<std::string> LauncherLines(const std::vector<uint8_t>& bytes);

// The menu a container's entries describe, its list's line ends kept. With
// exact, raises ConversionError when the configuration list cannot be held
// exactly (see ExactListProblem); without, takes the lines as the launcher
// reads them (for checking). source
// names the container in the message.
MenuDocument MenuFromEntries(const std::string& source, std::vector<std::vector<uint8_t>> entries,
                             bool exact = true);

class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
