// The menu that "ctrpack new" writes, built with "ctrpack build", shown by the
// real Launcher.exe: its window has the starter's caption and background size,
// and its quit button sits where menu.ini puts it and ends the launcher.
#include <gtest/gtest.h>

#include <windows.h>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "tests/launcher/TestContainer.h"

TEST(StarterMenu, LauncherShowsTheMenuOfCtrpackNew) {
    TTempFolder folder("starter");
    CopyFileOrThrow(OVALYN_LAUNCHER_EXE, folder.Path() + "Launcher.exe");
    CopyFileOrThrow(OVALYN_STARTER_CONTAINER, folder.Path() + "L-Ctnr.ctr");

    TProcess launcher(folder.Path() + "Launcher.exe", folder.Path());
    HWND window = launcher.WaitForWindow(kLauncherTimeoutMs);
    ASSERT_NE(window, nullptr) << "no menu window";
    char caption[256] = {};
    GetWindowTextA(window, caption, sizeof caption);
    EXPECT_STREQ(caption, "My Program");
    RECT client;
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 480);
    EXPECT_EQ(client.bottom, 300);
    // The focus holder lies left of the client area; the option list of two
    // options is the one drop-down list in view.
    int listsInView = 0;
    for (HWND list = FindWindowExA(window, nullptr, "TComboBox", nullptr); list;
         list = FindWindowExA(window, list, "TComboBox", nullptr)) {
        RECT rect;
        GetWindowRect(list, &rect);
        POINT at{rect.left, rect.top};
        ScreenToClient(window, &at);
        if (IsWindowVisible(list) && at.x >= 0)
            ++listsInView;
    }
    EXPECT_EQ(listsInView, 1) << "the option list of two options is shown";

    // [Quit] Left=40 Top=160 with a 150 x 34 button picture.
    Sleep(300);
    POINT quit = ClientToScreenPoint(window, 40 + 75, 160 + 17);
    ClickAt(quit.x, quit.y);
    EXPECT_TRUE(launcher.WaitForExit(kLauncherTimeoutMs)) << "the quit button did not end it";
    EXPECT_EQ(GetFileAttributesA((folder.Path() + "Config.log").c_str()), INVALID_FILE_ATTRIBUTES)
        << "quitting writes no Config.log";
}
