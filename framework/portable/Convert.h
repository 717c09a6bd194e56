// Text conversions with the runtime's rules and its German error messages
// (EConvertError). Texts are CP1252.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "framework/portable/Color.h"

// A value as the conversion errors quote it: in single quotes, control
// characters written as "#" and their code (a NUL byte as "#0", a tab as
// "#9"), and cut with "..." after kMaxQuotedChars characters, so that any
// value gives a short, readable message. Ordinary short values appear as they are.
constexpr size_t kMaxQuotedChars = 60;
std::string QuotedValue(const std::string& text);
// text shown the same way, without the quotes, cut after maxChars characters.
std::string ReadableText(const std::string& text, size_t maxChars);

// Integer text: optional leading blanks, an optional sign, then decimal digits,
// or hexadecimal digits after "$", "x", "X", "0x" or "0X". Nothing may follow.
// Decimal values must fit a signed 32-bit integer; hexadecimal values may use
// all 32 bits (bit 31 set gives the negative value). Bad text raises
// EConvertError "'<text>' ist kein gültiger Integerwert".
int32_t StrToInt(const std::string& text);
int32_t StrToIntDef(const std::string& text, int32_t defaultValue);
bool TryStrToInt(const std::string& text, int32_t& value);

std::string IntToStr(int64_t value);
// Upper-case hexadecimal with at least `digits` digits ("00FF").
std::string IntToHex(uint32_t value, int digits);

// The decimal separator used for reading floating numbers. '.' until set;
// Windows programs set it from the user's locale at start-up
// (InitDecimalSeparatorFromLocale in framework/system/Locale.h).
char DecimalSeparator();
void SetDecimalSeparator(char separator);

// Floating text: optional blanks, sign, digits with at most one decimal
// separator (at least one digit), optional exponent, optional trailing blanks.
bool TryStrToFloat(const std::string& text, double& value);

// Boolean text: first a floating number (0 is false, any other number true),
// else "True" or "False" in any case. Bad text raises EConvertError
// "'<text>' ist kein gültiger Boolescher Wert".
bool StrToBool(const std::string& text);
bool TryStrToBool(const std::string& text, bool& value);
std::string BoolToStr(bool value, bool useBoolStrs = false); // "-1"/"0" or "True"/"False"

// Colour text: a colour name ("clRed") or integer text ("$00FF0000", "255").
TColor StringToColor(const std::string& text);
// The colour's name when it has one, else "$" and eight hexadecimal digits.
std::string ColorToString(TColor color);

// The rule profile files use for integers: a text longer than two characters
// that starts with "0x" or "0X" is hexadecimal; everything else goes through
// StrToIntDef (so "$1F" is hexadecimal too). Bad text yields defaultValue.
int32_t IniStrToIntDef(const std::string& text, int32_t defaultValue);
