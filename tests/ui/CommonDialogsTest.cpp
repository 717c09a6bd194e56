// The common dialogs: the structures handed to the system, the font list,
// and one real file dialog closed from a timer.
#include <gtest/gtest.h>

#include <cstring>

#include "UiTestSupport.h"
#include "framework/graphics/Color.h"
#include "framework/runtime/Exceptions.h"
#include "framework/ui/ColorDialog.h"
#include "framework/ui/FileDialog.h"
#include "framework/ui/FontNames.h"

namespace {
std::string MessageOf(const std::function<void()>& action) {
    try {
        action();
    } catch (const Exception& error) {
        return error.Message();
    }
    return "(no error)";
}

// Closes the first dialog window of this thread as Cancel would.
BOOL CALLBACK CancelDialog(HWND window, LPARAM closed) {
    char className[16]{};
    GetClassNameA(window, className, sizeof className);
    if (std::strcmp(className, "#32770") != 0 || !IsWindowVisible(window))
        return TRUE;
    PostMessageA(window, WM_COMMAND, IDCANCEL, 0);
    *reinterpret_cast<bool*>(closed) = true;
    return FALSE;
}

bool dialogCancelled = false;
void CALLBACK CancelFromTimer(HWND, UINT, UINT_PTR, DWORD) {
    if (!dialogCancelled)
        EnumThreadWindows(GetCurrentThreadId(), CancelDialog,
                          reinterpret_cast<LPARAM>(&dialogCancelled));
}
} // namespace

TEST(FileDialogFilter, BecomesTheSystemsDoubleNulList) {
    using namespace std::string_literals;
    EXPECT_EQ(FilterToSystemList("Menus (*.ini)|*.ini|All files|*.*"),
              "Menus (*.ini)\0*.ini\0All files\0*.*\0\0"s);
    EXPECT_EQ(FilterToSystemList(""), "\0\0"s);
    EXPECT_EQ(MessageOf([] { FilterToSystemList("Menus|*.ini|Pictures"); }),
              "Dateifilter \"Menus|*.ini|Pictures\": zu Beschreibung 2 fehlt das Muster");
    EXPECT_EQ(MessageOf([] { FilterToSystemList("Menus||All|*.*"); }),
              "Dateifilter \"Menus||All|*.*\": Muster 1 ist leer");
}

TEST(FileDialogSetup, OpenAndSaveAskTheSystemForWhatTheDesignerNeeds) {
    TOpenDialog open;
    open.Filter = "Menus (*.ini)|*.ini";
    open.InitialDir = "C:\\menus";
    open.DefaultExt = "ini";
    open.FileName = "menu.ini";
    open.Title = "Open menu";
    OPENFILENAMEA dialog = open.Build(nullptr);
    EXPECT_EQ(dialog.lStructSize, sizeof(OPENFILENAMEA));
    EXPECT_STREQ(dialog.lpstrFile, "menu.ini");
    EXPECT_GE(dialog.nMaxFile, static_cast<DWORD>(MAX_PATH));
    EXPECT_STREQ(dialog.lpstrInitialDir, "C:\\menus");
    EXPECT_STREQ(dialog.lpstrDefExt, "ini");
    EXPECT_STREQ(dialog.lpstrTitle, "Open menu");
    EXPECT_EQ(std::memcmp(dialog.lpstrFilter, "Menus (*.ini)\0*.ini\0\0", 21), 0);
    EXPECT_EQ(dialog.nFilterIndex, 1u);
    const DWORD openFlags = OFN_NOCHANGEDIR | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST;
    EXPECT_EQ(dialog.Flags & openFlags, openFlags);
    EXPECT_FALSE(dialog.Flags & OFN_OVERWRITEPROMPT);

    TSaveDialog save;
    dialog = save.Build(nullptr);
    EXPECT_EQ(dialog.Flags & (OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT),
              static_cast<DWORD>(OFN_NOCHANGEDIR | OFN_OVERWRITEPROMPT));
    EXPECT_FALSE(dialog.Flags & OFN_FILEMUSTEXIST);
    EXPECT_EQ(dialog.lpstrFilter, nullptr);
    EXPECT_EQ(dialog.lpstrDefExt, nullptr);
}

TEST(ColorDialogSetup, StartsAtTheColourAndKeepsTheCustomColours) {
    TColorDialog dialog;
    dialog.Color = clBtnFace;
    dialog.CustomColors()[3] = RGB(1, 2, 3);
    CHOOSECOLORA choose = dialog.Build(nullptr);
    EXPECT_EQ(choose.lStructSize, sizeof(CHOOSECOLORA));
    EXPECT_EQ(choose.rgbResult, GetSysColor(COLOR_BTNFACE)) << "system colour not resolved";
    EXPECT_TRUE(choose.Flags & CC_RGBINIT);
    ASSERT_EQ(choose.lpCustColors, dialog.CustomColors().data());
    // What the user mixes in the dialog stays for the next run.
    choose.lpCustColors[5] = RGB(9, 8, 7);
    EXPECT_EQ(dialog.Build(nullptr).lpCustColors[5], RGB(9, 8, 7));
    EXPECT_EQ(dialog.Build(nullptr).lpCustColors[3], RGB(1, 2, 3));
}

TEST(FontNames, AreSortedUniqueAndWithoutVerticalVariants) {
    std::vector<std::string> names = ScreenFontNames();
    ASSERT_FALSE(names.empty()) << "no screen fonts found";
    for (std::size_t i = 0; i < names.size(); ++i) {
        EXPECT_NE(names[i][0], '@') << names[i];
        if (i > 0) {
            EXPECT_LT(lstrcmpiA(names[i - 1].c_str(), names[i].c_str()), 0)
                << "'" << names[i - 1] << "' before '" << names[i] << "'";
        }
    }
}

TEST(FileDialogRun, CancelLeavesTheFileNameAlone) {
    ScopedTestApplication app;
    TOpenDialog open;
    open.Filter = "Menus (*.ini)|*.ini";
    open.FileName = "menu.ini";
    dialogCancelled = false;
    UINT_PTR timer = SetTimer(nullptr, 0, 200, CancelFromTimer);
    bool chosen = open.Execute(nullptr);
    KillTimer(nullptr, timer);
    EXPECT_TRUE(dialogCancelled) << "the dialog window was never found";
    EXPECT_FALSE(chosen);
    EXPECT_EQ(open.FileName, "menu.ini");
}
