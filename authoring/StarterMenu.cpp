#include "authoring/StarterMenu.h"

#include "authoring/StarterPictures.h"

namespace {

// CR LF line ends, as the launcher's own text files have them.
std::vector<uint8_t> WindowsText(const char* text) {
    std::vector<uint8_t> bytes;
    for (const char* c = text; *c; ++c) {
        if (*c == '\n')
            bytes.push_back('\r');
        bytes.push_back(static_cast<uint8_t>(*c));
    }
    return bytes;
}

// Everything an author changes first is named here; the rest keeps its
// default. Positions fit the 480 x 300 background drawn below.
constexpr const char* kMenuIni = R"(; A starter menu made by "ctrpack new". Build it with
;   ctrpack build THIS_FOLDER L-Ctnr.ctr
; and put L-Ctnr.ctr beside the launcher. Every section and key is described
; in the menu format's documentation; a key left out takes its default.

[Window]
Caption=My Program
; Lower than this DirectX version shows the notice and the Install button.
MinimumDirectX=
Border=yes
FontName=Tahoma

[Launch]
Shown=yes
Caption=Start
Left=40
Top=60
; Relative to the launcher's folder; arguments may follow after a blank.
Program=MyProgram.exe

[Web]
Shown=yes
Caption=Website
Left=40
Top=110
Open=https://example.com/

[Quit]
Shown=yes
Caption=Quit
Left=40
Top=160

[Install]
Shown=yes
Caption=Install DirectX
Left=40
Top=60
Open=https://www.microsoft.com/download/

[Buttons]
FontSize=10
Bold=yes
FontColor=#FFFFFF

[CheckBox]
Shown=yes
Caption=  Start directly next time
Left=40
Top=222
FontSize=9
FontColor=#DCE6F0

[Options]
Left=240
Top=66
Width=180
Color=#10262E
FontSize=9
FontColor=#FFFFFF
Option1=Normal
Option2=Windowed;-window

[Notice]
Text=notice.txt
Left=230
Top=40
Width=210
Height=120
Color=#DCE6F0
FontSize=9

[Sounds]
Start=none
Enter=none
Press=none
Leave=none

[Pictures]
Background=background.png
Button=button.png
ButtonPressed=button-pressed.png
ButtonOver=button-over.png
CheckBox=checkbox.png
CheckBoxTicked=checkbox-ticked.png
)";

constexpr const char* kNotice = "This program needs a newer DirectX.\n"
                                "Press \"Install DirectX\" to get it.\n";

constexpr int kButtonWidth = 150, kButtonHeight = 34;
constexpr int kCheckBoxWidth = 200, kCheckBoxHeight = 22;

} // namespace

std::vector<StarterFile> StarterMenuFiles() {
    std::vector<StarterFile> files;
    files.push_back({"menu.ini", WindowsText(kMenuIni)});
    files.push_back({"notice.txt", WindowsText(kNotice)});
    files.push_back({"background.png", EncodePng(DrawStarterBackground(480, 300), true)});
    files.push_back(
        {"button.png",
         EncodePng(DrawStarterButton(kButtonWidth, kButtonHeight, ButtonLook::Normal), false)});
    files.push_back(
        {"button-pressed.png",
         EncodePng(DrawStarterButton(kButtonWidth, kButtonHeight, ButtonLook::Pressed), false)});
    files.push_back(
        {"button-over.png",
         EncodePng(DrawStarterButton(kButtonWidth, kButtonHeight, ButtonLook::Over), false)});
    files.push_back(
        {"checkbox.png",
         EncodePng(DrawStarterCheckBox(kCheckBoxWidth, kCheckBoxHeight, false), false)});
    files.push_back({"checkbox-ticked.png",
                     EncodePng(DrawStarterCheckBox(kCheckBoxWidth, kCheckBoxHeight, true), false)});
    return files;
}
