#include "launcher/ConfigLogFiles.h"

#include <windows.h>

#include <shlobj.h>

#include "framework/runtime/StringList.h"
#include "framework/system/Paths.h"
#include "framework/system/PlatformCalls.h"
#include "framework/win32/Handles.h"
#include "launcher/UserConfigLogName.h"

namespace {

// A "Config.log" is three short lines; anything bigger is no such file.
constexpr int64_t kMaxChoiceFileBytes = 64 * 1024;

// The one open of a save: write access to the file as it is, or a new file
// (OPEN_ALWAYS). Asked with OPEN_EXISTING it is the read's probe, so the
// probe says yes exactly where a save gets the file open. Opening an
// existing file keeps its attributes; replacing it (CREATE_ALWAYS) is
// refused for a hidden or system file.
FileHandle OpenForSave(const std::string& path, DWORD disposition) {
    return FileHandle(Platform().CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                                             disposition, FILE_ATTRIBUTE_NORMAL, nullptr));
}

// The choice a file holds; nothing when it cannot be read or is damaged.
std::optional<TRememberedChoice> ReadChoice(const std::string& path) {
    try {
        TFileStream file(path, fm::fmOpenRead | fm::fmShareDenyWrite);
        if (file.Size() > kMaxChoiceFileBytes)
            return std::nullopt;
        TMemoryStream bytes;
        bytes.CopyFrom(file, file.Size());
        bytes.SetPosition(0);
        TStringList lines;
        lines.LoadFromStream(bytes);
        return ParseConfigLog(lines);
    } catch (const EStreamError&) {
        return std::nullopt;
    }
}

// The mount point of the volume folder lies on (a drive's root, or the
// folder a disc is mounted in), with its trailing backslash.
std::string MountPoint(const std::string& folder) {
    char point[MAX_PATH * 2] = {};
    if (Platform().GetVolumePathNameA(folder.c_str(), point, sizeof point) && point[0] != '\0')
        return IncludeTrailingBackslash(point);
    return VolumeRoot(folder);
}

// Whether a save could make "Config.log" in folder: the volume is not
// read-only (a CD, a write-protected stick) and the folder grants adding a
// file, asked by opening it for that, which adds nothing.
bool FolderTakesNewFiles(const std::string& folder) {
    const std::string point = MountPoint(folder);
    DWORD flags = 0;
    if (!point.empty() &&
        Platform().GetVolumeInformationA(point.c_str(), nullptr, 0, nullptr, nullptr, &flags,
                                         nullptr, 0) &&
        (flags & FILE_READ_ONLY_VOLUME) != 0)
        return false;
    FileHandle handle(Platform().CreateFileA(
        folder.c_str(), FILE_ADD_FILE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return static_cast<bool>(handle);
}

// The user's folder for per-user files, with its trailing backslash; "" when
// the platform names none.
std::string UserFolder() {
    char appData[MAX_PATH] = {};
    if (FAILED(Platform().SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE,
                                           nullptr, SHGFP_TYPE_CURRENT, appData)) ||
        appData[0] == '\0')
        return "";
    return IncludeTrailingBackslash(appData) + kUserConfigLogFolder + "\\";
}

// The per-user files of the menu in folder: the one saves write, and the one
// earlier versions named after the whole folder, which is still read.
struct UserFiles {
    std::string current, earlier;
};

UserFiles UserFilesOf(const std::string& folder) {
    const std::string userFolder = UserFolder();
    if (userFolder.empty())
        return {};
    // Without a volume (or its serial number) the folder's path alone tells
    // menus apart.
    const std::string point = MountPoint(folder);
    DWORD serial = 0;
    if (point.empty() || !Platform().GetVolumeInformationA(point.c_str(), nullptr, 0, &serial,
                                                           nullptr, nullptr, nullptr, 0))
        serial = 0;
    return {userFolder + UserConfigLogName(serial, PathWithinVolume(folder, point)),
            userFolder + UserConfigLogName(serial, folder)};
}

bool Save(const TStringList& lines, const std::string& path) {
    FileHandle file = OpenForSave(path, OPEN_ALWAYS);
    if (!file)
        return false;
    const std::string text = lines.Text();
    const DWORD size = static_cast<DWORD>(text.size());
    DWORD written = 0;
    // Emptied first: a write that fails on the way (a full medium) leaves a
    // file that reads as damaged, never the choice before it.
    if (::SetEndOfFile(file.get()) &&
        ::WriteFile(file.get(), text.data(), size, &written, nullptr) && written == size)
        return true;
    ::SetFilePointer(file.get(), 0, nullptr, FILE_BEGIN);
    ::SetEndOfFile(file.get());
    return false;
}

} // namespace

std::string UserConfigLogFile(const std::string& folder) {
    return UserFilesOf(folder).current;
}

std::optional<TRememberedChoice> ReadRememberedChoice(const std::string& folder) {
    const std::string folderFile = folder + kConfigLogName;
    const DWORD attributes = ::GetFileAttributesA(folderFile.c_str());
    const bool nameTaken = attributes != INVALID_FILE_ATTRIBUTES;
    std::optional<TRememberedChoice> inFolder;
    if (nameTaken && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0) {
        inFolder = ReadChoice(folderFile);
        if (inFolder && OpenForSave(folderFile, OPEN_EXISTING))
            return inFolder;
    }
    // With nothing of that name in a folder that takes new files, every save
    // goes there, so there is no per-user file to look for. That spares the
    // first start of an ordinary installation the loading of the shell, which
    // names the user's folder and costs a start noticeable time under Wine.
    if (!nameTaken && FolderTakesNewFiles(folder))
        return std::nullopt;
    const UserFiles userFiles = UserFilesOf(folder);
    for (const std::string& userFile : {userFiles.current, userFiles.earlier})
        if (!userFile.empty() && FileExists(userFile))
            if (const std::optional<TRememberedChoice> choice = ReadChoice(userFile))
                return choice;
    return inFolder;
}

void SaveConfigLogLines(const std::string& folder, const TStringList& lines) {
    const std::string folderFile = folder + kConfigLogName;
    if (Save(lines, folderFile))
        return;
    const std::string userFile = UserConfigLogFile(folder);
    if (!userFile.empty()) {
        const std::string userFolder = ExtractFilePath(userFile);
        if (DirectoryExists(userFolder) || CreateDir(userFolder.substr(0, userFolder.size() - 1)))
            if (Save(lines, userFile))
                return;
    }
    std::string text = "Your choice could not be saved to\r\n" + folderFile;
    if (!userFile.empty())
        text += "\r\nnor to\r\n" + userFile;
    throw EConfigLogError(text + ".");
}
