#include <gtest/gtest.h>

#include <climits>

#include "framework/portable/Convert.h"
#include "framework/runtime/Exceptions.h"

namespace {

// Restores the process-wide decimal separator after each test.
class SeparatorGuard {
public:
    SeparatorGuard() : saved_(DecimalSeparator()) {}
    ~SeparatorGuard() { SetDecimalSeparator(saved_); }

private:
    char saved_;
};

TEST(StrToInt, AcceptsDecimalWithSignAndLeadingBlanks) {
    EXPECT_EQ(StrToInt("0"), 0);
    EXPECT_EQ(StrToInt("42"), 42);
    EXPECT_EQ(StrToInt("+42"), 42);
    EXPECT_EQ(StrToInt("-42"), -42);
    EXPECT_EQ(StrToInt("   17"), 17);
    EXPECT_EQ(StrToInt("  -17"), -17);
    EXPECT_EQ(StrToInt("007"), 7);
}

TEST(StrToInt, AcceptsEveryHexPrefixInEitherCase) {
    EXPECT_EQ(StrToInt("$FF"), 255);
    EXPECT_EQ(StrToInt("$ff"), 255);
    EXPECT_EQ(StrToInt("xFF"), 255);
    EXPECT_EQ(StrToInt("XfF"), 255);
    EXPECT_EQ(StrToInt("0x1f"), 31);
    EXPECT_EQ(StrToInt("0X1F"), 31);
    EXPECT_EQ(StrToInt(" -$10"), -16);
    EXPECT_EQ(StrToInt("$0000000000FF"), 255); // leading zeros do not overflow
}

TEST(StrToInt, HexSettingBit31GivesTheNegativeValue) {
    EXPECT_EQ(StrToInt("$FFFFFFFF"), -1);
    EXPECT_EQ(StrToInt("$80000000"), INT32_MIN);
    EXPECT_EQ(StrToInt("0x8000000F"), static_cast<int32_t>(0x8000000F));
    EXPECT_EQ(StrToInt("-$FFFFFFFF"), 1);
}

TEST(StrToInt, Limits) {
    EXPECT_EQ(StrToInt("2147483647"), INT32_MAX);
    EXPECT_EQ(StrToInt("-2147483648"), INT32_MIN);
    int32_t v = 0;
    EXPECT_FALSE(TryStrToInt("2147483648", v));
    EXPECT_FALSE(TryStrToInt("-2147483649", v));
    EXPECT_FALSE(TryStrToInt("99999999999", v));
    EXPECT_FALSE(TryStrToInt("$100000000", v)); // nine significant hex digits
}

TEST(StrToInt, RejectsJunkAndMissingDigits) {
    int32_t v = 123;
    for (const char* bad : {"", " ", "-", "+", "$", "0x", "x", "12 ", "12a", "1.5", "- 5", "--5",
                            "$G", "0x-1", "\t5", "1e3", "five"}) {
        EXPECT_FALSE(TryStrToInt(bad, v)) << '"' << bad << '"';
    }
    EXPECT_EQ(v, 123) << "a failed conversion must not change the output";
}

TEST(StrToInt, ErrorMessageIsTheRuntimesGermanText) {
    try {
        StrToInt("12x");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'12x' ist kein g\xFCltiger Integerwert");
    }
}

TEST(StrToInt, DefaultOnlyOnBadText) {
    EXPECT_EQ(StrToIntDef("zz", -7), -7);
    EXPECT_EQ(StrToIntDef("0", -7), 0);
    EXPECT_EQ(StrToIntDef("2147483648", 5), 5);
}

TEST(IniStrToIntDef, HexPrefixOnlyWhenLongerThanTwoCharacters) {
    EXPECT_EQ(IniStrToIntDef("0x10", 9), 16);
    EXPECT_EQ(IniStrToIntDef("0XfF", 9), 255);
    EXPECT_EQ(IniStrToIntDef("0x", 9), 9);
    EXPECT_EQ(IniStrToIntDef("$1F", 9), 31);
    EXPECT_EQ(IniStrToIntDef("12", 9), 12);
    EXPECT_EQ(IniStrToIntDef("0xZZ", 9), 9);
    EXPECT_EQ(IniStrToIntDef("", 9), 9);
    EXPECT_EQ(IniStrToIntDef("-0x10", 9), -16); // the generic rules still read it
}

TEST(IntToStr, SignedValues) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(-128), "-128");
    EXPECT_EQ(IntToStr(INT32_MIN), "-2147483648");
    EXPECT_EQ(IntToHex(0xFF, 4), "00FF");
    EXPECT_EQ(IntToHex(0x8000000F, 2), "8000000F");
}

