// Reading and writing the remembered choice.
#include <gtest/gtest.h>

#include "format/ConfigLog.h"
#include "framework/runtime/StringList.h"

namespace {

std::optional<TRememberedChoice> Parse(const std::string& text) {
    TStringList lines;
    lines.SetText(text);
    return ParseConfigLog(lines);
}

} // namespace

TEST(ConfigLogFile, OnlyAnExactMinusOneAsksForTheDirectStart) {
    EXPECT_TRUE(Parse("-1\r\n0\r\n0\r\n")->AutoStart);
    for (const char* line0 : {"0", "1", "True", "-1 ", " -1", "-01", "$FFFFFFFF", ""})
        EXPECT_FALSE(Parse(std::string(line0) + "\r\n-1\r\n0\r\n")->AutoStart) << line0;
}

TEST(ConfigLogFile, TheOptionIndexMustFitASignedByte) {
    EXPECT_EQ(Parse("0\r\n0\r\n127\r\n")->SavedOption, 127);
    EXPECT_EQ(Parse("0\r\n0\r\n-128\r\n")->SavedOption, -128);
    EXPECT_EQ(Parse("0\r\n0\r\n$7F\r\n")->SavedOption, 127);
    EXPECT_EQ(Parse("-1\r\n-1\r\n3")->SavedOption, 3) << "the last line needs no line end";
    EXPECT_FALSE(Parse("-1\r\n0\r\n128\r\n"));
    EXPECT_FALSE(Parse("-1\r\n0\r\n-129\r\n"));
}

TEST(ConfigLogFile, ADamagedFileCountsAsAbsent) {
    EXPECT_FALSE(Parse(""));
    EXPECT_FALSE(Parse("-1\r\n-1\r\n"));
    EXPECT_FALSE(Parse("-1\r\n-1\r\nabc\r\n"));
    EXPECT_FALSE(Parse("-1\r\n-1\r\n\r\n"));
    EXPECT_FALSE(Parse("-1\r\n-1\r\n1 \r\n"));
}
