#include "launcher/Unit1.h"

#include <windows.h>

#include <array>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "format/ButtonActions.h"
#include "format/ConfigLog.h"
#include "format/LaunchCommand.h"
#include "format/MenuEntries.h"
#include "format/MenuSettings.h"
#include "framework/graphics/Font.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"
#include "framework/system/Paths.h"
#include "framework/system/PlatformCalls.h"
#include "framework/ui/Application.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Screen.h"
#include "launcher/ConfigLogFiles.h"
#include "launcher/MenuConstruction.h"
#include "launcher/StartFailure.h"
#include "launcher/u_CheckSystemLittle.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

TForm1* Form1 = nullptr;

std::unique_ptr<TStringList> ConfigList;
bool AutoStart = false;
bool RememberChoice = false;
int8_t SavedOption = 0;
bool DirectXOk = false;
bool EnterSoundOn = false, DownSoundOn = false, LeaveSoundOn = false;
std::string EnterSound, DownSound, LeaveSound;

std::string LauncherFolderOverride;
std::function<bool()> ShiftKeyHeld = [] { return (GetAsyncKeyState(VK_SHIFT) & 0x8000) != 0; };

namespace {

constexpr DWORD kSoundAsync = 1; // SND_ASYNC
constexpr DWORD kSoundSync = 0;

// Digits 1 to 8 of the sound digits.
constexpr std::array<const char*, 8> kSoundNames = {
    "SYSTEMSTART",    "SYSTEMEXIT",        "SYSTEMHAND",    "SYSTEMASTERISK",
    "SYSTEMQUESTION", "SYSTEMEXCLAMATION", "SYSTEMWELCOME", "SYSTEMDEFAULT"};

const std::string& Line(SettingId id) {
    return ConfigList->Get(LineOf(id));
}
bool IsMinusOneSwitch(SettingId id) {
    return Line(id) == "-1";
}

// Byte by byte as unsigned values; a prefix sorts before the longer text.
bool OrdinalLess(const std::string& a, const std::string& b) {
    size_t common = a.size() < b.size() ? a.size() : b.size();
    for (size_t i = 0; i < common; ++i) {
        auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x != y)
            return x < y;
    }
    return a.size() < b.size();
}

// One character of the sound digits as a number 0..9; a line too short for
// it is a range error, a non-digit a conversion error.
int SoundDigit(const std::string& digits, size_t position) {
    if (position >= digits.size())
        throw ERangeError();
    return StrToInt(std::string(1, digits[position]));
}

void SetEventSound(int digit, bool& on, std::string& name) {
    on = digit != 0;
    name = digit >= 1 && digit <= 8 ? kSoundNames[digit - 1] : "";
}

void PlaySystemSound(const std::string& name, DWORD flags) {
    Platform().PlaySoundA(name.c_str(), nullptr, flags);
}

} // namespace

// The menu's texts from the configuration list, its pictures from the
// container.
class TForm1::TContainerMenuContent : public TMenuContent {
public:
    explicit TContainerMenuContent(TForm1& form) : form_(form) {}
    const std::string& Line(int index) const override { return ConfigList->Get(index); }
    std::unique_ptr<TMemoryStream> Entry(uint8_t fileNo) override {
        return form_.ExtractEntry(fileNo);
    }

private:
    TForm1& form_;
};

void ResetLauncherState() {
    ConfigList.reset();
    AutoStart = false;
    RememberChoice = false;
    SavedOption = 0;
    DirectXOk = false;
    EnterSoundOn = DownSoundOn = LeaveSoundOn = false;
    EnterSound.clear();
    DownSound.clear();
    LeaveSound.clear();
}

std::string LauncherFolder() {
    return LauncherFolderOverride.empty() ? ExecutableFolder() : LauncherFolderOverride;
}

// ---------------------------------------------------------------------------
// The stored layout.

