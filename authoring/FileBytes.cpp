#include "authoring/FileBytes.h"

#include <fstream>

bool ReadWholeFile(const std::string& path, uint64_t limit, std::vector<uint8_t>& bytes,
                   std::string& problem, std::string_view kind) {
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
