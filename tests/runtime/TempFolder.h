// Test support: a fresh folder per test, removed with everything in it, and a
// check that no handle of this process still holds a given file open.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <unistd.h>
#endif

class TempFolder {
public:
    TempFolder() {
        static int counter = 0;
#ifdef _WIN32
        const auto pid = static_cast<long>(GetCurrentProcessId());
#else
        const auto pid = static_cast<long>(getpid());
#endif
        path_ = std::filesystem::temp_directory_path() /
                ("ovalyn-test-" + std::to_string(pid) + "-" + std::to_string(++counter));
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~TempFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    std::string Path() const {
        return path_.string();
    }
    std::string File(const std::string& name) const {
        return (path_ / name).string();
    }

    std::string Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
        const std::string path = File(name);
        std::ofstream out(path, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()),
                  static_cast<std::streamsize>(bytes.size()));
        return path;
    }
    std::string Write(const std::string& name, const std::string& text) const {
        return Write(name, std::vector<uint8_t>(text.begin(), text.end()));
    }

private:
    std::filesystem::path path_;
};

inline std::vector<uint8_t> ReadWholeFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
}

// True when this process holds no open handle on path. On Windows a file that
// is open without delete sharing cannot be renamed, so renaming it away and
// back proves it closed; on the host the process's descriptor table is read.
inline bool FileReleased(const std::string& path) {
#ifdef _WIN32
    const std::string moved = path + ".moved";
    if (!MoveFileA(path.c_str(), moved.c_str()))
        return false;
    return MoveFileA(moved.c_str(), path.c_str()) != 0;
#else
    const auto target = std::filesystem::weakly_canonical(path);
    for (const auto& entry : std::filesystem::directory_iterator("/proc/self/fd")) {
        std::error_code ignored;
        if (std::filesystem::read_symlink(entry.path(), ignored) == target)
            return false;
    }
    return true;
#endif
}
