// The real Designer.exe on a copy of the demo menu, driven with the real
// pointer and keyboard: a drag, typed values, an option added, one step
// undone, saved, built through the save dialog, opened again; its Test
// command starts the launcher; closing with unsaved changes asks.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "ProcessDriver.h"
#include "WindowDriver.h"
#include "authoring/MenuIni.h"
#include "authoring/MenuSource.h"
#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "tests/launcher/TestContainer.h"

namespace {

constexpr DWORD kTimeoutMs = 15000;
constexpr const char* kTitleEnd = " - Ovalyn Menu Designer";

// Where the demo's launch button goes, and what is typed.
constexpr POINT kLaunchFrom{240, 240};
constexpr POINT kLaunchTo{410, 255};
const std::string kNewCaption = "Begin quest";
const std::string kNewColour = "#FFD040";
const std::string kNewColourLine = "$0040D0FF"; // the launcher's 0x00BBGGRR
const std::string kKeptOption = "Low detail;-lowdetail";

std::string WithoutSlash(std::string folder) {
    if (!folder.empty() && folder.back() == '\\')
        folder.pop_back();
    return folder;
}

std::string LastName(const std::string& folder) {
    const std::string plain = WithoutSlash(folder);
    return plain.substr(plain.find_last_of('\\') + 1);
}

// The demo menu folder (menu.ini and its pictures) copied into folder.
void CopyDemoMenu(const std::string& folder) {
    const std::string demo = std::string(OVALYN_DEMO_MENU) + "/";
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((demo + "*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE)
        throw std::runtime_error("cannot list " + demo);
    do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            CopyFileOrThrow(demo + found.cFileName, folder + found.cFileName);
    } while (FindNextFileA(search, &found));
    FindClose(search);
}

// Entry number of the container at path, descrambled as the launcher reads it.
std::string ContainerEntry(const std::string& path, int number) {
    TKRVAAppendix reader(nullptr);
    reader.ContainerName = path;
    reader.ReadAmount();
    reader.FileNo = static_cast<uint8_t>(number);
    std::unique_ptr<TMemoryStream> stream = reader.ExtractFileStream();
    if (!stream)
        throw std::runtime_error(path + ": entry " + std::to_string(number) +
                                 " cannot be read (error " + std::to_string(reader.Error) + ")");
    ScrambleStream(stream.get(), kDescrambleDirection, kContainerSeed, false);
    return std::string(reinterpret_cast<const char*>(stream->Memory()),
                       static_cast<size_t>(stream->Size()));
}

// The configuration list the menu folder gives, as ctrpack builds it.
std::string FolderConfigurationList(const std::string& folder, std::string& problemText) {
    std::vector<Problem> problems;
    const LoadedMenu loaded = LoadMenuIniFolder(WithoutSlash(folder), problems);
    for (const Problem& problem : problems)
        problemText += problem.Format() + "\n";
    const std::vector<uint8_t> list = loaded.menu.ConfigurationList();
    return std::string(list.begin(), list.end());
}

// menu.ini's lines of one section, without line ends.
std::vector<std::string> SectionLines(const std::string& ini, const std::string& section) {
    std::vector<std::string> lines;
    bool inside = false;
    size_t start = 0;
    while (start < ini.size()) {
        size_t end = ini.find('\n', start);
        if (end == std::string::npos)
            end = ini.size();
        std::string line = ini.substr(start, end - start);
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        start = end + 1;
        if (!line.empty() && line.front() == '[')
            inside = line == "[" + section + "]";
        else if (inside && !line.empty() && line.front() != ';')
            lines.push_back(line);
    }
    return lines;
}

bool Holds(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// Designer.exe started on a menu folder, with its parts found by class: the
// canvas (TMenuCanvas, the launcher's controls on it), the property panel
// (TPropertyPanel: editors found by the value they show) and the message
// boxes it raises.
class TDesignerRun {
public:
    explicit TDesignerRun(const std::string& folder)
        : name_(LastName(folder)),
          process_(OVALYN_DESIGNER_EXE, folder, "\"" + WithoutSlash(folder) + "\"") {}

    TProcess& Process() { return process_; }
    HWND Form() const { return form_; }
    HWND Canvas() const { return canvas_; }
    HWND Properties() const { return properties_; }

    // Waits for the window with the menu's name in its title and the canvas
    // showing a button captioned caption; false (with what was seen) on timeout.
    bool WaitUntilShown(const std::string& caption, std::string& seen) {
        const bool shown = WaitUntil(
            [&] {
                form_ = nullptr;
                for (HWND window : process_.Windows())
                    if (TextOf(window) == name_ + kTitleEnd)
                        form_ = window;
                if (!form_)
                    return false;
                canvas_ = OnlyDescendant(form_, "TMenuCanvas");
                properties_ = OnlyDescendant(form_, "TPropertyPanel");
                return canvas_ && properties_ && Button(caption);
            },
            kTimeoutMs);
        seen = "windows: ";
        for (HWND window : process_.Windows())
            seen += "\"" + TextOf(window) + "\" ";
        if (form_)
            seen += "; parts: " + DescribeDescendants(form_);
        return shown;
    }

    std::string Title() const { return TextOf(form_); }
    bool Modified() const { return Title() == name_ + " *" + kTitleEnd; }
    bool Clean() const { return Title() == name_ + kTitleEnd; }

    // The menu's button window on the canvas captioned caption.
    HWND Button(const std::string& caption) const {
        for (HWND window : Descendants(canvas_))
            if (ClassOf(window) != "TComboBox" && TextOf(window) == caption)
                return window;
        return nullptr;
    }
    // The option list on the canvas (the launcher's combo box).
    HWND OptionList() const { return OnlyDescendant(canvas_, "TComboBox"); }
    POINT CanvasPoint(int x, int y) const {
        POINT point{x, y};
        ClientToScreen(canvas_, &point);
        return point;
    }
    // The property panel's text field showing text.
    HWND Field(const std::string& text) const {
        return DescendantWithText(properties_, "TEdit", text);
    }

    // The message box the designer shows, or nullptr.
    HWND Dialog() {
        const std::vector<HWND> boxes = process_.Windows("#32770");
        return boxes.empty() ? nullptr : boxes.front();
    }
    std::string MessageBoxText() {
        HWND box = Dialog();
        return box ? "message box: " + DialogText(box) : "no message box";
    }

private:
    std::string name_;
    TProcess process_;
    HWND form_ = nullptr;
    HWND canvas_ = nullptr;
    HWND properties_ = nullptr;
};

// The demo's configuration list with the edits the test makes and keeps.
std::string ExpectedConfigurationList() {
    std::vector<std::string> lines = DemoConfigLines();
    EXPECT_EQ(lines.at(10), "240");
    EXPECT_EQ(lines.at(11), "240");
    EXPECT_EQ(lines.at(12), "Start game");
    EXPECT_EQ(lines.at(45), "$00FFFFFF");
    EXPECT_EQ(lines.at(71), "3");
    lines.at(10) = std::to_string(kLaunchTo.x);
    lines.at(11) = std::to_string(kLaunchTo.y);
    lines.at(12) = kNewCaption;
    lines.at(45) = kNewColourLine;
    lines.at(71) = "4";
    lines.insert(lines.begin() + 75, kKeptOption);
    return JoinLines(lines);
}

// The property panel's option list with its Name and Parameters fields (the
// two text fields right below the list).
struct OptionEditors {
    HWND list = nullptr, name = nullptr, parameters = nullptr, add = nullptr;
};

OptionEditors FindOptionEditors(HWND properties) {
    OptionEditors found;
    const std::vector<HWND> lists = Descendants(properties, "TListBox");
    if (lists.size() != 1)
        return found;
    found.list = lists.front();
    const LONG listBottom = RectIn(properties, found.list).bottom;
    std::vector<HWND> below;
    for (HWND edit : Descendants(properties, "TEdit"))
        if (RectIn(properties, edit).top >= listBottom)
            below.push_back(edit);
    std::sort(below.begin(), below.end(), [&](HWND a, HWND b) {
        return RectIn(properties, a).top < RectIn(properties, b).top;
    });
    if (below.size() >= 2) {
        found.name = below[0];
        found.parameters = below[1];
    }
    found.add = DescendantWithText(properties, "TButton", "Add");
    return found;
}

int ItemCount(HWND list, UINT countMessage) {
    return list ? static_cast<int>(SendMessageA(list, countMessage, 0, 0)) : -1;
}

// Types an option into the Name and Parameters fields and presses Add;
// true when the list then holds count entries.
bool AddOption(const OptionEditors& editors, const std::string& name, const std::string& parameters,
               int count) {
    if (!ReplaceFieldText(editors.name, name, kTimeoutMs) ||
        !ReplaceFieldText(editors.parameters, parameters, kTimeoutMs))
        return false;
    ClickAt(CentreOnScreen(editors.add));
    return WaitUntil([&] { return ItemCount(editors.list, LB_GETCOUNT) == count; }, kTimeoutMs);
}

// Drags with the real pointer from one canvas point to another, in steps.
void DragOnCanvas(const TDesignerRun& designer, POINT from, POINT to) {
    MovePointer(designer.CanvasPoint(from.x, from.y));
    PressLeft();
    for (int step = 1; step <= 4; ++step)
        MovePointer(designer.CanvasPoint(from.x + (to.x - from.x) * step / 4,
                                         from.y + (to.y - from.y) * step / 4));
    ReleaseLeft();
}

// Closes the designer's window; true when the process ended without any
// message box meanwhile.
bool ClosesWithoutAsking(TDesignerRun& designer, std::string& seen) {
    PostMessageA(designer.Form(), WM_CLOSE, 0, 0);
    bool asked = false;
    const bool ended = WaitUntil(
        [&] {
            if (designer.Dialog()) {
                asked = true;
                seen = designer.MessageBoxText();
                return true;
            }
            return !designer.Process().Running();
        },
        kTimeoutMs);
    return ended && !asked;
}

} // namespace

TEST(Designer, EditsOfTheDemoAreSavedBuiltAndShownAgainWhenReopened) {
    TTempFolder folder("designer");
    TTempFolder output("designer-build");
    CopyDemoMenu(folder.Path());
    const std::string expectedList = ExpectedConfigurationList();
    std::string seen;
    {
        TDesignerRun designer(folder.Path());
        ASSERT_TRUE(designer.WaitUntilShown("Start game", seen))
            << "the designer did not show the demo: " << seen;
        ASSERT_TRUE(designer.Clean()) << designer.Title();

        // Drag the launch button; it is then selected.
        DragOnCanvas(designer, {kLaunchFrom.x + 80, kLaunchFrom.y + 18},
                     {kLaunchTo.x + 80, kLaunchTo.y + 18});
        ASSERT_TRUE(WaitUntil(
            [&] {
                HWND button = designer.Button("Start game");
                const RECT rect = button ? RectIn(designer.Canvas(), button) : RECT{};
                return rect.left == kLaunchTo.x && rect.top == kLaunchTo.y;
            },
            kTimeoutMs))
            << "the launch button is not at the drop place: "
            << DescribeDescendants(designer.Canvas());
        EXPECT_TRUE(designer.Modified()) << designer.Title();

        // The caption, typed over the selected button's Caption field.
        ASSERT_TRUE(WaitUntil([&] { return designer.Field("Start game") != nullptr; }, kTimeoutMs))
            << "no Caption field for the launch button: "
            << DescribeDescendants(designer.Properties());
        EXPECT_NE(designer.Field(std::to_string(kLaunchTo.x)), nullptr)
            << "the Left field does not show the dragged place";
        ASSERT_TRUE(ReplaceFieldText(designer.Field("Start game"), kNewCaption, kTimeoutMs));
        PressKeys(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return designer.Button(kNewCaption) != nullptr; }, kTimeoutMs))
            << "the canvas does not show the new caption; " << designer.MessageBoxText();

        // The buttons' font colour, typed as #RRGGBB.
        HWND colour = designer.Field("#FFFFFF");
        ASSERT_NE(colour, nullptr) << DescribeDescendants(designer.Properties());
        HWND captioned = designer.Button(kNewCaption);
        ASSERT_TRUE(ReplaceFieldText(colour, kNewColour, kTimeoutMs));
        PressKeys(VK_RETURN);
        // A committed colour rebuilds the menu: the button is a new window.
        ASSERT_TRUE(WaitUntil(
            [&] {
                HWND button = designer.Button(kNewCaption);
                return button != nullptr && button != captioned;
            },
            kTimeoutMs))
            << "the colour was not taken; " << designer.MessageBoxText();

        // Select the option list on the canvas and add two options.
        ASSERT_NE(designer.OptionList(), nullptr) << DescribeDescendants(designer.Canvas());
        ClickAt(CentreOnScreen(designer.OptionList()));
        OptionEditors options;
        ASSERT_TRUE(WaitUntil(
            [&] {
                options = FindOptionEditors(designer.Properties());
                return options.name && options.add && ItemCount(options.list, LB_GETCOUNT) == 3;
            },
            kTimeoutMs))
            << "no option editors: " << DescribeDescendants(designer.Properties());
        ASSERT_TRUE(AddOption(options, "Low detail", "-lowdetail", 4))
            << "the first option was not added; " << designer.MessageBoxText();
        ASSERT_TRUE(AddOption(options, "Benchmark", "-bench", 5))
            << "the second option was not added; " << designer.MessageBoxText();
        ASSERT_EQ(ItemCount(designer.OptionList(), CB_GETCOUNT), 5);

        // Ctrl+Z takes back the last step only: the second option.
        PressKeys('Z', {VK_CONTROL});
        ASSERT_TRUE(
            WaitUntil([&] { return ItemCount(options.list, LB_GETCOUNT) == 4; }, kTimeoutMs))
            << "Ctrl+Z did not remove the last option";
        ASSERT_TRUE(WaitUntil([&] { return ItemCount(designer.OptionList(), CB_GETCOUNT) == 4; },
                              kTimeoutMs))
            << "the canvas still shows " << ItemCount(designer.OptionList(), CB_GETCOUNT)
            << " options";
        EXPECT_NE(designer.Button(kNewCaption), nullptr) << "Ctrl+Z took back more than one step";

        PressKeys('S', {VK_CONTROL});
        ASSERT_TRUE(WaitUntil([&] { return designer.Clean(); }, kTimeoutMs))
            << "Ctrl+S did not save: " << designer.Title() << "; " << designer.MessageBoxText();

        // The saved folder: menu.ini's changed keys and the whole configuration list.
        const std::string ini = ReadFileBytes(folder.Path() + "menu.ini");
        const std::vector<std::string> launch = SectionLines(ini, "Launch");
        EXPECT_TRUE(Holds(launch, "Caption=" + kNewCaption)) << ini;
        EXPECT_TRUE(Holds(launch, "Left=" + std::to_string(kLaunchTo.x))) << ini;
        EXPECT_TRUE(Holds(launch, "Top=" + std::to_string(kLaunchTo.y))) << ini;
        EXPECT_TRUE(Holds(SectionLines(ini, "Buttons"), "FontColor=" + kNewColour)) << ini;
        const std::vector<std::string> optionKeys = SectionLines(ini, "Options");
        EXPECT_TRUE(Holds(optionKeys, "Option3=Safe mode;-safe -nosound")) << ini;
        EXPECT_TRUE(Holds(optionKeys, "Option4=" + kKeptOption)) << ini;
        EXPECT_EQ(ini.find("Option5"), std::string::npos) << "the undone option was saved";
        EXPECT_EQ(ini.find("Benchmark"), std::string::npos) << "the undone option was saved";
        std::string problems;
        EXPECT_EQ(FolderConfigurationList(folder.Path(), problems), expectedList);
        EXPECT_EQ(problems, "") << "the saved folder reads with problems";

        // The demo's own menu.ini, its comments and order kept, with only the
        // lines of these edits changed in place and the new option after
        // the others.
        std::string expected = ReadFileBytes(std::string(OVALYN_DEMO_MENU) + "/menu.ini");
        auto replace = [&](const std::string& section, const std::string& from,
                           const std::string& to) {
            const size_t at = expected.find(from, expected.find("[" + section + "]"));
            ASSERT_NE(at, std::string::npos) << section << " " << from;
            expected.replace(at, from.size(), to);
        };
        replace("Launch", "Caption=Start game\r\n", "Caption=" + kNewCaption + "\r\n");
        replace("Launch", "Left=240\r\n", "Left=" + std::to_string(kLaunchTo.x) + "\r\n");
        replace("Launch", "Top=240\r\n", "Top=" + std::to_string(kLaunchTo.y) + "\r\n");
        replace("Buttons", "FontColor=#FFFFFF\r\n", "FontColor=" + kNewColour + "\r\n");
        replace("Options", "Option3=Safe mode;-safe -nosound\r\n",
                "Option3=Safe mode;-safe -nosound\r\nOption4=" + kKeptOption + "\r\n");
        EXPECT_EQ(ini, expected);

        // File > Build container: the save dialog, a path typed into its name field.
        PressKeys('B', {VK_CONTROL});
        HWND dialog = designer.Process().WaitForWindow(kTimeoutMs, "#32770");
        ASSERT_NE(dialog, nullptr) << "Ctrl+B showed no save dialog";
        HWND nameField = nullptr;
        ASSERT_TRUE(WaitUntil(
            [&] {
                nameField = DescendantWithText(dialog, "Edit", "L-Ctnr.ctr");
                return nameField != nullptr;
            },
            kTimeoutMs))
            << "no file name field showing L-Ctnr.ctr: " << DescribeDescendants(dialog);
        const std::string container = output.Path() + "Built.ctr";
        ASSERT_TRUE(ReplaceFieldText(nameField, container, kTimeoutMs))
            << "the name field shows " << TextOf(nameField);
        PressKeys(VK_RETURN);
        ASSERT_TRUE(WaitForFile(container, kTimeoutMs))
            << "no container at " << container << "; " << designer.MessageBoxText();
        ASSERT_TRUE(WaitUntil([&] { return designer.Dialog() == nullptr; }, kTimeoutMs))
            << designer.MessageBoxText();
        EXPECT_EQ(ContainerEntry(container, 1), expectedList);
        EXPECT_EQ(ContainerEntry(container, 2), DemoEntry(2)) << "the notice changed";

        ASSERT_TRUE(ClosesWithoutAsking(designer, seen))
            << "closing the saved menu did not end the designer quietly; " << seen;
    }

