// The launcher's memory budget for pictures, at its edge: the demo menu with
// button pictures as large as the check lets them be is built and shown by
// the real launcher; one pixel more a side, and the check refuses it with the
// total and the limit.
#include <gtest/gtest.h>

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "LauncherInstall.h"
#include "ProcessDriver.h"
#include "authoring/LauncherMemory.h"
#include "authoring/PictureImport.h"
#include "tests/launcher/TestContainer.h"

namespace {

const std::string kDemoMenu = std::string(OVALYN_SOURCE_DIR) + "/demo/menu";
constexpr int kShownButtons = 3; // the demo's launch mode: Launch, Web, Quit

// An RLE8 BMP of one colour: a small file, a full 8-bit bitmap in memory.
std::string RleBitmap(int side) {
    std::string rows;
    for (int y = 0; y < side; ++y) {
        for (int left = side; left > 0; left -= 255)
            rows += {static_cast<char>(left > 255 ? 255 : left), '\1'};
        rows += {'\0', '\0'};
    }
    rows += {'\0', '\1'};
    auto u32 = [](uint32_t v) {
        return std::string{char(v), char(v >> 8), char(v >> 16), char(v >> 24)};
    };
    const uint32_t offset = 14 + 40 + 2 * 4;
    std::string file = "BM" + u32(offset + uint32_t(rows.size())) + u32(0) + u32(offset);
    file += u32(40) + u32(side) + u32(side) + std::string{1, 0, 8, 0} + u32(1) +
            u32(uint32_t(rows.size())) + u32(2835) + u32(2835) + u32(2) + u32(0);
    file += u32(0x00FF00FF) + u32(0x00503020);
    return file + rows;
}

// The largest side of square 8-bit button pictures that the budget takes
// beside the demo's own background and check box.
int LargestButtonSide() {
    std::array<std::optional<PictureFootprint>, kPictureCount> pictures;
    const char* names[] = {"background.png", nullptr,        nullptr,
                           nullptr,          "checkbox.png", "checkbox-ticked.png"};
    for (int i : {0, 4, 5}) {
        const ImportedPicture picture = ImportPictureFile(kDemoMenu + "/" + names[i], PictureAt(i));
        pictures[i] = PictureFootprint{picture.width, picture.height, 24, picture.bmp.size()};
    }
    int low = 1, high = 8192; // high: the largest picture there is
    while (low < high) {
        const int side = (low + high + 1) / 2;
        for (int i : {1, 2, 3})
            pictures[i] = PictureFootprint{side, side, 8, RleBitmap(side).size()};
        if (LauncherPictureBytes(pictures, kShownButtons) <= kLauncherPictureBudget)
            low = side;
        else
            high = side - 1;
    }
    return low;
}

void CopyDemoWithButtons(const std::string& folder, int side) {
    for (const char* name :
         {"menu.ini", "notice.txt", "background.png", "checkbox.png", "checkbox-ticked.png"})
        CopyFileOrThrow(kDemoMenu + "/" + name, folder + name);
    const std::string button = RleBitmap(side);
    for (const char* name : {"button.png", "button-pressed.png", "button-over.png"})
        WriteFileBytes(folder + name, button);
}

} // namespace

TEST(PictureBudget, TheLargestMenuTheCheckPassesIsShownAndOneLargerIsRefused) {
    const int side = LargestButtonSide();
    ASSERT_GT(side, 4000) << "the budget should take large buttons";
    TTempFolder menu("budget-menu"), install("budget");

    CopyDemoWithButtons(menu.Path(), side);
    const ToolRun built =
        RunCtrpack("build \"" + menu.Path() + ".\" \"" + install.Path() + "L-Ctnr.ctr\"",
                   install.Path() + "build.log");
    ASSERT_EQ(built.exitCode, 0u) << built.output;
    CopyFileOrThrow(OVALYN_LAUNCHER_EXE, install.Path() + "Launcher.exe");
    {
        TProcess launcher(install.Path() + "Launcher.exe", install.Path());
        HWND window = launcher.WaitForWindow(60000);
        ASSERT_NE(window, nullptr) << "no window";
        char className[64] = {};
        GetClassNameA(window, className, sizeof className);
        EXPECT_STRNE(className, "#32770") << "a message box: " << DialogText(window);
        HWND button = FindWindowExA(window, nullptr, "TOvalynShapeButton", nullptr);
        ASSERT_NE(button, nullptr) << "no button on the menu";
        RECT rect{};
        GetWindowRect(button, &rect);
        EXPECT_EQ(rect.right - rect.left, side) << "the button takes its picture's size";
        PostMessageA(window, WM_CLOSE, 0, 0);
        EXPECT_TRUE(launcher.WaitForExit(kLauncherTimeoutMs));
    }

    CopyDemoWithButtons(menu.Path(), side + 1);
    const ToolRun refused =
        RunCtrpack("check \"" + menu.Path() + ".\"", install.Path() + "check.log");
    EXPECT_EQ(refused.exitCode, 1u);
    EXPECT_NE(refused.output.find("MB of the launcher's memory at once"), std::string::npos)
        << refused.output;
    EXPECT_NE(refused.output.find("more than the 1024 MB it can count on"), std::string::npos)
        << refused.output;
}
