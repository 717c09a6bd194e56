// Test support: container files assembled byte by byte, including malformed
// ones, independently of the authoring tool.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

class ContainerBytes {
public:
    ContainerBytes& Raw(const std::string& bytes) {
        bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
        return *this;
    }
    ContainerBytes& Fill(std::size_t count, uint8_t value) {
        bytes_.insert(bytes_.end(), count, value);
        return *this;
    }
    ContainerBytes& U32(uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8)
            bytes_.push_back(static_cast<uint8_t>(value >> shift));
        return *this;
    }
    ContainerBytes& U16(uint16_t value) {
        bytes_.push_back(static_cast<uint8_t>(value));
        bytes_.push_back(static_cast<uint8_t>(value >> 8));
        return *this;
    }
    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    std::size_t Size() const { return bytes_.size(); }

    // Well-formed: the entries back to back from position base (the bytes
    // before base are filled with 'P'), start field = first position.
    static ContainerBytes Of(const std::vector<std::string>& entries, uint32_t base = 0) {
        ContainerBytes c;
        c.Fill(base, 'P');
        std::vector<uint32_t> starts;
        for (const std::string& entry : entries) {
            starts.push_back(static_cast<uint32_t>(c.Size()));
            c.Raw(entry);
        }
        c.U32(base);
        for (uint32_t start : starts)
            c.U32(start);
        c.U16(static_cast<uint16_t>(entries.size()));
        return c;
    }

private:
    std::vector<uint8_t> bytes_;
};
