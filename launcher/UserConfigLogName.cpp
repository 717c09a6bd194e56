#include "launcher/UserConfigLogName.h"

#include <cstdio>

namespace {
constexpr uint64_t kFnvOffsetBasis = 0xCBF29CE484222325ull;
constexpr uint64_t kFnvPrime = 0x100000001B3ull;

// ASCII only: the file system's own case rules for other letters depend on
// the code page, and a folder's spelling rarely changes there.
std::string AsciiUpper(std::string text) {
    for (char& c : text)
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    return text;
}
} // namespace

std::string VolumeRoot(const std::string& folder) {
    if (folder.size() >= 2 && folder[1] == ':')
        return folder.substr(0, 2) + "\\";
    if (folder.rfind("\\\\", 0) != 0)
        return "";
    // "\\server\share\": the share name ends at the fourth backslash.
    const std::string::size_type serverEnd = folder.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2)
        return "";
    const std::string::size_type shareEnd = folder.find('\\', serverEnd + 1);
    const std::string::size_type end = shareEnd == std::string::npos ? folder.size() : shareEnd;
    if (end == serverEnd + 1)
        return ""; // no share name
    return folder.substr(0, end) + "\\";
}

std::string PathWithinVolume(const std::string& folder, const std::string& mountPoint) {
    if (mountPoint.empty() || folder.size() < mountPoint.size() ||
        AsciiUpper(folder.substr(0, mountPoint.size())) != AsciiUpper(mountPoint))
        return folder;
    return folder.substr(mountPoint.size());
}

uint64_t Fnv1a64(const std::string& text) {
    uint64_t hash = kFnvOffsetBasis;
    for (unsigned char byte : text) {
        hash ^= byte;
        hash *= kFnvPrime;
    }
    return hash;
}

std::string UserConfigLogName(uint32_t volumeSerial, const std::string& place) {
    char name[40];
    std::snprintf(name, sizeof name, "%08X-%016llX.log", static_cast<unsigned>(volumeSerial),
                  static_cast<unsigned long long>(Fnv1a64(AsciiUpper(place))));
    return name;
}