TForm1::TForm1(TComponent* owner) : TForm(owner) {
    SetName("Form1");
    SetBounds(134, 395, Width(), Height());
    SetBorderStyle(bsSingle);
    SetBorderIcons({biSystemMenu});
    SetClientWidth(562);
    SetClientHeight(239);
    SetCaption("Form1");
    SetColor(clBtnFace);
    Font()->SetName("MS Sans Serif");
    Font()->SetHeight(-11);
    SetKeyPreview(true);
    OnCreate = [this](TObject* sender) { FormCreate(sender); };
    OnShow = [this](TObject* sender) { FormShow(sender); };

    const TMenuControls menu = CreateMenuControls(this, this);
    Image1 = menu.Background;
    TOvalynShapeButton** buttons[kButtonGroups] = {
        &OvalynShapeButton1, &OvalynShapeButton2, &OvalynShapeButton3, &OvalynShapeButton4,
        &OvalynShapeButton5, &OvalynShapeButton6, &OvalynShapeButton7, &OvalynShapeButton8,
        &OvalynShapeButton9, &OvalynShapeButton10};
    // The click handlers of the buttons that have a command.
    using Handler = void (TForm1::*)(TObject*);
    const Handler clicks[] = {&TForm1::OvalynShapeButton1Click, &TForm1::OvalynShapeButton2Click,
                              &TForm1::OvalynShapeButton3Click, &TForm1::OvalynShapeButton4Click};
    for (const ButtonAction& action : ButtonActions()) {
        TOvalynShapeButton* button = menu.Buttons[action.group - 1];
        *buttons[action.group - 1] = button;
        button->OnMouseEnter = [this](TObject* s) { OvalynShapeButton1MouseEnter(s); };
        button->OnMouseLeave = [this](TObject* s) { OvalynShapeButton1MouseLeave(s); };
        if (action.press == PressSound::Sync)
            button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
                OvalynShapeButton2MouseDown(s, b, sh, x, y);
            };
        else
            button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
                OvalynShapeButton1MouseDown(s, b, sh, x, y);
            };
        if (action.command != ButtonCommand::None &&
            action.group <= static_cast<int>(std::size(clicks))) {
            const Handler click = clicks[action.group - 1];
            button->OnClick = [this, click](TObject* s) { (this->*click)(s); };
        }
    }

    OvalynShapeCheckBoxButton1 = menu.CheckBox;
    OvalynShapeCheckBoxButton1->OnClick = [this](TObject* s) {
        OvalynShapeCheckBoxButton1Click(s);
    };
    Memo1 = menu.Notice;
    ComboBox1 = menu.Options;
    ComboBox1->OnClick = [this](TObject* s) { ComboBox1Click(s); };

    ComboBox2 = new TComboBox(this);
    ComboBox2->SetName("ComboBox2");
    ComboBox2->SetParent(this);
    ComboBox2->SetTag(13);
    ComboBox2->SetStyle(csDropDownList);
    ComboBox2->SetBounds(152, 136, 49, 21);
    ComboBox2->Items()->Add("1");
    ComboBox2->SetItemIndex(0);
    ComboBox2->SetTabOrder(13);

    KRVAAppendix1 = new TKRVAAppendix(this);
    KRVAAppendix1->SetName("KRVAAppendix1");
}

// ---------------------------------------------------------------------------
// Start-up.

void TForm1::FormCreate(TObject* sender) {
    ComboBox2->SetLeft(-(ComboBox2->Width() + 30));
    AutoStart = false;
    ConfigList = std::make_unique<TStringList>();
    ReadConfigLog();
    // Shift at start is the way back from the direct start to the menu.
    if (AutoStart && ShiftKeyHeld && ShiftKeyHeld())
        AutoStart = false;
    RememberChoice = AutoStart;

    const std::string folder = LauncherFolder();
    if (!FileExists(folder + kContainerName)) {
        ConfigList.reset();
        ContainerMissing();
        return;
    }
    KRVAAppendix1->ContainerName = folder + kContainerName;
    KRVAAppendix1->ReadAmount();
    {
        std::unique_ptr<TMemoryStream> entry = ExtractEntry(kConfigurationEntry);
        ConfigList->LoadFromStream(*entry);
    }

    if (!AutoStart)
        SetUpSounds();

    const std::string installed = GetDirectXVersion();
    if (OrdinalLess(installed, Line(SettingId::MinimumDirectX))) {
        DirectXOk = false;
        BuildMenuWindow();
    } else {
        DirectXOk = true;
        if (AutoStart)
            StartDirectly();
        else
            BuildMenuWindow();
    }
}

