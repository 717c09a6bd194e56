// A container's entries through the menu model: the same bytes come back for
// lists of any length, few or extra entries and empty ones; a list that
// cannot be held exactly is refused with the line that stops it.
#include <gtest/gtest.h>

#include "authoring/MenuDocument.h"

namespace {

std::vector<uint8_t> Bytes(const std::string& text) {
    return std::vector<uint8_t>(text.begin(), text.end());
}

std::string ConversionMessage(const std::string& list) {
    try {
        MenuFromEntries("x.ctr", {Bytes(list)});
    } catch (const ConversionError& error) {
        return error.what();
    }
    return "";
}

} // namespace

TEST(MenuDocument, EntriesComeBackByteForByte) {
    std::string longList;
    for (int line = 0; line < 80; ++line)
        longList += (line == 50 ? "-1 " : line == 45 ? "$FF" : std::to_string(line)) + "\r\n";
    const std::vector<std::vector<std::vector<uint8_t>>> containers = {
        {Bytes(longList),
         Bytes("notice\r\n"),
         Bytes("BMpicture"),
         {},
         Bytes("4"),
         Bytes("5"),
         Bytes("6"),
         Bytes("7"),
         Bytes("nine"),
         {},
         Bytes("eleven")},
        {Bytes("only\r\n\r\nthree lines\r\n")},
        {{}, Bytes("notice without line end"), {}},
        {Bytes(longList), {}, {}, {}, {}, {}, {}, {}},
    };
    for (const auto& entries : containers) {
        const MenuDocument menu = MenuFromEntries("x.ctr", entries);
        EXPECT_EQ(menu.Entries(), entries);
        EXPECT_EQ(menu.EntryCount(), static_cast<int>(entries.size()));
    }
    const MenuDocument menu = MenuFromEntries("x.ctr", containers[0]);
    EXPECT_EQ(menu.Text(SettingId::WindowBorder), "-1 ");
    EXPECT_EQ(menu.Text(SettingId::ButtonFontColor), "$FF");
    EXPECT_EQ(menu.Tail().size(), 8u) << "lines 72 to 79";
    EXPECT_EQ(MenuFromEntries("x.ctr", containers[1]).FixedLinesPresent(), 3);
}

// Every line end the launcher takes is kept, also a last line without one;
// only a NUL byte, which no menu.ini value holds, is refused.
TEST(MenuDocument, AListIsKeptExactlyWhateverItsLineEnds) {
    for (const char* list : {"a\r\nb\nc\r\n", "a\rb\r\n", "a\r\nlast", "a\r\nend\r", "\n\r\r\n\n",
                             "\r\n\r\n", "x", ""}) {
        EXPECT_EQ(ConversionMessage(list), "") << list;
        const MenuDocument menu = MenuFromEntries("x.ctr", {Bytes(list)});
        EXPECT_EQ(menu.ConfigurationList(), Bytes(list)) << list;
    }
    EXPECT_EQ(ConversionMessage(std::string("a\rb\r\nc\0d\r\n", 11)),
              "x.ctr entry 1: line 2 holds a NUL byte, which a menu.ini value cannot hold");

    // For checking, the lines are taken as the launcher reads them.
    const MenuDocument loose = MenuFromEntries("x.ctr", {Bytes("4\n1\r2\r\n")}, false);
    EXPECT_EQ(loose.FixedLinesPresent(), 3);
    EXPECT_EQ(loose.Text(SettingId::InstallShown), "1");
}
