#include "launcher/Unit1.h"

#include <windows.h>

#include <array>
#include <climits>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "framework/graphics/Bitmap.h"
#include "framework/graphics/Font.h"
#include "framework/portable/Convert.h"
#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/StringList.h"
#include "framework/system/Paths.h"
#include "framework/system/PlatformCalls.h"
#include "framework/ui/Application.h"
#include "framework/ui/ComboBox.h"
#include "framework/ui/Image.h"
#include "framework/ui/Memo.h"
#include "framework/ui/Screen.h"
#include "launcher/ConfigLog.h"
#include "launcher/ConfigLogFiles.h"
#include "launcher/LaunchCommand.h"
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

constexpr const char* kContainerName = "L-Ctnr.ctr";
constexpr const char* kContainerMissingText = "File L-CTNR.CTR is missing.\r\nProgram terminates!";
// A "Config.log" is three short lines; anything bigger is no such file.
constexpr int64_t kConfigLogMaxSize = 64 * 1024;
constexpr DWORD kSoundAsync = 1; // SND_ASYNC
constexpr DWORD kSoundSync = 0;

// Digits 1 to 8 of the sound digits.
constexpr std::array<const char*, 8> kSoundNames = {
    "SYSTEMSTART",    "SYSTEMEXIT",        "SYSTEMHAND",    "SYSTEMASTERISK",
    "SYSTEMQUESTION", "SYSTEMEXCLAMATION", "SYSTEMWELCOME", "SYSTEMDEFAULT"};

// Configuration lines by meaning.
enum ConfigLine : int {
    lnDirectXVersion = 0,
    lnCaption = 41,
    lnShellTarget1 = 42,
    lnProgram = 43,
    lnButtonFontSize = 44,
    lnButtonFontColor = 45,
    lnFontName = 46,
    lnCheckBoxCaption = 47,
    lnCheckBoxLeft = 48,
    lnCheckBoxTop = 49,
    lnBorder = 50,
    lnMemoColor = 51,
    lnMemoLeft = 52,
    lnMemoTop = 53,
    lnMemoWidth = 54,
    lnMemoHeight = 55,
    lnMemoFontSize = 56,
    lnMemoFontColor = 57,
    lnMemoScrollBars = 58,
    lnMemoWordWrap = 59,
    lnSoundDigits = 60,
    lnShellTarget4 = 61,
    lnOptionsWidth = 62,
    lnOptionsLeft = 63,
    lnOptionsTop = 64,
    lnOptionsColor = 65,
    lnOptionsFontSize = 66,
    lnOptionsFontColor = 67,
    lnCheckBoxFontSize = 68,
    lnCheckBoxFontColor = 69,
    lnOptionCount = 71,
    lnFirstOption = 72
};

constexpr int kButtonGroups = 10;

const std::string& Line(int index) {
    return ConfigList->Get(index);
}
int32_t IntLine(int index) {
    return StrToInt(Line(index));
}
bool IsMinusOneSwitch(int index) {
    return Line(index) == "-1";
}