TEST(StrToBool, NumbersWithTheLocalesSeparator) {
    SeparatorGuard guard;
    SetDecimalSeparator(',');
    EXPECT_TRUE(StrToBool("1,5"));
    EXPECT_FALSE(StrToBool("0,0"));
    EXPECT_THROW(StrToBool("1.5"), EConvertError);

    SetDecimalSeparator('.');
    EXPECT_TRUE(StrToBool("1.5"));
    EXPECT_FALSE(StrToBool("-0.0"));
    EXPECT_THROW(StrToBool("1,5"), EConvertError);
}

TEST(StrToBool, IntegersAndExponents) {
    SeparatorGuard guard;
    SetDecimalSeparator('.');
    EXPECT_FALSE(StrToBool("0"));
    EXPECT_TRUE(StrToBool("-1"));
    EXPECT_TRUE(StrToBool("255"));
    EXPECT_TRUE(StrToBool(" 2 "));
    EXPECT_TRUE(StrToBool("1e3"));
    EXPECT_FALSE(StrToBool("0e5"));
    EXPECT_TRUE(StrToBool(".5"));
}

TEST(StrToBool, WordsInAnyCase) {
    EXPECT_TRUE(StrToBool("TRUE"));
    EXPECT_TRUE(StrToBool("True"));
    EXPECT_FALSE(StrToBool("false"));
    EXPECT_FALSE(StrToBool("fAlSe"));
}

TEST(StrToBool, RejectsOtherText) {
    bool v = true;
    for (const char* bad : {"yes", "", "$FF", "0x1", " true", "True ", "1e", ".", "1..2", "T"}) {
        EXPECT_FALSE(TryStrToBool(bad, v)) << '"' << bad << '"';
    }
    try {
        StrToBool("yes");
        FAIL() << "no exception";
    } catch (const EConvertError& e) {
        EXPECT_EQ(e.Message(), "'yes' ist kein g\xFCltiger Boolescher Wert");
    }
}

// The message a conversion error would show for the given text.
template <typename Convert> std::string ErrorText(Convert convert, const std::string& text) {
    try {
        convert(text);
    } catch (const EConvertError& e) {
        return e.Message();
    }
    return "(no exception)";
}

TEST(ConversionErrors, QuoteAnyValueShortAndVisible) {
    const auto toInt = [](const std::string& text) { StrToInt(text); };
    const auto toBool = [](const std::string& text) { StrToBool(text); };
    const std::string integer = " ist kein g\xFCltiger Integerwert";

    // A NUL byte used to end the box's text after "'1".
    EXPECT_EQ(ErrorText(toInt, std::string("1\0002", 3)), "'1#02'" + integer);
    EXPECT_EQ(ErrorText(toInt, "a\tb\r\n\x1F\x7F"), "'a#9b#13#10#31#127'" + integer);
    EXPECT_EQ(ErrorText(toBool, std::string("\0", 1)), "'#0' ist kein g\xFCltiger Boolescher Wert");

    // A value of 100 KB used to make a box wider than the screen.
    const std::string huge(100000, '7');
    EXPECT_EQ(ErrorText(toInt, huge + "x"), "'" + std::string(60, '7') + "...'" + integer);
    EXPECT_LT(ErrorText(toBool, std::string(5000, 'y')).size(), 120u);

    // The cut never splits an escape: the whole "#0" fits or is left out.
    const std::string edge = std::string(59, 'a') + std::string("\0b", 2);
    EXPECT_EQ(ErrorText(toInt, edge), "'" + std::string(59, 'a') + "...'" + integer);

    // Ordinary values keep their exact text, up to the limit and with 8-bit letters.
    const std::string sixty(60, 'z');
    EXPECT_EQ(ErrorText(toInt, sixty), "'" + sixty + "'" + integer);
    EXPECT_EQ(ErrorText(toInt, "Gr\xF6\xDF"
                               "e 12"),
              "'Gr\xF6\xDF"
              "e 12'" +
                  integer);
    EXPECT_EQ(ErrorText([](const std::string& t) { StringToColor(t); }, "clPink"),
              "'clPink'" + integer);
}

} // namespace
