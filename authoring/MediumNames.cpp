#include "authoring/MediumNames.h"

#include <array>
#include <string_view>

namespace {

constexpr std::string_view kForbidden = "\"*/:;<>?\\|";

bool IsDeviceName(std::string base) {
    base = FoldCase(base);
    static constexpr std::array<std::string_view, 4> plain = {"con", "prn", "aux", "nul"};
    for (std::string_view name : plain)
        if (base == name)
            return true;
    return base.size() == 4 && (base.compare(0, 3, "com") == 0 || base.compare(0, 3, "lpt") == 0) &&
           base[3] >= '1' && base[3] <= '9';
}

} // namespace

std::size_t Utf16Units(const std::string& utf8) {
    std::size_t units = 0;
    for (std::size_t i = 0; i < utf8.size();) {
        const unsigned char lead = static_cast<unsigned char>(utf8[i]);
        std::size_t length = 0;
        if (lead < 0x80)
            length = 1;
        else if ((lead & 0xE0) == 0xC0 && lead >= 0xC2)
            length = 2;
        else if ((lead & 0xF0) == 0xE0)
            length = 3;
        else if ((lead & 0xF8) == 0xF0 && lead <= 0xF4)
            length = 4;
        else
            return std::string::npos;
        if (i + length > utf8.size())
            return std::string::npos;
        for (std::size_t k = 1; k < length; ++k)
            if ((static_cast<unsigned char>(utf8[i + k]) & 0xC0) != 0x80)
                return std::string::npos;
        units += length == 4 ? 2 : 1;
        i += length;
    }
    return units;
}

std::string FoldCase(const std::string& path) {
    std::string folded = path;
    for (char& c : folded)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return folded;
}

std::string NameProblem(const std::string& name) {
    if (name.empty())
        return "an empty name";
    for (char c : name) {
        const unsigned char u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F)
            return "holds a control character, which FAT32 and Joliet refuse";
        if (kForbidden.find(c) != std::string_view::npos)
            return std::string("holds '") + c +
                   "', which FAT32 or Joliet refuses (none of \"*/:;<>?\\| is allowed)";
    }
    if (name.back() == '.' || name.back() == ' ')
        return "ends in a dot or a blank, which Windows drops from the name";
    if (IsDeviceName(name.substr(0, name.find('.'))))
        return "is a device name of Windows (CON, PRN, AUX, NUL, COM1-9, LPT1-9), also with an "
               "extension; Windows opens the device instead of the file";
    const std::size_t units = Utf16Units(name);
    if (units == std::string::npos)
        return "is no valid UTF-8 text";
    if (units > kMaxNameUnits)
        return "has " + std::to_string(units) + " characters; Joliet keeps at most " +
               std::to_string(kMaxNameUnits);
    return {};
}

std::string PathProblem(const std::string& path) {
    std::size_t start = 0, folders = 0;
    while (true) {
        const std::size_t end = path.find('/', start);
        const std::string name = path.substr(start, end == std::string::npos ? end : end - start);
        const std::string problem = NameProblem(name);
        if (!problem.empty())
            return "\"" + name + "\" " + problem;
        if (end == std::string::npos)
            break;
        ++folders;
        start = end + 1;
    }
    if (folders > kMaxFolderDepth)
        return "lies " + std::to_string(folders) + " folders deep; ISO 9660 allows " +
               std::to_string(kMaxFolderDepth);
    const std::size_t units = Utf16Units(path);
    if (units > kMaxPathUnits)
        return "the path has " + std::to_string(units) + " characters; Joliet keeps at most " +
               std::to_string(kMaxPathUnits);
    return {};
}

std::string VolumeLabelProblem(const std::string& label) {
    if (label.empty() || label.size() > 11)
        return "has " + std::to_string(label.size()) +
               " characters; a label has 1 to 11 (FAT32 keeps 11)";
    for (char c : label)
        if (!((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'))
            return std::string("holds '") + c +
                   "'; a disc's volume label takes only A-Z, 0-9 and _ (write capitals)";
    return {};
}