int32_t Abs(int32_t value) {
    if (value == INT32_MIN)
        throw EIntOverflow();
    return value < 0 ? -value : value;
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

struct ButtonSettings {
    bool Shown = false;
    uint16_t Left = 0;
    uint16_t Top = 0;
    std::string Caption;
};

} // namespace

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

    Image1 = new TImage(this);
    Image1->SetName("Image1");
    Image1->SetParent(this);
    Image1->SetBounds(0, 0, 105, 105);
    Image1->SetAutoSize(true);

    TOvalynShapeButton** buttons[kButtonGroups] = {
        &OvalynShapeButton1, &OvalynShapeButton2, &OvalynShapeButton3, &OvalynShapeButton4,
        &OvalynShapeButton5, &OvalynShapeButton6, &OvalynShapeButton7, &OvalynShapeButton8,
        &OvalynShapeButton9, &OvalynShapeButton10};
    for (int n = 1; n <= kButtonGroups; ++n) {
        auto* button = new TOvalynShapeButton(this);
        *buttons[n - 1] = button;
        button->SetName("OvalynShapeButton" + std::to_string(n));
        button->SetParent(this);
        // Button 10 carries its own number too, so that group 10 drives it.
        button->SetTag(n);
        button->SetBounds(n < 10 ? 8 + 40 * (n - 1) : 368, 184, 25, 25);
        button->SetVisible(false);
        button->SetInvisibleColor(clFuchsia);
        button->SetWordWrap(false);
        button->SetMargin(0);
        button->SetDisableSound(false);
        button->SetTabOrder(n - 1);
        button->OnMouseEnter = [this](TObject* s) { OvalynShapeButton1MouseEnter(s); };
        button->OnMouseLeave = [this](TObject* s) { OvalynShapeButton1MouseLeave(s); };
        if (n == 2 || n == 3)
            button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
                OvalynShapeButton2MouseDown(s, b, sh, x, y);
            };
        else
            button->OnMouseDown = [this](TObject* s, TMouseButton b, TShiftState sh, int x, int y) {
                OvalynShapeButton1MouseDown(s, b, sh, x, y);
            };
    }
    OvalynShapeButton1->OnClick = [this](TObject* s) { OvalynShapeButton1Click(s); };
    OvalynShapeButton2->OnClick = [this](TObject* s) { OvalynShapeButton2Click(s); };
    OvalynShapeButton3->OnClick = [this](TObject* s) { OvalynShapeButton3Click(s); };
    OvalynShapeButton4->OnClick = [this](TObject* s) { OvalynShapeButton4Click(s); };

    OvalynShapeCheckBoxButton1 = new TOvalynShapeCheckBoxButton(this);
    OvalynShapeCheckBoxButton1->SetName("OvalynShapeCheckBoxButton1");
    OvalynShapeCheckBoxButton1->SetParent(this);
    OvalynShapeCheckBoxButton1->SetBounds(56, 128, 113, 24);
    OvalynShapeCheckBoxButton1->SetCaption("x");
    OvalynShapeCheckBoxButton1->SetAlignment(taLeftJustify);
    OvalynShapeCheckBoxButton1->SetChecked(false);
    OvalynShapeCheckBoxButton1->SetInvisibleColor(clFuchsia);
    OvalynShapeCheckBoxButton1->SetTabOrder(10);
    OvalynShapeCheckBoxButton1->OnClick = [this](TObject* s) {
        OvalynShapeCheckBoxButton1Click(s);
    };

    Memo1 = new TMemo(this);
    Memo1->SetName("Memo1");
    Memo1->SetParent(this);
    Memo1->SetBounds(152, 16, 185, 89);
    Memo1->SetAlignment(taCenter);
    Memo1->SetReadOnly(true);
    Memo1->SetBorderStyle(bsNone);
    Memo1->SetBevelInner(bvLowered);
    Memo1->SetBevelOuter(bvRaised);
    Memo1->SetBevelKind(bkSoft);
    Memo1->SetVisible(false);
    Memo1->SetTabOrder(11);

    ComboBox1 = new TComboBox(this);
    ComboBox1->SetName("ComboBox1");
    ComboBox1->SetParent(this);
    ComboBox1->SetTag(13);
    ComboBox1->SetStyle(csDropDownList);
    ComboBox1->SetBounds(152, 112, 185, 21);
    ComboBox1->SetItemHeight(13);
    ComboBox1->SetBevelKind(bkSoft);
    ComboBox1->SetVisible(false);
    ComboBox1->SetTabOrder(12);
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
        std::unique_ptr<TMemoryStream> entry = ExtractEntry(1);
        ConfigList->LoadFromStream(*entry);
    }

    if (!AutoStart)
        SetUpSounds();

    const std::string installed = GetDirectXVersion();
    if (OrdinalLess(installed, Line(lnDirectXVersion))) {
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
    const std::string path = ConfigLogToRead(LauncherFolder());
    std::optional<TRememberedChoice> choice;
    if (!path.empty()) {
        TMemoryStream stream;
        {
            TFileStream file(path, fm::fmOpenRead | fm::fmShareDenyWrite);
            if (file.Size() <= kConfigLogMaxSize)
                stream.CopyFrom(file, file.Size());
        }
        stream.SetPosition(0);
        ConfigList->LoadFromStream(stream);
        choice = ParseConfigLog(*ConfigList);
        ConfigList->Clear();
    }
    // A damaged file counts as absent: no direct start, option 0.
    AutoStart = choice ? choice->AutoStart : false;
    SavedOption = choice ? choice->SavedOption : 0;
}

