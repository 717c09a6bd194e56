// The real Launcher.exe's menu as it appears and acts: the check box that
// makes the next start direct, the requirement notice when DirectX is too
// old, the error box of a bad configuration, the cut-out shapes of the
// buttons, and a shell target opened through a file association.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <memory>
#include <stdexcept>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "tests/launcher/DirectXKey.h"
#include "tests/launcher/TestContainer.h"

namespace {

constexpr DWORD kTimeoutMs = kLauncherTimeoutMs;

// Asked with WM_GETTEXT: GetWindowText reads only the creation caption of
// another process's window, not the text an edit control holds.
std::string TextOf(HWND window) {
    LRESULT length = SendMessageA(window, WM_GETTEXTLENGTH, 0, 0);
    std::string text(static_cast<size_t>(length) + 1, '\0');
    LRESULT got = SendMessageA(window, WM_GETTEXT, static_cast<WPARAM>(length + 1),
                               reinterpret_cast<LPARAM>(text.data()));
    text.resize(static_cast<size_t>(got));
    return text;
}

std::string ClassOf(HWND window) {
    char name[256] = {};
    GetClassNameA(window, name, sizeof name);
    return name;
}

BOOL CALLBACK CollectChild(HWND child, LPARAM param) {
    reinterpret_cast<std::vector<HWND>*>(param)->push_back(child);
    return TRUE;
}

std::vector<HWND> AllChildren(HWND parent) {
    std::vector<HWND> children;
    EnumChildWindows(parent, CollectChild, reinterpret_cast<LPARAM>(&children));
    return children;
}

// The child window whose text is text; nullptr when there is none.
HWND ChildWithText(HWND parent, const std::string& text) {
    for (HWND child : AllChildren(parent))
        if (TextOf(child) == text)
            return child;
    return nullptr;
}

std::vector<HWND> ChildrenOfClass(HWND parent, const std::string& className) {
    std::vector<HWND> found;
    for (HWND child : AllChildren(parent))
        if (lstrcmpiA(ClassOf(child).c_str(), className.c_str()) == 0)
            found.push_back(child);
    return found;
}

// Texts of the visible children, for messages.
std::string VisibleChildren(HWND parent) {
    std::string list;
    for (HWND child : AllChildren(parent))
        if (IsWindowVisible(child))
            list += ClassOf(child) + " \"" + TextOf(child) + "\"; ";
    return list;
}

// The child's rectangle in the parent's client coordinates.
RECT RectInClient(HWND parent, HWND child) {
    RECT rect;
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

// The launcher's menu window, that is one of its windows that is no dialog.
HWND WaitForMenu(TProcess& launcher) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < kTimeoutMs && launcher.Running()) {
        for (HWND window : launcher.Windows())
            if (ClassOf(window) != "#32770")
                return window;
        Sleep(50);
    }
    return nullptr;
}

// Owns a copy of a window's region.
class TWindowRegion {
public:
    explicit TWindowRegion(HWND window) : region_(CreateRectRgn(0, 0, 0, 0)) {
        kind_ = GetWindowRgn(window, region_);
    }
    ~TWindowRegion() { DeleteObject(region_); }
    TWindowRegion(const TWindowRegion&) = delete;
    TWindowRegion& operator=(const TWindowRegion&) = delete;
    int Kind() const { return kind_; }
    bool Holds(int x, int y) const { return PtInRegion(region_, x, y) != FALSE; }

private:
    HRGN region_;
    int kind_;
};

// A file type whose "open" runs command, registered under HKEY_CLASSES_ROOT
// (Wine's shell does not look at the current user's classes); removed when
// the object goes.
class TFileAssociation {
public:
    TFileAssociation(const std::string& extension, const std::string& typeName,
                     const std::string& command)
        : extension_(extension), typeName_(typeName) {
        SetDefault(extension, typeName);
        SetDefault(typeName + "\\shell\\open\\command", command);
    }
    ~TFileAssociation() {
        const std::string type = typeName_;
        for (const std::string& key : {type + "\\shell\\open\\command", type + "\\shell\\open",
                                       type + "\\shell", type, extension_})
            RegDeleteKeyA(HKEY_CLASSES_ROOT, key.c_str());
    }
    TFileAssociation(const TFileAssociation&) = delete;
    TFileAssociation& operator=(const TFileAssociation&) = delete;

private:
    static void SetDefault(const std::string& path, const std::string& value) {
        HKEY key;
        if (RegCreateKeyExA(HKEY_CLASSES_ROOT, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &key, nullptr) != ERROR_SUCCESS)
            throw std::runtime_error("cannot create " + path);
        RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                       static_cast<DWORD>(value.size() + 1));
        RegCloseKey(key);
    }
    std::string extension_, typeName_;
};

