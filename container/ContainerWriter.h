// Builds a container: entries back to back, then the start field (the first
// entry's position), the table of entry start positions and the entry count.
// Positions are absolute, so a container meant to be appended to another file
// is built with that file's size as its base position. Limits are checked as
// entries are added: at most 255 entries, every position below 2^31.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

class TStream;

class ContainerWriter {
public:
    static constexpr std::size_t kMaxEntries = 255; // the reader counts entries in a byte
    // The container end must itself be a valid signed 32-bit position.
    static constexpr uint64_t kMaxEnd = 0x7FFFFFFF;

    explicit ContainerWriter(uint32_t basePosition = 0);

    // Whether one more entry of entrySize bytes would still fit both limits.
    bool Fits(uint64_t entrySize) const;
    // Raises EContainerError (naming sourceName) when the entry does not fit.
    void AddEntry(std::vector<uint8_t> bytes, const std::string& sourceName);

    std::size_t EntryCount() const { return entries_.size(); }
    // Total bytes of the container: entries plus the 4 + 4 N + 2 byte trailer.
    uint64_t ContainerSize() const;

    void WriteTo(TStream& out) const;
    std::vector<uint8_t> Bytes() const;

    // The stored entries as they will be written.
    const std::vector<std::vector<uint8_t>>& Entries() const { return entries_; }

private:
    uint64_t EndWith(std::size_t entries, uint64_t dataBytes) const;

    uint32_t base_;
    uint64_t dataBytes_ = 0;
    std::vector<std::vector<uint8_t>> entries_;
};

// Scrambles an entry in place the way the launcher descrambles it, and back.
void ScrambleEntry(std::vector<uint8_t>& bytes);
void DescrambleEntry(std::vector<uint8_t>& bytes);
