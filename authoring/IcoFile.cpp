#include "authoring/IcoFile.h"

namespace {

uint32_t Little(const std::vector<uint8_t>& bytes, std::size_t at, int size) {
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i)
        value = value << 8 | bytes[at + i];
    return value;
}

constexpr std::size_t kHeader = 6;
constexpr std::size_t kEntry = 16;

} // namespace

std::string IcoProblem(const std::vector<uint8_t>& bytes) {
    if (bytes.size() < kHeader)
        return "is no icon: " + std::to_string(bytes.size()) +
               " bytes, shorter than an icon header (6)";
    if (Little(bytes, 0, 2) != 0 || Little(bytes, 2, 2) != 1)
        return "is no icon: its header does not begin with reserved 0 and type 1 (.ico)";
    const uint32_t count = Little(bytes, 4, 2);
    if (count == 0)
        return "is an icon without images (count 0)";
    if (kHeader + std::size_t{count} * kEntry > bytes.size())
        return "is cut short: its " + std::to_string(count) + " directory entries need " +
               std::to_string(kHeader + count * kEntry) + " bytes, the file has " +
               std::to_string(bytes.size());
    for (uint32_t i = 0; i < count; ++i) {
        const std::size_t entry = kHeader + i * kEntry;
        const uint64_t size = Little(bytes, entry + 8, 4);
        const uint64_t offset = Little(bytes, entry + 12, 4);
        if (size == 0 || offset < kHeader + count * kEntry || offset + size > bytes.size())
            return "image " + std::to_string(i + 1) + " of the icon (" + std::to_string(size) +
                   " bytes at " + std::to_string(offset) + ") lies outside the file's " +
                   std::to_string(bytes.size()) + " bytes";
    }
    return {};
}
