// The failed-start box names the command line or target readably and
// briefly, whatever the configuration holds.
#include <gtest/gtest.h>

#include "launcher/StartFailure.h"

TEST(StartFailure, TheLineIsShownReadablyAndCutShort) {
    const std::string reason = "The program could not be started (file not found):\r\n";
    EXPECT_EQ(ProgramStartFailedText("C:\\Game\\Game.exe -w", 2), reason + "C:\\Game\\Game.exe -w");
    EXPECT_EQ(ProgramStartFailedText(std::string("C:\\G\\a\0b\tc", 10), 2),
              reason + "C:\\G\\a#0b#9c")
        << "a NUL would end the box's text";
    const std::string shown = ProgramStartFailedText(std::string(100000, 'x'), 2);
    EXPECT_EQ(shown, reason + std::string(kMaxShownCommandChars, 'x') + "...");
    EXPECT_EQ(ShellOpenFailedText(std::string(5000, 'y'), 31).size(),
              ShellOpenFailedText("", 31).size() + kMaxShownCommandChars + 3);
}
