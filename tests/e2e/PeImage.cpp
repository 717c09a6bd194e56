#include "PeImage.h"

namespace {

class TReader {
public:
    explicit TReader(const std::string& bytes) : bytes_(bytes) {}
    bool Has(uint64_t offset, uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
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
    std::string Bytes(uint64_t offset, uint64_t size) const { return bytes_.substr(offset, size); }

private:
    const std::string& bytes_;
};

struct TSection {
    uint32_t VirtualAddress, VirtualSize, RawOffset, RawSize;
};

bool RvaToOffset(const std::vector<TSection>& sections, uint32_t rva, uint64_t& offset) {
    for (const TSection& s : sections) {
        uint32_t span = s.VirtualSize > s.RawSize ? s.VirtualSize : s.RawSize;
        if (rva >= s.VirtualAddress && rva - s.VirtualAddress < span) {
            offset = uint64_t{s.RawOffset} + (rva - s.VirtualAddress);
            return true;
        }
    }
    return false;
}

bool ReadImports(const TReader& r, const std::vector<TSection>& sections, uint32_t importRva,
                 TPeImage& image, std::string& error) {
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

// The resource directory is a tree of three levels (type, name, language);
// its offsets count from the directory's start, the leaves hold RVAs.
class TResourceReader {
public:
    TResourceReader(const TReader& r, const std::vector<TSection>& sections, uint64_t root)
        : r_(r), sections_(sections), root_(root) {}

    bool Read(std::vector<TPeResource>& out, std::string& error) {
        TPeResource resource;
        return Level(0, 0, resource, out, error);
    }

private:
    static constexpr uint32_t kSubdirectory = 0x80000000u;
    static constexpr int kMaxResources = 4096;
    // Subdirectories may be shared (or point back up), so the walk counts
    // every entry it reads: a looping tree ends instead of running for hours.
    static constexpr uint32_t kMaxEntriesRead = 65536;

    bool Level(int depth, uint32_t offset, TPeResource& resource, std::vector<TPeResource>& out,
               std::string& error) {
        const uint64_t table = root_ + offset;
        if (!r_.Has(table, 16))
            return error = "resource table truncated", false;
        const uint32_t count = r_.U(table + 12, 2) + r_.U(table + 14, 2);
        for (uint32_t i = 0; i < count; ++i) {
            const uint64_t entry = table + 16 + 8ull * i;
            if (!r_.Has(entry, 8))
                return error = "resource entries truncated", false;
            if (++entriesRead_ > kMaxEntriesRead)
                return error = "resource directory of more than 65536 entries", false;
            const uint32_t name = r_.U(entry, 4), target = r_.U(entry + 4, 4);
            if (!Label(depth, name, resource, error))
                return false;
            const bool subdirectory = (target & kSubdirectory) != 0;
            if (subdirectory != (depth < 2))
                return error = "resource tree not three levels deep", false;
            if (subdirectory ? !Level(depth + 1, target & ~kSubdirectory, resource, out, error)
                             : !Leaf(target, resource, out, error))
                return false;
        }
        return true;
    }

    bool Label(int depth, uint32_t name, TPeResource& resource, std::string& error) {
        const bool named = (name & kSubdirectory) != 0;
        if (depth == 0) {
            resource.Type = named ? 0 : name;
        } else if (depth == 1) {
            resource.Id = named ? 0 : name;
            resource.Name.clear();
            if (named) {
                // A counted UTF-16 string; the names this test looks for are ASCII.
                const uint64_t at = root_ + (name & ~kSubdirectory);
                if (!r_.Has(at, 2) || !r_.Has(at + 2, 2ull * r_.U(at, 2)))
                    return error = "resource name outside the file", false;
                for (uint32_t c = 0; c < r_.U(at, 2); ++c)
                    resource.Name.push_back(static_cast<char>(r_.U(at + 2 + 2ull * c, 2)));
            }
        } else {
            resource.Language = name;
        }
        return true;
    }

    bool Leaf(uint32_t offset, const TPeResource& resource, std::vector<TPeResource>& out,
              std::string& error) {
        if (out.size() >= kMaxResources)
            return error = "more than 4096 resources", false;
        const uint64_t entry = root_ + offset;
        if (!r_.Has(entry, 16))
            return error = "resource data entry truncated", false;
        uint64_t data;
        const uint32_t size = r_.U(entry + 4, 4);
        if (!RvaToOffset(sections_, r_.U(entry, 4), data) || !r_.Has(data, size))
            return error = "resource data outside the file", false;
        out.push_back(resource);
        out.back().Data = r_.Bytes(data, size);
        return true;
    }

    const TReader& r_;
    const std::vector<TSection>& sections_;
    uint64_t root_;
    uint32_t entriesRead_ = 0;
};

} // namespace

const TPeResource* TPeImage::Find(uint32_t type, uint32_t id) const {
    for (const TPeResource& resource : Resources)
        if (resource.Type == type && resource.Name.empty() && resource.Id == id)
            return &resource;
    return nullptr;
}

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
    if (!r.Has(optional, 2))
        return error = "optional header truncated", false;
    image.OptionalMagic = static_cast<uint16_t>(r.U(optional, 2));
    // PE32+ widens the image base and the stack and heap sizes: the data
    // directories begin 16 bytes later.
    uint64_t directories;
    if (image.OptionalMagic == 0x10B)
        directories = optional + 96;
    else if (image.OptionalMagic == 0x20B)
        directories = optional + 112;
    else
        return error = "neither a PE32 nor a PE32+ optional header", false;
    if (!r.Has(optional, optionalSize) || optional + optionalSize < directories)
        return error = "optional header truncated", false;
    image.Subsystem = static_cast<uint16_t>(r.U(optional + 68, 2));
    uint32_t directoryCount = r.U(directories - 4, 4);
    if (directoryCount > (optional + optionalSize - directories) / 8)
        return error = "data directories run past the optional header", false;
    uint32_t importRva = directoryCount > 1 ? r.U(directories + 8, 4) : 0;
    uint32_t resourceRva = directoryCount > 2 ? r.U(directories + 16, 4) : 0;

    std::vector<TSection> sections;
    uint64_t table = optional + optionalSize;
    for (uint32_t i = 0; i < sectionCount; ++i) {
        uint64_t at = table + 40ull * i;
        if (!r.Has(at, 40))
            return error = "section table truncated", false;
        sections.push_back({r.U(at + 12, 4), r.U(at + 8, 4), r.U(at + 20, 4), r.U(at + 16, 4)});
    }
    if (!ReadImports(r, sections, importRva, image, error))
        return false;
    if (resourceRva == 0)
        return true;
    uint64_t root;
    if (!RvaToOffset(sections, resourceRva, root))
        return error = "resource directory outside the sections", false;
    return TResourceReader(r, sections, root).Read(image.Resources, error);
}
