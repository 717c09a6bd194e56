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

// A medium that ships a "Config.log": the user's own choice must win, or it
// would never be read back. The per-user file exists only because the
// shipped one cannot be written, so it wins whatever the clock says.
TEST_F(ReadOnlyMedia, AShippedConfigLogThatCannotBeWrittenGivesWayToTheUsersChoice) {
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

        // A machine whose clock is behind the disc's file times.
        Age(UserFile(), -7200);
        Restart();
        EXPECT_EQ(Platform.Count("WinExec"), 1) << "an older per-user file still wins";
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

// A save writes into the file as it is; replacing a hidden or system file is
// refused, and the choice would go where the next start never reads.
TEST_F(ReadOnlyMedia, AHiddenSystemConfigLogIsWrittenInPlaceAndReadBack) {
    WriteConfigLog("0\r\n-1\r\n0\r\n");
    const std::string file = Folder + "Config.log";
    const DWORD hidden = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    ASSERT_TRUE(SetFileAttributesA(file.c_str(), hidden));
    Start();
    Form1->ComboBox1->SetItemIndex(1);
    Click(Form1->OvalynShapeCheckBoxButton1);
    Click(Button(3));
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(ConfigLogText(), "-1\r\n-1\r\n1\r\n");
    EXPECT_EQ(GetFileAttributesA(file.c_str()) & hidden, hidden) << "its attributes are kept";
    EXPECT_FALSE(FileExists(UserFile()));
    Restart();
    ASSERT_EQ(Platform.Count("WinExec"), 1) << "the choice was read back";
    EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[0], Folder + "Game.exe -w -b two");
}

// A full medium takes the file's truncation but not its lines: the choice
// goes to the per-user file, and the emptied file no longer wins.
TEST_F(ReadOnlyMedia, ASaveThatFailsOnAFullMediumLeavesTheChoiceReadable) {
    WriteConfigLog("0\r\n-1\r\n0\r\n");
    Platform.FullPath = Folder + "Config.log";
    Start();
    Form1->ComboBox1->SetItemIndex(1);
    Click(Form1->OvalynShapeCheckBoxButton1);
    Click(Button(3));
    EXPECT_TRUE(Boxes().empty()) << LastBoxText();
    EXPECT_EQ(ConfigLogText(), "") << "emptied, never left with the old choice";
    EXPECT_EQ(ReadFileBytes(UserFile()), "-1\r\n-1\r\n1\r\n");
    Platform.FullPath.clear();
    Restart();
    ASSERT_EQ(Platform.Count("WinExec"), 1) << "the per-user choice won";
    EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[0], Folder + "Game.exe -w -b two");
}

// Without a "Config.log", the per-user file is read where the folder refuses
// the right a save needs to add a file.
TEST_F(ReadOnlyMedia, AFolderThatRefusesNewFilesReadsThePerUserChoice) {
    CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr);
    WriteFileBytes(UserFile(), "-1\r\n-1\r\n1\r\n");
    Platform.DeniedPath = Folder;
    Platform.DeniedRights = FILE_ADD_FILE;
    Start();
    ASSERT_EQ(Platform.Count("WinExec"), 1) << "the per-user choice was read back";
    EXPECT_EQ(Platform.CallsOf("WinExec")[0].Args[0], Folder + "Game.exe -w -b two");
}

// The per-user file is named after the volume and the path within it.
TEST_F(ReadOnlyMedia, AStickUnderAnotherLetterOrADiscInAFolderKeepsItsChoice) {
    Platform.VolumeSerialAnswer = 0x5EED1234;
    Platform.VolumePathAnswer = "D:\\";
    const std::string onD = UserConfigLogFile("D:\\Games\\Menu\\");
    Platform.VolumePathAnswer = "E:\\";
    EXPECT_EQ(UserConfigLogFile("E:\\Games\\Menu\\"), onD) << "another drive letter";
    Platform.VolumePathAnswer = "C:\\mnt\\disc\\";
    EXPECT_EQ(UserConfigLogFile("C:\\mnt\\disc\\Games\\Menu\\"), onD) << "mounted in a folder";
    EXPECT_EQ(Platform.CallsOf("GetVolumeInformationA").back().Args[0], "C:\\mnt\\disc\\")
        << "the serial is the mounted volume's own";
    EXPECT_NE(UserConfigLogFile("C:\\mnt\\disc\\Other\\"), onD);

    // A choice an earlier version kept under the folder's whole path is read.
    Platform.VolumePathAnswer.reset();
    MakeFolderUnwritable();
    ASSERT_TRUE(CreateDirectoryA(ExtractFilePath(UserFile()).c_str(), nullptr));
    WriteFileBytes(ExtractFilePath(UserFile()) + UserConfigLogName(0x5EED1234, Folder),
                   "-1\r\n-1\r\n1\r\n");
    Start();
    EXPECT_EQ(Platform.Count("WinExec"), 1);
}