void ClickQuit(HWND window) {
    POINT quit = ButtonCentre(window, 2);
    ClickAt(quit.x, quit.y);
}

} // namespace

TEST(LauncherMenu, TickedCheckBoxIsRememberedAndTheNextStartGoesStraightToTheProgram) {
    TTempFolder folder("tick");
    Install(folder.Path(), "0\r\n-1\r\n2\r\n"); // option 2 remembered
    const std::string expectedCommand = folder.Path() + "DemoApp.exe -exit -safe -nosound";
    {
        TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
        HWND window = WaitForMenu(launcher);
        ASSERT_NE(window, nullptr) << "no menu window";
        Sleep(300);
        POINT box = CheckBoxPoint(window);
        ClickAt(box.x, box.y);
        Sleep(200);
        ASSERT_TRUE(launcher.Running()) << "the check box ended the launcher";
        EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "0\r\n-1\r\n2\r\n")
            << "ticking alone writes nothing";
        POINT launch = ButtonCentre(window, 3);
        ClickAt(launch.x, launch.y);
        ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the launch did not end the launcher";
    }
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "-1\r\n-1\r\n2\r\n");
    ASSERT_TRUE(WaitForFile(folder.Path() + "DemoApp.run.txt", kTimeoutMs));
    EXPECT_EQ(Record(folder.Path() + "DemoApp.run.txt").at(0), expectedCommand);

    ASSERT_TRUE(DeleteFileA((folder.Path() + "DemoApp.run.txt").c_str()));
    bool ended = false;
    bool seenOnScreen = RunShowedAWindow(folder.Path() + "Launcher.exe", folder.Path(), ended);
    ASSERT_TRUE(ended) << "the second start did not end by itself";
    EXPECT_FALSE(seenOnScreen) << "the second start showed a window";
    ASSERT_TRUE(WaitForFile(folder.Path() + "DemoApp.run.txt", kTimeoutMs));
    std::vector<std::string> record = Record(folder.Path() + "DemoApp.run.txt");
    ASSERT_EQ(record.size(), 2u);
    EXPECT_EQ(record[0], expectedCommand) << "the direct start lost the chosen option";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "-1\r\n-1\r\n2\r\n");
}

TEST(LauncherMenu, TooOldDirectXShowsTheNoticeAndTheInstallButtonInsteadOfTheLaunch) {
    TDirectXKey directX; // puts Wine's value back when the test ends
    directX.SetVersion("4.08.00.0400");
    TTempFolder folder("require");
    Install(folder.Path());

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND window = WaitForMenu(launcher);
    ASSERT_NE(window, nullptr) << "no menu window";
    Sleep(300);
    const std::string children = VisibleChildren(window);

    std::vector<HWND> edits = ChildrenOfClass(window, "TMemo");
    ASSERT_EQ(edits.size(), 1u) << children;
    HWND notice = edits.front();
    EXPECT_TRUE(IsWindowVisible(notice)) << children;
    std::string noticeText = TextOf(notice);
    std::string expected = DemoEntry(2);
    while (!expected.empty() && (expected.back() == '\n' || expected.back() == '\r'))
        expected.pop_back();
    EXPECT_EQ(noticeText.substr(0, expected.size()), expected);
    EXPECT_LE(noticeText.size(), expected.size() + 2) << noticeText;
    RECT noticeRect = RectInClient(window, notice);
    EXPECT_EQ(noticeRect.left, 140);
    EXPECT_EQ(noticeRect.top, 140);
    EXPECT_EQ(noticeRect.right - noticeRect.left, 360);
    EXPECT_EQ(noticeRect.bottom - noticeRect.top, 84);

    HWND install = ChildWithText(window, "Install DirectX");
    ASSERT_NE(install, nullptr) << children;
    EXPECT_TRUE(IsWindowVisible(install)) << children;
    // Hidden controls may have no window at all.
    HWND launch = ChildWithText(window, "Start game");
    EXPECT_TRUE(launch == nullptr || !IsWindowVisible(launch)) << children;
    HWND checkBox = ChildWithText(window, TestConfig().at(47));
    EXPECT_TRUE(checkBox == nullptr || !IsWindowVisible(checkBox)) << children;

    ClickQuit(window);
    ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "the quit button did not end the launcher";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "DemoApp.run.txt"), "") << "the program started";
}

