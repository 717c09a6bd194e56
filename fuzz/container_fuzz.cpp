// Feeds arbitrary files to the container reader with several ways of finding
// the container end, and each delivered entry to the scrambler. Raised runtime
// errors are expected; crashes, leaks, undefined behaviour and broken promises
// about the delivered entry are not.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "container/ContainerKey.h"
#include "container/KRVAAppendix.h"
#include "container/u_Encrypt.h"
#include "framework/runtime/Exceptions.h"
#include "framework/runtime/Random.h"

namespace {
const std::string& InputPath() {
    static const std::string path = "/tmp/ovalyn-container-fuzz-" + std::to_string(getpid());
    return path;
}

void WriteInput(const uint8_t* data, size_t size) {
    FILE* file = std::fopen(InputPath().c_str(), "wb");
    if (!file)
        std::abort();
    if (size != 0 && std::fwrite(data, 1, size, file) != size)
        std::abort();
    std::fclose(file);
}

int32_t Int32From(const uint8_t* data, size_t size, size_t at) {
    uint32_t value = 0;
    for (size_t i = 0; i < 4; ++i)
        value |= uint32_t{at + i < size ? data[at + i] : uint8_t{0}} << (8 * i);
    return static_cast<int32_t>(value);
}

void CheckEntry(const TKRVAAppendix& reader, TMemoryStream& entry, const uint8_t* data,
                size_t size) {
    if (reader.Error != 0 || entry.Position() != 0)
        std::abort();
    if (entry.Size() != int64_t{reader.ByteTo} - reader.ByteFrom + 1)
        std::abort();
    if (entry.Size() > 0 &&
        (reader.ByteFrom < 0 || uint64_t(reader.ByteFrom) + uint64_t(entry.Size()) > size ||
         std::memcmp(entry.Memory(), data + reader.ByteFrom, size_t(entry.Size())) != 0))
        std::abort();
}

void CheckScrambler(TMemoryStream& entry, int32_t seed, bool keyTable) {
    const uint32_t before = RandomState();
    const std::string original(reinterpret_cast<const char*>(entry.Memory()), size_t(entry.Size()));
    ScrambleStream(&entry, kScrambleDirection, seed, keyTable);
    ScrambleStream(&entry, kDescrambleDirection, seed, keyTable);
    if (RandomState() != before || (seed != 0 && entry.Position() != 0))
        std::abort();
    const bool mustRoundTrip = !keyTable || (entry.Size() <= 85 && seed != INT32_MIN);
    if (mustRoundTrip && original != std::string(reinterpret_cast<const char*>(entry.Memory()),
                                                 size_t(entry.Size())))
        std::abort();
}

void ReadAll(TKRVAAppendix& reader, const uint8_t* data, size_t size, uint8_t forcedAmount) {
    try {
        reader.ReadAmount();
    } catch (const Exception&) {
        if (reader.Error != 0)
            std::abort();
        reader.Amount = forcedAmount; // explore the table checks all the same
    }
    for (int fileNo = 0; fileNo <= reader.Amount + 1 && fileNo <= 255; ++fileNo) {
        reader.FileNo = static_cast<uint8_t>(fileNo);
        try {
            auto entry = reader.ExtractFileStream();
            if (entry) {
                CheckEntry(reader, *entry, data, size);
                CheckScrambler(*entry, kContainerSeed, false);
                CheckScrambler(*entry, Int32From(data, size, 0), true);
            } else if (reader.Error == 0) {
                std::abort();
            }
        } catch (const Exception&) {
            if (reader.Error != 0)
                std::abort();
        }
    }
}
} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    WriteInput(data, size);
    const int32_t fromData = Int32From(data, size, size >= 8 ? size - 8 : 0);
    struct Variant {
        int32_t offset;
        bool force;
        int32_t forceStart;
    };
    const Variant variants[] = {
        {0, false, 0},
        {static_cast<int32_t>(size / 3), false, 0},
        {fromData % 64, false, 0},
        {0, true, static_cast<int32_t>(size)},
        {0, true, fromData},
    };
    for (const Variant& variant : variants) {
        TKRVAAppendix reader(nullptr);
        reader.ContainerName = InputPath();
        reader.Offset = variant.offset;
        reader.IsForceStart = variant.force;
        reader.ForceStart = variant.forceStart;
        ReadAll(reader, data, size, size > 0 ? data[0] % 32 : 0);
    }
    std::remove(InputPath().c_str());
    return 0;
}
