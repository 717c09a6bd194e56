// The start-up sequence: "Config.log", the container, the sound digits, the
// DirectX test and the three roads.
#include "LauncherFixture.h"

#include "TestContainer.h"
#include "framework/graphics/Bitmap.h"
#include "framework/runtime/StringList.h"
#include "framework/ui/Application.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "launcher/Unit1.h"
#include "skin/OvalynShapeButton.h"

using StartUp = LauncherFixture;

TEST_F(StartUp, WithoutConfigLogTheMenuShowsInLaunchMode) {
    Config[60] = "1000";
    Start();
    EXPECT_FALSE(AutoStart);
    EXPECT_FALSE(RememberChoice);
    EXPECT_EQ(SavedOption, 0);
    EXPECT_TRUE(DirectXOk);
    EXPECT_TRUE(Button(3)->Visible());
    EXPECT_FALSE(Button(1)->Visible());
    EXPECT_EQ(Form1->Caption(), "Test menu");
    EXPECT_EQ(Sounds(), std::vector<std::string>{"SYSTEMSTART/1"});
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_FALSE(Terminated());
    EXPECT_EQ(Form1->ComboBox2->Left(), -79) << "moved out of view";
    ASSERT_TRUE(ConfigList);
    EXPECT_EQ(ConfigList->Count(), 75) << "the configuration list stays loaded";
}

TEST_F(StartUp, RememberedDirectStartLaunchesWithoutMenu) {
    WriteConfigLog("-1\r\n0\r\n1\r\n");
    Config[60] = "not read on this road";
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    std::vector<TRecordedCall> runs = Platform.CallsOf("WinExec");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Args[0], Folder + "Game.exe -w -b two");
    EXPECT_EQ(runs[0].Args[1], "1");
    EXPECT_EQ(ConfigLogText(), "-1\r\n-1\r\n1\r\n");
    EXPECT_TRUE(Terminated());
    EXPECT_TRUE(Sounds().empty());
    EXPECT_EQ(Form1->Left(), -(Form1->Width() + 1));
    EXPECT_EQ(Form1->Caption(), "Form1") << "the menu is not built on this road";
    EXPECT_TRUE(Form1->Image1->Picture()->Bitmap()->Empty());
}

TEST_F(StartUp, OnlyAnExactMinusOneStartsDirectly) {
    for (const char* line0 : {"True", "1", "-1 "}) {
        SCOPED_TRACE(line0);
        TearDown();
        SetUp();
        WriteConfigLog(std::string(line0) + "\r\n-1\r\n0\r\n");
        Start();
        EXPECT_EQ(Platform.Count("WinExec"), 0);
        EXPECT_FALSE(Terminated());
        EXPECT_TRUE(Button(3)->Visible());
    }
}

TEST_F(StartUp, DirectStartWithTooOldDirectXShowsTheSilentRequirementMenu) {
    WriteConfigLog("-1\r\n-1\r\n0\r\n");
    DirectX->SetVersion("4.08");
    Config[60] = "1234";
    Start();
    EXPECT_FALSE(DirectXOk);
    EXPECT_EQ(Platform.Count("WinExec"), 0);
    EXPECT_TRUE(Button(1)->Visible());
    EXPECT_FALSE(Button(3)->Visible());
    EXPECT_TRUE(RememberChoice);
    Button(2)->OnMouseEnter(Button(2));
    Button(2)->OnMouseDown(Button(2), mbLeft, {}, 1, 1);
    Button(2)->OnMouseLeave(Button(2));
    EXPECT_TRUE(Sounds().empty()) << "no start, hover, press or leave sound";
}

TEST_F(StartUp, TheSavedOptionIsSelectedWhenTheListHoldsIt) {
    WriteConfigLog("0\r\n-1\r\n2\r\n");
    Start();
    EXPECT_EQ(SavedOption, 2);
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 2);
}

// A damaged "Config.log" counts as absent instead of ending start-up.
TEST_F(StartUp, ADamagedConfigLogIsIgnored) {
    for (const char* text : {"-1\r\n-1\r\n128\r\n", "-1\r\n-1\r\n", "-1\r\n-1\r\nx\r\n", ""}) {
        SCOPED_TRACE(text);
        TearDown();
        SetUp();
        WriteConfigLog(text);
        Start();
        EXPECT_TRUE(Boxes().empty()) << LastBoxText();
        EXPECT_FALSE(AutoStart);
        EXPECT_EQ(SavedOption, 0);
        EXPECT_EQ(Platform.Count("WinExec"), 0);
        EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 0);
        EXPECT_EQ(ConfigLogText(), text) << "left as it was";
    }
}

TEST_F(StartUp, OptionIndex127IsAccepted) {
    WriteConfigLog("0\r\n0\r\n127\r\n");
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(SavedOption, 127);
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), -1) << "beyond the three options";
}

TEST_F(StartUp, AMissingContainerBeepsShowsTheBoxAndEnds) {
    NoContainer = true;
    WriteConfigLog("0\r\n0\r\n0\r\n");
    Start();
    EXPECT_EQ(Platform.Names(), (std::vector<std::string>{"MessageBeep", "MessageBoxA"}));
    EXPECT_EQ(Platform.CallsOf("MessageBeep")[0].Args[0], "0");
    TRecordedCall box = Boxes().at(0);
    EXPECT_EQ(box.Args[1], "File L-CTNR.CTR is missing.\r\nProgram terminates!");
    EXPECT_EQ(box.Args[2], "Fehler");
    EXPECT_EQ(std::stoul(box.Args[3]), static_cast<unsigned long>(MB_OK | MB_ICONERROR));
    EXPECT_TRUE(Terminated());
    EXPECT_FALSE(ConfigList);
    EXPECT_EQ(ConfigLogText(), "0\r\n0\r\n0\r\n");
    EXPECT_FALSE(EnterSoundOn || DownSoundOn || LeaveSoundOn);
}