void TForm1::SetUpSounds() {
    const std::string& digits = Line(lnSoundDigits);
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
    if (!IsMinusOneSwitch(lnBorder))
        SetBorderStyle(bsNone);
    {
        std::unique_ptr<TMemoryStream> background = ExtractEntry(3);
        Image1->Picture()->LoadFromStream(*background);
    }
    SetClientWidth(Image1->Width());
    SetClientHeight(Image1->Height());
    SetLeft((Screen->Width() - Width()) / 2);
    SetTop((Screen->Height() - Height()) / 2);
    BuildControls();
    SetCaption(Line(lnCaption));
}

void TForm1::BuildControls() {
    std::array<ButtonSettings, kButtonGroups + 1> groups{}; // index = Tag; 0 unused
    for (int g = 1; g <= kButtonGroups; ++g) {
        groups[g].Shown = StrToBool(Line(4 * g - 3));
        groups[g].Left = Narrow<uint16_t>(IntLine(4 * g - 2));
        groups[g].Top = Narrow<uint16_t>(IntLine(4 * g - 1));
        groups[g].Caption = Line(4 * g);
    }
    if (DirectXOk)
        groups[1].Shown = false;
    else
        groups[3].Shown = false;

    const int32_t buttonFontLine = IntLine(lnButtonFontSize);
    const uint16_t buttonFontSize = Narrow<uint16_t>(Abs(buttonFontLine));
    const bool buttonFontBold = buttonFontLine < 0;

    // Working bitmaps; the controls keep copies of their own.
    TBitmap normal, pressed, over;
    {
        auto stream = ExtractEntry(4);
        normal.LoadFromStream(*stream);
    }
    {
        auto stream = ExtractEntry(5);
        pressed.LoadFromStream(*stream);
    }
    {
        auto stream = ExtractEntry(6);
        over.LoadFromStream(*stream);
    }

    for (int i = 0; i < ComponentCount(); ++i) {
        auto* button = dynamic_cast<TOvalynShapeButton*>(Components(i));
        if (!button)
            continue;
        const int tag = button->Tag();
        if (tag < 1 || tag > kButtonGroups || !groups[tag].Shown)
            continue;
        button->Font()->SetSize(buttonFontSize);
        if (buttonFontBold)
            button->Font()->SetStyle({fsBold});
        button->SetLeft(groups[tag].Left);
        button->SetTop(groups[tag].Top);
        button->SetVisible(true);
        button->SetCaption(groups[tag].Caption);
        button->SetMask(&normal);
        button->SetPressedBmp(&pressed);
        button->SetOverBmp(&over);
        button->Font()->SetColor(IntLine(lnButtonFontColor));
        button->Font()->SetName(Line(lnFontName));
    }

    {
        auto stream = ExtractEntry(7);
        normal.LoadFromStream(*stream);
    }
    {
        auto stream = ExtractEntry(8);
        pressed.LoadFromStream(*stream);
    }
    TOvalynShapeCheckBoxButton* box = OvalynShapeCheckBoxButton1;
    if (IntLine(lnCheckBoxFontSize) < 0)
        box->Font()->SetStyle({fsBold});
    box->SetMask(&normal);
    box->SetPressedBmp(&pressed);
    box->Font()->SetName(Line(lnFontName));
    box->Font()->SetSize(IntLine(lnCheckBoxFontSize));
    box->Font()->SetColor(IntLine(lnCheckBoxFontColor));
    box->SetCaption(Line(lnCheckBoxCaption));
    box->SetLeft(IntLine(lnCheckBoxLeft));
    box->SetTop(IntLine(lnCheckBoxTop));

    ComboBox1->SetWidth(IntLine(lnOptionsWidth));
    ComboBox1->SetLeft(IntLine(lnOptionsLeft));
    ComboBox1->SetTop(IntLine(lnOptionsTop));
    ComboBox1->SetColor(IntLine(lnOptionsColor));
    ComboBox1->Font()->SetName(Line(lnFontName));
    const int32_t optionsFontLine = IntLine(lnOptionsFontSize);
    ComboBox1->Font()->SetSize(Abs(optionsFontLine));
    if (optionsFontLine < 0)
        ComboBox1->Font()->SetStyle({fsBold});
    ComboBox1->Items()->Clear();
    ComboBox1->Font()->SetColor(Abs(IntLine(lnOptionsFontColor)));

    FillOptionList();

    if (DirectXOk) {
        if (ComboBox1->Items()->Count() > 1)
            ComboBox1->SetVisible(true);
        box->SetVisible(StrToBool(Line(lnCheckBoxFontColor)));
        return;
    }
    box->SetVisible(false);
    switch (IntLine(lnMemoScrollBars)) {
    case 1:
        Memo1->SetScrollBars(ssVertical);
        break;
    case 2:
        Memo1->SetScrollBars(ssHorizontal);
        break;
    case 3:
        Memo1->SetScrollBars(ssBoth);
        break;
    default:
        break;
    }
    if (!IsMinusOneSwitch(lnMemoWordWrap))
        Memo1->SetWordWrap(false);
    Memo1->SetLeft(IntLine(lnMemoLeft));
    Memo1->SetTop(IntLine(lnMemoTop));
    Memo1->SetWidth(IntLine(lnMemoWidth));
    Memo1->SetHeight(IntLine(lnMemoHeight));
    {
        auto stream = ExtractEntry(2);
        Memo1->Lines()->LoadFromStream(*stream);
    }
    Memo1->SetColor(IntLine(lnMemoColor));
    const int32_t memoFontLine = IntLine(lnMemoFontSize);
    Memo1->Font()->SetSize(Abs(memoFontLine));
    if (memoFontLine < 0)
        Memo1->Font()->SetStyle({fsBold});
    Memo1->Font()->SetColor(IntLine(lnMemoFontColor));
    Memo1->SetVisible(true);
}

