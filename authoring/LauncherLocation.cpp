#include "authoring/LauncherLocation.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "authoring/AuthoringError.h"

#ifndef OVALYN_DEFAULT_LAUNCHER
#define OVALYN_DEFAULT_LAUNCHER ""
#endif

namespace {

bool IsFile(const std::filesystem::path& path) {
    std::error_code error;
    return std::filesystem::is_regular_file(path, error);
}

// This program's own file, or "" when the system does not say.
std::filesystem::path OwnProgram() {
#ifdef _WIN32
    // The C runtime's full path of the program (no Windows header needed).
    const char* path = _pgmptr;
    if (path == nullptr || *path == 0)
        return {};
    return std::filesystem::path(path);
#else
    std::error_code error;
    std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::filesystem::path() : path;
#endif
}

} // namespace

std::string FindLauncher(const std::string& explicitPath) {
    if (!explicitPath.empty()) {
        if (!IsFile(explicitPath))
            throw AuthoringError(explicitPath,
                                 "is no file (--launcher names the Launcher.exe to copy)");
        return explicitPath;
    }
    const std::filesystem::path own = OwnProgram();
    if (!own.empty() && IsFile(own.parent_path() / "Launcher.exe"))
        return (own.parent_path() / "Launcher.exe").string();
    const std::string baked = OVALYN_DEFAULT_LAUNCHER;
    if (!baked.empty() && IsFile(baked))
        return baked;
    throw AuthoringError("no Launcher.exe found beside ctrpack" +
                         (baked.empty() ? std::string() : " nor at " + baked) +
                         "; pass --launcher PATH (the Windows build makes it)");
}
