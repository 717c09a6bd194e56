// Menus whose folder cannot be written (a CD, a write-protected stick): the
// choice goes to a per-user file, is read back from it, and only when neither
// file can be written is that reported, once, after the start.
#include "LauncherFixture.h"

#include <windows.h>

#include <cctype>

#include "TestContainer.h"
#include "framework/portable/FileNames.h"
#include "framework/runtime/Streams.h"
#include "framework/ui/ComboBox.h"
#include "launcher/ConfigLogFiles.h"
#include "launcher/Unit1.h"
#include "launcher/UserConfigLogName.h"
#include "skin/OvalynShapeButton.h"
#include "skin/OvalynShapeCheckBoxButton.h"

using ReadOnlyMedia = LauncherFixture;

namespace {

bool Holds(const std::string& text, const std::string& part) {
    return text.find(part) != std::string::npos;
}

// Readable, but no one may write the file while this is open.
class WriteLock {
public:
    explicit WriteLock(const std::string& path)
        : handle_(CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              0, nullptr)) {}
    ~WriteLock() {
        if (Held())
            CloseHandle(handle_);
    }
    WriteLock(const WriteLock&) = delete;
    WriteLock& operator=(const WriteLock&) = delete;
    bool Held() const { return handle_ != INVALID_HANDLE_VALUE; }

private:
    HANDLE handle_;
};

// Sets a file's last write time to now plus the given seconds.
void Age(const std::string& path, int seconds) {
    HANDLE file = CreateFileA(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE) << path;
    FILETIME now;
    GetSystemTimeAsFileTime(&now);
    ULARGE_INTEGER time{{now.dwLowDateTime, now.dwHighDateTime}};
    time.QuadPart += static_cast<LONGLONG>(seconds) * 10000000;
    FILETIME moved{time.LowPart, time.HighPart};
    EXPECT_TRUE(SetFileTime(file, nullptr, nullptr, &moved));
    CloseHandle(file);
}

} // namespace

TEST_F(ReadOnlyMedia, TheChoiceGoesToThePerUserFileAndTheNextStartGoesStraightToTheProgram) {
    MakeFolderUnwritable();
    Start();
    Form1->ComboBox1->SetItemIndex(1);
    Click(Form1->OvalynShapeCheckBoxButton1);
    Click(Button(3));
    EXPECT_EQ(Platform.Count("WinExec"), 1);
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_TRUE(Terminated());
    const std::string userFile = UserFile();
    EXPECT_EQ(ExtractFilePath(userFile), AppDataFolder + "\\Ovalyn Launcher\\")
        << "the folder is made when needed";
    EXPECT_EQ(ReadFileBytes(userFile), "-1\r\n-1\r\n1\r\n");

    Restart();
    std::vector<TRecordedCall> runs = Platform.CallsOf("WinExec");
    ASSERT_EQ(runs.size(), 1u);
    EXPECT_EQ(runs[0].Args[0], Folder + "Game.exe -w -b two");
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_TRUE(Terminated());
    EXPECT_EQ(Form1->Caption(), "Form1") << "no menu on the direct start";
    EXPECT_EQ(ReadFileBytes(userFile), "-1\r\n-1\r\n1\r\n") << "written again";
}

TEST_F(ReadOnlyMedia, TwoMenusOrTwoDiscsKeepChoicesOfTheirOwn) {
    const std::string first = UserFile();
    Platform.VolumeSerialAnswer = 0x1234ABCD;
    const std::string disc = UserFile();
    Platform.VolumeSerialAnswer = 0x1234ABCE;
    const std::string otherDisc = UserFile();
    EXPECT_NE(disc, otherDisc) << "another disc in the same drive";
    EXPECT_EQ(ExtractFileName(disc).substr(0, 9), "1234ABCD-");
    std::vector<TRecordedCall> volumes = Platform.CallsOf("GetVolumeInformationA");
    ASSERT_FALSE(volumes.empty());
    EXPECT_EQ(volumes.back().Args[0], Folder.substr(0, 3)) << "the root of the medium";

    std::string upper = Folder;
    for (char& c : upper)
        c = static_cast<char>(toupper(static_cast<unsigned char>(c)));
    std::string other = Folder + "Other\\";
    Platform.VolumeSerialAnswer = 0x1234ABCD;
    EXPECT_EQ(UserConfigLogFile(upper), disc) << "the same folder in another case";
    EXPECT_NE(UserConfigLogFile(other), disc) << "another menu on the same disc";
    EXPECT_FALSE(first.empty());
}

TEST_F(ReadOnlyMedia, AWritableConfigLogInTheFolderWinsWithoutAskingForTheUsersFolder) {
    WriteConfigLog("0\r\n-1\r\n2\r\n");
    CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr);
    WriteFileBytes(UserFile(), "-1\r\n-1\r\n1\r\n");
    Age(UserFile(), 3600);
    Platform.Calls.clear();
    Start();
    EXPECT_EQ(Platform.Count("WinExec"), 0);
    EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 2);
    // The shell is loaded for that folder only where the per-user file can matter.
    EXPECT_EQ(Platform.Count("SHGetFolderPathA"), 0);
}

