// A changed menu written back into its author's menu.ini: only the lines of
// what changed are rewritten in place, everything else stays byte for byte.
#include <gtest/gtest.h>

#include <functional>

#include "authoring/MenuIni.h"

namespace {

MenuDocument Read(const std::string& text) {
    std::vector<Problem> problems;
    return ReadMenuIni("menu.ini", text, problems).menu;
}

struct UpdateCase {
    const char* what;
    std::string before;
    std::function<void(MenuDocument&)> change;
    std::string after;
};

TEST(MenuIniUpdate, RewritesOnlyTheLinesOfWhatChanged) {
    const std::string base = "; My menu, by me\r\n"
                             "[Window]\r\n"
                             "Caption = Old title   \r\n"
                             "; the border stays\r\n"
                             "border=-1\r\n"
                             "\r\n"
                             "[Launch]\r\n"
                             "Program=Game.exe\r\n"
                             "Caption=Play\r\n";
    const UpdateCase cases[] = {
        {"nothing changed", base, [](MenuDocument&) {}, base},
        {"a value in place, its spelling elsewhere kept", base,
         [](MenuDocument& m) { m.SetText(SettingId::WindowCaption, "New title"); },
         "; My menu, by me\r\n[Window]\r\nCaption=New title\r\n; the border stays\r\n"
         "border=-1\r\n\r\n[Launch]\r\nProgram=Game.exe\r\nCaption=Play\r\n"},
        {"a new key at the end of its section", base,
         [](MenuDocument& m) { m.SetText(SettingId::LaunchLeft, "30"); },
         "; My menu, by me\r\n[Window]\r\nCaption = Old title   \r\n; the border stays\r\n"
         "border=-1\r\n\r\n[Launch]\r\nProgram=Game.exe\r\nCaption=Play\r\nLeft=30\r\n"},
        {"LF lines and no last line end", "[Window]\nCaption=A\n[Launch]\nCaption=Play",
         [](MenuDocument& m) { m.SetText(SettingId::WindowCaption, "B"); },
         "[Window]\nCaption=B\n[Launch]\nCaption=Play"},
        {"a line given by two keys", "[Buttons]\r\nFontSize=12\r\nBold=yes\r\n",
         [](MenuDocument& m) { m.SetText(SettingId::ButtonFontSize, "14"); },
         "[Buttons]\r\nFontSize=14\r\n"},
        {"companions replace the whole line's key", "[Buttons]\r\nFontSize=\"$0C\"\r\n",
         [](MenuDocument& m) { m.SetText(SettingId::ButtonFontSize, "-12"); },
         "[Buttons]\r\nFontSize=12\r\nBold=yes\r\n"},
        {"a picture that followed another keeps its file",
         "[Pictures]\r\nBackground=bg.png\r\nButton=b.png\r\n",
         [](MenuDocument& m) { m.Picture(PictureRole::ButtonShape).fileName = "new.bmp"; },
         "[Pictures]\r\nBackground=bg.png\r\nButton=new.bmp\r\nButtonPressed=b.png\r\n"
         "ButtonOver=b.png\r\n"},
        {"a button shown whose section was left out", "[Window]\r\nCaption=A\r\n",
         [](MenuDocument& m) { m.SetText(SettingId::QuitShown, "-1"); },
         "[Window]\r\nCaption=A\r\n\r\n[Quit]\r\nShown=yes\r\nLeft=0\r\nTop=0\r\n"},
        {"an option taken out", "[Options]\r\nOption1=A;-a\r\n; second\r\nOption2=B;-b\r\n",
         [](MenuDocument& m) {
             m.Tail().pop_back();
             m.SetText(SettingId::OptionCount, "1");
         },
         "[Options]\r\nOption1=A;-a\r\n; second\r\n"},
    };
    for (const UpdateCase& c : cases) {
        MenuDocument menu = Read(c.before);
        c.change(menu);
        const std::string updated = UpdateMenuIni(c.before, menu);
        EXPECT_EQ(updated, c.after) << c.what;
        const MenuDocument back = Read(updated);
        for (int line = 0; line < kFixedLines; ++line)
            EXPECT_EQ(back.Text(static_cast<SettingId>(line)),
                      menu.Text(static_cast<SettingId>(line)))
                << c.what << ", line " << line;
        EXPECT_EQ(back.Tail(), menu.Tail()) << c.what;
    }
}

} // namespace