void TForm1::ReadConfigLog() {
    // A damaged file counts as absent: no direct start, option 0.
    const std::optional<TRememberedChoice> choice = ReadRememberedChoice(LauncherFolder());
    AutoStart = choice ? choice->AutoStart : false;
    SavedOption = choice ? choice->SavedOption : 0;
}

void TForm1::SetUpSounds() {
    const std::string& digits = Line(SettingId::Sounds);
    int start = SoundDigit(digits, 0);
    if (start >= 1 && start <= 8)
        PlaySystemSound(kSoundNames[start - 1], kSoundAsync);
    SetEventSound(SoundDigit(digits, 1), EnterSoundOn, EnterSound);
    SetEventSound(SoundDigit(digits, 2), DownSoundOn, DownSound);
    SetEventSound(SoundDigit(digits, 3), LeaveSoundOn, LeaveSound);
}

// The window stays out of view. Whatever fails on this road is reported and
// ends the launcher: the window is not on screen, so nothing else could.
// Only a program that does not start brings the menu instead, so the user
// can choose again rather than be left with nothing on screen.
void TForm1::StartDirectly() {
    const int designedLeft = Left();
    SetLeft(-(Width() + 1));
    try {
        FillOptionList();
        if (StartConfiguredProgram()) {
            SaveAndQuit();
            return;
        }
    } catch (...) {
        // Any failure, also one outside the framework's own classes.
        Application->HandleException();
        Application->Terminate();
        return;
    }
    // The menu in launch mode, as with Shift held; "Config.log" stays as it
    // was. Back in view first, so that a menu that fails to build still shows.
    SetLeft(designedLeft);
    AutoStart = false;
    RememberChoice = false;
    SetUpSounds();
    BuildMenuWindow();
}

void TForm1::ContainerMissing() {
    Platform().MessageBeep(0);
    ShowErrorBox(kContainerMissingText);
    Application->Terminate();
}

std::unique_ptr<TMemoryStream> TForm1::ExtractEntry(uint8_t fileNo) {
    KRVAAppendix1->FileNo = fileNo;
    std::unique_ptr<TMemoryStream> stream = KRVAAppendix1->ExtractFileStream();
    if (!stream)
        throw EReadError(KRVAAppendix1->ContainerName + ": entry " + std::to_string(fileNo) +
                         " cannot be read (container error " +
                         std::to_string(KRVAAppendix1->Error) + ").");
    ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
    return stream;
}

// ---------------------------------------------------------------------------
// The menu window.

void TForm1::BuildMenuWindow() {
    if (!IsMinusOneSwitch(SettingId::WindowBorder))
        SetBorderStyle(bsNone);
    {
        TContainerMenuContent content(*this);
        LoadMenuBackground(Controls(), content);
    }
    SetClientWidth(Image1->Width());
    SetClientHeight(Image1->Height());
    SetLeft((Screen->Width() - Width()) / 2);
    SetTop((Screen->Height() - Height()) / 2);
    BuildControls();
    SetCaption(Line(SettingId::WindowCaption));
}

void TForm1::BuildControls() {
    TContainerMenuContent content(*this);
    BuildMenuControls(Controls(), content, DirectXOk, SavedOption);
}

void TForm1::FillOptionList() {
    TContainerMenuContent content(*this);
    ::FillOptionList(ComboBox1, content, SavedOption);
}

TMenuControls TForm1::Controls() const {
    TMenuControls controls;
    controls.Background = Image1;
    controls.Buttons = {OvalynShapeButton1, OvalynShapeButton2, OvalynShapeButton3,
                        OvalynShapeButton4, OvalynShapeButton5, OvalynShapeButton6,
                        OvalynShapeButton7, OvalynShapeButton8, OvalynShapeButton9,
                        OvalynShapeButton10};
    controls.CheckBox = OvalynShapeCheckBoxButton1;
    controls.Notice = Memo1;
    controls.Options = ComboBox1;
    return controls;
}

// ---------------------------------------------------------------------------
// Commands.

