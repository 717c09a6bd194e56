#include "tools/ctrpack/MenuCheck.h"

#include <climits>
#include <optional>

#include "framework/portable/BmpHeader.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/StringList.h"

namespace {

// The configuration lines the launcher reads (0-based, as it counts them).
constexpr int kButtonGroups = 10;
constexpr int kLastFixedLine = 71; // the option count
constexpr int kFirstOptionLine = 72;

const char* const kPictureNames[] = {"background",     "button",
                                     "pressed button", "button under the pointer",
                                     "check box",      "ticked check box"};

std::string Quoted(const std::string& text) {
    return "\"" + text + "\"";
}

// Boolean text is read as a number first, with the decimal separator of the
// user's locale.
bool TryStrToBoolWithSeparator(const std::string& text, char separator, bool& value) {
    const char saved = DecimalSeparator();
    SetDecimalSeparator(separator);
    const bool ok = TryStrToBool(text, value);
    SetDecimalSeparator(saved);
    return ok;
}

class ConfigChecker {
public:
    ConfigChecker(const MenuEntry& entry, std::vector<std::string>& problems)
        : entry_(entry), problems_(problems) {
        lines_.SetText(std::string(entry.bytes.begin(), entry.bytes.end()));
    }

    // Lines of free text (0, captions, targets, the program, font names, the
    // "-1" switches) accept anything; like every other line they must exist,
    // and missing lines are reported once, together, at the end.
    void Run() {
        // Every installed version passes an empty line 0, so the menu then
        // always comes in launch mode: its notice lines are never read and
        // the shell button of group 1 is never shown.
        const bool requirementMode = !Get(0) || !Get(0)->empty();
        bool anyButtonShown = false;
        for (int g = 1; g <= kButtonGroups; ++g) {
            const std::string button = "button " + std::to_string(g);
            std::optional<bool> shown = Boolean(4 * g - 3, button + " shown");
            if (g != 1 || requirementMode)
                anyButtonShown = anyButtonShown || shown.value_or(false);
            Integer(4 * g - 2, button + " Left", 0, 65535);
            Integer(4 * g - 1, button + " Top", 0, 65535);
        }
        Integer(44, "button font size", -65535, 65535);
        // Read once per shown button only; with none shown any text passes.
        if (anyButtonShown)
            Integer(45, "button font colour");
        Integer(48, "check box Left");
        Integer(49, "check box Top");
        if (requirementMode) {
            Integer(51, "notice colour");
            Integer(52, "notice Left");
            Integer(53, "notice Top");
            Integer(54, "notice Width");
            Integer(55, "notice Height");
            Integer(56, "notice font size", -INT_MAX, INT_MAX);
            Integer(57, "notice font colour");
            Integer(58, "notice scroll bars");
        }
        SoundDigits(60);
        Integer(62, "option list Width");
        Integer(63, "option list Left");
        Integer(64, "option list Top");
        Integer(65, "option list colour");
        Integer(66, "option list font size", -INT_MAX, INT_MAX);
        Integer(67, "option list font colour", -INT_MAX, INT_MAX);
        Integer(68, "check box font size");
        if (Integer(69, "check box font colour") && !Boolean(69, "check box font colour", false))
            Report(69, "check box font colour",
                   Quoted(Line(69)) + " is a colour but no decimal number, which the check "
                                      "box's visibility needs in launch mode");
        std::optional<int32_t> options = Integer(kLastFixedLine, "number of options");
        int last = kLastFixedLine;
        if (options && *options > 1) {
            const int64_t wanted = int64_t{kFirstOptionLine} + *options - 1;
            last = wanted > INT_MAX ? INT_MAX : static_cast<int>(wanted);
        }
        if (lines_.Count() <= last) {
            const std::string range = lines_.Count() == last
                                          ? "line " + std::to_string(last) + " is"
                                          : "lines " + std::to_string(lines_.Count()) + " to " +
                                                std::to_string(last) + " are";
            problems_.push_back(entry_.source + ": " + range + " missing: the list has " +
                                std::to_string(lines_.Count()) +
                                " lines, the launcher reads up to line " + std::to_string(last) +
                                (last > kLastFixedLine ? " (" + std::to_string(*options) +
                                                             " option lines from line 72)"
                                                       : std::string()));
        }
    }

private:
    const std::string* Get(int index) const {
        return index < lines_.Count() ? &lines_[index] : nullptr;
    }
    const std::string& Line(int index) const { return lines_[index]; }

    void Report(int index, const std::string& meaning, const std::string& what) {
        std::string where = entry_.source;
        if (entry_.isFile)
            where += ":" + std::to_string(index + 1);
        problems_.push_back(where + ": line " + std::to_string(index) + " (" + meaning +
                            "): " + what);
    }

    std::optional<int32_t> Integer(int index, const std::string& meaning, int32_t low = INT32_MIN,
                                   int32_t high = INT32_MAX) {
        const std::string* text = Get(index);
        if (!text)
            return std::nullopt;
        int32_t value = 0;
        if (!TryStrToInt(*text, value)) {
            Report(index, meaning, Quoted(*text) + " is no integer");
            return std::nullopt;
        }
        if (value < low || value > high) {
            Report(index, meaning,
                   std::to_string(value) + " lies outside " + std::to_string(low) + ".." +
                       std::to_string(high));
            return std::nullopt;
        }
        return value;
    }

    std::optional<bool> Boolean(int index, const std::string& meaning, bool report = true) {
        const std::string* text = Get(index);
        if (!text)
            return std::nullopt;
        bool value = false, withComma = false;
        const bool point = TryStrToBoolWithSeparator(*text, '.', value);
        const bool comma = TryStrToBoolWithSeparator(*text, ',', withComma);
        if (point && comma)
            return value;
        if (report && (point || comma))
            Report(index, meaning,
                   Quoted(*text) + " is a Boolean only where the decimal separator is '" +
                       (point ? "." : ",") + "', so the user's locale would decide");
        else if (report)
            Report(index, meaning, Quoted(*text) + " is no Boolean (a number, True or False)");
        return std::nullopt;
    }

    void SoundDigits(int index) {
        const std::string* text = Get(index);
        if (!text)
            return;
        bool digits = text->size() >= 4;
        for (std::size_t i = 0; digits && i < 4; ++i)
            digits = (*text)[i] >= '0' && (*text)[i] <= '9';
        if (!digits)
            Report(index, "sound digits",
                   Quoted(*text) + " does not begin with four digits 0 to 9");
    }

    const MenuEntry& entry_;
    std::vector<std::string>& problems_;
    TStringList lines_;
};

} // namespace

std::vector<std::string> CheckMenu(const std::string& menuName,
                                   const std::vector<MenuEntry>& entries) {
    std::vector<std::string> problems;
    if (entries.size() < static_cast<std::size_t>(kLauncherEntries))
        problems.push_back(menuName + ": holds " + std::to_string(entries.size()) +
                           " entries; the launcher reads entries 1 to 8");
    for (const MenuEntry& entry : entries) {
        if (entry.number == 1) {
            ConfigChecker(entry, problems).Run();
        } else if (entry.number >= 3 && entry.number <= kLauncherEntries && !entry.bytes.empty()) {
            // An empty entry loads as an empty picture, which the launcher takes.
            TBmpCheck check = CheckBmpFile(entry.bytes.data(), entry.bytes.size());
            if (!check.Ok)
                problems.push_back(entry.source + ": the " + kPictureNames[entry.number - 3] +
                                   " picture is no valid bitmap: " + check.Error);
        }
    }
    return problems;
}