TEST_F(StartUp, AContainerWithoutEntriesIsReportedNamingIt) {
    NoContainer = true;
    WriteContainer(Folder + "L-Ctnr.ctr", {});
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(LastBoxText().find("L-Ctnr.ctr"), std::string::npos) << LastBoxText();
    EXPECT_FALSE(Terminated()) << "the window shows with its initial layout";
}

TEST_F(StartUp, AShortConfigurationListEndsStartUpWithTheErrorBox) {
    Config.resize(50);
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_NE(LastBoxText().find("Listenindex"), std::string::npos) << LastBoxText();
    EXPECT_EQ(std::stoul(Boxes()[0].Args[3]), static_cast<unsigned long>(MB_OK | MB_ICONSTOP));
    EXPECT_FALSE(Terminated());
}

TEST_F(StartUp, ShiftHeldBringsBackTheMenuInsteadOfTheDirectStart) {
    WriteConfigLog("-1\r\n-1\r\n1\r\n");
    ShiftHeld = true;
    Config[60] = "0100";
    Start();
    EXPECT_EQ(Platform.Count("WinExec"), 0);
    EXPECT_FALSE(Terminated());
    EXPECT_TRUE(Button(3)->Visible()) << "launch mode";
    EXPECT_FALSE(RememberChoice) << "follows the unticked check box";
    EXPECT_TRUE(EnterSoundOn) << "the sound digits are read as on any menu start";
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 1) << "the remembered option stays chosen";
}

struct SoundCase {
    const char* Digits;
    std::vector<std::string> StartSounds;
    const char* Enter; // nullptr: off
    const char* Down;
    const char* Leave;
};

class SoundDigits : public LauncherFixture, public ::testing::WithParamInterface<SoundCase> {};

TEST_P(SoundDigits, ChooseTheStartSoundAndTheEventSounds) {
    const SoundCase& c = GetParam();
    Config[60] = c.Digits;
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(Sounds(), c.StartSounds);
    EXPECT_EQ(EnterSoundOn, c.Enter != nullptr);
    EXPECT_EQ(DownSoundOn, c.Down != nullptr);
    EXPECT_EQ(LeaveSoundOn, c.Leave != nullptr);
    EXPECT_EQ(EnterSound, c.Enter ? c.Enter : "");
    EXPECT_EQ(DownSound, c.Down ? c.Down : "");
    EXPECT_EQ(LeaveSound, c.Leave ? c.Leave : "");
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, SoundDigits,
    ::testing::Values(
        SoundCase{"0000", {}, nullptr, nullptr, nullptr},
        SoundCase{"1000", {"SYSTEMSTART/1"}, nullptr, nullptr, nullptr},
        SoundCase{"9999", {}, "", "", ""},
        SoundCase{"2345", {"SYSTEMEXIT/1"}, "SYSTEMHAND", "SYSTEMASTERISK", "SYSTEMQUESTION"},
        SoundCase{"8678 and more",
                  {"SYSTEMDEFAULT/1"},
                  "SYSTEMEXCLAMATION",
                  "SYSTEMWELCOME",
                  "SYSTEMDEFAULT"}));

TEST_F(StartUp, ShortOrNonDigitSoundDigitsEndStartUp) {
    Config[60] = "12";
    Start();
    EXPECT_EQ(Sounds(), std::vector<std::string>{"SYSTEMSTART/1"}) << "played before the error";
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), kRangeErrorText);
    EXPECT_FALSE(Button(3)->Visible()) << "the menu was not built";

    TearDown();
    SetUp();
    Config[60] = "1x00";
    Start();
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "'x' ist kein g\xFCltiger Integerwert");
}

struct DirectXCase {
    const char* Required; // configuration line 0
    int Registry;         // 0: key missing, 1: value missing, 2: Installed
    const char* Installed;
    bool Ok;
};

class DirectXTest : public LauncherFixture, public ::testing::WithParamInterface<DirectXCase> {};

TEST_P(DirectXTest, ComparesTheVersionTextsOrdinally) {
    const DirectXCase& c = GetParam();
    Config[0] = c.Required;
    if (c.Registry == 0)
        DirectX->RemoveKey();
    else if (c.Registry == 1)
        DirectX->RemoveVersion();
    else
        DirectX->SetVersion(c.Installed);
    Start();
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(DirectXOk, c.Ok);
    EXPECT_EQ(Button(3)->Visible(), c.Ok);
    EXPECT_EQ(Button(1)->Visible(), !c.Ok);
}

INSTANTIATE_TEST_SUITE_P(
    StartUp, DirectXTest,
    ::testing::Values(DirectXCase{"", 0, "", true}, DirectXCase{"", 1, "", true},
                      DirectXCase{"1", 0, "", false}, DirectXCase{"0", 0, "", true},
                      DirectXCase{"4.09", 1, "", false},
                      DirectXCase{"4.09.00.0904", 2, "4.09.00.0904", true},
                      DirectXCase{"4.09.00.0904 ", 2, "4.09.00.0904", false},
                      DirectXCase{"4.09", 2, "10.0", false},
                      // Unsigned bytes: "\xE9" lies above every ASCII text.
                      DirectXCase{"\xE9", 2, "z", false}, DirectXCase{"z", 2, "\xE9", true}));
