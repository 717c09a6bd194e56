#include "authoring/OutputFile.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include "authoring/AuthoringError.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Streams.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cerrno>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {
bool RenameOver(const std::string& from, const std::string& to) {
#ifdef _WIN32
    return MoveFileExA(from.c_str(), to.c_str(), MOVEFILE_REPLACE_EXISTING) != 0;
#else
    return std::rename(from.c_str(), to.c_str()) == 0;
#endif
}

std::string ProcessTag() {
#ifdef _WIN32
    return std::to_string(GetCurrentProcessId());
#else
    return std::to_string(getpid());
#endif
}
} // namespace

OutputFile::OutputFile(std::string path)
    : path_(std::move(path)), tempPath_(path_ + ".ctrpack-" + ProcessTag() + ".tmp") {
    try {
        stream_ = std::make_unique<TFileStream>(tempPath_, fm::fmCreate);
    } catch (const EStreamError&) {
        throw AuthoringError(path_, "cannot be written");
    }
}

OutputFile::~OutputFile() {
    if (committed_)
        return;
    stream_.reset();
    std::remove(tempPath_.c_str());
}

TStream& OutputFile::Stream() {
    return *stream_;
}

void OutputFile::Commit() {
    stream_.reset(); // close before renaming: Windows renames no open file
    if (!RenameOver(tempPath_, path_)) {
        std::remove(tempPath_.c_str());
        committed_ = true; // nothing left to clean up
        throw AuthoringError(path_, "cannot be replaced");
    }
    committed_ = true;
}

std::string OutputPathProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::symlink_status(fs::path(path), error);
    switch (status.type()) {
    case fs::file_type::not_found:
    case fs::file_type::regular:
        return "";
    case fs::file_type::directory:
        return "is a folder; name a new file or one to replace";
    case fs::file_type::symlink:
        return "is a link; name the file itself, or a new one";
    case fs::file_type::fifo:
        return "is a FIFO (a pipe), not a file; name a new file or one to replace";
    case fs::file_type::block:
    case fs::file_type::character:
        return "is a device, not a file; name a new file or one to replace";
    default:
        return error ? "cannot be looked at (" + error.message() + ")"
                     : "is no regular file; name a new file or one to replace";
    }
}

void EnsureFolder(const std::string& path) {
#ifdef _WIN32
    const DWORD attributes = GetFileAttributesA(path.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0)
        return;
    if (!CreateDirectoryA(path.c_str(), nullptr))
        throw AuthoringError(path, "folder cannot be created");
#else
    struct stat info {};
    if (::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode))
        return;
    if (::mkdir(path.c_str(), 0755) != 0)
        throw AuthoringError(path, "folder cannot be created");
#endif
}

std::string JoinPath(const std::string& folder, const std::string& name) {
    if (folder.empty())
        return name;
    const char last = folder.back();
    if (last == '/' || last == '\\')
        return folder + name;
#ifdef _WIN32
    return folder + "\\" + name;
#else
    return folder + "/" + name;
#endif
}

void WriteFileWhole(const std::string& path, const std::vector<uint8_t>& bytes) {
    OutputFile output(path);
    try {
        output.Stream().WriteBuffer(bytes.data(), static_cast<int64_t>(bytes.size()));
    } catch (const EStreamError&) {
        throw AuthoringError(path, "cannot be written");
    }
    output.Commit();
}
