#include "framework/runtime/Streams.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <limits>
#include <new>

#include "framework/runtime/Exceptions.h"

namespace {
const char* const kReadErrorText = "Stream-Lesefehler";
const char* const kWriteErrorText = "Stream-Schreibfehler";
constexpr int64_t kCopyChunk = 64 * 1024;

// Memory streams hold at most 2^31 - 1 bytes, as their 32-bit callers can
// address; a larger or negative size is refused before any allocation.
constexpr int64_t kMaxMemorySize = 0x7FFFFFFF;

std::size_t BufferSize(int64_t size) {
    if (size < 0)
        throw EStreamError("Ung\xFCltige Stream-Gr\xF6\xDF"
                           "e");
    if (size > kMaxMemorySize ||
        static_cast<uint64_t>(size) > std::numeric_limits<std::size_t>::max() / 2)
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    return static_cast<std::size_t>(size);
}
} // namespace

void TStream::ReadBuffer(void* buffer, int64_t count) {
    if (count < 0 || (count != 0 && Read(buffer, count) != count))
        throw EReadError(kReadErrorText);
}

void TStream::WriteBuffer(const void* buffer, int64_t count) {
    if (count < 0 || (count != 0 && Write(buffer, count) != count))
        throw EWriteError(kWriteErrorText);
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
    if (count < 0)
        throw EReadError(kReadErrorText);
    // Chunked, so that a count larger than the source's real contents costs
    // no more memory than the bytes that actually arrive.
    std::vector<uint8_t> chunk(static_cast<std::size_t>(std::min(count, kCopyChunk)));
    int64_t left = count;
    while (left > 0) {
        const int64_t n = std::min(left, kCopyChunk);
        source.ReadBuffer(chunk.data(), n);
        WriteBuffer(chunk.data(), n);
        left -= n;
    }
    return count;
}

// ---- TMemoryStream ----

int64_t TMemoryStream::Read(void* buffer, int64_t count) {
    const int64_t size = Size();
    if (count <= 0 || position_ >= size)
        return 0;
    const int64_t n = std::min(count, size - position_);
    std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
    position_ += n;
    return n;
}

int64_t TMemoryStream::Write(const void* buffer, int64_t count) {
    if (count <= 0)
        return 0;
    if (count > std::numeric_limits<int64_t>::max() - position_)
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    const int64_t end = position_ + count;
    if (end > Size())
        SetSize(end);
    std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
    position_ = end;
    return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
    int64_t base = 0;
    if (origin == TSeekOrigin::soCurrent)
        base = position_;
    else if (origin == TSeekOrigin::soEnd)
        base = Size();
    // A position before the first byte is refused; one past the end is kept
    // and a later write fills the gap with zero bytes.
    if ((offset < 0 && base + offset < 0) ||
        (offset > 0 && offset > std::numeric_limits<int64_t>::max() - base))
        throw EStreamError("Ung\xFCltige Stream-Position");
    position_ = base + offset;
    return position_;
}

void TMemoryStream::SetSize(int64_t newSize) {
    const std::size_t size = BufferSize(newSize);
    try {
        data_.resize(size);
    } catch (const std::bad_alloc&) {
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    } catch (const std::length_error&) {
        throw EOutOfMemory("Zu wenig Arbeitsspeicher");
    }
    if (position_ > newSize)
        position_ = newSize;
}

void TMemoryStream::Clear() {
    data_.clear();
    data_.shrink_to_fit();
    position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& source) {
    source.SetPosition(0);
    const int64_t size = source.Size();
    SetSize(size);
    position_ = 0;
    source.ReadBuffer(data_.data(), size);
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
    TFileStream file(fileName, fm::fmOpenRead | fm::fmShareDenyWrite);
    LoadFromStream(file);
}

void TMemoryStream::SaveToFile(const std::string& fileName) const {
    TFileStream file(fileName, fm::fmCreate);
    file.WriteBuffer(data_.data(), Size());
}
