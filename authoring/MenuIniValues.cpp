#include "authoring/MenuIniValues.h"

#include "authoring/IniFile.h"
#include "framework/portable/Convert.h"

namespace {

bool IsHex(char c) {
    return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}

} // namespace

const std::string_view kMenuIniSections[] = {
    "Window",   "Launch",  "Install", "Web",     "Quit",     "Button5",
    "Button6",  "Button7", "Button8", "Button9", "Button10", "Buttons",
    "CheckBox", "Options", "Notice",  "Sounds",  "Pictures", "Container"};

std::optional<int> NumberAfter(std::string_view key, std::string_view prefix) {
    if (key.size() <= prefix.size() || !SameName(key.substr(0, prefix.size()), prefix))
        return std::nullopt;
    const std::string_view digits = key.substr(prefix.size());
    if (digits.size() > 9 || digits.front() == '0')
        return std::nullopt;
    int number = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        number = number * 10 + (c - '0');
    }
    return number;
}

std::string LineEndsText(const std::vector<LineEnd>& ends) {
    static constexpr const char* kNames[] = {"CRLF", "LF", "CR", "none"};
    std::string text;
    for (std::size_t i = 0; i < ends.size();) {
        std::size_t run = i;
        while (run < ends.size() && ends[run] == ends[i])
            ++run;
        text += (text.empty() ? "" : ", ") + std::string(kNames[static_cast<int>(ends[i])]);
        if (run - i > 1)
            text += "*" + std::to_string(run - i);
        i = run;
    }
    return text;
}

std::optional<std::vector<LineEnd>> ParseLineEnds(std::string_view text, std::string& error) {
    std::vector<LineEnd> ends;
    if (text.find_first_not_of(' ') == std::string_view::npos)
        return ends; // every line ends in CR LF
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string_view::npos)
            comma = text.size();
        std::string_view item = text.substr(start, comma - start);
        while (!item.empty() && item.front() == ' ')
            item.remove_prefix(1);
        while (!item.empty() && item.back() == ' ')
            item.remove_suffix(1);
        start = comma + 1;
        const std::size_t star = item.find('*');
        const std::string_view name = item.substr(0, star);
        std::size_t count = 1;
        if (star != std::string_view::npos) {
            const std::string_view digits = item.substr(star + 1);
            if (!PlainDigits(digits) || digits.size() > 9 || digits.front() == '0') {
                error = "\"" + std::string(item) + "\": a count after * is a whole number from 1";
                return std::nullopt;
            }
            count = std::stoul(std::string(digits));
        }
        const std::optional<LineEnd> end =
            SameName(name, "CRLF") ? std::optional(LineEnd::CrLf)
            : SameName(name, "LF") ? std::optional(LineEnd::Lf)
            : SameName(name, "CR") ? std::optional(LineEnd::Cr)
            : SameName(name, "none") && star == std::string_view::npos && start > text.size()
                ? std::optional(LineEnd::None)
                : std::nullopt;
        if (!end) {
            error = "\"" + std::string(item) +
                    "\" is no line end; write CRLF, LF or CR (with *N for N lines), and none last "
                    "for a last line without an end";
            return std::nullopt;
        }
        if (ends.size() + count > 100000000) {
            error = "more line ends than any list has lines";
            return std::nullopt;
        }
        ends.insert(ends.end(), count, *end);
    }
    return ends;
}

bool IsButtonSection(std::string_view section) {
    for (int g = 1; g <= kButtonGroups; ++g)
        if (SameName(Setting(ButtonSetting(g, 0)).section, section))
            return true;
    return false;
}

// "#RRGGBB" as the launcher's colour value 0x00BBGGRR.
std::optional<uint32_t> HashColour(std::string_view value) {
    if (value.size() != 7 || value[0] != '#')
        return std::nullopt;
    uint32_t rgb = 0;
    for (char c : value.substr(1)) {
        if (!IsHex(c))
            return std::nullopt;
        rgb = rgb * 16 + static_cast<uint32_t>(c <= '9' ? c - '0' : (c | 0x20) - 'a' + 10);
    }
    return ((rgb & 0xFF) << 16) | (rgb & 0xFF00) | (rgb >> 16);
}

std::string HashText(uint32_t colour) {
    const uint32_t rgb = ((colour & 0xFF) << 16) | (colour & 0xFF00) | ((colour >> 16) & 0xFF);
    return "#" + IntToHex(rgb, 6);
}

std::optional<bool> YesNo(std::string_view value) {
    if (SameName(value, "yes"))
        return true;
    if (SameName(value, "no"))
        return false;
    return std::nullopt;
}

bool PlainDigits(std::string_view text) {
    if (text.empty())
        return false;
    for (char c : text)
        if (c < '0' || c > '9')
            return false;
    return true;
}

// The launcher text of a value of a one-key setting.
std::string SimpleText(SettingKind kind, const std::string& value, bool quoted) {
    if (quoted)
        return value;
    switch (kind) {
    case SettingKind::Colour:
        if (const auto colour = HashColour(value))
            return "$" + IntToHex(*colour, 8);
        break;
    case SettingKind::CheckBoxColour:
        if (const auto colour = HashColour(value))
            return IntToStr(*colour);
        break;
    case SettingKind::Boolean:
    case SettingKind::Switch:
        if (const auto yes = YesNo(value))
            return *yes ? "-1" : "0";
        break;
    case SettingKind::ScrollBars: {
        const auto names = Choices(Setting(SettingId::NoticeScrollBars));
        for (std::size_t i = 0; i < names.size(); ++i)
            if (SameName(value, names[i]))
                return std::to_string(i);
    } break;
    default:
        break;
    }
    return value;
}

// How text is written for a one-key setting: plain, or quoted when reading
// the plain value would give something else.
std::string Verbatim(SettingKind kind, const std::string& text) {
    const std::string written = IniFile::Written(text);
    if (written.size() == text.size() && SimpleText(kind, text, false) == text)
        return text;
    return "\"" + text + "\"";
}

// The friendly form of text where reading it gives text back, else Verbatim.
std::string Friendly(SettingKind kind, const std::string& text) {
    switch (kind) {
    case SettingKind::Boolean:
    case SettingKind::Switch:
        if (text == "-1")
            return "yes";
        if (text == "0")
            return "no";
        break;
    case SettingKind::ScrollBars:
        if (text.size() == 1 && text[0] >= '0' && text[0] <= '3')
            return std::string(Choices(Setting(SettingId::NoticeScrollBars))[text[0] - '0']);
        break;
    case SettingKind::Colour: {
        int32_t value = 0;
        if (text.size() == 9 && text.compare(0, 3, "$00") == 0 && TryStrToInt(text, value) &&
            "$" + IntToHex(static_cast<uint32_t>(value), 8) == text)
            return HashText(static_cast<uint32_t>(value));
        break;
    }
    case SettingKind::CheckBoxColour: {
        int32_t value = 0;
        if (TryStrToInt(text, value) && value > 0 && value <= 0xFFFFFF && IntToStr(value) == text)
            return HashText(static_cast<uint32_t>(value));
        break;
    }
    default:
        break;
    }
    return Verbatim(kind, text);
}

// A line's default text with its section present or left out: a button or
// check box left out is hidden, and a hidden button needs no place.
std::string DefaultText(const SettingInfo& row, bool present) {
    if (IsButtonSection(row.section) && row.kind != SettingKind::Text)
        return present ? (row.kind == SettingKind::Boolean ? "-1" : std::string(row.text)) : "0";
    if (present && row.kind == SettingKind::CheckBoxColour)
        return "1";
    return std::string(row.text);
}
