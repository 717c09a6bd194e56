#include "container/KRVAAppendix.h"

#include "framework/runtime/CheckedMath.h"
#include "framework/runtime/Exceptions.h"

namespace {
constexpr unsigned kOpenMode = fm::fmShareDenyNone; // read-only, others may read and write

uint32_t ReadUInt32At(TStream& file, int32_t position) {
    file.SetPosition(position);
    uint8_t bytes[4];
    file.ReadBuffer(bytes, 4);
    return uint32_t{bytes[0]} | uint32_t{bytes[1]} << 8 | uint32_t{bytes[2]} << 16 |
           uint32_t{bytes[3]} << 24;
}

uint16_t ReadUInt16At(TStream& file, int32_t position) {
    file.SetPosition(position);
    uint8_t bytes[2];
    file.ReadBuffer(bytes, 2);
    return static_cast<uint16_t>(bytes[0] | bytes[1] << 8);
}
} // namespace

struct TKRVAAppendix::OpenedContainer {
    std::unique_ptr<TFileStream> file; // closed when this goes out of scope
    uint32_t size = 0;                 // file size L
    uint32_t end = 0;                  // container end E
};

TKRVAAppendix::OpenedContainer TKRVAAppendix::OpenContainer() {
    OpenedContainer opened;
    try {
        opened.file = std::make_unique<TFileStream>(ContainerName, kOpenMode);
    } catch (const EStreamError&) {
        Error = kOpenFailed;
        return {};
    }
    // Files of 4 GiB or more do not fit the 32-bit size.
    opened.size = Narrow<uint32_t>(opened.file->Size());
    if (Offset >= 0 && static_cast<uint32_t>(Offset) > opened.size) {
        Error = kOffsetBeyondFile;
        return {};
    }
    if (IsForceStart) {
        opened.end = Narrow<uint32_t>(ForceStart); // a negative end is no position
    } else if (Offset >= 0) {
        opened.end = CheckedSub<uint32_t>(opened.size, static_cast<uint32_t>(Offset));
    } else {
        // Puts the end past the file's end: the reads below then fail.
        opened.end = CheckedAdd<uint32_t>(opened.size, static_cast<uint32_t>(-int64_t{Offset}));
    }
    return opened;
}

void TKRVAAppendix::ReadAmount() {
    Error = kNoError;
    if (ContainerName.empty()) {
        Error = kNoContainerName;
        return;
    }
    if (!FileExists(ContainerName)) {
        Error = kFileMissing;
        return;
    }
    uint16_t count = 0;
    {
        OpenedContainer opened = OpenContainer();
        if (!opened.file)
            return;
        const uint32_t countPosition = CheckedSub<uint32_t>(opened.end, 2);
        count = ReadUInt16At(*opened.file, Narrow<int32_t>(countPosition));
    }
    Amount = Narrow<uint8_t>(count);
}

std::unique_ptr<TMemoryStream> TKRVAAppendix::ExtractFileStream() {
    Error = kNoError;
    if (FileNo == 0) {
        Error = kFileNoZero;
        return nullptr;
    }
    if (FileNo > Amount) {
        Error = kFileNoBeyondAmount;
        return nullptr;
    }
    OpenedContainer opened = OpenContainer();
    if (!opened.file)
        return nullptr;
    TFileStream& file = *opened.file;

    const uint32_t tableBytes = CheckedMul<uint32_t>(4, Amount);
    const uint32_t table =
        CheckedSub<uint32_t>(CheckedSub<uint32_t>(opened.end, 2), tableBytes); // T
    const int32_t tablePosition = Narrow<int32_t>(table);

    const int32_t slot = CheckedAdd<int32_t>(tablePosition, CheckedMul<int32_t>(4, FileNo - 1));
    ByteFrom = Narrow<int32_t>(ReadUInt32At(file, slot));

    if (FileNo < Amount) {
        const int32_t nextSlot = CheckedAdd<int32_t>(tablePosition, CheckedMul<int32_t>(4, FileNo));
        const auto nextStart = static_cast<uint32_t>(Narrow<int32_t>(ReadUInt32At(file, nextSlot)));
        ByteTo = Narrow<int32_t>(CheckedSub<uint32_t>(nextStart, 1));
    } else {
        // The last entry ends just before the start field.
        ByteTo = Narrow<int32_t>(CheckedSub<uint32_t>(table, 5));
    }

    const int32_t count = CheckedAdd<int32_t>(CheckedSub<int32_t>(ByteTo, ByteFrom), 1);
    // Decreasing start positions, or an entry that runs past the end of the
    // file, cannot be copied; refusing them before allocating keeps a forged
    // table from driving a huge allocation.
    if (count < 0 || int64_t{ByteFrom} + count > int64_t{opened.size})
        throw EReadError("Stream-Lesefehler");

    auto entry = std::make_unique<TMemoryStream>();
    if (count > 0) {
        file.SetPosition(ByteFrom);
        entry->SetSize(count);
        file.ReadBuffer(entry->Memory(), count);
    }
    entry->SetPosition(0);
    return entry;
}
