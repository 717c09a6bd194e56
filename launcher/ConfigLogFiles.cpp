#include "launcher/ConfigLogFiles.h"

#include <windows.h>

#include <shlobj.h>

#include <optional>

#include "framework/graphics/Handles.h"
#include "framework/runtime/StringList.h"
#include "framework/system/Paths.h"
#include "framework/system/PlatformCalls.h"
#include "launcher/ConfigLog.h"
#include "launcher/UserConfigLogName.h"

namespace {

// Opening for writing, without writing, tells whether a save could replace
// the file; it leaves the file and its time as they are.
bool CanWrite(const std::string& path) {
    FileHandle file(::CreateFileA(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                  nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return file.get() != INVALID_HANDLE_VALUE;
}

// Whether a save could make "Config.log" in folder: the volume is not
// read-only (a CD, a write-protected stick) and the folder grants adding a
// file, asked by opening it for that, which adds nothing.
bool FolderTakesNewFiles(const std::string& folder) {
    const std::string root = VolumeRoot(folder);
    DWORD flags = 0;
    if (!root.empty() &&
        Platform().GetVolumeInformationA(root.c_str(), nullptr, 0, nullptr, nullptr, &flags,
                                         nullptr, 0) &&
        (flags & FILE_READ_ONLY_VOLUME) != 0)
        return false;
    FileHandle handle(::CreateFileA(folder.c_str(), FILE_ADD_FILE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return handle.get() != INVALID_HANDLE_VALUE;
}

std::optional<uint64_t> LastWriteTime(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    return (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
           data.ftLastWriteTime.dwLowDateTime;
}

bool Save(const TStringList& lines, const std::string& path) {
    try {
        lines.SaveToFile(path);
        return true;
    } catch (const EStreamError&) {
        return false;
    }
}

} // namespace

std::string UserConfigLogFile(const std::string& folder) {
    char appData[MAX_PATH] = {};
    if (FAILED(Platform().SHGetFolderPathA(nullptr, CSIDL_LOCAL_APPDATA | CSIDL_FLAG_CREATE,
                                           nullptr, SHGFP_TYPE_CURRENT, appData)) ||
        appData[0] == '\0')
        return "";
    // Without a volume (or its serial number) the folder's path alone tells
    // menus apart.
    DWORD serial = 0;
    const std::string root = VolumeRoot(folder);
    if (root.empty() || !Platform().GetVolumeInformationA(root.c_str(), nullptr, 0, &serial,
                                                          nullptr, nullptr, nullptr, 0))
        serial = 0;
    return IncludeTrailingBackslash(appData) + kUserConfigLogFolder + "\\" +
           UserConfigLogName(serial, folder);
}

std::string ConfigLogToRead(const std::string& folder) {
    const std::string folderFile = folder + kConfigLogName;
    const bool inFolder = FileExists(folderFile);
    if (inFolder && CanWrite(folderFile))
        return folderFile;
    // With nothing of that name in a folder that takes new files, every save
    // goes there, so there is no per-user file to look for. That spares the
    // first start of an ordinary installation the loading of the shell, which
    // names the user's folder and costs a start noticeable time under Wine.
    const bool nameTaken = ::GetFileAttributesA(folderFile.c_str()) != INVALID_FILE_ATTRIBUTES;
    if (!nameTaken && FolderTakesNewFiles(folder))
        return "";
    const std::string userFile = UserConfigLogFile(folder);
    const bool perUser = !userFile.empty() && FileExists(userFile);
    if (!inFolder)
        return perUser ? userFile : "";
    if (perUser && LastWriteTime(userFile) > LastWriteTime(folderFile))
        return userFile;
    return folderFile;
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
