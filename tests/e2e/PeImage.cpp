#include "PeImage.h"

namespace {

class TReader {
public:
    explicit TReader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(uint64_t offset, uint64_t size) const { return offset + size <= bytes_.size(); }
    uint32_t U(uint64_t offset, int size) const {
        uint32_t value = 0;
        for (int i = size - 1; i >= 0; --i)
            value = (value << 8) | static_cast<uint8_t>(bytes_[offset + i]);
        return value;
    }
    std::string CString(uint64_t offset) const {
        std::string text;
        while (offset < bytes_.size() && bytes_[offset] != '\0')
            text.push_back(bytes_[offset++]);
        return text;
    }

private:
    const std::string& bytes_;
};

struct TSection {
    uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

bool RvaToOffset(const std::vector<TSection>& sections, uint32_t rva, uint64_t& offset) {
    for (const TSection& s : sections) {
        uint32_t span = s.VirtualSize > s.RawSize ? s.VirtualSize : s.RawSize;
        if (rva >= s.VirtualAddress && rva < s.VirtualAddress + span) {
            offset = uint64_t{s.RawOffset} + (rva - s.VirtualAddress);
            return true;
        }
    }
    return false;
}

} // namespace

bool ReadPeImage(const std::string& bytes, TPeImage& image, std::string& error) {
    TReader r(bytes);
    if (!r.Has(0, 64) || r.U(0, 2) != 0x5A4D)
        return error = "no MZ header", false;
    uint64_t pe = r.U(0x3C, 4);
    if (!r.Has(pe, 24) || r.U(pe, 4) != 0x4550)
        return error = "no PE signature", false;
    image.Machine = static_cast<uint16_t>(r.U(pe + 4, 2));
    uint32_t sectionCount = r.U(pe + 6, 2);
    uint32_t optionalSize = r.U(pe + 20, 2);
    uint64_t optional = pe + 24;
    if (!r.Has(optional, optionalSize) || optionalSize < 96 + 16)
        return error = "optional header truncated", false;
    image.OptionalMagic = static_cast<uint16_t>(r.U(optional, 2));
    if (image.OptionalMagic != 0x10B)
        return error = "not a PE32 optional header", false;
    image.Subsystem = static_cast<uint16_t>(r.U(optional + 68, 2));
    uint32_t directoryCount = r.U(optional + 92, 4);
    if (directoryCount < 2 || !r.Has(optional + 96, 16))
        return error = "no import directory", false;
    uint32_t importRva = r.U(optional + 96 + 8, 4);

    std::vector<TSection> sections;
    uint64_t table = optional + optionalSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        uint64_t at = table + 40ull * i;
        if (!r.Has(at, 40))
            return error = "section table truncated", false;
        sections.push_back({r.U(at + 12, 4), r.U(at + 8, 4), r.U(at + 20, 4), r.U(at + 16, 4)});
    }
    if (importRva == 0)
        return true;
    uint64_t descriptor;
    if (!RvaToOffset(sections, importRva, descriptor))
        return error = "import directory outside the sections", false;
    for (int guard = 0; guard < 4096; ++guard, descriptor += 20) {
        if (!r.Has(descriptor, 20))
            return error = "import descriptors truncated", false;
        uint32_t nameRva = r.U(descriptor + 12, 4);
        if (nameRva == 0)
            return true;
        uint64_t nameOffset;
        if (!RvaToOffset(sections, nameRva, nameOffset) || !r.Has(nameOffset, 1))
            return error = "import name outside the sections", false;
        image.ImportedDlls.push_back(r.CString(nameOffset));
    }
    return error = "import descriptors do not end", false;
}