// Without a "Config.log" the per-user file matters only where the folder
// could not take the save: on a read-only volume, not on an ordinary one.
TEST_F(ReadOnlyMedia, WithoutConfigLogThePerUserFileIsReadOnlyFromAReadOnlyVolume) {
    CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr);
    WriteFileBytes(UserFile(), "-1\r\n-1\r\n1\r\n");
    Platform.Calls.clear();
    Start();
    EXPECT_EQ(Platform.Count("WinExec"), 0) << "the folder took the last save itself";
    EXPECT_EQ(Platform.Count("SHGetFolderPathA"), 0) << "the shell was loaded for nothing";

    Platform.VolumeSerialAnswer = 0x0BADC0DE;
    Platform.VolumeFlagsAnswer = FILE_READ_ONLY_VOLUME;
    const std::string discFile = UserFile();
    WriteFileBytes(discFile, "-1\r\n-1\r\n1\r\n");
    Restart();
    ASSERT_EQ(Platform.Count("WinExec"), 1);
    EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[0], Folder + "Game.exe -w -b two");
}

// A medium that ships a "Config.log": the user's own, newer choice must win,
// or it would never be read back; an older per-user file gives way to it.
TEST_F(ReadOnlyMedia, AShippedConfigLogThatCannotBeWrittenGivesWayToANewerChoice) {
    WriteConfigLog("0\r\n-1\r\n0\r\n");
    Age(Folder + "Config.log", -3600);
    {
        WriteLock shipped(Folder + "Config.log");
        ASSERT_TRUE(shipped.Held());
        Start();
        Form1->ComboBox1->SetItemIndex(1);
        Click(Form1->OvalynShapeCheckBoxButton1);
        Click(Button(3));
        EXPECT_TRUE(Boxes().empty()) << LastBoxText();
        EXPECT_EQ(ReadFileBytes(UserFile()), "-1\r\n-1\r\n1\r\n");

        Restart();
        ASSERT_EQ(Platform.Count("WinExec"), 1) << "the user's choice was read back";
        EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[0], Folder + "Game.exe -w -b two");

        Age(UserFile(), -7200);
        Restart();
        EXPECT_EQ(Platform.Count("WinExec"), 0) << "the newer shipped file wins";
        EXPECT_EQ(Form1->ComboBox1->ItemIndex(), 0);
    }
    EXPECT_EQ(ConfigLogText(), "0\r\n-1\r\n0\r\n");
}

TEST_F(ReadOnlyMedia, WhenNeitherCanBeWrittenThatIsReportedOnceAfterTheStartAndTheLauncherEnds) {
    MakeFolderUnwritable();
    ASSERT_TRUE(CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryA(UserFile().c_str(), nullptr));
    Platform.Calls.clear();
    Start();
    Click(Button(3));
    EXPECT_EQ(Platform.Names().back(), "MessageBoxA") << "reported after the start";
    EXPECT_EQ(Platform.Count("WinExec"), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Holds(LastBoxText(), Folder + "Config.log")) << LastBoxText();
    EXPECT_TRUE(Holds(LastBoxText(), UserFile())) << LastBoxText();
    EXPECT_TRUE(Terminated()) << "staying would invite a second start";

    // The shell button of the requirement mode ends the same way.
    DirectX->SetVersion("4.08");
    Restart();
    Click(Button(1));
    EXPECT_EQ(Platform.Count("ShellExecuteA"), 1);
    EXPECT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Terminated());
}

TEST_F(ReadOnlyMedia, ADirectStartWhoseChoiceCannotBeWrittenStartsOnceAndEnds) {
    MakeFolderUnwritable();
    ASSERT_TRUE(CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr));
    WriteFileBytes(UserFile(), "-1\r\n-1\r\n0\r\n");
    WriteLock lock(UserFile());
    ASSERT_TRUE(lock.Held());
    Start();
    EXPECT_EQ(Platform.Count("WinExec"), 1);
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_TRUE(Holds(LastBoxText(), UserFile())) << LastBoxText();
    EXPECT_TRUE(Terminated()) << "the window is out of view: the launcher must end";
}

TEST_F(ReadOnlyMedia, WithoutAUsersFolderOnlyTheFolderFileIsNamed) {
    MakeFolderUnwritable();
    Platform.FolderPathAnswer = "";
    Start();
    Click(Button(3));
    ASSERT_EQ(Boxes().size(), 1u);
    EXPECT_EQ(LastBoxText(), "Your choice could not be saved to\r\n" + Folder + "Config.log.");
    EXPECT_TRUE(Terminated());
}

TEST(UserConfigLogName, NamesStayTheSameAcrossVersions) {
    // Users' choices are found by this name: it must never change.
    EXPECT_EQ(UserConfigLogName(0x1234ABCD, "d:\\game\\"), "1234ABCD-522B7AAE3DC518D1.log");
    EXPECT_EQ(UserConfigLogName(7, "D:\\Game\\"), "00000007-522B7AAE3DC518D1.log");
    EXPECT_EQ(Fnv1a64(""), 0xCBF29CE484222325ull);
    EXPECT_EQ(Fnv1a64("a"), 0xAF63DC4C8601EC8Cull);
}

TEST(UserConfigLogName, TheVolumeRootOfDrivesAndShares) {
    EXPECT_EQ(VolumeRoot("D:\\Game\\Menu\\"), "D:\\");
    EXPECT_EQ(VolumeRoot("e:\\"), "e:\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\share\\Game\\"), "\\\\server\\share\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\share"), "\\\\server\\share\\");
    EXPECT_EQ(VolumeRoot("\\\\server\\"), "");
    EXPECT_EQ(VolumeRoot("\\\\\\share\\"), "");
    EXPECT_EQ(VolumeRoot("Game\\"), "");
    EXPECT_EQ(VolumeRoot(""), "");
}
