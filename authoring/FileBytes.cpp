#include "authoring/FileBytes.h"

#include <filesystem>
#include <fstream>
#include <system_error>

namespace fs = std::filesystem;

std::string NotAFileProblem(const std::string& path) {
    std::error_code error;
    const fs::file_status linked = fs::symlink_status(fs::path(path), error);
    if (error || !fs::exists(linked))
        return "cannot be opened (missing or not readable)";
    const fs::file_status target = fs::status(fs::path(path), error);
    if (fs::is_symlink(linked) && error)
        return error == std::errc::too_many_symbolic_link_levels
                   ? "is a link that leads round in a loop"
                   : "is a link to something that does not exist";
    switch (target.type()) {
    case fs::file_type::regular:
        return "";
    case fs::file_type::directory:
        return "is a folder, not a file";
    case fs::file_type::fifo:
        return "is a FIFO (a pipe), not a file; only regular files are read";
    case fs::file_type::socket:
        return "is a socket, not a file; only regular files are read";
    case fs::file_type::block:
    case fs::file_type::character:
        return "is a device, not a file; only regular files are read";
    case fs::file_type::not_found:
        return "is a link to something that does not exist";
    default:
        return "is no regular file; only regular files are read";
    }
}

bool ReadWholeFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes,
                   std::string& problem, std::string_view kind) {
    problem = NotAFileProblem(path);
    if (!problem.empty())
        return false;
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        problem = "cannot be opened (missing or not readable)";
        return false;
    }
    const std::streamoff size = file.tellg();
    if (size < 0) {
        problem = "cannot be read";
        return false;
    }
    if (static_cast<uint64_t>(size) > limit) {
        problem = "is too large (" + std::to_string(size) + " bytes); " + std::string(kind) +
                  " of at most " + std::to_string(limit / (1024 * 1024)) + " MB are read";
        return false;
    }
    bytes.assign(static_cast<std::size_t>(size), 0);
    file.seekg(0);
    if (size > 0 && !file.read(reinterpret_cast<char*>(bytes.data()), size)) {
        problem = "cannot be read";
        return false;
    }
    return true;
}
