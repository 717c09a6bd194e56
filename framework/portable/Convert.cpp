#include "framework/portable/Convert.h"
#include "framework/portable/Text.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

#include "framework/runtime/Exceptions.h"

namespace {

char gDecimalSeparator = '.';

int HexDigitValue(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

} // namespace

std::string QuotedValue(const std::string& text) {
    return "'" + ReadableText(text, kMaxQuotedChars) + "'";
}

std::string ReadableText(const std::string& text, size_t maxChars) {
    std::string shown;
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // A character below the blank (or DEL) would cut the box's text short or
        // not show at all.
        const std::string piece =
            c < 32 || c == 127 ? "#" + std::to_string(c) : std::string(1, text[i]);
        if (shown.size() + piece.size() > maxChars) {
            shown += "...";
            break;
        }
        shown += piece;
    }
    return shown;
}

bool TryStrToInt(const std::string& text, int32_t& value) {
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    bool negative = false;
    if (i < n && (text[i] == '-' || text[i] == '+')) {
        negative = text[i] == '-';
        ++i;
    }

    bool hex = false;
    if (i < n && (text[i] == '$' || text[i] == 'x' || text[i] == 'X')) {
        hex = true;
        ++i;
    } else if (i + 1 < n && text[i] == '0' && (text[i + 1] == 'x' || text[i + 1] == 'X')) {
        hex = true;
        i += 2;
    }
    if (i == n)
        return false; // no digits at all

    uint32_t magnitude = 0;
    if (hex) {
        for (; i < n; ++i) {
            int digit = HexDigitValue(text[i]);
            if (digit < 0 || magnitude > 0x0FFFFFFFu)
                return false;
            magnitude = (magnitude << 4) | static_cast<uint32_t>(digit);
        }
        // Hexadecimal may use bit 31: the value wraps to the negative one.
        uint32_t bits = negative ? 0u - magnitude : magnitude;
        value = static_cast<int32_t>(bits);
        return true;
    }

    const uint32_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    for (; i < n; ++i) {
        if (!IsDigit(text[i]))
            return false;
        uint32_t digit = static_cast<uint32_t>(text[i] - '0');
        if (magnitude > (limit - digit) / 10)
            return false;
        magnitude = magnitude * 10 + digit;
    }
    value = negative ? static_cast<int32_t>(0u - magnitude) : static_cast<int32_t>(magnitude);
    return true;
}

int32_t StrToInt(const std::string& text) {
    int32_t value = 0;
    if (!TryStrToInt(text, value))
        throw EConvertError(QuotedValue(text) + " ist kein g\xFCltiger Integerwert");
    return value;
}

int32_t StrToIntDef(const std::string& text, int32_t defaultValue) {
    int32_t value = 0;
    return TryStrToInt(text, value) ? value : defaultValue;
}

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string IntToHex(uint32_t value, int digits) {
    static const char kDigits[] = "0123456789ABCDEF";
    std::string out;
    do {
        out.insert(out.begin(), kDigits[value & 0xF]);
        value >>= 4;
    } while (value != 0);
    while (static_cast<int>(out.size()) < digits)
        out.insert(out.begin(), '0');
    return out;
}

char DecimalSeparator() {
    return gDecimalSeparator;
}
void SetDecimalSeparator(char separator) {
    gDecimalSeparator = separator;
}

bool TryStrToFloat(const std::string& text, double& value) {
    const size_t n = text.size();
    size_t i = 0;
    while (i < n && text[i] == ' ')
        ++i;
    // The number is rebuilt in the C locale's form for strtod.
    std::string plain;
    if (i < n && (text[i] == '-' || text[i] == '+'))
        plain += text[i++];
    int digits = 0;
    while (i < n && IsDigit(text[i])) {
        plain += text[i++];
        ++digits;
    }
    if (i < n && text[i] == gDecimalSeparator) {
        plain += '.';
        ++i;
        while (i < n && IsDigit(text[i])) {
            plain += text[i++];
            ++digits;
        }
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < n && (text[i] == '-' || text[i] == '+'))
            plain += text[i++];
        int exponentDigits = 0;
        while (i < n && IsDigit(text[i])) {
            plain += text[i++];
            ++exponentDigits;
        }
        if (exponentDigits == 0)
            return false;
    }
    while (i < n && text[i] == ' ')
        ++i;
    if (i != n)
        return false;
    double parsed = std::strtod(plain.c_str(), nullptr);
    if (!std::isfinite(parsed))
        return false;
    value = parsed;
    return true;
}

bool TryStrToBool(const std::string& text, bool& value) {
    double number = 0;
    if (TryStrToFloat(text, number)) {
        value = number != 0;
        return true;
    }
    if (SameText(text, "True")) {
        value = true;
        return true;
    }
    if (SameText(text, "False")) {
        value = false;
        return true;
    }
    return false;
}

bool StrToBool(const std::string& text) {
    bool value = false;
    if (!TryStrToBool(text, value))
        throw EConvertError(QuotedValue(text) + " ist kein g\xFCltiger Boolescher Wert");
    return value;
}

std::string BoolToStr(bool value, bool useBoolStrs) {
    if (useBoolStrs)
        return value ? "True" : "False";
    return value ? "-1" : "0";
}

TColor StringToColor(const std::string& text) {
    if (auto named = IdentToColor(text))
        return *named;
    return StrToInt(text);
}

std::string ColorToString(TColor color) {
    if (auto name = ColorToIdent(color))
        return *name;
    return "$" + IntToHex(static_cast<uint32_t>(color), 8);
}

int32_t IniStrToIntDef(const std::string& text, int32_t defaultValue) {
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X'))
        return StrToIntDef("$" + text.substr(2), defaultValue);
    return StrToIntDef(text, defaultValue);
}
