#include "designer/app/TestRun.h"

#include <windows.h>

#include "authoring/MenuBuild.h"
#include "authoring/MenuCheck.h"
#include "authoring/MenuDocument.h"
#include "authoring/MenuOrigins.h"
#include "designer/model/DesignError.h"
#include "format/MenuEntries.h"
#include "framework/system/Paths.h"
#include "framework/win32/Handles.h"

namespace {

constexpr const char* kLauncherName = "Launcher.exe";

// A folder of its own under the user's temporary folder.
std::string FreshFolder() {
    char temp[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(MAX_PATH, temp);
    if (length == 0 || length > MAX_PATH)
        throw DesignError("The temporary folder cannot be found.");
    std::string base = std::string(temp) + "Ovalyn Designer Test";
    CreateDirectoryA(base.c_str(), nullptr);
    for (unsigned n = 1; n < 10000; ++n) {
        const std::string folder =
            base + "\\" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(n) + "\\";
        if (CreateDirectoryA(folder.c_str(), nullptr))
            return folder;
        if (GetLastError() != ERROR_ALREADY_EXISTS)
            break;
    }
    throw DesignError("No test folder can be made under " + base + ".");
}

void WriteBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
    FileHandle file(CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        throw DesignError(path + ": cannot be written.");
    DWORD written = 0;
    const BOOL ok =
        WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    if (!ok || written != bytes.size())
        throw DesignError(path + ": cannot be written.");
}

} // namespace

std::string LauncherBesideDesigner() {
    return ExecutableFolder() + kLauncherName;
}

std::string RunMenuTest(const MenuDocument& menu, const std::string& launcherPath) {
    const std::vector<Problem> problems = CheckMenu(menu, MenuOrigins());
    if (HasErrors(problems))
        throw DesignError("The launcher would refuse this menu; the problems list shows why.");
    if (GetFileAttributesA(launcherPath.c_str()) == INVALID_FILE_ATTRIBUTES)
        throw DesignError(launcherPath +
                          ": the launcher is missing, so the menu cannot be tested.");
    const std::string folder = FreshFolder();
    const std::string launcher = folder + kLauncherName;
    if (!CopyFileA(launcherPath.c_str(), launcher.c_str(), TRUE))
        throw DesignError(launcherPath + ": cannot be copied to " + folder + ".");
    WriteBytes(folder + kContainerName, ContainerBytesOfMenu(menu));

    std::string commandLine = "\"" + launcher + "\"";
    STARTUPINFOA startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessA(launcher.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.c_str(), &startup, &process))
        throw DesignError(launcher + ": cannot be started (error " +
                          std::to_string(GetLastError()) + ").");
    // The launcher runs on its own; the designer does not wait for it.
    FileHandle thread(process.hThread), started(process.hProcess);
    return folder;
}