TEST(LauncherMenu, BadConfigurationLineShowsTheErrorBoxThenTheWindowAsFarAsBuilt) {
    std::vector<std::string> lines = TestConfig();
    lines.at(44) = "abc";
    TTempFolder folder("badline");
    Install(folder.Path(), "", lines);

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND box = launcher.WaitForWindow(kTimeoutMs, "#32770");
    ASSERT_NE(box, nullptr) << "no error box";
    std::string text = DialogText(box);
    EXPECT_NE(text.find("'abc' ist kein g\xFCltiger Integerwert"), std::string::npos) << text;
    ASSERT_TRUE(PressDialogButton(box, "OK"));

    HWND window = WaitForMenu(launcher);
    ASSERT_NE(window, nullptr) << "no window after the error box";
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 640) << "the background was loaded before the bad line";
    EXPECT_EQ(client.bottom, 480);
    EXPECT_EQ(TextOf(window), "Form1") << "the caption is set only after the controls";
    for (const char* caption : {"Quit", "Start game", "Visit website"}) {
        HWND button = ChildWithText(window, caption);
        EXPECT_TRUE(button == nullptr || !IsWindowVisible(button))
            << caption << " was shown although the font line failed";
    }

    PostMessageA(window, WM_CLOSE, 0, 0);
    ASSERT_TRUE(launcher.WaitForExit(kTimeoutMs)) << "closing the window did not end the launcher";
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "Config.log").c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST(LauncherMenu, ShownButtonsAndCheckBoxAreCutToTheirPicturesAndPlacedAsConfigured) {
    TTempFolder folder("shape");
    Install(folder.Path());

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND window = WaitForMenu(launcher);
    ASSERT_NE(window, nullptr) << "no menu window";
    Sleep(300);
    const std::string children = VisibleChildren(window);
    std::vector<std::string> lines = TestConfig();

    for (int group : {2, 3, 4}) {
        SCOPED_TRACE("group " + std::to_string(group));
        HWND button = ChildWithText(window, lines.at(4 * group));
        ASSERT_NE(button, nullptr) << children;
        EXPECT_TRUE(IsWindowVisible(button));
        RECT rect = RectInClient(window, button);
        EXPECT_EQ(rect.left, std::stoi(lines.at(4 * group - 2)));
        EXPECT_EQ(rect.top, std::stoi(lines.at(4 * group - 1)));
        EXPECT_EQ(rect.right - rect.left, 160);
        EXPECT_EQ(rect.bottom - rect.top, 36);
        TWindowRegion region(button);
        EXPECT_TRUE(region.Kind() == COMPLEXREGION || region.Kind() == SIMPLEREGION)
            << "kind " << region.Kind();
        EXPECT_FALSE(region.Holds(0, 0)) << "the fuchsia corner is not cut away";
        EXPECT_FALSE(region.Holds(159, 35)) << "the fuchsia corner is not cut away";
        EXPECT_TRUE(region.Holds(80, 18));
    }
    HWND install = ChildWithText(window, lines.at(4));
    EXPECT_TRUE(install == nullptr || !IsWindowVisible(install))
        << "the install button shows in launch mode";

    HWND checkBox = ChildWithText(window, lines.at(47));
    ASSERT_NE(checkBox, nullptr) << children;
    EXPECT_TRUE(IsWindowVisible(checkBox));
    RECT boxRect = RectInClient(window, checkBox);
    EXPECT_EQ(boxRect.left, std::stoi(lines.at(48)));
    EXPECT_EQ(boxRect.top, std::stoi(lines.at(49)));
    EXPECT_EQ(boxRect.right - boxRect.left, 230);
    TWindowRegion boxRegion(checkBox);
    EXPECT_TRUE(boxRegion.Kind() == COMPLEXREGION || boxRegion.Kind() == SIMPLEREGION);
    EXPECT_FALSE(boxRegion.Holds(1, 1));
    EXPECT_TRUE(boxRegion.Holds(115, 12));

    for (HWND edit : ChildrenOfClass(window, "TMemo"))
        EXPECT_FALSE(IsWindowVisible(edit)) << "the notice shows in launch mode";
    int onScreenLists = 0;
    for (HWND list : ChildrenOfClass(window, "TComboBox")) {
        RECT rect = RectInClient(window, list);
        if (IsWindowVisible(list) && rect.left >= 0) {
            ++onScreenLists;
            EXPECT_EQ(rect.left, std::stoi(lines.at(63)));
            EXPECT_EQ(rect.top, std::stoi(lines.at(64)));
            EXPECT_EQ(rect.right - rect.left, std::stoi(lines.at(62)));
            EXPECT_EQ(SendMessageA(list, CB_GETCOUNT, 0, 0), 3);
        }
    }
    EXPECT_EQ(onScreenLists, 1) << children;

    ClickQuit(window);
    EXPECT_TRUE(launcher.WaitForExit(kTimeoutMs));
}

