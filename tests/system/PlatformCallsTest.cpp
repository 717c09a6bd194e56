#include <gtest/gtest.h>

#include <windows.h>

#include <shlobj.h>

#include "framework/portable/Convert.h"
#include "framework/system/Locale.h"
#include "framework/system/Paths.h"
#include "framework/system/RecordingPlatform.h"
#include "tests/runtime/TempFolder.h"

namespace {

TEST(PlatformCalls, TheRealCallsAreInUseUntilReplaced) {
    TPlatformCalls& real = Platform();
    TRecordingPlatform fake;
    {
        ScopedPlatform outer(fake);
        EXPECT_EQ(&Platform(), &fake);
        TRecordingPlatform inner;
        {
            ScopedPlatform nested(inner);
            EXPECT_EQ(&Platform(), &inner);
        }
        EXPECT_EQ(&Platform(), &fake);
    }
    EXPECT_EQ(&Platform(), &real);
    SetPlatform(&fake);
    EXPECT_EQ(&Platform(), &fake);
    SetPlatform(nullptr);
    EXPECT_EQ(&Platform(), &real);
}

TEST(PlatformCalls, RecordsEveryCallWithItsArguments) {
    TRecordingPlatform fake;
    ScopedPlatform scope(fake);
    EXPECT_TRUE(Platform().PlaySoundA("SYSTEMSTART", nullptr, 1));
    EXPECT_TRUE(Platform().MessageBeep(0));
    EXPECT_EQ(
        Platform().MessageBoxA(nullptr, "File L-CTNR.CTR is missing.", "Fehler", MB_ICONERROR),
        IDOK);
    EXPECT_GT(Platform().WinExec("C:\\game\\setup.exe -x", SW_SHOWNORMAL), 31u);
    HINSTANCE shell = Platform().ShellExecuteA(nullptr, "open", "readme.txt", nullptr, "", 1);
    EXPECT_GT(reinterpret_cast<INT_PTR>(shell), 32);

    ASSERT_EQ(fake.Names(), (std::vector<std::string>{"PlaySoundA", "MessageBeep", "MessageBoxA",
                                                      "WinExec", "ShellExecuteA"}));
    EXPECT_EQ(fake.Calls[0].Args, (std::vector<std::string>{"SYSTEMSTART", "0", "1"}));
    EXPECT_EQ(fake.Calls[2].Args[1], "File L-CTNR.CTR is missing.");
    EXPECT_EQ(fake.Calls[2].Args[3], std::to_string(MB_ICONERROR));
    EXPECT_EQ(fake.Calls[3].Args, (std::vector<std::string>{"C:\\game\\setup.exe -x", "1"}));
    EXPECT_EQ(fake.Calls[4].Args[3], "(null)");
    EXPECT_EQ(fake.Calls[4].Args[4], "");
    EXPECT_EQ(fake.Count("MessageBeep"), 1);
    EXPECT_EQ(fake.CallsOf("WinExec").size(), 1u);
}

TEST(PlatformCalls, CopyFileReallyCopiesByDefault) {
    TempFolder folder;
    std::string from = folder.File("click.wav");
    std::string to = folder.File("copy.wav");
    HANDLE file = ::CreateFileA(from.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    DWORD written = 0;
    ::WriteFile(file, "RIFF", 4, &written, nullptr);
    ::CloseHandle(file);
    TRecordingPlatform fake;
    ScopedPlatform scope(fake);
    EXPECT_TRUE(Platform().CopyFileA(from.c_str(), to.c_str(), TRUE));
    EXPECT_TRUE(FileExists(to));
    EXPECT_FALSE(Platform().CopyFileA(from.c_str(), to.c_str(), TRUE)) << "target exists";
    EXPECT_EQ(fake.Count("CopyFileA"), 2);
}

TEST(PlatformCalls, ModulesAreRealUnlessAnExportIsHidden) {
    TRecordingPlatform fake;
    fake.HiddenProcs.insert("SetLayeredWindowAttributes");
    ScopedPlatform scope(fake);
    HMODULE user32 = Platform().LoadLibraryA("user32.dll");
    ASSERT_NE(user32, nullptr);
    EXPECT_EQ(Platform().GetProcAddress(user32, "SetLayeredWindowAttributes"), nullptr);
    EXPECT_NE(Platform().GetProcAddress(user32, "GetWindowLongA"), nullptr);
    EXPECT_TRUE(Platform().FreeLibrary(user32));
    EXPECT_EQ(fake.Names(), (std::vector<std::string>{"LoadLibraryA", "GetProcAddress",
                                                      "GetProcAddress", "FreeLibrary"}));

    TRecordingPlatform missing;
    missing.LoadLibraryAnswer = nullptr;
    ScopedPlatform none(missing);
    EXPECT_EQ(Platform().LoadLibraryA("user32.dll"), nullptr);
    EXPECT_FALSE(Platform().FreeLibrary(nullptr));
}

TEST(PlatformCalls, VolumeAndFolderAnswersStandInForTheRealOnes) {
    TRecordingPlatform fake;
    ScopedPlatform scope(fake);
    DWORD serial = 0;
    fake.VolumeSerialAnswer = 0xC0FFEE;
    EXPECT_TRUE(Platform().GetVolumeInformationA("Q:\\", nullptr, 0, &serial, nullptr, nullptr,
                                                 nullptr, 0));
    EXPECT_EQ(serial, 0xC0FFEEu) << "even for a drive that is not there";

    char path[MAX_PATH] = {};
    fake.FolderPathAnswer = "C:\\profile\\local";
    EXPECT_EQ(Platform().SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_STREQ(path, "C:\\profile\\local");
    fake.FolderPathAnswer = "";
    EXPECT_TRUE(
        FAILED(Platform().SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path)));

    // Without answers, the real volume and folder.
    fake.VolumeSerialAnswer.reset();
    fake.FolderPathAnswer.reset();
    path[0] = '\0';
    EXPECT_EQ(Platform().SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA, nullptr, 0, path), S_OK);
    EXPECT_TRUE(DirectoryExists(path)) << path;
    EXPECT_TRUE(Platform().GetVolumeInformationA("C:\\", nullptr, 0, &serial, nullptr, nullptr,
                                                 nullptr, 0));
    EXPECT_EQ(fake.Names(), (std::vector<std::string>{"GetVolumeInformationA", "SHGetFolderPathA",
                                                      "SHGetFolderPathA", "SHGetFolderPathA",
                                                      "GetVolumeInformationA"}));
    EXPECT_EQ(fake.Calls[1].Args[0], std::to_string(CSIDL_LOCAL_APPDATA));
}

TEST(Locale, DecimalSeparatorComesFromTheUsersLocale) {
    char expected[8] = {};
    ASSERT_GT(::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, expected, sizeof(expected)),
              0);
    char saved = DecimalSeparator();
    SetDecimalSeparator('#');
    InitFormatSettingsFromLocale();
    EXPECT_EQ(DecimalSeparator(), expected[0]);
    SetDecimalSeparator(saved);
}

} // namespace
