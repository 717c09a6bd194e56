#include "LauncherFixture.h"

#include <windows.h>

#include "TestContainer.h"
#include "framework/ui/Application.h"
#include "launcher/ConfigLogFiles.h"
#include "launcher/Unit1.h"
#include "skin/OvalynShapeButton.h"

LauncherFixture::LauncherFixture() = default;
LauncherFixture::~LauncherFixture() = default;

std::vector<std::string> LauncherFixture::BaseConfig() {
    std::vector<std::string> lines = {"4.09"};
    const char* captions[] = {"Install", "Quit", "Play", "Web"};
    for (int g = 1; g <= 10; ++g) {
        lines.push_back(g <= 4 ? "1" : "0");
        lines.push_back(std::to_string(10 + 60 * ((g - 1) % 5)));
        lines.push_back(std::to_string(g <= 5 ? 150 : 180));
        lines.push_back(g <= 4 ? captions[g - 1] : "");
    }
    std::vector<std::string> rest = {
        "Test menu",   // 41 caption
        "readme.txt",  // 42 button 1's target
        "Game.exe -w", // 43 program
        "12",          // 44 button font size
        "$0000FF",     // 45 button font colour
        "Arial",       // 46 font name
        "Remember",    // 47 check box caption
        "20",          // 48
        "200",         // 49
        "-1",          // 50 border
        "$00FFFF",     // 51 memo colour
        "30",
        "20",
        "200",
        "60",                   // 52-55 memo bounds
        "9",                    // 56 memo font size
        "$FF0000",              // 57 memo font colour
        "0",                    // 58 scroll bars
        "-1",                   // 59 word wrap
        "0000",                 // 60 sounds
        "https://example.org/", // 61 button 4's target
        "120",
        "150",
        "100",           // 62-64 option list
        "$FFFFFF",       // 65
        "8",             // 66
        "0",             // 67
        "8",             // 68
        "255",           // 69 check box font colour, shown
        "note",          // 70
        "3",             // 71
        "First;-a",      // 72
        "Second;-b two", // 73
        "Third",         // 74
    };
    lines.insert(lines.end(), rest.begin(), rest.end());
    return lines;
}

std::vector<std::string> LauncherFixture::BaseEntries() {
    return {JoinLines({"DirectX is too old.", "Please install it."}),
            MakeBmp(320, 240, 0x203040),
            MakeBmp(50, 20, 0x3060C0, true),
            MakeBmp(50, 20, 0x102040, true),
            MakeBmp(50, 20, 0x80A0FF, true),
            MakeBmp(60, 16, 0x404040, true),
            MakeBmp(60, 16, 0x40C040, true)};
}

void LauncherFixture::SetUp() {
    // Tests that try several cases run TearDown and SetUp again in between.
    Config = BaseConfig();
    Entries = BaseEntries();
    NoContainer = false;
    ShiftHeld = false;
    Platform.Calls.clear();
    char temp[MAX_PATH] = {};
    GetTempPathA(sizeof temp, temp);
    static int counter = 0;
    rootFolder_ = std::string(temp) + "ovalyn-launcher-" + std::to_string(GetCurrentProcessId()) +
                  "-" + std::to_string(++counter) + "\\";
    RemoveFolderTree(rootFolder_);
    ASSERT_TRUE(CreateDirectoryA(rootFolder_.c_str(), nullptr));
    AppDataFolder = rootFolder_ + "AppData";
    ASSERT_TRUE(CreateDirectoryA(AppDataFolder.c_str(), nullptr));
    Platform.FolderPathAnswer = AppDataFolder;
    std::string launcherFolder = rootFolder_ + "Menu\\";
    ASSERT_TRUE(CreateDirectoryA(launcherFolder.c_str(), nullptr));
    UseFolder(launcherFolder);

    scopedPlatform_ = std::make_unique<ScopedPlatform>(Platform);
    savedApplication_ = Application;
    application_ = std::make_unique<TApplication>(nullptr);
    Application = application_.get();
    ShiftKeyHeld = [this] { return ShiftHeld; };
    DirectX = std::make_unique<TDirectXKey>();
    DirectX->SetVersion("4.09.00.0904");
    ResetLauncherState();
}

void LauncherFixture::TearDown() {
    application_.reset(); // frees Form1 and its components
    Form1 = nullptr;
    Application = savedApplication_;
    scopedPlatform_.reset();
    DirectX.reset();
    ResetLauncherState();
    LauncherFolderOverride.clear();
    // A termination request leaves WM_QUIT behind; it must not reach the next test.
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    RemoveFolderTree(rootFolder_);
}

void LauncherFixture::UseFolder(const std::string& folder) {
    Folder = folder;
    LauncherFolderOverride = folder;
}

void LauncherFixture::WriteConfigLog(const std::string& text) {
    WriteFileBytes(Folder + "Config.log", text);
}

std::string LauncherFixture::ConfigLogText() const {
    return ReadFileBytes(Folder + "Config.log");
}

bool LauncherFixture::ConfigLogExists() const {
    return GetFileAttributesA((Folder + "Config.log").c_str()) != INVALID_FILE_ATTRIBUTES;
}

void LauncherFixture::Start() {
    if (!NoContainer) {
        std::vector<std::string> all = {JoinLines(Config)};
        all.insert(all.end(), Entries.begin(), Entries.end());
        WriteContainer(Folder + "L-Ctnr.ctr", all);
    }
    Application->CreateForm(Form1);
}

void LauncherFixture::Restart() {
    application_.reset();
    Form1 = nullptr;
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    }
    application_ = std::make_unique<TApplication>(nullptr);
    Application = application_.get();
    ResetLauncherState();
    Platform.Calls.clear();
    Start();
}

std::string LauncherFixture::UserFile() const {
    return UserConfigLogFile(Folder);
}

void LauncherFixture::MakeFolderUnwritable() {
    ASSERT_TRUE(CreateDirectoryA((Folder + "Config.log").c_str(), nullptr));
}

TOvalynShapeButton* LauncherFixture::Button(int n) const {
    TOvalynShapeButton* buttons[] = {Form1->OvalynShapeButton1, Form1->OvalynShapeButton2,
                                     Form1->OvalynShapeButton3, Form1->OvalynShapeButton4,
                                     Form1->OvalynShapeButton5, Form1->OvalynShapeButton6,
                                     Form1->OvalynShapeButton7, Form1->OvalynShapeButton8,
                                     Form1->OvalynShapeButton9, Form1->OvalynShapeButton10};
    return buttons[n - 1];
}

void LauncherFixture::Click(TWinControl* control) {
    HWND window = control->Handle();
    SendMessageA(window, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(3, 3));
    SendMessageA(window, WM_LBUTTONUP, 0, MAKELPARAM(3, 3));
}

std::vector<std::string> LauncherFixture::Sounds() const {
    std::vector<std::string> sounds;
    for (const TRecordedCall& call : Platform.CallsOf("PlaySoundA"))
        sounds.push_back(call.Args[0] + "/" + call.Args[2]);
    return sounds;
}

std::string LauncherFixture::LastBoxText() const {
    std::vector<TRecordedCall> boxes = Boxes();
    return boxes.empty() ? std::string() : boxes.back().Args[1];
}

bool LauncherFixture::Terminated() const {
    return Application->Terminated();
}