    TDesignerRun reopened(folder.Path());
    ASSERT_TRUE(reopened.WaitUntilShown(kNewCaption, seen))
        << "the reopened designer does not show the new caption: " << seen;
    EXPECT_TRUE(reopened.Clean()) << reopened.Title();
    const RECT launch = RectIn(reopened.Canvas(), reopened.Button(kNewCaption));
    EXPECT_EQ(launch.left, kLaunchTo.x);
    EXPECT_EQ(launch.top, kLaunchTo.y);
    EXPECT_EQ(launch.right - launch.left, 160);
    EXPECT_EQ(launch.bottom - launch.top, 36);
    EXPECT_EQ(reopened.Button("Start game"), nullptr);
    HWND list = reopened.OptionList();
    ASSERT_EQ(ItemCount(list, CB_GETCOUNT), 4) << DescribeDescendants(reopened.Canvas());
    // Asked in UTF-16: the launcher's list is a Unicode window.
    wchar_t last[64] = {};
    SendMessageW(list, CB_GETLBTEXT, 3, reinterpret_cast<LPARAM>(last));
    EXPECT_STREQ(last, L"Low detail");
    ASSERT_TRUE(ClosesWithoutAsking(reopened, seen)) << seen;
}

TEST(Designer, TestStartsTheLauncherAndClosingWithUnsavedChangesAsks) {
    TTempFolder folder("designer-test");
    CopyDemoMenu(folder.Path());
    const std::string savedIni = ReadFileBytes(folder.Path() + "menu.ini");
    std::string seen;
    TDesignerRun designer(folder.Path());
    ASSERT_TRUE(designer.WaitUntilShown("Start game", seen))
        << "the designer did not show the demo: " << seen;

    // F5 with the designer in front: the launcher's menu in a process of its own.
    ClickAt(designer.CanvasPoint(20, 20));
    PressKeys(VK_F5);
    std::vector<HWND> menus, errors;
    ASSERT_TRUE(WaitUntil(
        [&] {
            menus = TopLevelWindowsWithText("Ovalyn Demo Adventure");
            errors = TopLevelWindowsWithText("Launcher"); // the launcher's error box
            return !menus.empty() || !errors.empty() || designer.Dialog();
        },
        kTimeoutMs))
        << "F5 started no launcher; windows: " << DescribeTopLevelWindows();
    if (!errors.empty()) {
        const std::string text = DescribeTopLevelWindows();
        TForeignProcess failed(errors.front()); // ended when it goes
        FAIL() << "the launcher refused the tested menu: " << text;
    }
    ASSERT_EQ(menus.size(), 1u) << "F5 started no launcher; " << designer.MessageBoxText()
                                << "; windows: " << DescribeTopLevelWindows();
    TForeignProcess launcher(menus.front());
    ASSERT_TRUE(launcher.Opened()) << "cannot open the launcher's process";
    EXPECT_NE(launcher.Id(), designer.Process().Id());
    const std::string program = launcher.ProgramPath();
    EXPECT_TRUE(program.size() > 13 &&
                lstrcmpiA(program.substr(program.size() - 13).c_str(), "\\Launcher.exe") == 0)
        << program;
    // The Quit button (group 2 of the demo, 160 x 36) ends it.
    const std::vector<std::string> lines = DemoConfigLines();
    POINT quit{std::stoi(lines.at(6)) + 80, std::stoi(lines.at(7)) + 18};
    ClientToScreen(menus.front(), &quit);
    ClickAt(quit);
    EXPECT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the launcher's Quit did not end it";
    EXPECT_TRUE(designer.Process().Running());
    EXPECT_TRUE(designer.Clean()) << "Test changed the document: " << designer.Title();

    // A nudge, then closing: the designer asks; No ends it without saving.
    ClickAt(designer.CanvasPoint(kLaunchFrom.x + 80, kLaunchFrom.y + 18));
    PressKeys(VK_RIGHT);
    ASSERT_TRUE(WaitUntil([&] { return designer.Modified(); }, kTimeoutMs))
        << "the nudge did not change the menu: " << designer.Title();
    PostMessageA(designer.Form(), WM_CLOSE, 0, 0);
    HWND box = nullptr;
    ASSERT_TRUE(WaitUntil(
        [&] {
            box = designer.Dialog();
            return box != nullptr || !designer.Process().Running();
        },
        kTimeoutMs));
    ASSERT_NE(box, nullptr) << "the designer closed without asking about the changes";
    EXPECT_EQ(DialogText(box), "Save the changes to " + LastName(folder.Path()) + "?");
    HWND no = DescendantWithText(box, "Button", "&No");
    ASSERT_NE(no, nullptr) << DescribeDescendants(box);
    ClickAt(CentreOnScreen(no));
    EXPECT_TRUE(designer.Process().WaitForExit(kTimeoutMs)) << "No did not end the designer";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "menu.ini"), savedIni) << "No saved the menu";
}
