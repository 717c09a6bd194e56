#include "framework/system/Paths.h"

#include <windows.h>

#include <vector>

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD n = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (n == 0)
            return std::string();
        if (n < buffer.size())
            return std::string(buffer.data(), n);
        if (buffer.size() >= 32768)
            return std::string(buffer.data(), n);
        buffer.resize(buffer.size() * 2); // the name was cut
    }
}

std::string ExecutableFolder() {
    return ExtractFilePath(ExecutablePath());
}

bool DirectoryExists(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool CreateDir(const std::string& path) {
    return ::CreateDirectoryA(path.c_str(), nullptr) != 0;
}