void TForm1::FillOptionList() {
    const int32_t count = IntLine(lnOptionCount);
    if (count <= 1)
        return;
    for (int32_t k = 0; k < count; ++k)
        ComboBox1->Items()->Add(OptionName(Line(CheckedAdd<int32_t>(lnFirstOption, k))));
    ComboBox1->SetItemIndex(SavedOption);
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
        parameters = OptionParameters(Line(lnFirstOption + selected));
    const std::string command =
        BuildLaunchCommand(LauncherFolder(), Line(lnProgram), parameters,
                           [](const std::string& path) { return FileExists(path); });
    // Shown normally: a program started hidden would never show its window.
    const UINT answer = Platform().WinExec(command.c_str(), SW_SHOWNORMAL);
    if (ProgramStarted(answer))
        return true;
    ShowErrorBox(ProgramStartFailedText(command, answer));
    return false;
}

bool TForm1::OpenWithShell(const std::string& target) {
    const auto answer = reinterpret_cast<uintptr_t>(Platform().ShellExecuteA(
        Application->Handle(), "open", target.c_str(), nullptr, nullptr, SW_SHOW));
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

void TForm1::OvalynShapeButton1Click(TObject*) {
    if (OpenWithShell(Line(lnShellTarget1)))
        SaveAndQuit();
}

void TForm1::OvalynShapeButton2Click(TObject*) {
    Application->Terminate();
}

void TForm1::OvalynShapeButton3Click(TObject*) {
    LaunchProgram();
}

void TForm1::OvalynShapeButton4Click(TObject*) {
    OpenWithShell(Line(lnShellTarget4));
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