void TForm1::LaunchProgram() {
    if (StartConfiguredProgram())
        SaveAndQuit();
}

bool TForm1::StartConfiguredProgram() {
    std::string parameters;
    const int selected = ComboBox1->ItemIndex();
    if (ComboBox1->Items()->Count() > 1 && selected >= 0)
        parameters = OptionParameters(ConfigList->Get(kFirstOptionLine + selected));
    const std::string command =
        BuildLaunchCommand(LauncherFolder(), Line(SettingId::LaunchProgram), parameters,
                           [](const std::string& path) { return FileExists(path); });
    // Shown normally: a program started hidden would never show its window.
    const UINT answer = Platform().WinExec(command.c_str(), SW_SHOWNORMAL);
    if (ProgramStarted(answer))
        return true;
    ShowErrorBox(ProgramStartFailedText(command, answer));
    return false;
}

bool TForm1::OpenWithShell(const std::string& target) {
    // A relative target lies beside the launcher, wherever it was started
    // from; addresses and rooted paths need no folder.
    const std::string folder = LauncherFolder();
    const char* directory =
        ClassifyShellTarget(target) == ShellTargetKind::Relative ? folder.c_str() : nullptr;
    const auto answer = reinterpret_cast<uintptr_t>(Platform().ShellExecuteA(
        Application->Handle(), "open", target.c_str(), nullptr, directory, SW_SHOW));
    if (ShellOpened(answer))
        return true;
    ShowErrorBox(ShellOpenFailedText(target, static_cast<unsigned>(answer)));
    return false;
}

void TForm1::SaveConfigLog() {
    TStringList lines;
    FillConfigLog(lines, RememberChoice, DirectXOk, ComboBox1->ItemIndex());
    SaveConfigLogLines(LauncherFolder(), lines);
}

void TForm1::SaveAndQuit() {
    // The program has started (or the target opened) already: staying would
    // only invite a second start. So a choice that cannot be kept anywhere is
    // reported, and the launcher ends all the same.
    try {
        SaveConfigLog();
    } catch (const EConfigLogError& error) {
        ShowErrorBox(error.Message());
    }
    Application->Terminate();
}

// ---------------------------------------------------------------------------
// Event handlers.

void TForm1::ButtonClick(int group) {
    const ButtonAction& action = ButtonActionOf(group);
    switch (action.command) {
    case ButtonCommand::None:
        return;
    case ButtonCommand::OpenAndEnd:
        if (OpenWithShell(Line(*action.target)))
            SaveAndQuit();
        return;
    case ButtonCommand::Quit:
        Application->Terminate();
        return;
    case ButtonCommand::Launch:
        LaunchProgram();
        return;
    case ButtonCommand::Open:
        OpenWithShell(Line(*action.target));
        return;
    }
}

void TForm1::OvalynShapeButton1Click(TObject*) {
    ButtonClick(1);
}

void TForm1::OvalynShapeButton2Click(TObject*) {
    ButtonClick(2);
}

void TForm1::OvalynShapeButton3Click(TObject*) {
    ButtonClick(3);
}

void TForm1::OvalynShapeButton4Click(TObject*) {
    ButtonClick(4);
}

void TForm1::OvalynShapeButton1MouseEnter(TObject*) {
    if (EnterSoundOn)
        PlaySystemSound(EnterSound, kSoundAsync);
}

void TForm1::OvalynShapeButton1MouseLeave(TObject*) {
    if (LeaveSoundOn)
        PlaySystemSound(LeaveSound, kSoundAsync);
}

void TForm1::OvalynShapeButton1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    if (DownSoundOn)
        PlaySystemSound(DownSound, kSoundAsync);
}

// Synchronous, so the quit and launch buttons act only after the sound ended.
void TForm1::OvalynShapeButton2MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
    if (DownSoundOn)
        PlaySystemSound(DownSound, kSoundSync);
}

void TForm1::OvalynShapeCheckBoxButton1Click(TObject*) {
    RememberChoice = OvalynShapeCheckBoxButton1->Checked();
}

void TForm1::ComboBox1Click(TObject*) {
    ComboBox2->SetFocus();
}

void TForm1::FormShow(TObject*) {
    ComboBox2->SetFocus();
}
