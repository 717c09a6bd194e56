#include "container/ContainerWriter.h"

#include <algorithm>
#include <string>

#include "container/ContainerError.h"
#include "container/ContainerKey.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Streams.h"

namespace {
void PutUInt32(std::vector<uint8_t>& out, uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<uint8_t>(value >> shift));
}

void Transform(std::vector<uint8_t>& bytes, uint8_t direction) {
    TMemoryStream stream;
    stream.SetSize(static_cast<int64_t>(bytes.size()));
    std::copy(bytes.begin(), bytes.end(), stream.Memory());
    ScrambleStream(&stream, direction, kContainerSeed, false);
    std::copy(stream.Memory(), stream.Memory() + stream.Size(), bytes.begin());
}

std::vector<uint8_t> Trailer(uint32_t base, const std::vector<std::vector<uint8_t>>& entries) {
    std::vector<uint8_t> trailer;
    PutUInt32(trailer, base); // start field: where the entry data begins
    uint64_t position = base;
    for (const auto& entry : entries) {
        PutUInt32(trailer, static_cast<uint32_t>(position));
        position += entry.size();
    }
    trailer.push_back(static_cast<uint8_t>(entries.size()));
    trailer.push_back(static_cast<uint8_t>(entries.size() >> 8));
    return trailer;
}
} // namespace

ContainerWriter::ContainerWriter(uint32_t basePosition) : base_(basePosition) {}

uint64_t ContainerWriter::EndWith(std::size_t entries, uint64_t dataBytes) const {
    return uint64_t{base_} + dataBytes + 4 + 4 * uint64_t{entries} + 2;
}

uint64_t ContainerWriter::ContainerSize() const {
    return EndWith(entries_.size(), dataBytes_) - base_;
}

bool ContainerWriter::Fits(uint64_t entrySize) const {
    return entries_.size() < kMaxEntries && entrySize <= kMaxEnd &&
           EndWith(entries_.size() + 1, dataBytes_ + entrySize) <= kMaxEnd;
}

void ContainerWriter::AddEntry(std::vector<uint8_t> bytes, const std::string& sourceName) {
    if (entries_.size() >= kMaxEntries)
        throw EContainerError(sourceName + ": a container holds at most 255 entries");
    if (!Fits(bytes.size()))
        throw EContainerError(sourceName + ": the container would reach past position 2^31 - 1");
    dataBytes_ += bytes.size();
    entries_.push_back(std::move(bytes));
}

void ContainerWriter::WriteTo(TStream& out) const {
    for (const auto& entry : entries_)
        out.WriteBuffer(entry.data(), static_cast<int64_t>(entry.size()));
    const std::vector<uint8_t> trailer = Trailer(base_, entries_);
    out.WriteBuffer(trailer.data(), static_cast<int64_t>(trailer.size()));
}

std::vector<uint8_t> ContainerWriter::Bytes() const {
    std::vector<uint8_t> bytes;
    bytes.reserve(static_cast<std::size_t>(ContainerSize()));
    for (const auto& entry : entries_)
        bytes.insert(bytes.end(), entry.begin(), entry.end());
    const std::vector<uint8_t> trailer = Trailer(base_, entries_);
    bytes.insert(bytes.end(), trailer.begin(), trailer.end());
    return bytes;
}

void ScrambleEntry(std::vector<uint8_t>& bytes) {
    Transform(bytes, kScrambleDirection);
}

void DescrambleEntry(std::vector<uint8_t>& bytes) {
    Transform(bytes, kDescrambleDirection);
}