// The menu installed in folder with target as the web button's (line 61),
// ".ovtest" files opened by a recording "Opener.exe" there, the launcher
// started in workingFolder and its web button clicked with the real pointer.
struct TWebButtonClick {
    TWebButtonClick(const std::string& menuFolder, const std::string& target,
                    const std::string& workingFolder)
        : folder(menuFolder), association(Associate(menuFolder, target)),
          launcher(menuFolder + "Launcher.exe", workingFolder) {
        window = WaitForMenu(launcher);
        if (!window)
            return;
        Sleep(300);
        POINT website = ButtonCentre(window, 4);
        ClickAt(website.x, website.y);
    }
    // What the opener recorded (its command line and show state); empty
    // when it did not run.
    std::vector<std::string> Opened() const {
        if (!WaitForFile(folder + "Opener.run.txt", kTimeoutMs))
            return {};
        return Record(folder + "Opener.run.txt");
    }
    std::string Opener() const { return "\"" + folder + "Opener.exe\" -exit"; }

    static TFileAssociation* Associate(const std::string& folder, const std::string& target) {
        std::vector<std::string> lines = TestConfig();
        lines.at(61) = target;
        Install(folder, "0\r\n-1\r\n1\r\n", lines);
        CopyFileOrThrow(OVALYN_DEMOAPP_EXE, folder + "Opener.exe");
        return new TFileAssociation(".ovtest", "ovtestfile",
                                    "\"" + folder + "Opener.exe\" -exit \"%1\"");
    }

    std::string folder;
    std::unique_ptr<TFileAssociation> association;
    TProcess launcher;
    HWND window = nullptr;
};

TEST(LauncherMenu, WebsiteButtonOpensAnAssociatedFileAndKeepsTheMenu) {
    TTempFolder folder("shell");
    const std::string document = folder.Path() + "notes.ovtest";
    WriteFileBytes(document, "notes");
    TWebButtonClick click(folder.Path(), document, folder.Path());
    ASSERT_NE(click.window, nullptr) << "no menu window";
    std::vector<std::string> record = click.Opened();
    ASSERT_EQ(record.size(), 2u) << "the associated program did not run";
    EXPECT_EQ(record[0], click.Opener() + " \"" + document + "\"");
    EXPECT_EQ(record[1], "5") << "opened with show state SW_SHOW";
    EXPECT_TRUE(click.launcher.Running()) << "the menu closed after opening the target";
    EXPECT_EQ(ReadFileBytes(folder.Path() + "Config.log"), "0\r\n-1\r\n1\r\n");
    EXPECT_EQ(ReadFileBytes(folder.Path() + "DemoApp.run.txt"), "") << "the program started";

    ClickQuit(click.window);
    EXPECT_TRUE(click.launcher.WaitForExit(kTimeoutMs));
}

// A relative target lies beside the launcher: from a launcher started in
// another folder (a shortcut, a command prompt) it is found there, not in the
// working folder, and what opens it works in the launcher's folder.
TEST(LauncherMenu, ARelativeShellTargetOpensBesideTheLauncherWhereverItIsStarted) {
    TTempFolder folder("relative"), elsewhere("elsewhere");
    for (const std::string& root : {folder.Path(), elsewhere.Path()}) {
        ASSERT_TRUE(CreateDirectoryA((root + "docs").c_str(), nullptr));
        WriteFileBytes(root + "docs\\manual.ovtest", "manual");
    }
    TWebButtonClick click(folder.Path(), "docs\\manual.ovtest", elsewhere.Path());
    ASSERT_NE(click.window, nullptr) << "no menu window";
    const std::vector<std::string> record = click.Opened();
    ASSERT_FALSE(record.empty()) << "the target was not opened";
    EXPECT_EQ(record[0], click.Opener() + " \"" + folder.Path() + "docs\\manual.ovtest\"")
        << "the target beside the launcher, not the one in the working folder";
    const std::string working = ReadFileBytes(folder.Path() + "Opener.folder.txt");
    EXPECT_EQ(working + "\\", folder.Path()) << "its working folder is the launcher's";
    EXPECT_TRUE(click.launcher.Running());
    ClickQuit(click.window);
    EXPECT_TRUE(click.launcher.WaitForExit(kTimeoutMs));
}
